#include "platform/shell/FolderWatch.h"

namespace vellumate {

void FolderWatch::Watch(const std::wstring& folder)
{
    if (m_handle && folder == m_folder)
        return;
    m_folder = folder;
    m_handle.Reset(::FindFirstChangeNotificationW(folder.c_str(), FALSE,
                                                  FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                                      FILE_NOTIFY_CHANGE_LAST_WRITE));
}

void FolderWatch::Rearm() noexcept
{
    // A watch that cannot be renewed (the folder went away) is dropped; the
    // next Watch call makes a new one.
    if (m_handle && !::FindNextChangeNotification(m_handle.Get()))
        m_handle.Reset();
}

}  // namespace vellumate
