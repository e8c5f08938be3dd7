// The preference bits that the folder list, the list pane and the tree follow
// (the preference word itself is kept with the settings, Settings.h).
#pragma once

#include <windows.h>

// Subfolders are listed; without it only files are (folders are still counted).
inline constexpr DWORD PreferenceListFolders = 0x001;
// File names are shown without their extension.
inline constexpr DWORD PreferenceHideExtensions = 0x002;
// List and tree use a 14-pixel normal-weight font instead of the system font.
inline constexpr DWORD PreferenceSmallFont = 0x008;
// Hidden files are not listed.
inline constexpr DWORD PreferenceHideHidden = 0x010;
// A copy or move asks before it replaces an item of the same name.
inline constexpr DWORD PreferenceAskBeforeReplacing = 0x020;
// Deleting asks item by item.
inline constexpr DWORD PreferenceAskBeforeDeleting = 0x040;
// The tree moves to a storage card when it is inserted.
inline constexpr DWORD PreferenceFollowCards = 0x080;
// System files are not listed.
inline constexpr DWORD PreferenceHideSystem = 0x100;
// Files stored in ROM are not listed.
inline constexpr DWORD PreferenceHideRom = 0x200;
// Archive members opened from the archive browser are extracted onto the
// storage card instead of into the device's personal folder.
inline constexpr DWORD PreferenceArchiveTemporaryOnCard = 0x400;
