// The extraction and test engine: one member or all, read through the
// archive's byte source, decrypted, inflated or copied, checked against the
// recorded size and CRC-32, and written through an output sink. It owns no
// window: the progress dialog runs it on a worker thread and learns of it
// through the archive's progress callback and cancel flag.
#pragma once

#include "filemanager/archive/Archive.h"
#include "filemanager/archive/OutputSink.h"

#include <cstddef>
#include <string>

// The engine's results. 12 and 13 are additions of our own: the recorded
// CRC-32 is compared (a damaged archive no longer extracts or tests as good)
// and names that would leave the destination are refused.
enum class ExtractResult : int {
    Success = 0,
    CannotCreate = 2,    // an output file or folder cannot be created
    Vanished = 3,        // the archive is not open, or it or the output went away
    NoSuchMember = 5,    // a member index beyond the list
    PasswordNeeded = 6,  // no password, or one that does not fit the member
    FolderWithData = 7,  // a folder entry that records data (test only)
    SizeMismatch = 8,    // the data does not give the recorded size (test only)
    Cancelled = 9,       // the cancel flag was set; the partial output is gone
    WriteFailed = 10,    // not every byte could be written (a full disk)
    OutOfMemory = 11,    // the buffers or the inflater cannot be had
    // The member's data is damaged: a CRC-32 that does not match, deflate
    // data that does not inflate or ends early, more output than the recorded
    // size (the inflater stops there instead of filling the disk), a size
    // that does not match when extracting, or a local header or data that
    // lies outside the archive. No output file is left under its name.
    CorruptData = 12,
    // The member's name would write outside the destination or is no valid
    // file name (IsSafeMemberName); nothing of it is written.
    UnsafeName = 13,
};

// Every member, in the member-index argument.
constexpr std::size_t AllMembers = static_cast<std::size_t>(-1);

// Extracts `member` (or AllMembers) below `destination` (a handset path; ""
// is the root), creating the destination and each member's folder part when
// missing; an existing file of a member's path is replaced once the member
// has been written and checked. Stops at the first member that fails, whose
// index is then in `failedMember` when given (AllMembers for a job that
// failed before any member).
ExtractResult ExtractMembers(Archive& archive, const std::wstring& destination, std::size_t member, OutputSink& output,
                             std::size_t* failedMember = nullptr);

// The same without writing: every selected member is read, decrypted and
// inflated, and its size and CRC-32 compared with the recorded ones.
ExtractResult TestMembers(Archive& archive, std::size_t member, std::size_t* failedMember = nullptr);

// Whether `password` opens the encrypted member: its 12-byte encryption
// header is read and checked as extraction would, nothing else. true for a
// member that is not encrypted; false when the header cannot be read.
bool PasswordFits(Archive& archive, std::size_t member, const std::wstring& password);

// destination + "\" + name, with a single "\" at the root.
std::wstring MemberPath(const std::wstring& destination, const std::wstring& name);
