#include "platform/ShellNotify.h"

#include "platform/DevicePaths.h"
#include "platform/ShellNotifyProtocol.h"
#include "platform/WindowBase.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <new>
#include <string>
#include <vector>

namespace vellumate {
namespace {

std::atomic<std::size_t> liveNotifications{0};

// The shell answers registrations at once; a shell that does not answer in
// this time is taken as hung.
constexpr UINT ShellTimeoutMs = 5000;

bool IsOwnWindow(HWND window) noexcept
{
    DWORD process = 0;
    return window && ::IsWindow(window) && ::GetWindowThreadProcessId(window, &process) &&
           process == ::GetCurrentProcessId();
}

// One block: the notification, then the path it points to.
FILECHANGENOTIFY* MakeNotification(LONG eventId, const std::wstring& path)
{
    const std::size_t bytes = sizeof(FILECHANGENOTIFY) + (path.size() + 1) * sizeof(wchar_t);
    void* memory = ::operator new(bytes, std::nothrow);
    if (!memory)
        return nullptr;
    auto* notify = new (memory) FILECHANGENOTIFY{};
    auto* text = reinterpret_cast<wchar_t*>(static_cast<std::byte*>(memory) + sizeof(FILECHANGENOTIFY));
    std::copy(path.begin(), path.end(), text);
    text[path.size()] = L'\0';

    notify->dwRefCount = 1;
    FILECHANGEINFO& info = notify->fci;
    info.cbSize = sizeof(FILECHANGEINFO);
    info.wEventId = eventId;
    info.uFlags = SHCNF_PATH;
    info.dwItem1 = reinterpret_cast<DWORD_PTR>(text);
    // What the item is now; nothing for an item that is gone (a removed card).
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (::GetFileAttributesExW(ToDevicePath(path).c_str(), GetFileExInfoStandard, &data)) {
        info.dwAttributes = data.dwFileAttributes;
        if (eventId == SHCNE_DRIVEADD)
            info.dwAttributes |= FILE_ATTRIBUTE_TEMPORARY;  // a card folder, as the card enumeration reports it
        info.ftModified = data.ftLastWriteTime;
        info.nFileSize = data.nFileSizeLow;
    }
    ++liveNotifications;
    return notify;
}

// Each registering process has one client window (message-only) that the
// shell hands events to; it posts them on to the registered windows.
class NotifyClient : public WindowBase<NotifyClient> {
public:
    static NotifyClient& Instance()
    {
        static NotifyClient client;
        return client;
    }

    // The client window, made on the calling thread when there is none yet
    // (or the thread that made it has ended).
    HWND EnsureWindow() noexcept
    {
        std::lock_guard guard(m_windowLock);
        if (m_window && ::IsWindow(m_window))
            return m_window;
        m_window = nullptr;
        const HINSTANCE instance = ::GetModuleHandleW(nullptr);
        if (!RegisterWindowClass(instance, NotifyClientClass) ||
            !CreateWindowObject(instance, NotifyClientClass, L"", 0, 0, RECT{}, HWND_MESSAGE))
            return nullptr;
        return m_window;
    }

    // Returns whether the window was not registered before.
    bool Add(HWND window)
    {
        std::lock_guard guard(m_lock);
        if (std::find(m_windows.begin(), m_windows.end(), window) != m_windows.end())
            return false;
        m_windows.push_back(window);
        return true;
    }

    // Returns whether the window was registered.
    bool Remove(HWND window)
    {
        std::lock_guard guard(m_lock);
        return std::erase(m_windows, window) != 0;
    }

private:
    friend class WindowBase<NotifyClient>;

    bool IsRegistered(HWND window)
    {
        std::lock_guard guard(m_lock);
        // Windows destroyed without deregistering are forgotten on the way.
        std::erase_if(m_windows, [](HWND registered) { return !::IsWindow(registered); });
        return std::find(m_windows.begin(), m_windows.end(), window) != m_windows.end();
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != WM_COPYDATA)
            return ::DefWindowProcW(m_window, message, wParam, lParam);
        const std::optional<NotifyPacket> packet = DecodeNotifyPacket(reinterpret_cast<COPYDATASTRUCT*>(lParam));
        if (!packet || packet->kind != NotifyKind::Deliver || !IsRegistered(packet->window))
            return FALSE;
        FILECHANGENOTIFY* notify = MakeNotification(static_cast<LONG>(packet->value), packet->text);
        if (!notify)
            return FALSE;
        if (!::PostMessageW(packet->window, WM_FILECHANGEINFO, 0, reinterpret_cast<LPARAM>(notify))) {
            SHChangeNotifyFree(notify);
            return FALSE;
        }
        return TRUE;
    }

    std::mutex m_windowLock;
    std::mutex m_lock;
    std::vector<HWND> m_windows;  // registered windows of this process
};

}  // namespace

std::size_t LiveFileChangeNotifications() noexcept
{
    return liveNotifications.load();
}

}  // namespace vellumate

BOOL SHChangeNotifyRegister(HWND hwnd, SHCHANGENOTIFYENTRY* pshcne)
{
    using namespace vellumate;
    if (!pshcne || !IsOwnWindow(hwnd)) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    try {
        NotifyClient& client = NotifyClient::Instance();
        const HWND clientWindow = client.EnsureWindow();
        if (!clientWindow)
            return FALSE;  // the last error says why
        const HWND shell = FindShellNotifyWindow();
        if (!shell) {
            ::SetLastError(ERROR_SERVICE_NOT_ACTIVE);
            return FALSE;
        }

        NotifyPacket packet;
        packet.kind = NotifyKind::Register;
        packet.window = hwnd;
        packet.client = clientWindow;
        packet.value = pshcne->dwEventMask;
        packet.recursive = pshcne->fRecursive != FALSE;
        if (pshcne->pszWatchDir)
            packet.text = pshcne->pszWatchDir;

        // Listed before the shell knows, so that an event right after is taken.
        const bool added = client.Add(hwnd);
        if (!SendNotifyPacket(shell, clientWindow, packet, ShellTimeoutMs)) {
            if (added)
                client.Remove(hwnd);
            ::SetLastError(ERROR_SERVICE_NOT_ACTIVE);
            return FALSE;
        }
        return TRUE;
    } catch (...) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
}

BOOL SHChangeNotifyDeregister(HWND hwnd)
{
    using namespace vellumate;
    try {
        NotifyClient& client = NotifyClient::Instance();
        if (!client.Remove(hwnd)) {
            ::SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        if (const HWND shell = FindShellNotifyWindow()) {
            NotifyPacket packet;
            packet.kind = NotifyKind::Deregister;
            packet.window = hwnd;
            SendNotifyPacket(shell, nullptr, packet, ShellTimeoutMs);
        }
        return TRUE;
    } catch (...) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
}

void SHChangeNotifyFree(FILECHANGENOTIFY* pfcn)
{
    if (!pfcn)
        return;
    if (::InterlockedDecrement(reinterpret_cast<LONG volatile*>(&pfcn->dwRefCount)) != 0)
        return;
    --vellumate::liveNotifications;
    ::operator delete(pfcn);
}
