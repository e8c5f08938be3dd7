// A change notification on one folder, for a message loop that waits on it.
#pragma once

#include "platform/Handles.h"

#include <string>

namespace vellumate {

class FolderWatch {
public:
    // Watches `folder` for files being added, removed, renamed or written.
    // Keeps an existing watch on the same folder; a folder that does not
    // exist (yet) is simply not watched, and Watch may be called again later.
    void Watch(const std::wstring& folder);

    // The handle to wait on, or nullptr when nothing is watched.
    HANDLE WaitHandle() const noexcept { return m_handle ? m_handle.Get() : nullptr; }

    // After the handle was signalled: wait for the next change.
    void Rearm() noexcept;

private:
    std::wstring m_folder;
    ChangeNotificationHandle m_handle;
};

}  // namespace vellumate
