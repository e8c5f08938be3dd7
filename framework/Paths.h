// Path texts and small file-system operations.
//
// Paths are the handset's: absolute, rooted at "\", components separated by
// "\", no drive letters; storage cards are folders of the root. The path text
// operations also take "/" and ":" as separators. None of these operations
// shows anything; failures are return values.
#pragma once

#include "framework/Errors.h"
#include "framework/String.h"
#include "framework/StringArray.h"

#include <windows.h>

// The longest file name or path a new name may make.
inline constexpr int MaxPathLength = 260;

// Messages of ValidateFileName.
inline constexpr UINT IDS_NAME_BAD_CHARACTER = 46030;
inline constexpr UINT IDS_NAME_TOO_LONG = 46031;
inline constexpr UINT IDS_NAME_EMPTY = 46032;

// The path with "\" appended, unless it is empty, one character long or
// already ends in "\".
String AddTrailingSeparator(const wchar_t* path);
// The path without its final "\", unless it is one character long or the
// bare network prefix "\\".
String RemoveTrailingSeparator(const wchar_t* path);
// The text after the last separator; the whole text when there is none.
String GetFileName(const wchar_t* path);
// The file name cut at its last ".", when there is a dot in the file name.
String GetFileTitle(const wchar_t* path);
// The text before the last separator, with or without that separator; empty
// when there is no separator.
String GetDirectory(const wchar_t* path, bool withSeparator);
// The text after the last "." anywhere in the path (a dot in a folder name
// counts); the whole text when there is no dot.
String GetExtension(const wchar_t* path);

// Whether a file or folder exists; `findData`, when given, receives its find
// record. The root "\" exists by definition (a folder with zero times and
// sizes). A path with wildcards names no single file and does not exist.
bool FileExists(const wchar_t* path, WIN32_FIND_DATAW* findData = nullptr);

// Counts the subfolders of `folder` ("." and ".." are not subfolders).
// Without `collect` it stops at the first one and returns 1 (0 when there is
// none); with `collect` it counts all and appends "<name>|" for each to
// `names` when given. -1 when the folder cannot be searched.
int ListSubfolders(const wchar_t* folder, String* names, bool collect);

// Creates the folder and any missing parents. True for an empty path, the
// root and a folder that already exists; false when the path (or a parent)
// is taken by a file or cannot be created.
bool CreateFolderPath(const wchar_t* path);

// Whether `name` may name a new file in `folder` (null or empty: any folder).
// Forbidden are \ / : * ? " < > | and the characters of `extraForbidden`.
// Rejected: an empty name or one starting with "." after leading whitespace
// (46032), a name longer than 260 characters or a folder path that would grow
// beyond 260 (46031), a forbidden character (46030). On rejection `error`,
// when given, becomes that message with codes 100, 2100, 10, 0, its text not
// yet composed.
bool ValidateFileName(const wchar_t* name, const wchar_t* folder, const wchar_t* extraForbidden, ErrorInfo* error);

// At most this many storage cards are listed.
inline constexpr int MaxStorageCards = 16;

// Replaces `cards` by the folder names of the mounted storage cards, in the
// order the platform enumerates them, at most MaxStorageCards.
void ListStorageCards(StringArray& cards);

// The handset path of the user's personal folder ("\My Documents"), or empty
// when the handset has none.
String PersonalFolderPath();
