// Copying one file so that the destination's name never holds half a file:
// the bytes go to a temporary file in the destination's folder, which then
// takes the destination's place in one rename. A cancel stops the copy
// between two blocks and leaves the destination as it was.
//
// Paths are file-system paths (ToLongFileSystemPath of a handset path), so
// paths deeper than MAX_PATH work.
#pragma once

#include "framework/String.h"

#include <windows.h>

#include <atomic>

enum class CopyOutcome { Done, Cancelled, Failed };

struct SafeCopyResult {
    CopyOutcome outcome = CopyOutcome::Failed;
    DWORD error = 0;  // the platform's error code when it failed
};

// Copies `source` over `destination` (replacing a file that is there; a
// read-only destination must have been made writable). The new file gets
// `attributes` (the read-only bit is left for the caller, which sets it after
// the file is in place) and the source's last-write time. On failure and on
// cancel the temporary file is removed again.
SafeCopyResult CopyFileSafely(const String& source, const String& destination, DWORD attributes,
                              const std::atomic<bool>& cancel);

// Whether the platform's CopyFileExW calls its progress routine while it
// copies (then a cancel can stop it); probed once per process. Where it does
// not, the copy runs block by block itself.
bool PlatformCopyReportsProgress();

// The name of the temporary file a copy into `folder` writes first: hidden
// from the user's listing by its leading "~" and ".tmp" ending.
String TemporaryCopyName(const String& folder);
