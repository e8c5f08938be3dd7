#include "cleaner/SizeText.h"

#include "framework/ByteSize.h"

#include <cwchar>

std::wstring SizeText(DWORD high, DWORD low, int decimals, DWORD divisor)
{
    // Only the smallest unit differs from the framework's texts: "B", not "bytes".
    if (high == 0 && low < 1024) {
        wchar_t text[32] = {};
        _snwprintf(text, 31, L"%d B", static_cast<int>(low));
        return text;
    }
    return std::wstring(FormatByteSize(high, low, decimals, static_cast<int>(divisor ? divisor : 1024)).Chars());
}
