// The files of the simulated hardware that live beside the device profile
// (the SIM card, the last dialled call), and replacing such a file so that a
// reader sees the old text or the new one, never a part, even after a crash.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vellumate {

// `name` in the folder of the device profile (VELLUMATE_PROFILE), as a
// Windows path; empty when no profile is set.
std::wstring DeviceFilePath(std::wstring_view name);

// Writes `bytes` to a new file beside `path` ("PATH.PID.new", one per
// process), flushes it to the disk and renames it over `path`. A file that
// readers hold open cannot be replaced at once, so the rename is tried again
// for about a second. True only when the rename succeeded; on failure `path`
// is as it was and the new file is gone. Of two processes replacing one file
// at once the later rename wins: writers that change what they read must
// exclude one another themselves.
bool ReplaceFileDurably(const std::wstring& path, std::string_view bytes) noexcept;

// An open file's bytes from where it stands, at most `limit` + 1 of them, so
// that a caller can tell a file too large for it from one that fits. Nothing
// when reading fails (`error` then holds the system's code).
std::optional<std::string> ReadFileBytes(HANDLE file, std::size_t limit, DWORD& error);

}  // namespace vellumate
