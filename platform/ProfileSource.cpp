#include "platform/ProfileSource.h"

#include "platform/DeviceFiles.h"

#include "platform/Handles.h"
#include "platform/SystemMessage.h"

#include <mutex>
#include <optional>
#include <string>

namespace vellumate {
namespace {

const DeviceProfile DefaultProfile;

// The defaults, without allocating: an empty owner aliasing a static object.
std::shared_ptr<const DeviceProfile> Defaults() noexcept
{
    return std::shared_ptr<const DeviceProfile>(std::shared_ptr<const void>(), &DefaultProfile);
}

// The file's bytes, up to one byte more than a profile may have (so that a
// larger file is recognised as such). Empty optional with `error` on failure.
std::optional<std::string> ReadProfileBytes(const std::wstring& path, DWORD& error)
{
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = ::GetLastError();
        return std::nullopt;
    }
    return ReadFileBytes(file.Get(), MaxProfileBytes, error);
}

struct FileStamp {
    std::wstring path;
    FILETIME lastWrite{};
    ULARGE_INTEGER size{};

    bool operator==(const FileStamp& other) const noexcept
    {
        return path == other.path && ::CompareFileTime(&lastWrite, &other.lastWrite) == 0 &&
               size.QuadPart == other.size.QuadPart;
    }
};

std::optional<FileStamp> StampOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    FileStamp stamp{path, data.ftLastWriteTime, {}};
    stamp.size.LowPart = data.nFileSizeLow;
    stamp.size.HighPart = data.nFileSizeHigh;
    return stamp;
}

}  // namespace

std::wstring EnvironmentText(const wchar_t* name)
{
    std::wstring value(64, L'\0');
    for (;;) {
        const DWORD length = ::GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
        if (length == 0)
            return {};
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        value.resize(length);  // too small: length is the size needed, with the terminator
    }
}

ProfileReading ReadDeviceProfileFile(const std::wstring& path)
{
    DWORD error = 0;
    const std::optional<std::string> bytes = ReadProfileBytes(path, error);
    if (!bytes) {
        ProfileReading reading;
        reading.problems.push_back({0, L"cannot read " + path + L": " + SystemMessage(error)});
        return reading;
    }
    return ParseDeviceProfile(*bytes);
}

std::shared_ptr<const DeviceProfile> CurrentDeviceProfile() noexcept
{
    static std::mutex lock;
    static std::optional<FileStamp> cachedStamp;
    static std::shared_ptr<const DeviceProfile> cached;

    try {
        const std::wstring path = EnvironmentText(ProfileVariable);
        if (path.empty())
            return Defaults();
        const std::optional<FileStamp> stamp = StampOf(path);
        if (!stamp)
            return Defaults();

        std::lock_guard guard(lock);
        if (cached && cachedStamp == stamp)
            return cached;
        // The stamp was taken before reading: a change made meanwhile gives a
        // newer stamp, so the next query reads again.
        cached = std::make_shared<const DeviceProfile>(ReadDeviceProfileFile(path).profile);
        cachedStamp = stamp;
        return cached;
    } catch (...) {
        return Defaults();
    }
}

}  // namespace vellumate
