#include "filemanager/QuickFolderList.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/FolderHistory.h"

namespace {

// The device's own folders. (The handset's browser cache is a folder
// without a trailing blank: a name that ends in one would find the folder on
// a file system that trims it, and then no node of the tree.)
constexpr const wchar_t* DeviceFolders[] = {L"\\My Documents", L"\\Windows", L"\\Windows\\Temporary Internet Files"};

constexpr const wchar_t* CardFolders[] = {L"\\Program Files\\Communication\\Mail Attachments",
                                          L"\\MAPI\\ATTACHMENTS",
                                          L"\\Windows\\Temporary Internet Files",
                                          L"\\Application Data\\Home",
                                          L"\\My Documents\\Notes",
                                          L"\\Windows\\AppMgr\\Install",
                                          L"\\My Documents"};

}  // namespace

bool IsExistingFolder(const String& path)
{
    WIN32_FIND_DATAW entry;
    return FindEntry(path, entry) && (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<QuickFolder> CollectQuickFolders(const RecentFolders& recent, const StringArray& cards,
                                             const FolderExists& exists)
{
    std::vector<QuickFolder> folders;
    // A recent folder that is gone takes no number.
    for (int i = 0; i < recent.Count(); ++i)
        if (exists(recent.At(i)))
            folders.push_back({recent.At(i), static_cast<int>(folders.size()) + 1});
    for (const wchar_t* path : DeviceFolders)
        if (exists(path))
            folders.push_back({path, 0});
    for (const String& card : cards) {
        for (const wchar_t* folder : CardFolders) {
            const String path = L"\\" + card + folder;
            if (exists(path))
                folders.push_back({path, 0});
        }
    }
    return folders;
}

String QuickFolderRowText(const QuickFolder& folder)
{
    const String name = folder.path.Mid(folder.path.ReverseFind(L'\\') + 1);
    if (folder.number <= 0)
        return name;
    String text;
    text.FormatText(L"%d. %s", folder.number, name.Chars());
    return text;
}

String QuickFolderParentText(const QuickFolder& folder)
{
    return folder.path.Left(folder.path.ReverseFind(L'\\') + 1);
}
