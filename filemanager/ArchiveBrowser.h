// Browsing a zip archive: its members shown like folders in a browser of
// their own, opened, extracted and tested there.
#pragma once

#include "framework/String.h"

#include <windows.h>

enum class BrowseResult { CannotOpen, Closed, Extracted };

// Opens the archive in the archive browser until the user closes it.
// CannotOpen when it is no archive (the caller says so); Extracted when
// members were extracted into the device's folders, so that the main list is
// read again.
BrowseResult BrowseArchive(HWND owner, const String& archivePath);
