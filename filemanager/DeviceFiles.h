// The handset's paths on the file system, and the few file and shell queries
// that the folder list makes.
//
// A folder path is a handset path without a trailing "\": the device root is
// the empty string, every other folder "\" followed by its components
// ("\My Documents\Notes"). On the file system a handset path lies below the
// device root of the platform (platform/DevicePaths.h): the current drive's
// root in a session, or the folder named by VELLUMATE_ROOT (tests point it at
// a temporary folder of their own). Everything here maps paths that way, so
// callers pass handset paths only.
#pragma once

#include "framework/String.h"

#include <windows.h>

// The file-system path of a handset path ("" and "\" are the device root).
String ToFileSystemPath(const wchar_t* handsetPath);
// The same for the file functions: a path that would not fit MAX_PATH gets
// the "\\?\" prefix, which lifts the limit, so a long name deep in the tree
// can still be read and written instead of failing.
String ToLongFileSystemPath(const wchar_t* handsetPath);

// A file-system path as the file functions take it: one that would not fit
// MAX_PATH is made full and gets the "\\?\" prefix, which lifts the limit.
String LongPathForm(const wchar_t* fileSystemPath);

// A folder path as the list keeps it: "\" separators, no trailing "\", the
// root as the empty string ("\" and "\x\" become "" and "\x").
String NormalizeFolderPath(const wchar_t* path);

// folder + "\" + name; at the root "\" + name.
String JoinPath(const wchar_t* folder, const wchar_t* name);

// The name after the last "\" of a path ("" for the root).
String LastComponent(const wchar_t* path);
// The path before its last "\" ("" for a folder of the root and for the root).
String ParentPath(const wchar_t* path);

// The file-system pattern that enumerates a folder: its path + "\*" (the root
// is read with "\*"). A pattern too long for MAX_PATH gets the "\\?\" prefix.
String FindPatternOf(const wchar_t* folder);

// The enumeration record of one file or folder (no wildcards); false when it
// does not exist. The root has no record of its own.
bool FindEntry(const wchar_t* handsetPath, WIN32_FIND_DATAW& entry);
// Whether a file or folder exists; the root always does.
bool EntryExists(const wchar_t* handsetPath);

// The shell's type description of a file or folder (the shell's file
// information query for the type name, with no attribute hint); empty when the
// shell has none.
String ShellTypeName(const wchar_t* handsetPath);
