// A zip archive opened for browsing, extracting and testing: its member list
// read from the central directory, and the state one extraction or test job
// shares with the dialog that runs it.
//
// The reader trusts no byte of the file: the end record is searched for
// within the last 65,557 bytes, the central directory must lie inside the
// file and before the end record, a member list stops at the first entry
// that does not fit, and nothing is allocated beyond what the file holds.
#pragma once

#include "filemanager/archive/ArchiveMember.h"
#include "filemanager/archive/ByteSource.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Member names are 8-bit text. The handset converts them with its code pages
// (MultiByteToWideChar, Win32ArchiveFiles.h); native code with a converter of
// its own (NativeNames.h).
class NameConverter {
public:
    static constexpr unsigned Big5 = 950;  // the code page names are recorded in
    static constexpr unsigned Ansi = 0;    // the platform's ANSI code page (CP_ACP)

    virtual ~NameConverter() = default;
    // false when the bytes are not valid text of that code page.
    virtual bool Convert(unsigned codePage, std::string_view bytes, std::wstring& text) = 0;
};

// Error state of a multi-disk archive: its entries are read from the recorded
// central directory offset without adjustment.
constexpr int ArchiveErrorMultiDisk = 2;

struct Archive {
    std::wstring path;                   // the zip file, for the dialogs' titles
    std::unique_ptr<ByteSource> file;    // none when not open
    std::vector<ArchiveMember> members;  // in central-directory order
    // Bytes in front of the zip data (a self-extracting stub): added to every
    // recorded offset.
    std::uint64_t offsetAdjustment = 0;
    int errorState = 0;  // 0, or ArchiveErrorMultiDisk

    // ---- the job's settings, set by the dialog before ExtractMembers ----------
    // The folder of the last ExtractMembers (it records its argument here).
    std::wstring destination;
    // Read by the dialog's replace question; the engine always replaces.
    bool overwriteWithoutAsking = false;
    // Typed by the user; the low byte of each character feeds the keys.
    std::wstring password;
    // The traditional decryption's three keys, set up anew for each member.
    std::uint32_t keys[3] = {0, 0, 0};
    // Set by the progress dialog's Cancel; the engine tests it before every
    // round and ends the member with ExtractResult::Cancelled.
    std::atomic<bool> cancel{false};
    // Called on the engine's thread after every round with the bytes the
    // round produced (the progress dialog posts them to itself); may be empty.
    std::function<void(std::uint32_t bytes)> progress;
};

// Reads the member list of the archive in `source` into `archive` (its old
// members are dropped). true when the end record was found: the archive then
// keeps the source, and its list may still be empty (an empty archive, a
// central directory that lies outside the file). false, with no members and
// no file, when the source cannot tell its size, holds 21 bytes or fewer, or
// has no end record.
bool OpenArchive(Archive& archive, std::unique_ptr<ByteSource> source, NameConverter& names);
