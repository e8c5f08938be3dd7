// Which member names may be written below a destination. An archive is
// untrusted input: a name such as "..\..\Windows\x.exe", "\x", "C:x",
// "a:stream" or "NUL.txt" must never reach the file system.
#include "filemanager/archive/ArchiveMember.h"

#include <array>
#include <cwctype>

namespace {

bool IsForbiddenCharacter(wchar_t c) noexcept
{
    if (c < 0x20 || c == 0x7F)
        return true;
    switch (c) {
    case L':':  // a drive letter or an alternate data stream
    case L'<':
    case L'>':
    case L'"':
    case L'|':
    case L'?':
    case L'*':
    case L'/':
        return true;
    default:
        return false;
    }
}

bool SameLetters(std::wstring_view a, std::wstring_view b) noexcept
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towupper(a[i]) != std::towupper(b[i]))
            return false;
    return true;
}

// A device name reaches the device wherever it stands, whatever extension
// follows it ("nul.txt", "COM1.log", "aux .c").
bool IsDeviceName(std::wstring_view component)
{
    std::wstring_view base = component.substr(0, component.find(L'.'));
    while (!base.empty() && base.back() == L' ')
        base.remove_suffix(1);
    static constexpr std::array<std::wstring_view, 4> Plain = {L"CON", L"PRN", L"AUX", L"NUL"};
    for (const auto device : Plain)
        if (SameLetters(base, device))
            return true;
    if (base.size() == 4 && base[3] >= L'1' && base[3] <= L'9')
        return SameLetters(base.substr(0, 3), L"COM") || SameLetters(base.substr(0, 3), L"LPT");
    return false;
}

bool IsSafeComponent(std::wstring_view component)
{
    if (component.empty() || component == L"." || component == L"..")
        return false;
    for (const wchar_t c : component)
        if (IsForbiddenCharacter(c))
            return false;
    if (component.back() == L'.' || component.back() == L' ')
        return false;
    return !IsDeviceName(component);
}

}  // namespace

bool IsSafeMemberName(const std::wstring& name)
{
    std::wstring_view rest = name;
    // A folder entry's trailing "\" ends its name; any other empty component
    // (a leading "\", "a\\b") is refused.
    if (!rest.empty() && rest.back() == L'\\')
        rest.remove_suffix(1);
    if (rest.empty())
        return false;
    while (true) {
        const auto slash = rest.find(L'\\');
        if (!IsSafeComponent(rest.substr(0, slash)))
            return false;
        if (slash == std::wstring_view::npos)
            return true;
        rest.remove_prefix(slash + 1);
    }
}
