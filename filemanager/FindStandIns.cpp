#include "filemanager/FindStandIns.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/FindResources.h"
#include "filemanager/FolderFilter.h"
#include "filemanager/WaitCursor.h"
#include "framework/Messages.h"

#include "platform/Handles.h"

#include <vector>

namespace {

bool DeleteFileEntry(const String& path, const String& fileSystemPath, HWND owner)
{
    if (DeleteFileW(fileSystemPath))
        return true;
    const DWORD attributes = GetFileAttributesW(fileSystemPath);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        SetFileAttributesW(fileSystemPath, attributes & ~FILE_ATTRIBUTE_READONLY)) {
        if (DeleteFileW(fileSystemPath))
            return true;
        SetFileAttributesW(fileSystemPath, attributes);
    }
    if (owner)
        ShowMessage(owner, IDS_NOT_DELETED, 0, MB_OK | MB_ICONERROR, 0, 0, 0, nullptr, path);
    return false;
}

bool DeleteTree(const String& path, HWND owner)
{
    const String fileSystemPath = LongPathForm(ToFileSystemPath(path));
    const DWORD attributes = GetFileAttributesW(fileSystemPath);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return DeleteFileEntry(path, fileSystemPath, owner);

    std::vector<String> names;
    WIN32_FIND_DATAW entry;
    vellumate::FindHandle find(FindFirstFileW(FindPatternOf(path), &entry));
    for (bool more = static_cast<bool>(find); more; more = FindNextFileW(find.Get(), &entry)) {
        if (!IsDotEntry(entry.cFileName))
            names.emplace_back(entry.cFileName);
    }
    find.Reset();
    for (const String& name : names) {
        if (!DeleteTree(JoinPath(path, name), owner))
            return false;
    }
    if (RemoveDirectoryW(fileSystemPath))
        return true;
    if (owner)
        ShowMessage(owner, IDS_FOLDER_NOT_REMOVED, 0, MB_OK | MB_ICONERROR, 0, 0, 0, nullptr, path);
    return false;
}

}  // namespace

std::optional<String> ChooseFolder(HWND, ChooserMode, const String&)
{
    return std::nullopt;
}

bool DeletePath(const String& path, HWND owner)
{
    WaitCursor wait;
    return DeleteTree(path, owner);
}
