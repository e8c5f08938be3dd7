#include "platform/menubar/KeyRouter.h"

#include "platform/SoftKeyBar.h"
#include "platform/menubar/BackKey.h"
#include "platform/menubar/MenuBarThread.h"
#include "platform/menubar/SoftKeyBarWindow.h"

#include <utility>

namespace vellumate {
namespace {

int SoftKeyOf(UINT virtualKey) noexcept
{
    return virtualKey == VK_F1 ? LeftSoftKey : RightSoftKey;
}

void Notify(const SoftKeyBarWindow& bar, UINT virtualKey, WPARAM id, bool keyUp)
{
    if (bar.OverrideBits(virtualKey) & SHMBOF_NOTIFY)
        ::PostMessageW(bar.Parent(), WM_HOTKEY, id, MAKELPARAM(keyUp ? MOD_KEYUP : 0, virtualKey));
}

// Carries out what a menu key came to. The session is put away first: the
// command may end the dialog, the bar and the thread's bars altogether.
void Conclude(MenuBarThread& thread, const std::shared_ptr<MenuSession>& session, const MenuOutcome& outcome)
{
    if (!outcome.close)
        return;
    const SoftKeyBarWindow* bar = SoftKeyBarWindow::FromWindow(session->Bar());
    const HWND parent = bar ? bar->Parent() : nullptr;
    if (thread.Session() == session)
        thread.CloseMenu();
    else
        session->Close();
    if (outcome.command && parent)
        ::PostMessageW(parent, WM_COMMAND, MAKEWPARAM(*outcome.command, 0), 0);
}

void MenuKeyDown(MenuBarThread& thread, const std::shared_ptr<MenuSession>& session, UINT virtualKey)
{
    HeldKey& held = thread.Held(virtualKey);
    if (virtualKey == VK_F1 || virtualKey == VK_F2) {
        held = HeldKey{HeldKey::Kind::MenuSoftKey, session->Bar(), 0};
        if (SoftKeyBarWindow* bar = SoftKeyBarWindow::FromWindow(session->Bar()))
            bar->SetPressed(SoftKeyOf(virtualKey), true);
        return;
    }
    held = HeldKey{HeldKey::Kind::Swallowed, nullptr, 0};
    Conclude(thread, session, session->OnKeyDown(virtualKey));
}

// The window a key was queued for: the focus window when it was pressed.
HWND KeyTarget(const MSG& message) noexcept
{
    return message.hwnd ? message.hwnd : ::GetFocus();
}

void BackStroke(const SoftKeyBarWindow& bar, const MSG& message, UINT press, bool firstStroke)
{
    Notify(bar, VK_ESCAPE, press, false);
    if (!(bar.OverrideBits(VK_ESCAPE) & SHMBOF_NODEFAULT))
        RunDefaultBack(KeyTarget(message), firstStroke);
}

// A key held down repeats its key-down; only some keys mean something again.
void Repeat(MenuBarThread& thread, const MSG& message, UINT virtualKey, const HeldKey& held)
{
    switch (held.kind) {
    case HeldKey::Kind::Back:
        if (const SoftKeyBarWindow* bar = SoftKeyBarWindow::FromWindow(held.bar))
            BackStroke(*bar, message, held.press, false);
        return;
    case HeldKey::Kind::Swallowed:
        // The direction pad keeps moving a menu's highlight.
        if (const std::shared_ptr<MenuSession> session = thread.Session();
            session && (virtualKey == VK_UP || virtualKey == VK_DOWN))
            Conclude(thread, session, session->OnKeyDown(virtualKey));
        return;
    default:
        return;
    }
}

void Release(MenuBarThread& thread, UINT virtualKey, const HeldKey& held)
{
    SoftKeyBarWindow* bar = SoftKeyBarWindow::FromWindow(held.bar);
    switch (held.kind) {
    case HeldKey::Kind::SoftKey: {
        if (!bar)
            return;
        const int key = SoftKeyOf(virtualKey);
        Notify(*bar, virtualKey, virtualKey, true);
        if (bar->OverrideBits(virtualKey) & SHMBOF_NODEFAULT)
            return;
        bar->SetPressed(key, false);
        if (bar->Usable(key))
            ActivateSoftKey(held.bar, key);
        return;
    }
    case HeldKey::Kind::MenuSoftKey: {
        if (bar)
            bar->SetPressed(SoftKeyOf(virtualKey), false);
        const std::shared_ptr<MenuSession> session = thread.Session();
        if (!session || session->Bar() != held.bar)
            return;
        // The menu's own soft key chooses; the other one closes the menu.
        if (SoftKeyOf(virtualKey) == session->Key())
            Conclude(thread, session, session->ChooseHighlighted());
        else
            thread.CloseMenu();
        return;
    }
    case HeldKey::Kind::Back:
        if (bar)
            Notify(*bar, VK_ESCAPE, held.press, true);
        return;
    case HeldKey::Kind::Notify:
        if (bar)
            Notify(*bar, virtualKey, virtualKey, true);
        return;
    case HeldKey::Kind::Swallowed:
    case HeldKey::Kind::None:
        return;
    }
}

// The bar whose keys the window `target` (or, when null, the focus) takes:
// a shown bar owned by its top-level window, preferring one whose parent
// holds that window, then the newest.
SoftKeyBarWindow* FindBarFor(const MenuBarThread& thread, HWND target) noexcept
{
    const HWND focus = target ? target : ::GetFocus();
    const HWND start = focus ? focus : ::GetActiveWindow();
    const HWND root = start ? ::GetAncestor(start, GA_ROOT) : nullptr;
    if (!root)
        return nullptr;
    SoftKeyBarWindow* best = nullptr;
    bool bestHoldsFocus = false;
    for (const HWND window : thread.Bars()) {
        SoftKeyBarWindow* bar = SoftKeyBarWindow::FromWindow(window);
        if (!bar || bar->Owner() != root || !::IsWindowVisible(window))
            continue;
        const bool holdsFocus = focus && (bar->Parent() == focus || ::IsChild(bar->Parent(), focus));
        if (!best || holdsFocus || !bestHoldsFocus) {
            best = bar;
            bestHoldsFocus = bestHoldsFocus || holdsFocus;
        }
    }
    return best;
}

}  // namespace

void ActivateSoftKey(HWND barWindow, int key)
{
    SoftKeyBarWindow* bar = SoftKeyBarWindow::FromWindow(barWindow);
    if (!bar || !bar->Usable(key))
        return;
    if (!bar->IsPopupKey(key)) {
        bar->PostCommand(key);
        return;
    }
    std::shared_ptr<MenuSession> session = MenuSession::Open(barWindow, key);
    // Opening asked the program to prepare the popup: it may have ended the bar.
    MenuBarThread* thread = MenuBarThread::Current();
    if (session && !session->Closed() && thread && SoftKeyBarWindow::FromWindow(barWindow))
        thread->SetSession(std::move(session));
}

bool RouteKey(MenuBarThread& thread, const MSG& message)
{
    const UINT virtualKey = static_cast<UINT>(message.wParam) & 0xFF;
    const bool down = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    const bool up = message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
    const bool repeat = down && (message.lParam & (1 << 30)) != 0;

    HeldKey& held = thread.Held(virtualKey);
    if (up && held.kind != HeldKey::Kind::None) {
        Release(thread, virtualKey, std::exchange(held, HeldKey{}));
        return true;
    }
    if (repeat && held.kind != HeldKey::Kind::None) {
        Repeat(thread, message, virtualKey, held);
        return true;
    }

    if (const std::shared_ptr<MenuSession> session = thread.Session()) {
        if (down)
            MenuKeyDown(thread, session, virtualKey);
        return true;  // nothing reaches the program while a menu is open
    }
    if (!down)
        return false;

    SoftKeyBarWindow* bar = FindBarFor(thread, message.hwnd);
    if (!bar)
        return false;
    const UINT bits = bar->OverrideBits(virtualKey);
    switch (virtualKey) {
    case VK_F1:
    case VK_F2:
        held = HeldKey{HeldKey::Kind::SoftKey, bar->Window(), 0};
        Notify(*bar, virtualKey, virtualKey, false);
        if (!(bits & SHMBOF_NODEFAULT) && bar->Usable(SoftKeyOf(virtualKey)))
            bar->SetPressed(SoftKeyOf(virtualKey), true);
        return true;
    case VK_ESCAPE: {
        const UINT press = thread.NextBackPress();
        held = HeldKey{HeldKey::Kind::Back, bar->Window(), press};
        BackStroke(*bar, message, press, true);
        return true;
    }
    default:
        if (!(bits & (SHMBOF_NOTIFY | SHMBOF_NODEFAULT)))
            return false;
        held = HeldKey{HeldKey::Kind::Notify, bar->Window(), 0};
        Notify(*bar, virtualKey, virtualKey, false);
        return true;
    }
}

}  // namespace vellumate
