#include "filemanager/CardEvents.h"

#include "filemanager/DeviceFiles.h"

#include "platform/ShellNotify.h"

#include <cwchar>

namespace {

// Releases a notification however its handling ends.
class NotificationHold {
public:
    explicit NotificationHold(FILECHANGENOTIFY* notify) noexcept : m_notify(notify) {}
    ~NotificationHold() { SHChangeNotifyFree(m_notify); }
    NotificationHold(const NotificationHold&) = delete;
    NotificationHold& operator=(const NotificationHold&) = delete;

private:
    FILECHANGENOTIFY* m_notify;
};

// The longest path a notification carries.
constexpr size_t MaxNotifiedPath = 32767;

// The card folder's name from the notification's path ("\Storage Card").
String CardNameOf(const FILECHANGEINFO& info)
{
    if (!(info.uFlags & SHCNF_PATH) || !info.dwItem1)
        return String();
    const auto* path = reinterpret_cast<const wchar_t*>(info.dwItem1);
    const String folder = NormalizeFolderPath(String(path, static_cast<int>(wcsnlen(path, MaxNotifiedPath))));
    // Only a folder of the root can be a card.
    return ParentPath(folder).IsEmpty() ? LastComponent(folder) : String();
}

}  // namespace

UINT CardEventMessage() noexcept
{
    return WM_FILECHANGEINFO;
}

bool RegisterCardEvents(HWND window)
{
    SHCHANGENOTIFYENTRY entry{SHCNE_DRIVEADD | SHCNE_DRIVEREMOVED, nullptr, FALSE};
    return SHChangeNotifyRegister(window, &entry) != FALSE;
}

void DeregisterCardEvents(HWND window)
{
    SHChangeNotifyDeregister(window);
}

std::optional<CardEvent> TakeCardEvent(LPARAM notification)
{
    auto* notify = reinterpret_cast<FILECHANGENOTIFY*>(notification);
    if (!notify)
        return std::nullopt;
    NotificationHold hold(notify);
    const FILECHANGEINFO& info = notify->fci;
    if (info.wEventId == SHCNE_DRIVEADD)
        return CardEvent{CardChange::Inserted, CardNameOf(info)};
    if (info.wEventId == SHCNE_DRIVEREMOVED)
        return CardEvent{CardChange::Removed, CardNameOf(info)};
    return std::nullopt;
}
