#include "filemanager/TextFit.h"

namespace {

constexpr wchar_t Ellipsis[] = L"...";

bool IsHighSurrogate(wchar_t ch) noexcept
{
    return ch >= 0xD800 && ch <= 0xDBFF;
}

// `count` characters of the text, one fewer when that would end between the
// halves of a surrogate pair.
int WholeCharacters(const String& text, int count) noexcept
{
    if (count > 0 && IsHighSurrogate(text[count - 1]))
        --count;
    return count;
}

}  // namespace

String FitText(const String& text, int width, const TextMeasure& measure)
{
    const int fullWidth = measure(text, text.Length());
    if (fullWidth <= width)
        return text;
    long long estimate = static_cast<long long>(text.Length()) * (width > 0 ? width : 0) / fullWidth - 3;
    for (int keep = WholeCharacters(text, static_cast<int>(estimate)); keep > 0;
         keep = WholeCharacters(text, keep - 1)) {
        String cut = text.Left(keep) + Ellipsis;
        if (measure(cut, cut.Length()) <= width)
            return cut;
    }
    return String();
}

int TextWidth(HDC dc, const wchar_t* text, int length)
{
    SIZE size{};
    if (length <= 0 || !GetTextExtentPoint32W(dc, text, length, &size))
        return 0;
    return size.cx;
}

String FitText(HDC dc, const String& text, int width)
{
    return FitText(text, width, [dc](const wchar_t* chars, int length) { return TextWidth(dc, chars, length); });
}
