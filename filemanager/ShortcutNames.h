// Making a shortcut to a file: the shortcut's name, numbered when the plain
// one is taken, and the shortcut made through the shell. No window code.
#pragma once

#include "framework/String.h"

// The name of a shortcut's file: the base name and ".lnk" the first time,
// then the base name, "(n)" and ".lnk" for attempt n = 2, 3, ...
String ShortcutFileName(const String& baseName, int attempt);

// The base name of a shortcut to `fileName`: the name without its extension
// (from its last ".").
String ShortcutBaseName(const String& fileName);

enum class ShortcutOutcome {
    Created,
    NameTooLong,  // every free name would be longer than a name may be
    Failed,       // the shell could not make it (the folder refused it)
};

struct MadeShortcut {
    ShortcutOutcome outcome = ShortcutOutcome::Failed;
    String name;  // the shortcut's file name, when created
};

// Makes a shortcut in `folder` (a handset path) to the file `target` (a
// handset path), named after the file, numbered while the name is taken.
MadeShortcut MakeShortcut(const String& folder, const String& target);
