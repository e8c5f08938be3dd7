// The stores' files below a device root on the host's file system: e-mail
// bodies and attachments under "\MAPI", voice notes in "\My Documents\Notes".
// The generator writes them, the scan measures them the way the cleaner does.
//
// Portable C++ (std::filesystem), so that the host's tool and the handset's
// tests share it.
#pragma once

#include "platform/stores/StorePlan.h"
#include "platform/stores/StoreReport.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vellumate::stores {

// A handset path ("\MAPI\x.mpb") below `root`.
std::filesystem::path HostPath(const std::filesystem::path& root, std::wstring_view handsetPath);

// The low 32 bits of a regular file's size, as the cleaner's directory search
// reports it; nothing when there is no such file.
std::optional<std::uint32_t> FileSize32(const std::filesystem::path& file);

// `bytes` as the whole of `file` (its folder made when missing); false with
// the reason in `error` when it cannot be written.
bool WriteWholeFile(const std::filesystem::path& file, std::string_view bytes, std::string& error);

// Whether a file name matches "*.wav" (without regard to case).
bool IsVoiceNoteName(std::wstring_view name) noexcept;

// The voice notes as the cleaner counts them.
NotesReport ScanNotes(const std::filesystem::path& root);
// Deletes every voice note; false with the reason when one stays.
bool ClearNotes(const std::filesystem::path& root, std::uint32_t& deleted, std::string& error);
// Writes the plan's voice notes (after ClearNotes, the folder holds just those).
bool WriteNotes(const std::filesystem::path& root, const StorePlan& plan, std::string& error);

// Writes the plan's e-mail body and attachment files.
bool WriteMailFiles(const std::filesystem::path& root, const StorePlan& plan, std::string& error);
// Deletes every body and attachment file under "\MAPI" (the ".mpb" and
// ".att" files the store names; other files stay).
bool ClearMailFiles(const std::filesystem::path& root, std::string& error);

}  // namespace vellumate::stores
