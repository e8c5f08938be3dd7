// Files for the device tools that run on the host (not under Wine): a small
// file the tool reads whole, and a file it replaces in one step.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

namespace vellumate::host {

// A file descriptor closed on every path.
class Descriptor {
public:
    explicit Descriptor(int fd) noexcept : m_fd(fd) {}
    ~Descriptor();
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const noexcept { return m_fd; }
    int Release() noexcept { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

struct FileRead {
    bool missing = false;              // there is no such file
    std::optional<std::string> bytes;  // empty when it cannot be read (`error` says why)
    std::string error;
};

// The file's bytes, at most `limit` + 1 of them, so that a caller can tell a
// file too large for it from one that fits.
FileRead ReadSmallFile(const std::string& path, std::size_t limit);

// Writes `bytes` to a new file beside `path`, on the disk before it is
// renamed over the old one, which keeps its permissions: a reader sees the
// old file or the new one, never half of one. False with `error` said.
bool ReplaceFile(const std::string& path, const std::string& bytes, std::string& error);

// Writes `text` as it is (UTF-8) to `stream`.
void Print(FILE* stream, const std::string& text);

}  // namespace vellumate::host
