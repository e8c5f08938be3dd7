// File-type associations in the handset's registry, under the classes root:
// the extension's key (".txt") names its class in the value "Default", and
// the class's keys hold the icon and the command that opens such files. No
// window code.
#pragma once

#include "framework/String.h"

#include <windows.h>

// The icon of Tarnwell's own archives: its executable's icon resource 30022.
inline constexpr int ZipIconIndex = -30022;

// A name's extension: the text from its last "." on (".txt"), or empty when
// it has no dot.
String ExtensionOfName(const wchar_t* name);

// Whether the extension (with its dot) has a key whose "Default" value names
// a class whose key exists.
bool IsAssociated(const wchar_t* extension, HKEY classesRoot = HKEY_CLASSES_ROOT);

// Makes files of `extension` open with `programPath` (a handset path): a new
// extension key gets "Content Type" and its class ("abc" + "file" for
// ".abc"); the class's icon is the program's with `iconIndex`, its open
// command the quoted program followed by " %1". An existing extension keeps
// its class; one that names none gets the new one's. True when the command
// was written.
bool WriteAssociation(const wchar_t* extension, const wchar_t* programPath, int iconIndex,
                      HKEY classesRoot = HKEY_CLASSES_ROOT);

// Makes ".zip" files open with this program, its own icon beside them.
bool ClaimZipFiles();
