#include "platform/MessageBox.h"

#include "platform/Handset.h"

#include <algorithm>
#include <string>
#include <vector>

namespace vellumate {
namespace {

constexpr int Margin = 6;
constexpr int ButtonGap = 6;
// The control number of a message box's text.
constexpr int TextControl = 0xFFFF;

struct BoxParts {
    HWND icon = nullptr;
    std::vector<HWND> buttons;
};

BOOL CALLBACK CollectPart(HWND child, LPARAM data) noexcept
{
    auto& parts = *reinterpret_cast<BoxParts*>(data);
    // Its own visible style: the box itself is not shown yet.
    if (!(::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE))
        return TRUE;
    wchar_t className[16] = {};
    ::GetClassNameW(child, className, _countof(className));
    const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
    if (::lstrcmpiW(className, L"Button") == 0)
        parts.buttons.push_back(child);
    else if (::lstrcmpiW(className, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON)
        parts.icon = child;
    return TRUE;
}

// Where a child stands, in its parent's client coordinates.
RECT ChildRect(HWND child) noexcept
{
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int TextHeight(HWND text, int width) noexcept
{
    const int length = ::GetWindowTextLengthW(text);
    std::wstring content(static_cast<size_t>(length) + 1, L'\0');
    ::GetWindowTextW(text, content.data(), length + 1);
    HDC dc = ::GetDC(text);
    if (!dc)
        return 0;
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(text, WM_GETFONT, 0, 0)));
    RECT rect{0, 0, width, 0};
    ::DrawTextW(dc, content.c_str(), length, &rect,
                DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX);
    ::SelectObject(dc, old);
    ::ReleaseDC(text, dc);
    return rect.bottom - rect.top;
}

// Whether the box of the innermost HandsetMessageBox call on this thread
// still waits for its layout.
thread_local bool* pendingBox = nullptr;

// Where a box keeps its own window procedure while it waits for its layout.
constexpr wchar_t OwnProcedureProperty[] = L"VellumateMessageBoxProcedure";
// Posted to the box once it is activated: the system's message box places
// its buttons once more after that, so the layout has to come after it (and
// before the first paint, which a posted message does).
constexpr UINT FitMessage = WM_APP + 0x3F0;

LRESULT CALLBACK WaitForLayout(HWND box, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    const auto own = reinterpret_cast<WNDPROC>(::GetPropW(box, OwnProcedureProperty));
    if (message == FitMessage || message == WM_NCDESTROY) {
        // Back to the box's own procedure for the rest of its life.
        ::SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        ::RemovePropW(box, OwnProcedureProperty);
        if (message == FitMessage) {
            FitMessageBoxToScreen(box);
            return 0;
        }
    }
    return own ? ::CallWindowProcW(own, box, message, wParam, lParam) : ::DefWindowProcW(box, message, wParam, lParam);
}

// A hook for the time of one HandsetMessageBox call: the first dialog
// activated is the box.
LRESULT CALLBACK WatchActivation(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    if (code == HCBT_ACTIVATE && pendingBox && *pendingBox) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        wchar_t className[8] = {};
        ::GetClassNameW(window, className, _countof(className));
        if (::lstrcmpW(className, L"#32770") == 0 && ::GetDlgItem(window, TextControl)) {
            *pendingBox = false;
            const LONG_PTR own = ::GetWindowLongPtrW(window, GWLP_WNDPROC);
            if (::SetPropW(window, OwnProcedureProperty, reinterpret_cast<HANDLE>(own)) &&
                ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WaitForLayout)))
                ::PostMessageW(window, FitMessage, 0, 0);
            else
                FitMessageBoxToScreen(window);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

class ActivationHook {
public:
    ActivationHook() noexcept : m_hook(::SetWindowsHookExW(WH_CBT, &WatchActivation, nullptr, ::GetCurrentThreadId()))
    {
    }
    ~ActivationHook()
    {
        if (m_hook)
            ::UnhookWindowsHookEx(m_hook);
    }
    ActivationHook(const ActivationHook&) = delete;
    ActivationHook& operator=(const ActivationHook&) = delete;

private:
    HHOOK m_hook;
};

}  // namespace

void FitMessageBoxToScreen(HWND box) noexcept
{
    const HWND text = ::GetDlgItem(box, TextControl);
    if (!text)
        return;
    BoxParts parts;
    ::EnumChildWindows(box, &CollectPart, reinterpret_cast<LPARAM>(&parts));
    std::sort(parts.buttons.begin(), parts.buttons.end(),
              [](HWND a, HWND b) { return ChildRect(a).left < ChildRect(b).left; });

    RECT frame{0, 0, 0, 0};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(box, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(box, GWL_EXSTYLE)));
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    const int clientWidth = ScreenWidth - frameWidth;

    const RECT iconRect = parts.icon ? ChildRect(parts.icon) : RECT{};
    const int iconWidth = iconRect.right - iconRect.left;
    const int iconHeight = iconRect.bottom - iconRect.top;
    const int textLeft = Margin + (parts.icon ? iconWidth + Margin : 0);
    const int textWidth = std::max(clientWidth - textLeft - Margin, 1);
    int textHeight = TextHeight(text, textWidth);

    const int count = static_cast<int>(parts.buttons.size());
    const RECT buttonRect = count ? ChildRect(parts.buttons.front()) : RECT{};
    int buttonWidth = buttonRect.right - buttonRect.left;
    const int buttonHeight = buttonRect.bottom - buttonRect.top;
    if (count && count * buttonWidth + (count - 1) * ButtonGap > clientWidth - 2 * Margin)
        buttonWidth = (clientWidth - 2 * Margin - (count - 1) * ButtonGap) / count;

    // A text too long for the work area keeps what fits; the buttons stay.
    const int buttonRow = count ? buttonHeight + Margin : 0;
    const int maxTextHeight = WorkAreaHeight - frameHeight - 2 * Margin - buttonRow;
    textHeight = std::min(textHeight, maxTextHeight);
    const int bodyHeight = std::max(textHeight, iconHeight);
    const int buttonTop = Margin + bodyHeight + Margin;
    const int clientHeight = buttonTop + buttonRow;
    const int boxHeight = std::min(clientHeight + frameHeight, WorkAreaHeight);

    ::SetWindowPos(box, nullptr, 0, WorkAreaTop + (WorkAreaHeight - boxHeight) / 2, ScreenWidth, boxHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (parts.icon)
        ::MoveWindow(parts.icon, Margin, Margin, iconWidth, iconHeight, FALSE);
    const int textTop = Margin + (textHeight < iconHeight ? (iconHeight - textHeight) / 2 : 0);
    ::MoveWindow(text, textLeft, textTop, textWidth, textHeight, FALSE);
    int left = (clientWidth - (count * buttonWidth + (count - 1) * ButtonGap)) / 2;
    for (const HWND button : parts.buttons) {
        ::MoveWindow(button, left, buttonTop, buttonWidth, buttonHeight, FALSE);
        left += buttonWidth + ButtonGap;
    }
    ::InvalidateRect(box, nullptr, TRUE);
}

int HandsetMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style) noexcept
{
    bool pending = true;
    bool* const outer = pendingBox;
    pendingBox = &pending;
    const ActivationHook hook;
    const int result = ::MessageBoxW(owner, text ? text : L"", caption, style);
    pendingBox = outer;
    // The owner gets the activation back; under X the focus may first fall
    // to another program's window as the box goes, which would leave the
    // owner behind it.
    const HWND top = owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
    if (top && ::IsWindowVisible(top) && ::IsWindowEnabled(top) && ::GetForegroundWindow() != top &&
        ::GetWindowThreadProcessId(top, nullptr) == ::GetCurrentThreadId())
        ::SetForegroundWindow(top);
    return result;
}

}  // namespace vellumate
