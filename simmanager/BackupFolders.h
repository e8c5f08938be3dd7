// Where backup files live: the storage cards the platform lists, and the
// backup files found in them, with the texts the dialogs show for both.
// A card's folder name is its folder in every path ("\Storage Card\x.ztc"),
// for saving and restoring alike.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The folder names of the mounted storage cards, in the platform's order.
std::vector<std::wstring> ListBackupFolders();

// A folder of the maker's own storage: its name holds "RIZE".
bool IsMakersStorage(const std::wstring& folder);

// The save dialog's text for a folder: the name, or "NAME (40247)" for the
// maker's own storage.
std::wstring BackupFolderLabel(const std::wstring& folder);

struct BackupListEntry {
    std::wstring fileName;  // with its extension
    int folder = 0;         // index into the folders searched
    FILETIME lastWrite{};
};

// Every "*.ztc" file of every folder, folder by folder in the platform's order.
std::vector<BackupListEntry> FindBackups(const std::vector<std::wstring>& folders);

// The name shown for a file: up to ".ztc", or up to ".ZTC" when the
// lower-case form is absent; the whole name when neither is found.
std::wstring BackupDisplayName(const std::wstring& fileName);

// The last-write time in local time, "M/D/YY hh:mm AM" (hours from 12 on
// count from 0 with "PM").
std::wstring BackupTimeText(const FILETIME& lastWrite);
