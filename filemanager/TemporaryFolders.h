// The folders into which the archive browser extracts the members it opens:
// "~Zantric Zip Temporary Files" on the storage card or in the device's
// personal folder. They exist only while a browser uses them and are deleted
// when it closes, and at program start and end. No window code.
#pragma once

#include "framework/String.h"

#include <windows.h>

inline constexpr wchar_t TemporaryFolderName[] = L"~Zantric Zip Temporary Files";

// The top folder of the personal folder ("My Documents"); empty when the
// handset has none.
String PersonalTopFolder();
// The storage card's folder name: the first card whose name is neither
// "Release" nor the personal folder's top folder (without regard to case);
// empty when there is none.
String FirstStorageCard();

// Both places the temporary folder may be (the card's empty without a card).
struct TemporaryFolderPlaces {
    String card;
    String device;
};
TemporaryFolderPlaces FindTemporaryFolders();

// The folder used with these preferences: the card's when the preference
// asks for it and a card exists, else the device's.
String ChooseTemporaryFolder(const TemporaryFolderPlaces& places, DWORD preferences);

// The preferences the choice follows: the program's, kept current by its
// main window.
void SetTemporaryFolderPreferences(DWORD preferences) noexcept;

// The chosen folder, created with the folders missing along its path; empty
// when it cannot be made.
String MakeTemporaryFolder();

// Deletes both temporary folders with everything in them, silently.
void DeleteTemporaryFolders();
