#include "platform/shell/TitleStrip.h"

#include "platform/Handset.h"
#include "platform/Painting.h"
#include "platform/ShellMessages.h"
#include "platform/shell/FrontWindow.h"
#include "platform/HandsetStyle.h"

#include <string>

namespace vellumate {
namespace {

// WinEvent callbacks carry no context; there is one strip per shell.
TitleStrip* hookedStrip = nullptr;

// The foreground and title events arrive at once where the system sends them
// (Wine 8 does not); the timer catches every other change and keeps the clock
// going, and the session driver asks for a refresh before it reads the screen.
constexpr UINT_PTR RefreshTimer = 1;
constexpr UINT RefreshIntervalMs = 250;

constexpr int TextInset = 4;  // from either end of the strip

// "9:05": the handset shows the hour without a leading zero.
std::wstring ClockText()
{
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return std::to_wstring(now.wHour) + (now.wMinute < 10 ? L":0" : L":") + std::to_wstring(now.wMinute);
}

}  // namespace

bool TitleStrip::Create(HINSTANCE instance, std::wstring idleTitle)
{
    m_idleTitle = std::move(idleTitle);
    m_refreshMessage = ::RegisterWindowMessageW(TitleStripRefreshMessage);
    m_titleFont = MakeInterfaceFont(13, FW_BOLD);
    m_clockFont = MakeInterfaceFont(12);
    if (!RegisterWindowClass(instance, TitleStripClass, 0, ::LoadCursorW(nullptr, IDC_ARROW)))
        return false;
    const RECT rect{0, 0, ScreenWidth, TitleStripHeight};
    if (!CreateWindowObject(instance, TitleStripClass, L"", WS_POPUP,
                            WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, rect))
        return false;

    hookedStrip = this;
    const auto hook = [](DWORD event, DWORD flags) {
        return WinEventHookHandle(::SetWinEventHook(event, event, nullptr, &OnWinEvent, 0, 0, flags));
    };
    m_foregroundHook = hook(EVENT_SYSTEM_FOREGROUND, WINEVENT_OUTOFCONTEXT);
    m_showHook = hook(EVENT_OBJECT_SHOW, WINEVENT_OUTOFCONTEXT);
    m_nameHook = hook(EVENT_OBJECT_NAMECHANGE, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    ::SetTimer(m_window, RefreshTimer, RefreshIntervalMs, nullptr);
    Refresh();
    ::ShowWindow(m_window, SW_SHOWNOACTIVATE);
    return true;
}

LRESULT TitleStrip::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == m_refreshMessage && m_refreshMessage != 0) {
        Refresh();
        ::UpdateWindow(m_window);  // painted before the asker reads the screen
        return 0;
    }
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_TIMER:
        if (wParam == RefreshTimer)
            Refresh();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint covers everything
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DESTROY:
        ::KillTimer(m_window, RefreshTimer);
        m_foregroundHook.Reset();
        m_showHook.Reset();
        m_nameHook.Reset();
        if (hookedStrip == this)
            hookedStrip = nullptr;
        return 0;
    default:
        return ::DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void CALLBACK TitleStrip::OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) noexcept
{
    if (!hookedStrip || object != OBJID_WINDOW)
        return;
    try {
        switch (event) {
        case EVENT_OBJECT_SHOW:
            if (::GetAncestor(window, GA_PARENT) == ::GetDesktopWindow())
                hookedStrip->StayOnTop();  // a new window must not cover the strip
            break;
        case EVENT_OBJECT_NAMECHANGE:
            if (window == FrontWindow())
                hookedStrip->Refresh();
            break;
        default:
            hookedStrip->Refresh();
            break;
        }
    } catch (...) {
        // the timer tries again shortly
    }
}

std::wstring TitleStrip::ForegroundTitle() const
{
    const HWND front = FrontWindow();
    if (!front || front == m_window)
        return m_idleTitle;
    // InternalGetWindowText reads the stored title without sending a message,
    // so a program that hangs cannot hang the strip.
    wchar_t text[256];
    const int length = ::InternalGetWindowText(front, text, static_cast<int>(sizeof text / sizeof text[0]));
    return std::wstring(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

void TitleStrip::Refresh()
{
    const HWND front = FrontWindow();
    if (front != m_front) {
        m_front = front;
        StayOnTop();
    }
    std::wstring title = ForegroundTitle();
    std::wstring clock = ClockText();
    if (title == m_title && clock == m_clock)
        return;
    if (title != m_title)
        ::SetWindowTextW(m_window, title.c_str());  // readers of the window text see the title too
    m_title = std::move(title);
    m_clock = std::move(clock);
    ::InvalidateRect(m_window, nullptr, FALSE);
}

void TitleStrip::StayOnTop()
{
    // Wine's X11 driver puts a newly shown window above every other one on the
    // X server, whatever the Z order says, and restacks a window only when its
    // Z position changes. Leaving the topmost band and coming back is such a
    // change, and raises the strip above everything again.
    constexpr UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    ::SetWindowPos(m_window, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    ::SetWindowPos(m_window, HWND_TOPMOST, 0, 0, 0, 0, flags);
}

void TitleStrip::Paint()
{
    BufferedPaint paint(m_window);
    const HDC dc = paint.Dc();
    RECT client = paint.Client();

    RECT face = client;
    face.bottom -= 1;
    FillVerticalGradient(dc, face, style::BarTop, style::BarBottom);
    FillSolid(dc, RECT{client.left, client.bottom - 1, client.right, client.bottom}, style::BarEdge);

    ::SetBkMode(dc, TRANSPARENT);

    RECT clockRect{client.left, client.top, client.right - TextInset, face.bottom};
    {
        SelectObjectScope font(dc, m_clockFont.Get());
        ::SetTextColor(dc, style::BarDimText);
        RECT measured{};
        ::DrawTextW(dc, m_clock.c_str(), static_cast<int>(m_clock.size()), &measured, DT_SINGLELINE | DT_CALCRECT);
        clockRect.left = clockRect.right - (measured.right - measured.left);
        ::DrawTextW(dc, m_clock.c_str(), static_cast<int>(m_clock.size()), &clockRect,
                    DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }

    RECT titleRect{client.left + TextInset, client.top, clockRect.left - TextInset, face.bottom};
    SelectObjectScope font(dc, m_titleFont.Get());
    ::SetTextColor(dc, style::BarText);
    ::DrawTextW(dc, m_title.c_str(), static_cast<int>(m_title.size()), &titleRect,
                DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace vellumate
