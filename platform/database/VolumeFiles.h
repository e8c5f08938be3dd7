// What a database volume needs of the file system: one journal file it reads
// anywhere and appends to, a side file that can take its place at once, and a
// lock shared by every process that mounts the volume. Win32 provides them on
// the handset (Win32VolumeFiles.h); the native tests provide their own, so
// that a writer can be killed thousands of times in seconds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace vellumate::database {

enum class DbStatus {
    Ok,
    NotFound,  // no such volume file, database or record
    Exists,    // the volume file or a database of that name exists already
    InvalidParameter,
    NoMoreItems,  // past the last record or database
    DiskFull,
    AccessDenied,
    BadFormat,  // the file is no volume
    Corrupt,    // damage before the journal's end: the file is left alone
    Unsupported,
    Io,  // any other failure of the file system
};

class JournalFile {
public:
    virtual ~JournalFile() = default;
    virtual DbStatus Size(std::uint64_t& size) = 0;
    // Reads exactly `count` bytes at `offset`.
    virtual DbStatus Read(std::uint64_t offset, std::uint8_t* data, std::size_t count) = 0;
    // Writes at `offset`, the file's end; a failure may leave part of the bytes.
    virtual DbStatus Write(std::uint64_t offset, const std::uint8_t* data, std::size_t count) = 0;
    virtual DbStatus Sync() = 0;
    virtual DbStatus Truncate(std::uint64_t size) = 0;
};

// The files of one volume.
class VolumeFiles {
public:
    virtual ~VolumeFiles() = default;
    // The journal; NotFound when it is missing and `create` is false.
    virtual DbStatus Open(bool create, std::unique_ptr<JournalFile>& file) = 0;
    // A new, empty side file (an old one is overwritten).
    virtual DbStatus CreateReplacement(std::unique_ptr<JournalFile>& file) = 0;
    // The closed side file takes the journal's name in one step.
    virtual DbStatus CommitReplacement() = 0;
    virtual void DiscardReplacement() noexcept = 0;
    // Held around every change, by every process that mounts the volume.
    virtual void Lock() noexcept = 0;
    virtual void Unlock() noexcept = 0;
};

}  // namespace vellumate::database
