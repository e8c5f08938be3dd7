#include "filemanager/DeviceFiles.h"

#include "platform/DevicePaths.h"
#include "platform/Handles.h"

#include <shellapi.h>

#include <cwchar>

String ToFileSystemPath(const wchar_t* handsetPath)
{
    String folder = NormalizeFolderPath(handsetPath);
    if (folder.IsEmpty())
        return String(vellumate::DeviceRoot().c_str());
    std::wstring mapped =
        vellumate::ToDevicePath(std::wstring_view(folder.Chars(), static_cast<size_t>(folder.Length())));
    return String(mapped.c_str(), static_cast<int>(mapped.size()));
}

String ToLongFileSystemPath(const wchar_t* handsetPath)
{
    return LongPathForm(ToFileSystemPath(handsetPath));
}

String LongPathForm(const wchar_t* fileSystemPath)
{
    String path(fileSystemPath);
    // A folder's own limit is 12 characters shorter: room for a file name.
    // A network path keeps its own form.
    if (path.Length() < MAX_PATH - 12 || path.Find(L"\\\\") == 0)
        return path;
    DWORD needed = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    String full;
    DWORD length = GetFullPathNameW(path, needed, full.Reserve(static_cast<int>(needed)), nullptr);
    full.Commit(length < needed ? static_cast<int>(length) : 0);
    if (full.IsEmpty() || full.Find(L"\\\\") == 0)
        return path;
    return L"\\\\?\\" + full;
}

String NormalizeFolderPath(const wchar_t* path)
{
    String folder(path ? path : L"");
    folder.TrimRight(L'\\');
    return folder;
}

String JoinPath(const wchar_t* folder, const wchar_t* name)
{
    String path = NormalizeFolderPath(folder);
    path += L'\\';
    path += name ? name : L"";
    return path;
}

String LastComponent(const wchar_t* path)
{
    String folder = NormalizeFolderPath(path);
    return folder.Mid(folder.ReverseFind(L'\\') + 1);
}

String ParentPath(const wchar_t* path)
{
    String folder = NormalizeFolderPath(path);
    int separator = folder.ReverseFind(L'\\');
    return separator > 0 ? folder.Left(separator) : String();
}

bool FindEntry(const wchar_t* handsetPath, WIN32_FIND_DATAW& entry)
{
    String path = NormalizeFolderPath(handsetPath);
    // The root has no record, and a pattern would match some other entry.
    if (path.IsEmpty() || path.FindOneOf(L"*?") >= 0)
        return false;
    vellumate::FindHandle find(FindFirstFileW(ToLongFileSystemPath(path), &entry));
    return static_cast<bool>(find);
}

bool EntryExists(const wchar_t* handsetPath)
{
    WIN32_FIND_DATAW entry;
    return NormalizeFolderPath(handsetPath).IsEmpty() || FindEntry(handsetPath, entry);
}

String ShellTypeName(const wchar_t* handsetPath)
{
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(ToFileSystemPath(handsetPath), 0, &info, sizeof info, SHGFI_TYPENAME))
        return String();
    info.szTypeName[_countof(info.szTypeName) - 1] = L'\0';
    return String(info.szTypeName);
}

String FindPatternOf(const wchar_t* folder)
{
    return ToLongFileSystemPath(JoinPath(folder, L"*"));
}
