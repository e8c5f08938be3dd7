// Deleting a file, or a folder with everything in it, by handset path. No
// window code: the caller tells the user what failed.
#pragma once

#include "framework/String.h"

#include <optional>

struct DeleteFailure {
    String path;  // the handset path that could not be deleted
    bool isFolder = false;
};

// A file is deleted; when that fails its read-only attribute is cleared and
// the delete tried once more (the attribute comes back when that fails too).
// A folder's entries go first (sub-folders recursively), then the folder;
// the first failure ends the whole deletion. Nothing when all went.
std::optional<DeleteFailure> DeleteEntry(const String& handsetPath);
