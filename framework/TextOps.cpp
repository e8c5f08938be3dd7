#include "framework/TextOps.h"

#include <cwchar>

bool ExtractField(String& field, const wchar_t* text, int n, wchar_t separator)
{
    field.Clear();
    if (!text || n < 0)
        return false;
    const wchar_t* start = text;
    for (; n > 0; --n) {
        start = std::wcschr(start, separator);
        if (!start || separator == L'\0')
            return false;
        ++start;
    }
    const wchar_t* end = std::wcschr(start, separator);
    field.Assign(start, end ? static_cast<int>(end - start) : static_cast<int>(std::wcslen(start)));
    return true;
}

void SplitTokens(const wchar_t* text, const wchar_t* separators, StringArray& tokens, bool trim)
{
    if (!text)
        return;
    if (!separators)
        separators = L"";
    const wchar_t* p = text;
    while (*p) {
        p += std::wcsspn(p, separators);
        size_t length = std::wcscspn(p, separators);
        if (length == 0)
            break;
        String token(p, static_cast<int>(length));
        p += length;
        if (trim)
            token.Trim();
        if (!token.IsEmpty())
            tokens.Add(token);
    }
}

void JoinTokens(String& text, const StringArray& tokens, const wchar_t* separator)
{
    for (int i = 0; i < tokens.GetSize(); ++i) {
        if (i > 0)
            text.Append(separator);
        text += tokens[i];
    }
}

String StripChars(const wchar_t* text, const wchar_t* separators)
{
    String result;
    if (!text)
        return result;
    int length = static_cast<int>(std::wcslen(text));
    wchar_t* buffer = result.Reserve(length);
    int kept = 0;
    for (int i = 0; i < length; ++i) {
        if (!separators || !std::wcschr(separators, text[i]))
            buffer[kept++] = text[i];
    }
    result.Commit(kept);
    return result;
}

String Abbreviate(const wchar_t* text, int maximum, bool keepStart)
{
    String whole(text ? text : L"");
    if (whole.Length() <= maximum)
        return whole;
    const String ellipsis(L"...");
    // Too small for any text beside the ellipsis: the ellipsis alone, cut.
    if (maximum <= ellipsis.Length())
        return ellipsis.Left(maximum);
    int kept = maximum - ellipsis.Length();
    return keepStart ? whole.Left(kept) + ellipsis : ellipsis + whole.Right(kept);
}
