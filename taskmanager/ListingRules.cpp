#include "taskmanager/ListingRules.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace {

constexpr const wchar_t* NeverListedTitles[] = {L"CursorWindow"};
// The title strip ("tray"), the home screen ("MSStart") and the desktop
// connection's window.
constexpr const wchar_t* NeverListedClasses[] = {L"Tray", L"ActiveSync", L"MSStart"};

template <std::size_t Count>
bool IsOneOf(const wchar_t* text, const wchar_t* const (&names)[Count]) noexcept
{
    if (!text)
        return false;
    return std::any_of(std::begin(names), std::end(names), [text](const wchar_t* name) {
        return CompareStringOrdinal(text, -1, name, -1, TRUE) == CSTR_EQUAL;
    });
}

}  // namespace

bool IsNeverListedTitle(const wchar_t* title) noexcept
{
    return IsOneOf(title, NeverListedTitles);
}

bool IsNeverListedClass(const wchar_t* className) noexcept
{
    return IsOneOf(className, NeverListedClasses);
}

bool IsApplicationWindow(const WindowFacts& window) noexcept
{
    if (!window.visible || window.owned || window.ownDialog || window.title.IsEmpty())
        return false;
    return !IsNeverListedTitle(window.title) && !IsNeverListedClass(window.className);
}

int RowToSelect(int count, int remembered) noexcept
{
    if (count <= 0)
        return -1;
    return std::clamp(remembered, 0, count - 1);
}
