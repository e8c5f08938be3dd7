#include "platform/hosttools/HostFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vellumate::host {

Descriptor::~Descriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

FileRead ReadSmallFile(const std::string& path, std::size_t limit)
{
    FileRead read;
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        read.missing = errno == ENOENT;
        read.error = std::strerror(errno);
        return read;
    }
    std::string bytes(limit + 1, '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(file.Get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            read.error = std::strerror(errno);
            return read;
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    read.bytes = std::move(bytes);
    return read;
}

bool ReplaceFile(const std::string& path, const std::string& bytes, std::string& error)
{
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    std::string temporary = path + ".XXXXXX";
    Descriptor file(::mkstemp(temporary.data()));
    if (file.Get() < 0) {
        error = std::strerror(errno);
        return false;
    }
    bool written = ::fchmod(file.Get(), mode) == 0;
    for (std::size_t done = 0; written && done < bytes.size();) {
        const ssize_t put = ::write(file.Get(), bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        written = put > 0;
        done += written ? static_cast<std::size_t>(put) : 0;
    }
    written = written && ::fsync(file.Get()) == 0 && ::close(file.Release()) == 0 &&
              ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!written) {
        error = std::strerror(errno);
        ::unlink(temporary.c_str());
    }
    return written;
}

void Print(FILE* stream, const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace vellumate::host
