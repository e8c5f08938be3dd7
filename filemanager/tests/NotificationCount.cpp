#include "NotificationCount.h"

#include "platform/ShellNotify.h"

std::size_t UnreleasedNotifications() noexcept
{
    return vellumate::LiveFileChangeNotifications();
}
