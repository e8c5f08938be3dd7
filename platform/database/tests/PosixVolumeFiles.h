// A volume's files on the host's file system, for the native tests that kill
// a writing process: the journal, its side file "PATH.new", and an exclusive
// flock on "PATH.lock" shared by every process that mounts it.
#pragma once

#include "platform/database/VolumeFiles.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellumate::database::testing {

inline DbStatus FromErrno(int error)
{
    switch (error) {
    case ENOENT:
        return DbStatus::NotFound;
    case ENOSPC:
        return DbStatus::DiskFull;
    case EACCES:
    case EPERM:
        return DbStatus::AccessDenied;
    default:
        return DbStatus::Io;
    }
}

class PosixJournal final : public JournalFile {
public:
    PosixJournal(int fd, bool sync) : m_fd(fd), m_sync(sync) {}
    ~PosixJournal() override { ::close(m_fd); }

    DbStatus Size(std::uint64_t& size) override
    {
        struct stat st {};
        if (::fstat(m_fd, &st) != 0)
            return FromErrno(errno);
        size = static_cast<std::uint64_t>(st.st_size);
        return DbStatus::Ok;
    }
    DbStatus Read(std::uint64_t offset, std::uint8_t* data, std::size_t count) override
    {
        while (count > 0) {
            const ssize_t n = ::pread(m_fd, data, count, static_cast<off_t>(offset));
            if (n <= 0)
                return n == 0 ? DbStatus::Io : FromErrno(errno);
            data += n;
            offset += static_cast<std::uint64_t>(n);
            count -= static_cast<std::size_t>(n);
        }
        return DbStatus::Ok;
    }
    // In pieces when asked, so that a killed writer leaves torn entries.
    DbStatus Write(std::uint64_t offset, const std::uint8_t* data, std::size_t count) override
    {
        while (count > 0) {
            const std::size_t piece = m_piece && m_piece < count ? m_piece : count;
            const ssize_t n = ::pwrite(m_fd, data, piece, static_cast<off_t>(offset));
            if (n < 0)
                return FromErrno(errno);
            data += n;
            offset += static_cast<std::uint64_t>(n);
            count -= static_cast<std::size_t>(n);
        }
        return DbStatus::Ok;
    }
    DbStatus Sync() override { return !m_sync || ::fsync(m_fd) == 0 ? DbStatus::Ok : FromErrno(errno); }
    DbStatus Truncate(std::uint64_t size) override
    {
        return ::ftruncate(m_fd, static_cast<off_t>(size)) == 0 ? DbStatus::Ok : FromErrno(errno);
    }

    std::size_t m_piece = 0;

private:
    int m_fd;
    bool m_sync;
};

class PosixVolumeFiles final : public VolumeFiles {
public:
    explicit PosixVolumeFiles(std::string path, bool sync = false, std::size_t piece = 0)
        : m_path(std::move(path)), m_sync(sync), m_piece(piece)
    {
        m_lock = ::open((m_path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    }
    ~PosixVolumeFiles() override
    {
        if (m_lock >= 0)
            ::close(m_lock);
    }

    DbStatus Open(bool create, std::unique_ptr<JournalFile>& file) override
    {
        return OpenPath(m_path, create ? O_CREAT : 0, file);
    }
    DbStatus CreateReplacement(std::unique_ptr<JournalFile>& file) override
    {
        return OpenPath(m_path + ".new", O_CREAT | O_TRUNC, file);
    }
    DbStatus CommitReplacement() override
    {
        return ::rename((m_path + ".new").c_str(), m_path.c_str()) == 0 ? DbStatus::Ok : FromErrno(errno);
    }
    void DiscardReplacement() noexcept override { ::unlink((m_path + ".new").c_str()); }
    void Lock() noexcept override
    {
        while (m_lock >= 0 && ::flock(m_lock, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    void Unlock() noexcept override
    {
        if (m_lock >= 0)
            ::flock(m_lock, LOCK_UN);
    }

private:
    DbStatus OpenPath(const std::string& path, int flags, std::unique_ptr<JournalFile>& file)
    {
        const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | flags, 0644);
        if (fd < 0)
            return FromErrno(errno);
        auto journal = std::make_unique<PosixJournal>(fd, m_sync);
        journal->m_piece = m_piece;
        file = std::move(journal);
        return DbStatus::Ok;
    }

    std::string m_path;
    bool m_sync;
    std::size_t m_piece;
    int m_lock = -1;
};

}  // namespace vellumate::database::testing
