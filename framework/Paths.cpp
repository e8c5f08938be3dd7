#include "framework/Paths.h"

#include "platform/DevicePaths.h"
#include "platform/FlashCard.h"
#include "platform/Handles.h"
#include "platform/SpecialFolders.h"

#include <cwchar>
#include <string>

namespace {

constexpr const wchar_t* PathSeparators = L"\\/:";
constexpr const wchar_t* ForbiddenNameCharacters = L"\\/:*?\"<>|";

int LastSeparator(const String& path)
{
    int last = -1;
    for (int i = 0; i < path.Length(); ++i) {
        if (std::wcschr(PathSeparators, path[i]))
            last = i;
    }
    return last;
}

bool EndsWithBackslash(const String& path)
{
    return !path.IsEmpty() && path[path.Length() - 1] == L'\\';
}

bool IsDotOrDotDot(const wchar_t* name)
{
    return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
}

bool IsDirectory(const WIN32_FIND_DATAW& data)
{
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void SetNameError(ErrorInfo* error, UINT message)
{
    if (error)
        *error = ErrorInfo(message, 100, 2100, 10, 0);
}

}  // namespace

String AddTrailingSeparator(const wchar_t* path)
{
    String result(path ? path : L"");
    if (result.Length() > 1 && !EndsWithBackslash(result))
        result += L'\\';
    return result;
}

String RemoveTrailingSeparator(const wchar_t* path)
{
    String result(path ? path : L"");
    if (result.Length() > 1 && EndsWithBackslash(result) && result != L"\\\\")
        result.Delete(result.Length() - 1);
    return result;
}

String GetFileName(const wchar_t* path)
{
    String text(path ? path : L"");
    return text.Mid(LastSeparator(text) + 1);
}

String GetFileTitle(const wchar_t* path)
{
    String name = GetFileName(path);
    int dot = name.ReverseFind(L'.');
    return dot >= 0 ? name.Left(dot) : name;
}

String GetDirectory(const wchar_t* path, bool withSeparator)
{
    String text(path ? path : L"");
    int separator = LastSeparator(text);
    if (separator < 0)
        return String();
    return text.Left(withSeparator ? separator + 1 : separator);
}

String GetExtension(const wchar_t* path)
{
    String text(path ? path : L"");
    return text.Mid(text.ReverseFind(L'.') + 1);
}

bool FileExists(const wchar_t* path, WIN32_FIND_DATAW* findData)
{
    if (!path || !*path)
        return false;
    if (std::wcscmp(path, L"\\") == 0) {
        if (findData) {
            *findData = WIN32_FIND_DATAW{};
            findData->dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
            findData->cFileName[0] = L'\\';
        }
        return true;
    }
    // A pattern would make any matching file count as this one.
    if (std::wcspbrk(path, L"*?"))
        return false;
    WIN32_FIND_DATAW data;
    vellumate::FindHandle search(FindFirstFileW(path, &data));
    if (!search)
        return false;
    if (findData)
        *findData = data;
    return true;
}

int ListSubfolders(const wchar_t* folder, String* names, bool collect)
{
    String pattern = AddTrailingSeparator(folder);
    pattern += L"*.*";
    WIN32_FIND_DATAW data;
    vellumate::FindHandle search(FindFirstFileW(pattern, &data));
    if (!search) {
        // The handset reports an empty search with ERROR_NO_MORE_FILES, the
        // desktop (in a drive's root, which has no "." entry) with
        // ERROR_FILE_NOT_FOUND.
        DWORD error = GetLastError();
        return error == ERROR_NO_MORE_FILES || error == ERROR_FILE_NOT_FOUND ? 0 : -1;
    }
    int count = 0;
    do {
        if (!IsDirectory(data) || IsDotOrDotDot(data.cFileName))
            continue;
        ++count;
        if (!collect)
            return 1;
        if (names) {
            *names += data.cFileName;
            *names += L'|';
        }
    } while (FindNextFileW(search.Get(), &data));
    return count;
}

bool CreateFolderPath(const wchar_t* path)
{
    if (!path || !*path || std::wcscmp(path, L"\\") == 0)
        return true;
    String folder = RemoveTrailingSeparator(path);
    // A drive ("C:") cannot be made; without this its letter would be taken
    // for a folder name relative to the current folder.
    if (folder.Length() == 2 && folder[1] == L':')
        return vellumate::IsFolder(std::wstring(folder + L"\\"));
    WIN32_FIND_DATAW data;
    if (FileExists(folder, &data))
        return IsDirectory(data);
    if (!CreateFolderPath(GetDirectory(folder, false)))
        return false;
    // Another program may have made it meanwhile.
    return CreateDirectoryW(folder, nullptr) || vellumate::IsFolder(std::wstring(folder));
}

bool ValidateFileName(const wchar_t* name, const wchar_t* folder, const wchar_t* extraForbidden, ErrorInfo* error)
{
    String original(name ? name : L"");
    String trimmed = original;
    trimmed.TrimLeft();
    if (trimmed.IsEmpty() || trimmed[0] == L'.') {
        SetNameError(error, IDS_NAME_EMPTY);
        return false;
    }
    int folderLength = folder ? static_cast<int>(std::wcslen(folder)) : 0;
    if (original.Length() > MaxPathLength ||
        (folderLength > 0 && folderLength + original.Length() + 1 > MaxPathLength)) {
        SetNameError(error, IDS_NAME_TOO_LONG);
        return false;
    }
    String forbidden(ForbiddenNameCharacters);
    if (extraForbidden)
        forbidden += extraForbidden;
    if (trimmed.FindOneOf(forbidden) >= 0) {
        SetNameError(error, IDS_NAME_BAD_CHARACTER);
        return false;
    }
    return true;
}

void ListStorageCards(StringArray& cards)
{
    cards.RemoveAll();
    WIN32_FIND_DATAW data;
    vellumate::FindHandle search(FindFirstFlashCard(&data));
    if (!search)
        return;
    do {
        cards.Add(String(data.cFileName));
    } while (cards.GetSize() < MaxStorageCards && FindNextFlashCard(search.Get(), &data));
}

String PersonalFolderPath()
{
    wchar_t path[MAX_PATH] = L"";
    if (!handset::SHGetSpecialFolderPath(nullptr, path, CSIDL_PERSONAL, FALSE))
        return String();
    path[MAX_PATH - 1] = L'\0';
    return String(path);
}
