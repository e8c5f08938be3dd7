#include "simmanager/BackupFolders.h"

#include "simmanager/BackupFile.h"
#include "simmanager/BackupResources.h"

#include "framework/Paths.h"
#include "framework/String.h"
#include "framework/StringArray.h"

#include "platform/DevicePaths.h"
#include "platform/Handles.h"

std::vector<std::wstring> ListBackupFolders()
{
    StringArray cards;
    ListStorageCards(cards);
    std::vector<std::wstring> folders;
    for (int index = 0; index < cards.GetSize(); ++index)
        folders.emplace_back(cards[index].Chars());
    return folders;
}

bool IsMakersStorage(const std::wstring& folder)
{
    return folder.find(L"RIZE") != std::wstring::npos;
}

std::wstring BackupFolderLabel(const std::wstring& folder)
{
    if (!IsMakersStorage(folder))
        return folder;
    String suffix;
    suffix.LoadResourceText(IDS_BUILT_IN_STORAGE);
    String text;
    text.FormatText(L"%s (%s)", folder.c_str(), suffix.Chars());
    return text.Chars();
}

std::vector<BackupListEntry> FindBackups(const std::vector<std::wstring>& folders)
{
    std::vector<BackupListEntry> found;
    for (std::size_t folder = 0; folder < folders.size(); ++folder) {
        const std::wstring pattern = BackupPath(folders[folder].c_str(), L"*") + BackupExtension;
        WIN32_FIND_DATAW data;
        vellumate::FindHandle search(FindFirstFileW(vellumate::ToDevicePath(pattern).c_str(), &data));
        if (!search)
            continue;
        do {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            found.push_back({data.cFileName, static_cast<int>(folder), data.ftLastWriteTime});
        } while (FindNextFileW(search.Get(), &data));
    }
    return found;
}

std::wstring BackupDisplayName(const std::wstring& fileName)
{
    std::size_t end = fileName.find(BackupExtension);
    if (end == std::wstring::npos)
        end = fileName.find(L".ZTC");
    return end == std::wstring::npos ? fileName : fileName.substr(0, end);
}

std::wstring BackupTimeText(const FILETIME& lastWrite)
{
    FILETIME local{};
    SYSTEMTIME time{};
    if (!FileTimeToLocalFileTime(&lastWrite, &local) || !FileTimeToSystemTime(&local, &time))
        return {};
    const bool afternoon = time.wHour >= 12;
    String text;
    text.FormatText(L"%d/%d/%.2d %.2d:%.2d %s", time.wMonth, time.wDay, time.wYear % 100,
                    afternoon ? time.wHour - 12 : time.wHour, time.wMinute, afternoon ? L"PM" : L"AM");
    return text.Chars();
}
