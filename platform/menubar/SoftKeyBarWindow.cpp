#include "platform/menubar/SoftKeyBarWindow.h"

#include "platform/Handset.h"
#include "platform/HandsetStyle.h"
#include "platform/Painting.h"
#include "platform/ScreenText.h"
#include "platform/menubar/KeyRouter.h"
#include "platform/menubar/MenuBarThread.h"
#include "platform/menubar/ModuleInstance.h"

#include <memory>

namespace vellumate {
namespace {

constexpr int HalfWidth = ScreenWidth / 2;
constexpr int TextInset = 3;
constexpr int DividerInset = 5;
// Posted to itself: hand an activation it was given to the program's window.
constexpr UINT PassActivationMessage = WM_APP + 1;  // clear of the toolbar messages a bar answers

RECT BarRect() noexcept
{
    return RECT{0, ScreenHeight - MenuBarHeight, ScreenWidth, ScreenHeight};
}

}  // namespace

HWND SoftKeyBarWindow::Create(const SHMENUBARINFO& info)
{
    if (!info.hwndParent || !::IsWindow(info.hwndParent))
        return nullptr;
    // A bar lives on the thread of its parent: that thread's queue takes the
    // keys and that thread's hooks watch the parent.
    if (::GetWindowThreadProcessId(info.hwndParent, nullptr) != ::GetCurrentThreadId())
        return nullptr;

    std::unique_ptr<SoftKeyBarWindow> bar(new SoftKeyBarWindow);
    if (!(info.dwFlags & SHCMBF_EMPTYBAR)) {
        std::optional<MenuBarLayout> layout = LoadMenuBar(info.hInstRes, info.nToolBarId);
        if (!layout)
            return nullptr;
        bar->m_menu = std::move(layout->menu);
        bar->m_buttons = std::move(layout->buttons);
    }
    bar->m_parent = info.hwndParent;
    bar->m_owner = ::GetAncestor(info.hwndParent, GA_ROOT);
    bar->m_wanted = !(info.dwFlags & SHCMBF_HIDDEN);
    bar->m_font = MakeInterfaceFont(13, FW_BOLD);

    if (!RegisterWindowClass(ThisModule(), MenuBarClass, 0, ::LoadCursorW(nullptr, IDC_ARROW)) ||
        !bar->CreateWindowObject(ThisModule(), MenuBarClass, L"", WS_POPUP, WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                                 BarRect(), bar->m_owner))
        return nullptr;
    SoftKeyBarWindow* created = bar.release();
    created->m_ownedByWindow = true;
    const HWND window = created->Window();
    ::SetPropW(window, MenuBarParentProperty, info.hwndParent);
    if (!MenuBarThread::Enroll(window)) {
        ::DestroyWindow(window);
        return nullptr;
    }
    created->Publish();
    created->FollowParent();
    return window;
}

SoftKeyBarWindow* SoftKeyBarWindow::FromWindow(HWND window) noexcept
{
    if (!window || ::GetWindowLongPtrW(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&Procedure))
        return nullptr;
    return static_cast<SoftKeyBarWindow*>(
        reinterpret_cast<WindowBase<SoftKeyBarWindow>*>(::GetWindowLongPtrW(window, GWLP_USERDATA)));
}

LRESULT SoftKeyBarWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TB_SETBUTTONINFOW:
        return SetButtonInfo(wParam, reinterpret_cast<const TBBUTTONINFOW*>(lParam));
    case TB_GETBUTTONINFOW:
        return GetButtonInfo(wParam, reinterpret_cast<TBBUTTONINFOW*>(lParam));
    case TB_ENABLEBUTTON:
    case TB_HIDEBUTTON: {
        const std::optional<int> key = KeyOf(static_cast<UINT>(wParam), false);
        if (!key)
            return FALSE;
        SoftKeyButton& button = m_buttons[static_cast<std::size_t>(*key)];
        (message == TB_ENABLEBUTTON ? button.enabled : button.hidden) = LOWORD(lParam) != 0;
        Changed();
        return TRUE;
    }
    case TB_ISBUTTONENABLED:
    case TB_ISBUTTONHIDDEN: {
        const std::optional<int> key = KeyOf(static_cast<UINT>(wParam), false);
        if (!key)
            return FALSE;
        const SoftKeyButton& button = Button(*key);
        return message == TB_ISBUTTONENABLED ? button.enabled : button.hidden;
    }
    case TB_BUTTONCOUNT:
        return (m_buttons[0].present ? 1 : 0) + (m_buttons[1].present ? 1 : 0);
    case SHCMBM_GETMENU:
        return reinterpret_cast<LRESULT>(m_menu.Get());
    case SHCMBM_GETSUBMENU: {
        const std::optional<int> key = KeyOf(static_cast<UINT>(lParam), false);
        return key && IsPopupKey(*key) ? reinterpret_cast<LRESULT>(::GetSubMenu(m_menu.Get(), *key)) : 0;
    }
    case SHCMBM_SETSUBMENU:
        return SetSubmenu(static_cast<UINT>(wParam), reinterpret_cast<HMENU>(lParam));
    case SHCMBM_OVERRIDEKEY:
        return OverrideKey(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_WINDOWPOSCHANGING:
        OnWindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lParam));
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ACTIVATE:
        // Asking not to be activated is not always enough: when the window in
        // front goes away, the bar may be handed the activation, and with it
        // the keys. They belong to the program's window, so pass it on, once
        // the activation in progress has ended.
        if (LOWORD(wParam) != WA_INACTIVE)
            ::PostMessageW(m_window, PassActivationMessage, 0, 0);
        return 0;
    case PassActivationMessage:
        if (::GetActiveWindow() == m_window && ::IsWindowEnabled(m_owner))
            ::SetForegroundWindow(m_owner);
        return 0;
    case WM_LBUTTONDOWN:
        // A pointer works like the keys: press on a button, act on release.
        if (const int key = KeyAt(static_cast<short>(LOWORD(lParam))); Usable(key)) {
            m_mouseKey = key;
            ::SetCapture(m_window);
            SetPressed(key, true);
        }
        return 0;
    case WM_LBUTTONUP:
        if (m_mouseKey) {
            const int key = *m_mouseKey;
            m_mouseKey.reset();
            ::ReleaseCapture();
            SetPressed(key, false);
            if (KeyAt(static_cast<short>(LOWORD(lParam))) == key && Usable(key))
                ::PostMessageW(m_window, WM_USER, static_cast<WPARAM>(key), 0);  // act outside the mouse handler
        }
        return 0;
    case WM_USER:
        if (Usable(static_cast<int>(wParam)))
            ActivateSoftKey(m_window, static_cast<int>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DESTROY:
        WithdrawScreenText(m_window);
        ::RemovePropW(m_window, MenuBarParentProperty);
        MenuBarThread::Leave(m_window);
        return 0;
    default:
        return ::DefWindowProcW(m_window, message, wParam, lParam);
    }
}

bool SoftKeyBarWindow::Usable(int key) const noexcept
{
    if (key < 0 || key >= SoftKeyCount)
        return false;
    const SoftKeyButton& button = Button(key);
    return button.present && button.enabled && !button.hidden;
}

UINT SoftKeyBarWindow::OverrideBits(UINT virtualKey) const noexcept
{
    const auto found = m_overrides.find(virtualKey);
    return found == m_overrides.end() ? 0 : found->second;
}

void SoftKeyBarWindow::SetPressed(int key, bool pressed)
{
    if (key < 0 || key >= SoftKeyCount || m_pressed[static_cast<std::size_t>(key)] == pressed)
        return;
    m_pressed[static_cast<std::size_t>(key)] = pressed;
    ::InvalidateRect(m_window, nullptr, FALSE);
    ::UpdateWindow(m_window);  // the press shows at once, before whatever it starts
}

void SoftKeyBarWindow::SetOpenKey(std::optional<int> key)
{
    if (m_openKey == key)
        return;
    m_openKey = key;
    ::InvalidateRect(m_window, nullptr, FALSE);
}

bool SoftKeyBarWindow::IsPopupKey(int key) const noexcept
{
    return key >= 0 && key < SoftKeyCount && Button(key).popup && ::GetSubMenu(m_menu.Get(), key);
}

void SoftKeyBarWindow::PostCommand(int key) const
{
    // Posted, not sent: the command may end the dialog and with it this bar.
    ::PostMessageW(m_parent, WM_COMMAND, MAKEWPARAM(Button(key).command, 0), 0);
}

void SoftKeyBarWindow::FollowParent()
{
    const bool show = m_wanted && ::IsWindowVisible(m_parent);
    if (show == (::IsWindowVisible(m_window) != FALSE))
        return;
    m_following = true;
    // Coming up with its parent, the bar goes above it and every other window
    // of that owner: the newest screen is the one whose keys the bar shows.
    ::SetWindowPos(m_window, show ? HWND_TOP : nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW | SWP_NOZORDER));
    m_following = false;
}

void SoftKeyBarWindow::OnWindowPosChanging(WINDOWPOS& position)
{
    // The bar never takes the activation and never leaves its place.
    position.flags |= SWP_NOACTIVATE;
    const RECT rect = BarRect();
    position.x = rect.left;
    position.y = rect.top;
    position.cx = rect.right - rect.left;
    position.cy = rect.bottom - rect.top;
    if (m_following)
        return;
    // ShowWindow on the bar itself sets its own show state; while the parent
    // is hidden the bar waits for it.
    if (position.flags & SWP_HIDEWINDOW)
        m_wanted = false;
    if (position.flags & SWP_SHOWWINDOW) {
        m_wanted = true;
        if (!::IsWindowVisible(m_parent))
            position.flags &= ~SWP_SHOWWINDOW;
    }
}

std::optional<int> SoftKeyBarWindow::KeyOf(UINT commandOrIndex, bool byIndex) const noexcept
{
    if (byIndex)
        return commandOrIndex < SoftKeyCount && Button(static_cast<int>(commandOrIndex)).present
                   ? std::optional<int>(static_cast<int>(commandOrIndex))
                   : std::nullopt;
    for (int key = 0; key < SoftKeyCount; ++key) {
        if (Button(key).present && Button(key).command == commandOrIndex)
            return key;
    }
    return std::nullopt;
}

LRESULT SoftKeyBarWindow::SetButtonInfo(WPARAM wParam, const TBBUTTONINFOW* info)
{
    if (!info || info->cbSize < sizeof(TBBUTTONINFOW))
        return FALSE;
    const std::optional<int> key = KeyOf(static_cast<UINT>(wParam), (info->dwMask & TBIF_BYINDEX) != 0);
    if (!key)
        return FALSE;
    SoftKeyButton& button = m_buttons[static_cast<std::size_t>(*key)];
    if (info->dwMask & TBIF_STATE) {
        button.enabled = (info->fsState & TBSTATE_ENABLED) != 0;
        button.hidden = (info->fsState & TBSTATE_HIDDEN) != 0;
        if (!Usable(*key))
            m_pressed[static_cast<std::size_t>(*key)] = false;
    }
    if (info->dwMask & TBIF_TEXT)
        button.text = info->pszText ? DisplayText(info->pszText) : std::wstring();
    if (info->dwMask & TBIF_COMMAND)
        button.command = static_cast<UINT>(info->idCommand);
    Changed();
    return TRUE;
}

LRESULT SoftKeyBarWindow::GetButtonInfo(WPARAM wParam, TBBUTTONINFOW* info) const
{
    if (!info || info->cbSize < sizeof(TBBUTTONINFOW))
        return -1;
    const std::optional<int> key = KeyOf(static_cast<UINT>(wParam), (info->dwMask & TBIF_BYINDEX) != 0);
    if (!key)
        return -1;
    const SoftKeyButton& button = Button(*key);
    if (info->dwMask & TBIF_STATE)
        info->fsState =
            static_cast<BYTE>((button.enabled ? TBSTATE_ENABLED : 0) | (button.hidden ? TBSTATE_HIDDEN : 0));
    if (info->dwMask & TBIF_COMMAND)
        info->idCommand = static_cast<int>(button.command);
    if ((info->dwMask & TBIF_TEXT) && info->pszText && info->cchText > 0) {
        const std::size_t room = static_cast<std::size_t>(info->cchText) - 1;
        const std::size_t length = button.text.size() < room ? button.text.size() : room;
        button.text.copy(info->pszText, length);
        info->pszText[length] = L'\0';
    }
    return *key;
}

LRESULT SoftKeyBarWindow::SetSubmenu(UINT command, HMENU submenu)
{
    const std::optional<int> key = KeyOf(command, false);
    if (!key || !m_menu)
        return 0;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_SUBMENU;
    if (!::GetMenuItemInfoW(m_menu.Get(), static_cast<UINT>(*key), TRUE, &info))
        return 0;
    const HMENU previous = info.hSubMenu;
    info.hSubMenu = submenu;
    if (!::SetMenuItemInfoW(m_menu.Get(), static_cast<UINT>(*key), TRUE, &info))
        return 0;
    // The bar's menu now holds (and at the end destroys) the new popup; the
    // old one is the caller's.
    m_buttons[static_cast<std::size_t>(*key)].popup = submenu != nullptr;
    return reinterpret_cast<LRESULT>(previous);
}

UINT SoftKeyBarWindow::OverrideKey(UINT virtualKey, UINT mask, UINT bits)
{
    const UINT previous = OverrideBits(virtualKey);
    const UINT updated = (previous & ~mask) | (bits & mask);
    if (updated)
        m_overrides[virtualKey] = updated;
    else
        m_overrides.erase(virtualKey);
    return previous;
}

int SoftKeyBarWindow::KeyAt(int x) const noexcept
{
    return x < HalfWidth ? LeftSoftKey : RightSoftKey;
}

void SoftKeyBarWindow::Changed()
{
    ::InvalidateRect(m_window, nullptr, FALSE);
    Publish();
}

void SoftKeyBarWindow::Paint()
{
    BufferedPaint paint(m_window);
    const HDC dc = paint.Dc();
    const RECT& client = paint.Client();

    FillVerticalGradient(dc, client, style::BarTop, style::BarBottom);
    FillSolid(dc, RECT{client.left, client.top, client.right, client.top + 1}, style::BarEdge);

    SelectObjectScope font(dc, m_font.Get());
    ::SetBkMode(dc, TRANSPARENT);
    for (int key = 0; key < SoftKeyCount; ++key) {
        const SoftKeyButton& button = Button(key);
        if (!button.present || button.hidden)
            continue;  // a hidden button leaves its half empty
        RECT half{key == LeftSoftKey ? client.left : HalfWidth, client.top + 1,
                  key == LeftSoftKey ? HalfWidth : client.right, client.bottom};
        const bool lit = m_pressed[static_cast<std::size_t>(key)] || m_openKey == key;
        if (lit && button.enabled)
            FillVerticalGradient(dc, half, style::HighlightTop, style::HighlightBottom);
        ::SetTextColor(dc, button.enabled ? style::BarText : style::BarGreyedText);
        RECT text{half.left + TextInset, half.top, half.right - TextInset, half.bottom};
        ::DrawTextW(dc, button.text.c_str(), static_cast<int>(button.text.size()), &text,
                    DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    // The divider stands between two shown buttons only.
    const auto shown = [&](int key) { return Button(key).present && !Button(key).hidden; };
    if (shown(LeftSoftKey) && shown(RightSoftKey))
        FillSolid(dc, RECT{HalfWidth, client.top + DividerInset, HalfWidth + 1, client.bottom - DividerInset + 1},
                  style::BarDivider);
}

void SoftKeyBarWindow::Publish() const
{
    std::wstring text;
    for (int key = 0; key < SoftKeyCount; ++key) {
        const SoftKeyButton& button = Button(key);
        if (!button.present || button.hidden)
            continue;
        if (!text.empty())
            text += L'\n';
        text += key == LeftSoftKey ? L"left: " : L"right: ";
        text += button.text;
        if (!button.enabled)
            text += L" (dimmed)";
    }
    PublishScreenText(m_window, text);
}

}  // namespace vellumate
