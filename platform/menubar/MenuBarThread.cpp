#include "platform/menubar/MenuBarThread.h"

#include "platform/menubar/KeyRouter.h"
#include "platform/menubar/SoftKeyBarWindow.h"

#include <algorithm>

namespace vellumate {
namespace {

// A plain pointer, so that nothing runs at thread exit: the state lives from
// the thread's first bar to its last.
thread_local MenuBarThread* currentThread = nullptr;

bool IsKeyMessage(UINT message) noexcept
{
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

}  // namespace

class MenuBarThread::HookScope {
public:
    explicit HookScope(MenuBarThread& thread) noexcept : m_thread(thread) { ++m_thread.m_hookDepth; }
    ~HookScope()
    {
        --m_thread.m_hookDepth;
        m_thread.ReleaseIfUnused();
    }
    HookScope(const HookScope&) = delete;
    HookScope& operator=(const HookScope&) = delete;

private:
    MenuBarThread& m_thread;
};

MenuBarThread* MenuBarThread::Current() noexcept
{
    return currentThread;
}

bool MenuBarThread::Enroll(HWND bar) noexcept
{
    try {
        if (!currentThread) {
            auto* created = new MenuBarThread;
            if (!created->InstallHooks()) {
                delete created;
                return false;
            }
            currentThread = created;
        }
        currentThread->m_bars.push_back(bar);
        return true;
    } catch (...) {
        return false;
    }
}

void MenuBarThread::Leave(HWND bar) noexcept
{
    MenuBarThread* thread = currentThread;
    if (!thread)
        return;
    std::erase(thread->m_bars, bar);
    if (thread->m_session && thread->m_session->Bar() == bar)
        thread->CloseMenu();
    for (HeldKey& held : thread->m_held) {
        if (held.bar == bar)
            held.bar = nullptr;  // its key-up finds no bar and is simply swallowed
    }
    thread->ReleaseIfUnused();
}

MenuBarThread::~MenuBarThread()
{
    if (m_getMessageHook)
        ::UnhookWindowsHookEx(m_getMessageHook);
    if (m_callWndProcRetHook)
        ::UnhookWindowsHookEx(m_callWndProcRetHook);
}

bool MenuBarThread::InstallHooks() noexcept
{
    const DWORD thread = ::GetCurrentThreadId();
    m_getMessageHook = ::SetWindowsHookExW(WH_GETMESSAGE, &GetMessageHook, nullptr, thread);
    m_callWndProcRetHook = ::SetWindowsHookExW(WH_CALLWNDPROCRET, &CallWndProcRetHook, nullptr, thread);
    return m_getMessageHook && m_callWndProcRetHook;
}

void MenuBarThread::ReleaseIfUnused() noexcept
{
    if (currentThread != this || !m_bars.empty() || m_hookDepth > 0 || m_session)
        return;
    currentThread = nullptr;
    delete this;
}

void MenuBarThread::SetSession(std::shared_ptr<MenuSession> session) noexcept
{
    CloseMenu();
    m_session = std::move(session);
    if (m_session)
        if (SoftKeyBarWindow* bar = SoftKeyBarWindow::FromWindow(m_session->Bar()))
            bar->SetOpenKey(m_session->Key());
}

void MenuBarThread::CloseMenu() noexcept
{
    // Whoever is still working with the session keeps it alive through its own
    // reference and finds it closed.
    const std::shared_ptr<MenuSession> session = std::move(m_session);
    if (!session)
        return;
    session->Close();
    if (SoftKeyBarWindow* bar = SoftKeyBarWindow::FromWindow(session->Bar())) {
        try {
            bar->SetOpenKey(std::nullopt);
        } catch (...) {
        }
    }
}

LRESULT CALLBACK MenuBarThread::GetMessageHook(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    MenuBarThread* thread = currentThread;
    // Only a message that leaves the queue counts; a peek that leaves it there
    // will see it again.
    if (thread && code == HC_ACTION && wParam == PM_REMOVE) {
        auto* message = reinterpret_cast<MSG*>(lParam);
        if (IsKeyMessage(message->message)) {
            HookScope scope(*thread);
            try {
                if (RouteKey(*thread, *message))
                    message->message = WM_NULL;  // the program never sees a key the bar took
            } catch (...) {
                // The key goes to the program as if no bar were there.
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MenuBarThread::CallWndProcRetHook(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    MenuBarThread* thread = currentThread;
    if (thread && code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        switch (sent->message) {
        case WM_WINDOWPOSCHANGED:
        case WM_DESTROY:
        case WM_ACTIVATE: {
            HookScope scope(*thread);
            try {
                thread->OnWindowMessage(*sent);
            } catch (...) {
            }
            break;
        }
        default:
            break;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void MenuBarThread::OnWindowMessage(const CWPRETSTRUCT& sent)
{
    const HWND window = sent.hwnd;
    switch (sent.message) {
    case WM_WINDOWPOSCHANGED: {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(sent.lParam);
        if (!(position->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)))
            return;
        // A copy: showing a bar sends messages, and those may change the list.
        const std::vector<HWND> bars = m_bars;
        for (const HWND barWindow : bars) {
            SoftKeyBarWindow* bar = SoftKeyBarWindow::FromWindow(barWindow);
            if (bar && barWindow != window && (window == bar->Parent() || ::IsChild(window, bar->Parent())))
                bar->FollowParent();
        }
        if (m_session && (position->flags & SWP_HIDEWINDOW)) {
            SoftKeyBarWindow* bar = SoftKeyBarWindow::FromWindow(m_session->Bar());
            if (!bar || !::IsWindowVisible(bar->Window()))
                CloseMenu();
        }
        return;
    }
    case WM_DESTROY: {
        const std::vector<HWND> bars = m_bars;
        for (const HWND barWindow : bars) {
            const SoftKeyBarWindow* bar = SoftKeyBarWindow::FromWindow(barWindow);
            if (bar && bar->Parent() == window)
                ::DestroyWindow(barWindow);
        }
        return;
    }
    case WM_ACTIVATE:
        if (LOWORD(sent.wParam) != WA_INACTIVE) {
            // Wine does not bring a window's owned popups along when the
            // window comes to the front; its bar must cover the bars of the
            // screens behind it.
            const std::vector<HWND> bars = m_bars;
            for (const HWND barWindow : bars) {
                const SoftKeyBarWindow* bar = SoftKeyBarWindow::FromWindow(barWindow);
                if (bar && bar->Owner() == window && ::IsWindowVisible(barWindow))
                    ::SetWindowPos(barWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
        }
        // A popup belongs to the window in front; when it goes, so does the menu.
        if (LOWORD(sent.wParam) == WA_INACTIVE && m_session) {
            const SoftKeyBarWindow* bar = SoftKeyBarWindow::FromWindow(m_session->Bar());
            if (!bar || bar->Owner() == window)
                CloseMenu();
        }
        return;
    default:
        return;
    }
}

}  // namespace vellumate
