#include "framework/ByteSize.h"

#include <algorithm>

String FormatByteSize(DWORD high, DWORD low, int decimals, int divisor)
{
    float value = 0;
    const wchar_t* unit = nullptr;
    if (high != 0 || low >= 0x40000000) {
        // The low 20 bits of `low` are below the precision shown.
        value = static_cast<float>(low >> 20) / static_cast<float>(divisor) + static_cast<float>(high) * 4.0f;
        unit = L"f GB";
    } else if (low >= 0x100000) {
        value = static_cast<float>(low >> 10) / static_cast<float>(divisor);
        unit = L"f MB";
    } else if (low >= 1024) {
        value = static_cast<float>(low) / static_cast<float>(divisor);
        unit = L"f KB";
    }

    String text;
    if (!unit) {
        text.FormatText(L"%d bytes", static_cast<int>(low));
        return text;
    }
    // The precision is part of the format; it is kept to what a double holds.
    String format;
    format.FormatText(L"%%.%d%s", std::clamp(decimals, 0, 17), unit);
    text.FormatText(format, static_cast<double>(value));
    return text;
}
