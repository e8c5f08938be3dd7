#include "filemanager/FolderFilter.h"

#include "filemanager/FolderItem.h"
#include "filemanager/PreferenceBits.h"

bool IsDotEntry(const wchar_t* name) noexcept
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

bool IsListedEntry(const WIN32_FIND_DATAW& entry, DWORD preferences) noexcept
{
    const DWORD attributes = entry.dwFileAttributes;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return (preferences & PreferenceListFolders) != 0;
    if ((attributes & FILE_ATTRIBUTE_HIDDEN) && (preferences & PreferenceHideHidden))
        return false;
    if ((attributes & FILE_ATTRIBUTE_SYSTEM) && (preferences & PreferenceHideSystem))
        return false;
    if ((attributes & FileAttributeInRom) && (preferences & PreferenceHideRom))
        return false;
    return true;
}
