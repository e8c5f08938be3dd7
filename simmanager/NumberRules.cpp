#include "simmanager/NumberRules.h"

#include "simmanager/resource.h"

#include <cwchar>

namespace {

bool StartsWith(const String& text, const wchar_t* start)
{
    size_t length = std::wcslen(start);
    return static_cast<size_t>(text.Length()) >= length && std::wcsncmp(text, start, length) == 0;
}

}  // namespace

bool IsNumberCharacter(wchar_t ch) noexcept
{
    return (ch >= L'0' && ch <= L'9') || (ch != L'\0' && std::wcschr(L"+#*pw", ch));
}

bool IsTemplateCharacter(wchar_t ch) noexcept
{
    return (ch >= L'0' && ch <= L'9') || (ch != L'\0' && std::wcschr(L"xX()-#*+pw", ch));
}

String KeepNumberCharacters(const wchar_t* text)
{
    String kept;
    for (const wchar_t* ch = text ? text : L""; *ch; ++ch) {
        if (IsNumberCharacter(*ch))
            kept.Append(*ch);
    }
    return kept;
}

bool HasMisplacedPlus(const wchar_t* number) noexcept
{
    return number && number[0] && std::wcschr(number + 1, L'+');
}

UINT CheckEntry(const wchar_t* name, const wchar_t* number, int nameLimit, int numberLimit) noexcept
{
    name = name ? name : L"";
    number = number ? number : L"";
    size_t nameLength = std::wcslen(name);
    size_t numberLength = std::wcslen(number);
    if (nameLength > static_cast<size_t>(nameLimit < 0 ? 0 : nameLimit))
        return IDS_NAME_TOO_LONG;
    if (numberLength > static_cast<size_t>(numberLimit < 0 ? 0 : numberLimit))
        return IDS_NUMBER_TOO_LONG;
    if (HasMisplacedPlus(number))
        return IDS_PLUS_NOT_FIRST;
    if (nameLength == 0 && numberLength == 0)
        return IDS_ENTRY_EMPTY;
    return 0;
}

String NumberWithPrefix(const wchar_t* number, const wchar_t* prefix, bool dropZero)
{
    String rest(number ? number : L"");
    bool plus = rest[0] == L'+';
    if (plus)
        rest.Delete(0);
    if (dropZero && rest[0] == L'0')
        rest.Delete(0);
    String result(plus ? L"+" : L"");
    result += prefix ? prefix : L"";
    result += rest;
    return result;
}

bool NumberWithoutPrefix(const wchar_t* number, const wchar_t* prefix, bool addZero, String& result)
{
    prefix = prefix ? prefix : L"";
    if (!*prefix)
        return false;
    String rest(number ? number : L"");
    bool plus = rest[0] == L'+' && prefix[0] != L'+';
    if (plus)
        rest.Delete(0);
    if (!StartsWith(rest, prefix))
        return false;
    result = plus ? L"+" : L"";
    if (addZero)
        result += L'0';
    result += rest.Mid(static_cast<int>(std::wcslen(prefix)));
    return true;
}
