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
        bar->menu_ = std::move(layout->menu);
        bar->buttons_ = std::move(layout->buttons);
    }
    bar->parent_ = info.hwndParent;
    bar->owner_ = ::GetAncestor(info.hwndParent, GA_ROOT);
    bar->wanted_ = !(info.dwFlags & SHCMBF_HIDDEN);
    bar->font_ = MakeInterfaceFont(13, FW_BOLD);

    if (!RegisterWindowClass(ThisModule(), MenuBarClass, 0, ::LoadCursorW(nullptr, IDC_ARROW)) ||
        !bar->CreateWindowObject(ThisModule(), MenuBarClass, L"", WS_POPUP, WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                                 BarRect(), bar->owner_))
        return nullptr;
    SoftKeyBarWindow* created = bar.release();
    created->ownedByWindow_ = true;
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
        SoftKeyButton& button = buttons_[static_cast<std::size_t>(*key)];
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
        return (buttons_[0].present ? 1 : 0) + (buttons_[1].present ? 1 : 0);
    case SHCMBM_GETMENU:
        return reinterpret_cast<LRESULT>(menu_.Get());
    case SHCMBM_GETSUBMENU: {
        const std::optional<int> key = KeyOf(static_cast<UINT>(lParam), false);
        return key && IsPopupKey(*key) ? reinterpret_cast<LRESULT>(::GetSubMenu(menu_.Get(), *key)) : 0;
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
    case WM_LBUTTONDOWN:
        // A pointer works like the keys: press on a button, act on release.
        if (const int key = KeyAt(static_cast<short>(LOWORD(lParam))); Usable(key)) {
            mouseKey_ = key;
            ::SetCapture(window_);
            SetPressed(key, true);
        }
        return 0;
    case WM_LBUTTONUP:
        if (mouseKey_) {
            const int key = *mouseKey_;
            mouseKey_.reset();
            ::ReleaseCapture();
            SetPressed(key, false);
            if (KeyAt(static_cast<short>(LOWORD(lParam))) == key && Usable(key))
                ::PostMessageW(window_, WM_USER, static_cast<WPARAM>(key), 0);  // act outside the mouse handler
        }
        return 0;
    case WM_USER:
        if (Usable(static_cast<int>(wParam)))
            ActivateSoftKey(window_, static_cast<int>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DESTROY:
        WithdrawScreenText(window_);
        ::RemovePropW(window_, MenuBarParentProperty);
        MenuBarThread::Leave(window_);
        return 0;
    default:
        return ::DefWindowProcW(window_, message, wParam, lParam);
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
    const auto found = overrides_.find(virtualKey);
    return found == overrides_.end() ? 0 : found->second;
}

void SoftKeyBarWindow::SetPressed(int key, bool pressed)
{
    if (key < 0 || key >= SoftKeyCount || pressed_[static_cast<std::size_t>(key)] == pressed)
        return;
    pressed_[static_cast<std::size_t>(key)] = pressed;
    ::InvalidateRect(window_, nullptr, FALSE);
    ::UpdateWindow(window_);  // the press shows at once, before whatever it starts
}

void SoftKeyBarWindow::SetOpenKey(std::optional<int> key)
{
    if (openKey_ == key)
        return;
    openKey_ = key;
    ::InvalidateRect(window_, nullptr, FALSE);
}

bool SoftKeyBarWindow::IsPopupKey(int key) const noexcept
{
    return key >= 0 && key < SoftKeyCount && Button(key).popup && ::GetSubMenu(menu_.Get(), key);
}

void SoftKeyBarWindow::PostCommand(int key) const
{
    // Posted, not sent: the command may end the dialog and with it this bar.
    ::PostMessageW(parent_, WM_COMMAND, MAKEWPARAM(Button(key).command, 0), 0);
}

void SoftKeyBarWindow::FollowParent()
{
    const bool show = wanted_ && ::IsWindowVisible(parent_);
    if (show == (::IsWindowVisible(window_) != FALSE))
        return;
    following_ = true;
    // Coming up with its parent, the bar goes above it and every other window
    // of that owner: the newest screen is the one whose keys the bar shows.
    ::SetWindowPos(window_, show ? HWND_TOP : nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW | SWP_NOZORDER));
    following_ = false;
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
    if (following_)
        return;
    // ShowWindow on the bar itself sets its own show state; while the parent
    // is hidden the bar waits for it.
    if (position.flags & SWP_HIDEWINDOW)
        wanted_ = false;
    if (position.flags & SWP_SHOWWINDOW) {
        wanted_ = true;
        if (!::IsWindowVisible(parent_))
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
    SoftKeyButton& button = buttons_[static_cast<std::size_t>(*key)];
    if (info->dwMask & TBIF_STATE) {
        button.enabled = (info->fsState & TBSTATE_ENABLED) != 0;
        button.hidden = (info->fsState & TBSTATE_HIDDEN) != 0;
        if (!Usable(*key))
            pressed_[static_cast<std::size_t>(*key)] = false;
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
        info->fsState = static_cast<BYTE>((button.enabled ? TBSTATE_ENABLED : 0) | (button.hidden ? TBSTATE_HIDDEN : 0));
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
    if (!key || !menu_)
        return 0;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_SUBMENU;
    if (!::GetMenuItemInfoW(menu_.Get(), static_cast<UINT>(*key), TRUE, &info))
        return 0;
    const HMENU previous = info.hSubMenu;
    info.hSubMenu = submenu;
    if (!::SetMenuItemInfoW(menu_.Get(), static_cast<UINT>(*key), TRUE, &info))
        return 0;
    // The bar's menu now holds (and at the end destroys) the new popup; the
    // old one is the caller's.
    buttons_[static_cast<std::size_t>(*key)].popup = submenu != nullptr;
    return reinterpret_cast<LRESULT>(previous);
}

UINT SoftKeyBarWindow::OverrideKey(UINT virtualKey, UINT mask, UINT bits)
{
    const UINT previous = OverrideBits(virtualKey);
    const UINT updated = (previous & ~mask) | (bits & mask);
    if (updated)
        overrides_[virtualKey] = updated;
    else
        overrides_.erase(virtualKey);
    return previous;
}

int SoftKeyBarWindow::KeyAt(int x) const noexcept
{
    return x < HalfWidth ? LeftSoftKey : RightSoftKey;
}

void SoftKeyBarWindow::Changed()
{
    ::InvalidateRect(window_, nullptr, FALSE);
    Publish();
}

void SoftKeyBarWindow::Paint()
{
    BufferedPaint paint(window_);
    const HDC dc = paint.Dc();
    const RECT& client = paint.Client();

    FillVerticalGradient(dc, client, style::BarTop, style::BarBottom);
    FillSolid(dc, RECT{client.left, client.top, client.right, client.top + 1}, style::BarEdge);

    SelectObjectScope font(dc, font_.Get());
    ::SetBkMode(dc, TRANSPARENT);
    for (int key = 0; key < SoftKeyCount; ++key) {
        const SoftKeyButton& button = Button(key);
        if (!button.present || button.hidden)
            continue;  // a hidden button leaves its half empty
        RECT half{key == LeftSoftKey ? client.left : HalfWidth, client.top + 1,
                  key == LeftSoftKey ? HalfWidth : client.right, client.bottom};
        const bool lit = pressed_[static_cast<std::size_t>(key)] || openKey_ == key;
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
    PublishScreenText(window_, text);
}

}  // namespace vellumate
