// The rules for a name the user types: a new name for an item (rename) or
// for a new folder. Which names are taken, what the dialogs propose, what
// the edit field shows when extensions are hidden, and what becomes of a
// typed name. No window code.
#pragma once

#include "framework/String.h"

#include <windows.h>

#include <functional>
#include <vector>

class FolderList;

// The longest name rename and new folder accept.
inline constexpr int MaxNewNameLength = 252;

// The names of a folder list's items, ".." left out: what a new name must
// not be.
std::vector<String> ListedNames(const FolderList& list);
// Whether `folder` (a handset path) holds a file or folder of that name.
bool FolderHasEntry(const wchar_t* folder, const wchar_t* name);
// Whether a name is taken in `folder`: by one of the `listed` names (without
// regard to case) and, since a list does not show everything (hidden files,
// folders when they are not listed), by anything else of that name there.
bool NameTaken(const std::vector<String>& listed, const wchar_t* folder, const wchar_t* name);

// Whether a typed name passes the name check and is at most MaxNewNameLength
// characters long.
bool IsAcceptableNewName(const wchar_t* name);

// The name a new folder is offered: `base`, or when that is taken `base`
// followed by 2, 3, ... for the first number that is free.
String ProposeFolderName(const String& base, const std::function<bool(const String&)>& isTaken);

// A name as the rename field shows it. With extensions hidden a file shows
// without the text from its last "." on, which is put back on OK; folders
// and names whose only dot starts them show whole.
struct EditableName {
    String shown;
    String hiddenExtension;  // ".txt", or empty
};
EditableName MakeEditableName(const String& name, bool isFolder, DWORD preferences);

// What a rename's OK finds, in the order it checks.
enum class RenameVerdict {
    BadName,    // fails the name check or is too long: the dialog stays
    Unchanged,  // exactly the old name: nothing to do
    Taken,      // another item has that name: the dialog stays
    Move,       // go ahead (also for a change of letter case alone)
};
// `typedName` as the field holds it; the full new name is typed name plus
// the hidden extension. `isTaken` is asked only for a name that differs from
// the old one other than in letter case.
RenameVerdict JudgeRename(const String& oldName, const String& newName,
                          const std::function<bool(const String&)>& isTaken);

// Gives the item `oldName` of `folder` (a handset path) the name `newName`
// in the same folder. A change of letter case alone goes through a
// temporary name, which file systems that ignore case need. False (with the
// platform's error in `error`) when the move failed; the item keeps its name.
bool MoveToNewName(const wchar_t* folder, const String& oldName, const String& newName, DWORD* error = nullptr);
