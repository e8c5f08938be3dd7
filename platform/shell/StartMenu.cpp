#include "platform/shell/StartMenu.h"

#include "platform/Handles.h"

#include <windows.h>

#include <algorithm>

namespace vellumate {
namespace {

constexpr std::wstring_view ShortcutExtension = L".lnk";

bool HasShortcutExtension(std::wstring_view name)
{
    if (name.size() <= ShortcutExtension.size())
        return false;
    const std::wstring_view extension = name.substr(name.size() - ShortcutExtension.size());
    return ::CompareStringOrdinal(extension.data(), static_cast<int>(extension.size()), ShortcutExtension.data(),
                                  static_cast<int>(ShortcutExtension.size()), TRUE) == CSTR_EQUAL;
}

bool NameLess(const StartMenuEntry& left, const StartMenuEntry& right)
{
    const int order =
        ::CompareStringEx(LOCALE_NAME_INVARIANT, NORM_IGNORECASE, left.name.c_str(), static_cast<int>(left.name.size()),
                          right.name.c_str(), static_cast<int>(right.name.size()), nullptr, nullptr, 0);
    if (order != CSTR_EQUAL)
        return order == CSTR_LESS_THAN;
    return left.name < right.name;  // names equal but for case: keep a fixed order
}

}  // namespace

std::wstring DriveOf(std::wstring_view path)
{
    if (path.size() >= 2 && path[1] == L':' &&
        ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')))
        return std::wstring(path.substr(0, 2));
    return {};
}

std::wstring StartMenuFolder(std::wstring_view drive)
{
    return std::wstring(drive) + L"\\Windows\\Start Menu\\Programs";
}

std::vector<StartMenuEntry> ListStartMenu(const std::wstring& folder)
{
    std::vector<StartMenuEntry> entries;
    const std::wstring pattern = folder + L"\\*";
    WIN32_FIND_DATAW found{};
    FindHandle search(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0));
    if (!search)
        return entries;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const std::wstring_view fileName = found.cFileName;
        if (!HasShortcutExtension(fileName))
            continue;
        StartMenuEntry entry;
        entry.name = fileName.substr(0, fileName.size() - ShortcutExtension.size());
        entry.shortcutPath = folder + L"\\" + found.cFileName;
        entry.content = ReadShortcutFile(entry.shortcutPath);
        entries.push_back(std::move(entry));
    } while (::FindNextFileW(search.Get(), &found));

    std::sort(entries.begin(), entries.end(), NameLess);
    return entries;
}

}  // namespace vellumate
