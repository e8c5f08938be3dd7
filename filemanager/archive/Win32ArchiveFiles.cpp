#include "filemanager/archive/Win32ArchiveFiles.h"

#include "filemanager/DeviceFiles.h"
#include "framework/DateTime.h"
#include "framework/Paths.h"

#include <atomic>

namespace {

bool PathExists(const std::wstring& fileSystemPath)
{
    return ::GetFileAttributesW(fileSystemPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// One output being written under its temporary name.
class Win32OutputFile final : public OutputFile {
public:
    Win32OutputFile(vellumate::FileHandle file, std::wstring temporary, std::wstring target)
        : m_file(std::move(file)), m_temporary(std::move(temporary)), m_target(std::move(target))
    {
    }
    ~Win32OutputFile() override
    {
        if (m_file) {
            m_file.Reset();
            ::DeleteFileW(m_temporary.c_str());
        }
    }
    Win32OutputFile(const Win32OutputFile&) = delete;
    Win32OutputFile& operator=(const Win32OutputFile&) = delete;

    bool Write(const std::uint8_t* data, std::size_t count) override
    {
        while (count > 0) {
            const DWORD piece = count > (1u << 30) ? (1u << 30) : static_cast<DWORD>(count);
            DWORD written = 0;
            if (!::WriteFile(m_file.Get(), data, piece, &written, nullptr) || written == 0)
                return false;
            data += written;
            count -= written;
        }
        return true;
    }

    bool StillExists() override { return PathExists(m_temporary); }

    bool Commit() override
    {
        m_file.Reset();
        // The output is hidden while it is partial; complete, it is a plain file.
        ::SetFileAttributesW(m_temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (::MoveFileExW(m_temporary.c_str(), m_target.c_str(), MOVEFILE_REPLACE_EXISTING))
            return true;
        ::DeleteFileW(m_temporary.c_str());
        return false;
    }

private:
    vellumate::FileHandle m_file;
    std::wstring m_temporary;
    std::wstring m_target;
};

}  // namespace

std::unique_ptr<FileByteSource> FileByteSource::Open(const std::wstring& handsetPath)
{
    std::wstring path(ToLongFileSystemPath(handsetPath.c_str()).Chars());
    vellumate::FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return nullptr;
    return std::unique_ptr<FileByteSource>(new FileByteSource(std::move(file), std::move(path)));
}

bool FileByteSource::Size(std::uint64_t& size)
{
    LARGE_INTEGER value{};
    if (!::GetFileSizeEx(m_file.Get(), &value))
        return false;
    size = static_cast<std::uint64_t>(value.QuadPart);
    return true;
}

std::size_t FileByteSource::ReadAt(std::uint64_t offset, std::uint8_t* data, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset + done);
        at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
        const std::size_t left = count - done;
        const DWORD piece = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!::ReadFile(m_file.Get(), data + done, piece, &got, &at) || got == 0)
            break;
        done += got;
    }
    return done;
}

bool FileByteSource::StillExists()
{
    return PathExists(m_path);
}

bool Win32NameConverter::Convert(unsigned codePage, std::string_view bytes, std::wstring& text)
{
    text.clear();
    if (bytes.empty())
        return true;
    // Only the code page of the names refuses invalid sequences; the ANSI
    // fallback takes whatever it is given.
    const UINT page = codePage == Ansi ? CP_ACP : codePage;
    const DWORD flags = codePage == Ansi ? 0 : MB_ERR_INVALID_CHARS;
    const int count = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(page, flags, bytes.data(), count, nullptr, 0);
    if (length <= 0)
        return false;
    text.resize(static_cast<std::size_t>(length));
    return ::MultiByteToWideChar(page, flags, bytes.data(), count, text.data(), length) == length;
}

bool Win32OutputSink::MakeFolders(const std::wstring& path)
{
    return CreateFolderPath(ToFileSystemPath(path.c_str()));
}

bool Win32OutputSink::Exists(const std::wstring& path)
{
    return EntryExists(path.c_str());
}

std::unique_ptr<OutputFile> Win32OutputSink::Create(const std::wstring& path)
{
    // A short name of our own beside the target: it cannot clash with the
    // member's (the archive's names are not ours to trust) and stays within
    // the name length the target itself needs.
    static std::atomic<unsigned> counter{0};
    const std::wstring target(ToLongFileSystemPath(path.c_str()).Chars());
    const std::wstring folder = target.substr(0, target.rfind(L'\\') + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t name[40];
        _snwprintf(name, 40, L"~zip%lx-%x.tmp", ::GetCurrentProcessId(), counter.fetch_add(1));
        name[39] = 0;
        std::wstring temporary = folder + name;
        vellumate::FileHandle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                                 FILE_ATTRIBUTE_HIDDEN, nullptr));
        if (file)
            return std::make_unique<Win32OutputFile>(std::move(file), std::move(temporary), target);
        if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return nullptr;
    }
    return nullptr;
}

bool OpenArchiveFile(Archive& archive, const std::wstring& handsetPath)
{
    archive.path = handsetPath;
    Win32NameConverter names;
    return OpenArchive(archive, FileByteSource::Open(handsetPath), names);
}

FILETIME MemberFileTime(const ArchiveMember& member)
{
    const std::uint64_t units = MemberFileTime(member, MakeTime);
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(units);
    time.dwHighDateTime = static_cast<DWORD>(units >> 32);
    return time;
}
