#include "platform/contacts/ContactsStore.h"

#include "platform/DeviceFiles.h"
#include "platform/Handles.h"
#include "platform/ProfileSource.h"

#include <algorithm>

namespace vellumate::contacts {
namespace {

// Long enough for any honest writer; a process that hangs while holding the
// mutex makes saves fail instead of hanging the caller.
constexpr DWORD MutexWaitMs = 10000;

BookSnapshot Failed(BookSnapshot::State state, std::wstring problem = {})
{
    BookSnapshot snapshot;
    snapshot.state = state;
    snapshot.problem = std::move(problem);
    return snapshot;
}

class ContactsMutexLock {
public:
    ContactsMutexLock() : m_mutex(::CreateMutexW(nullptr, FALSE, ContactsMutexName))
    {
        if (!m_mutex)
            return;
        const DWORD waited = ::WaitForSingleObject(m_mutex.Get(), MutexWaitMs);
        // An abandoned mutex is ours: its holder died, and the file it may
        // have been replacing is whole either way (the rename is one step).
        m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    ~ContactsMutexLock()
    {
        if (m_held)
            ::ReleaseMutex(m_mutex.Get());
    }
    ContactsMutexLock(const ContactsMutexLock&) = delete;
    ContactsMutexLock& operator=(const ContactsMutexLock&) = delete;

    bool Held() const noexcept { return m_held; }

private:
    KernelHandle m_mutex;
    bool m_held = false;
};

}  // namespace

std::wstring ContactsPath()
{
    std::wstring path = EnvironmentText(ContactsVariable);
    return path.empty() ? DeviceFilePath(ContactsFileName) : path;
}

BookSnapshot ReadContactsFile(const std::wstring& path) noexcept
{
    try {
        if (path.empty())
            return Failed(BookSnapshot::State::NoDevice);
        FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            const DWORD error = ::GetLastError();
            if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
                return Failed(BookSnapshot::State::Unreadable);
            BookSnapshot empty;
            empty.state = BookSnapshot::State::Readable;
            empty.book = std::make_shared<const ContactBook>();
            return empty;
        }
        DWORD error = 0;
        const std::optional<std::string> bytes = ReadFileBytes(file.Get(), MaxContactsFileBytes, error);
        if (!bytes)
            return Failed(BookSnapshot::State::Unreadable);
        ContactsReading reading = ParseContactBook(*bytes);
        if (!reading.book)
            return Failed(BookSnapshot::State::Damaged, reading.problem);
        BookSnapshot snapshot;
        snapshot.state = BookSnapshot::State::Readable;
        snapshot.book = std::make_shared<const ContactBook>(std::move(*reading.book));
        return snapshot;
    } catch (...) {
        return Failed(BookSnapshot::State::Unreadable);
    }
}

HRESULT ChangeContactsFile(const std::wstring& path, const BookEdit& edit) noexcept
{
    try {
        if (path.empty())
            return E_FAIL;
        ContactsMutexLock lock;
        if (!lock.Held())
            return HRESULT_FROM_WIN32(ERROR_TIMEOUT);
        const BookSnapshot snapshot = ReadContactsFile(path);
        if (snapshot.state != BookSnapshot::State::Readable)
            return E_FAIL;
        ContactBook book = *snapshot.book;
        const HRESULT result = edit(book);
        if (result != S_OK)
            return result == S_FALSE ? S_OK : result;
        return ReplaceFileDurably(path, FormatContactBook(book)) ? S_OK : HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace vellumate::contacts
