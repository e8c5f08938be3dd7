#include "filemanager/DeleteTree.h"

#include "filemanager/DeviceFiles.h"

#include "platform/Handles.h"

#include <vector>

namespace {

bool DeleteOneFile(const String& path)
{
    if (DeleteFileW(path))
        return true;
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    SetFileAttributesW(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    if (DeleteFileW(path))
        return true;
    SetFileAttributesW(path, attributes);
    return false;
}

std::optional<DeleteFailure> DeleteFolder(const String& handsetPath)
{
    // The names first: the folder changes while its entries go.
    std::vector<std::pair<String, bool>> entries;
    WIN32_FIND_DATAW found;
    {
        vellumate::FindHandle find(FindFirstFileW(FindPatternOf(handsetPath), &found));
        if (find) {
            do {
                const String name(found.cFileName);
                if (name != L"." && name != L"..")
                    entries.emplace_back(name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
            } while (FindNextFileW(find.Get(), &found));
        }
    }
    for (const auto& [name, isFolder] : entries) {
        const String path = JoinPath(handsetPath, name);
        if (isFolder) {
            if (auto failure = DeleteFolder(path))
                return failure;
        } else if (!DeleteOneFile(ToLongFileSystemPath(path))) {
            return DeleteFailure{path, false};
        }
    }
    if (!RemoveDirectoryW(ToLongFileSystemPath(handsetPath)))
        return DeleteFailure{handsetPath, true};
    return std::nullopt;
}

}  // namespace

std::optional<DeleteFailure> DeleteEntry(const String& handsetPath)
{
    const String path = NormalizeFolderPath(handsetPath);
    // The device root is never deleted.
    if (path.IsEmpty())
        return DeleteFailure{path, true};
    const DWORD attributes = GetFileAttributesW(ToLongFileSystemPath(path));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return DeleteFailure{path, false};
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return DeleteFolder(path);
    if (!DeleteOneFile(ToLongFileSystemPath(path)))
        return DeleteFailure{path, false};
    return std::nullopt;
}
