#include "cleaner/SizeText.h"

#include <cwchar>

namespace {

// "%.2f KB" from "%%.%df KB" and 2, then filled with the value (msvcrt's
// formatter, as the handset's).
std::wstring WithDecimals(const wchar_t* unitFormat, int decimals, float value)
{
    wchar_t format[32] = {};
    _snwprintf(format, 31, unitFormat, decimals);
    wchar_t text[64] = {};
    _snwprintf(text, 63, format, static_cast<double>(value));
    return text;
}

}  // namespace

std::wstring SizeText(DWORD high, DWORD low, int decimals, DWORD divisor)
{
    const float unit = static_cast<float>(divisor ? divisor : 1024);
    if (high == 0 && low < 1024) {
        wchar_t text[32] = {};
        _snwprintf(text, 31, L"%d B", static_cast<int>(low));
        return text;
    }
    if (high == 0 && low < (1u << 20))
        return WithDecimals(L"%%.%df KB", decimals, static_cast<float>(low) / unit);
    if (high == 0 && low < (1u << 30))
        return WithDecimals(L"%%.%df MB", decimals, static_cast<float>(low >> 10) / unit);
    return WithDecimals(L"%%.%df GB", decimals,
                        static_cast<float>(low >> 20) / unit + static_cast<float>(high) * 4.0f);
}
