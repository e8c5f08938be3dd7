#include "platform/database/Win32VolumeFiles.h"

#include <cwctype>

namespace vellumate::database {

namespace {

// Every handle may be shared by other processes' mounts, and a rewrite may
// rename over the file while they hold it.
constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class Win32Journal final : public JournalFile {
public:
    explicit Win32Journal(FileHandle file) : m_file(std::move(file)) {}

    DbStatus Size(std::uint64_t& size) override
    {
        LARGE_INTEGER value{};
        if (!::GetFileSizeEx(m_file.Get(), &value))
            return StatusFromWin32(::GetLastError());
        size = static_cast<std::uint64_t>(value.QuadPart);
        return DbStatus::Ok;
    }
    DbStatus Read(std::uint64_t offset, std::uint8_t* data, std::size_t count) override
    {
        return Transfer(offset, count, DbStatus::Io, [&](OVERLAPPED& at, DWORD piece, DWORD& done) {
            const BOOL ok = ::ReadFile(m_file.Get(), data, piece, &done, &at);
            data += done;
            return ok;
        });
    }
    DbStatus Write(std::uint64_t offset, const std::uint8_t* data, std::size_t count) override
    {
        return Transfer(offset, count, DbStatus::DiskFull, [&](OVERLAPPED& at, DWORD piece, DWORD& done) {
            const BOOL ok = ::WriteFile(m_file.Get(), data, piece, &done, &at);
            data += done;
            return ok;
        });
    }
    DbStatus Sync() override
    {
        return ::FlushFileBuffers(m_file.Get()) ? DbStatus::Ok : StatusFromWin32(::GetLastError());
    }
    DbStatus Truncate(std::uint64_t size) override
    {
        FILE_END_OF_FILE_INFO end{};
        end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
        return ::SetFileInformationByHandle(m_file.Get(), FileEndOfFileInfo, &end, sizeof end)
                   ? DbStatus::Ok
                   : StatusFromWin32(::GetLastError());
    }

private:
    // Reads or writes `count` bytes from `offset` in pieces a call can take;
    // a piece that moves nothing ends it with `stalled`.
    template <typename Piece>
    DbStatus Transfer(std::uint64_t offset, std::size_t count, DbStatus stalled, Piece piece)
    {
        while (count > 0) {
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(offset);
            at.OffsetHigh = static_cast<DWORD>(offset >> 32);
            const DWORD size = count > (1u << 30) ? (1u << 30) : static_cast<DWORD>(count);
            DWORD done = 0;
            if (!piece(at, size, done))
                return StatusFromWin32(::GetLastError());
            if (done == 0)
                return stalled;
            offset += done;
            count -= done;
        }
        return DbStatus::Ok;
    }

    FileHandle m_file;
};

DbStatus OpenFile(const std::wstring& path, DWORD disposition, std::unique_ptr<JournalFile>& file)
{
    FileHandle handle(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, ShareAll, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) {
        const DWORD error = ::GetLastError();
        // A read-only volume still reads; its writes fail as denied.
        if (error != ERROR_ACCESS_DENIED)
            return StatusFromWin32(error);
        handle.Reset(::CreateFileW(path.c_str(), GENERIC_READ, ShareAll, nullptr,
                                   disposition == CREATE_ALWAYS ? OPEN_EXISTING : disposition, FILE_ATTRIBUTE_NORMAL,
                                   nullptr));
        if (!handle)
            return StatusFromWin32(::GetLastError());
    }
    file = std::make_unique<Win32Journal>(std::move(handle));
    return DbStatus::Ok;
}

}  // namespace

DbStatus StatusFromWin32(DWORD error) noexcept
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return DbStatus::NotFound;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return DbStatus::DiskFull;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return DbStatus::AccessDenied;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return DbStatus::Exists;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
        return DbStatus::InvalidParameter;
    default:
        return DbStatus::Io;
    }
}

std::wstring VolumeKey(const std::wstring& path)
{
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0) {
            full = path;
            break;
        }
        if (n < full.size()) {
            full.resize(n);
            break;
        }
        full.resize(n);
    }
    for (auto& c : full)
        c = static_cast<wchar_t>(std::towupper(c == L'/' ? L'\\' : c));
    return full;
}

Win32VolumeFiles::Win32VolumeFiles(std::wstring path) : m_path(std::move(path))
{
    // A mutex name may not hold backslashes, and has a length limit: the
    // path's FNV-1a hash names it.
    std::uint64_t hash = 14695981039346656037ull;
    for (wchar_t c : VolumeKey(m_path)) {
        hash ^= static_cast<std::uint16_t>(c);
        hash *= 1099511628211ull;
    }
    wchar_t name[64];
    ::_snwprintf(name, 64, L"VellumateDatabaseVolume.%016I64x", hash);
    name[63] = L'\0';
    m_mutex.Reset(::CreateMutexW(nullptr, FALSE, name));
}

DbStatus Win32VolumeFiles::Open(bool create, std::unique_ptr<JournalFile>& file)
{
    return OpenFile(m_path, create ? OPEN_ALWAYS : OPEN_EXISTING, file);
}

DbStatus Win32VolumeFiles::CreateReplacement(std::unique_ptr<JournalFile>& file)
{
    return OpenFile(m_path + L".new", CREATE_ALWAYS, file);
}

DbStatus Win32VolumeFiles::CommitReplacement()
{
    const std::wstring side = m_path + L".new";
    return ::MoveFileExW(side.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? DbStatus::Ok
               : StatusFromWin32(::GetLastError());
}

void Win32VolumeFiles::DiscardReplacement() noexcept
{
    ::DeleteFileW((m_path + L".new").c_str());
}

void Win32VolumeFiles::Lock() noexcept
{
    // An abandoned mutex is ours: its holder died, and what it may have left
    // half-written is a torn tail the journal cuts off.
    if (m_mutex)
        ::WaitForSingleObject(m_mutex.Get(), INFINITE);
}

void Win32VolumeFiles::Unlock() noexcept
{
    if (m_mutex)
        ::ReleaseMutex(m_mutex.Get());
}

}  // namespace vellumate::database
