#include "platform/shell/TitleStrip.h"

#include "platform/Handset.h"
#include "platform/Painting.h"

#include <cwchar>

namespace vellumate {
namespace {

// WinEvent callbacks carry no context; there is one strip per shell.
TitleStrip* hookedStrip = nullptr;

// The foreground and title events arrive at once; the timer is the safety
// net for a change the events miss, and it keeps the clock going.
constexpr UINT_PTR RefreshTimer = 1;
constexpr UINT RefreshIntervalMs = 250;

constexpr COLORREF StripTop = RGB(62, 78, 110);
constexpr COLORREF StripBottom = RGB(18, 24, 38);
constexpr COLORREF StripEdge = RGB(8, 10, 16);
constexpr COLORREF TitleColour = RGB(255, 255, 255);
constexpr COLORREF ClockColour = RGB(200, 210, 228);
constexpr int Margin = 4;

std::wstring ClockText()
{
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    wchar_t text[8];
    _snwprintf(text, sizeof text / sizeof text[0], L"%u:%02u", now.wHour, now.wMinute);
    text[7] = L'\0';
    return text;
}

}  // namespace

bool TitleStrip::Create(HINSTANCE instance, std::wstring idleTitle)
{
    idleTitle_ = std::move(idleTitle);
    titleFont_ = MakeInterfaceFont(13, FW_BOLD);
    clockFont_ = MakeInterfaceFont(12);
    if (!RegisterWindowClass(instance, TitleStripClass, 0, ::LoadCursorW(nullptr, IDC_ARROW)))
        return false;
    const RECT rect{0, 0, ScreenWidth, TitleStripHeight};
    if (!CreateWindowObject(instance, TitleStripClass, L"", WS_POPUP,
                            WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, rect))
        return false;

    hookedStrip = this;
    foregroundHook_.Reset(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &OnWinEvent,
                                            0, 0, WINEVENT_OUTOFCONTEXT));
    nameHook_.Reset(::SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, &OnWinEvent, 0, 0,
                                      WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
    ::SetTimer(window_, RefreshTimer, RefreshIntervalMs, nullptr);
    Refresh();
    ::ShowWindow(window_, SW_SHOWNOACTIVATE);
    return true;
}

LRESULT TitleStrip::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
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
        ::KillTimer(window_, RefreshTimer);
        foregroundHook_.Reset();
        nameHook_.Reset();
        if (hookedStrip == this)
            hookedStrip = nullptr;
        return 0;
    default:
        return ::DefWindowProcW(window_, message, wParam, lParam);
    }
}

void CALLBACK TitleStrip::OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD,
                                     DWORD) noexcept
{
    if (!hookedStrip || object != OBJID_WINDOW)
        return;
    if (event == EVENT_OBJECT_NAMECHANGE && window != ::GetForegroundWindow())
        return;
    try {
        hookedStrip->Refresh();
    } catch (...) {
        // the timer tries again shortly
    }
}

std::wstring TitleStrip::ForegroundTitle() const
{
    const HWND front = ::GetForegroundWindow();
    if (!front || front == window_)
        return idleTitle_;
    // InternalGetWindowText reads the stored title without sending a message,
    // so a program that hangs cannot hang the strip.
    wchar_t text[256];
    const int length = ::InternalGetWindowText(front, text, static_cast<int>(sizeof text / sizeof text[0]));
    return std::wstring(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

void TitleStrip::Refresh()
{
    std::wstring title = ForegroundTitle();
    std::wstring clock = ClockText();
    if (title == title_ && clock == clock_)
        return;
    if (title != title_)
        ::SetWindowTextW(window_, title.c_str());  // readers of the window text see the title too
    title_ = std::move(title);
    clock_ = std::move(clock);
    ::InvalidateRect(window_, nullptr, FALSE);
}

void TitleStrip::Paint()
{
    BufferedPaint paint(window_);
    const HDC dc = paint.Dc();
    RECT client = paint.Client();

    RECT face = client;
    face.bottom -= 1;
    FillVerticalGradient(dc, face, StripTop, StripBottom);
    FillSolid(dc, RECT{client.left, client.bottom - 1, client.right, client.bottom}, StripEdge);

    ::SetBkMode(dc, TRANSPARENT);

    RECT clockRect{client.left, client.top, client.right - Margin, face.bottom};
    {
        SelectObjectScope font(dc, clockFont_.Get());
        ::SetTextColor(dc, ClockColour);
        RECT measured{};
        ::DrawTextW(dc, clock_.c_str(), static_cast<int>(clock_.size()), &measured, DT_SINGLELINE | DT_CALCRECT);
        clockRect.left = clockRect.right - (measured.right - measured.left);
        ::DrawTextW(dc, clock_.c_str(), static_cast<int>(clock_.size()), &clockRect,
                    DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }

    RECT titleRect{client.left + Margin, client.top, clockRect.left - Margin, face.bottom};
    SelectObjectScope font(dc, titleFont_.Get());
    ::SetTextColor(dc, TitleColour);
    ::DrawTextW(dc, title_.c_str(), static_cast<int>(title_.size()), &titleRect,
                DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace vellumate
