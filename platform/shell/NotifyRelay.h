// The home shell's half of the file-change notifications: it keeps the
// windows that programs registered (SHChangeNotifyRegister) and hands each
// device event (from vmdrive: a card inserted or removed) to every live
// registered window whose event mask and watched folder match.
//
// The relay is a message-only window of its own (class ShellNotifyClass), so
// that programs and the driver find it without knowing the shell's windows.
// It also takes programs' call requests (tapiRequestMakeCall) and shows the
// calling notice for them once it has answered the sender.
#pragma once

#include "platform/WindowBase.h"
#include "platform/shell/CallNotice.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumate {

struct NotifyRegistration {
    HWND window = nullptr;  // the registered window
    HWND client = nullptr;  // its process's client window, which posts to it
    std::uint32_t eventMask = 0;
    std::wstring watchDir;  // empty: every path
    bool recursive = false;
};

// Whether an event about `path` concerns a registration that watches
// `watchDir`: the folder itself, its direct entries, and with `recursive`
// everything below. Paths are the handset's, compared without regard to case.
bool WatchCovers(std::wstring_view watchDir, bool recursive, std::wstring_view path) noexcept;

class NotifyRelay : public WindowBase<NotifyRelay> {
public:
    bool Create(HINSTANCE instance);

    // Hands the event to each matching registration; returns how many took
    // it. Registrations whose window or client is gone are dropped.
    std::size_t Deliver(LONG eventId, std::wstring_view path);

    std::size_t RegistrationCount() const noexcept { return m_registrations.size(); }

    // The calling notice on the screen, or nullptr.
    const CallNotice* ShownCallNotice() const noexcept
    {
        return m_callNotice && m_callNotice->Window() ? m_callNotice.get() : nullptr;
    }

private:
    friend class WindowBase<NotifyRelay>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCopyData(const COPYDATASTRUCT* data);
    void ShowCall();

    struct CallRequest {
        std::wstring number;
        std::wstring calledParty;
    };

    HINSTANCE m_instance = nullptr;
    std::vector<NotifyRegistration> m_registrations;
    std::optional<CallRequest> m_pendingCall;
    std::unique_ptr<CallNotice> m_callNotice;
};

}  // namespace vellumate
