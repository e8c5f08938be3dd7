#include "platform/sim/SimCardStore.h"

#include "platform/DeviceFiles.h"
#include "platform/Handles.h"
#include "platform/ProfileSource.h"

#include <algorithm>
#include <mutex>
#include <optional>

namespace vellumate::sim {
namespace {

// Long enough for any honest writer; a process that hangs while holding the
// mutex makes calls fail as busy instead of hanging the caller.
constexpr DWORD MutexWaitMs = 10000;

// The file's identity and version: a rename over it gives another file index.
struct FileStamp {
    std::wstring path;
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
    DWORD sizeHigh = 0;
    DWORD sizeLow = 0;
    FILETIME lastWrite{};

    bool operator==(const FileStamp& other) const noexcept
    {
        return path == other.path && volume == other.volume && indexHigh == other.indexHigh &&
               indexLow == other.indexLow && sizeHigh == other.sizeHigh && sizeLow == other.sizeLow &&
               ::CompareFileTime(&lastWrite, &other.lastWrite) == 0;
    }
};

CardSnapshot Unreadable()
{
    CardSnapshot snapshot;
    snapshot.state = CardSnapshot::State::Unreadable;
    return snapshot;
}

// Reads an open file of `size` bytes whole; nothing when it fails. A file
// larger than a card gives one byte more than a card may have, to be refused
// as too large.
std::optional<std::string> ReadAll(HANDLE file, DWORD size)
{
    DWORD error = 0;
    return ReadFileBytes(file, std::min<std::size_t>(size, MaxCardFileBytes), error);
}

// The last snapshot of each path would be enough; one path is what a process
// uses, so one entry is kept.
std::mutex cacheLock;
std::optional<FileStamp> cachedStamp;
CardSnapshot cachedSnapshot;

CardSnapshot Snapshot(SimCardReading reading)
{
    CardSnapshot snapshot;
    if (reading.card) {
        snapshot.state = CardSnapshot::State::Readable;
        snapshot.card = std::make_shared<const SimCard>(std::move(*reading.card));
    } else {
        snapshot.state = CardSnapshot::State::Damaged;
        snapshot.problem = std::move(reading.problem);
    }
    return snapshot;
}

// A named mutex held for the lifetime of the scope.
class CardMutexLock {
public:
    CardMutexLock() : m_mutex(::CreateMutexW(nullptr, FALSE, SimCardMutexName))
    {
        if (!m_mutex)
            return;
        const DWORD waited = ::WaitForSingleObject(m_mutex.Get(), MutexWaitMs);
        // An abandoned mutex is ours: its holder died, and the file it may
        // have been replacing is whole either way (the rename is one step).
        m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    ~CardMutexLock()
    {
        if (m_held)
            ::ReleaseMutex(m_mutex.Get());
    }
    CardMutexLock(const CardMutexLock&) = delete;
    CardMutexLock& operator=(const CardMutexLock&) = delete;

    bool Held() const noexcept { return m_held; }

private:
    KernelHandle m_mutex;
    bool m_held = false;
};

}  // namespace

std::wstring SimCardPath()
{
    std::wstring path = EnvironmentText(SimVariable);
    return path.empty() ? DeviceFilePath(SimCardFileName) : path;
}

CardSnapshot ReadSimCardFile(const std::wstring& path) noexcept
{
    try {
        if (path.empty())
            return {};
        FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            const DWORD error = ::GetLastError();
            return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? CardSnapshot{} : Unreadable();
        }
        BY_HANDLE_FILE_INFORMATION info;
        if (!::GetFileInformationByHandle(file.Get(), &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return Unreadable();
        const FileStamp stamp{path,           info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow,
                              info.nFileSizeHigh, info.nFileSizeLow,     info.ftLastWriteTime};
        {
            std::lock_guard guard(cacheLock);
            if (cachedStamp == stamp)
                return cachedSnapshot;
        }
        const DWORD size = info.nFileSizeHigh != 0 ? MAXDWORD : info.nFileSizeLow;
        const std::optional<std::string> bytes = ReadAll(file.Get(), size);
        if (!bytes)
            return Unreadable();
        CardSnapshot snapshot = Snapshot(ParseSimCard(*bytes));
        std::lock_guard guard(cacheLock);
        cachedStamp = stamp;
        cachedSnapshot = snapshot;
        return snapshot;
    } catch (...) {
        return Unreadable();
    }
}

HRESULT CardAccess(const CardSnapshot& snapshot) noexcept
{
    switch (snapshot.state) {
    case CardSnapshot::State::NoFile:
        return SIM_E_NOSIM;
    case CardSnapshot::State::Unreadable:
    case CardSnapshot::State::Damaged:
        return SIM_E_SIMFAILURE;
    case CardSnapshot::State::Readable:
        break;
    }
    if (!snapshot.card->present)
        return SIM_E_NOSIM;
    if (!snapshot.card->radioOn)
        return SIM_E_RADIOOFF;
    return S_OK;
}

HRESULT ChangeSimCardFile(const std::wstring& path, const CardEdit& edit) noexcept
{
    try {
        if (path.empty())
            return SIM_E_NOSIM;
        CardMutexLock lock;
        if (!lock.Held())
            return SIM_E_SIMBUSY;
        const CardSnapshot snapshot = ReadSimCardFile(path);
        if (const HRESULT access = CardAccess(snapshot); access != S_OK)
            return access;
        SimCard card = *snapshot.card;
        const HRESULT result = edit(card);
        if (result != S_OK)
            return result == S_FALSE ? S_OK : result;
        if (CheckSimCard(card))
            return SIM_E_INVALIDPARAMETER;  // the edit would make a card that cannot be read back
        return ReplaceFileDurably(path, FormatSimCard(card)) ? S_OK : SIM_E_SIMFAILURE;
    } catch (...) {
        return SIM_E_SIMFAILURE;
    }
}

}  // namespace vellumate::sim
