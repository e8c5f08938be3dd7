#include "platform/shell/CallNotice.h"

#include "platform/Handset.h"
#include "platform/HandsetStyle.h"
#include "platform/Painting.h"
#include "platform/ScreenText.h"

namespace vellumate {
namespace {

constexpr UINT_PTR ShownTimer = 1;
constexpr wchar_t CallingLabel[] = L"Calling";
constexpr wchar_t EndLabel[] = L"End";

}  // namespace

bool CallNotice::Create(HINSTANCE instance, const std::wstring& number, const std::wstring& calledParty, UINT shownMs)
{
    m_number = number;
    m_calledParty = calledParty;
    m_text = std::wstring(CallingLabel) + L"\n" + number + (calledParty.empty() ? L"" : L"\n" + calledParty);
    m_labelFont = MakeInterfaceFont(14);
    m_numberFont = MakeInterfaceFont(22, FW_BOLD);
    m_barFont = MakeInterfaceFont(13, FW_BOLD);
    if (!RegisterWindowClass(instance, CallNoticeClass, 0, ::LoadCursorW(nullptr, IDC_ARROW)))
        return false;
    // Over everything but the title strip, as a call screen is.
    const RECT rect{0, TitleStripHeight, ScreenWidth, ScreenHeight};
    if (!CreateWindowObject(instance, CallNoticeClass, CallingLabel, WS_POPUP, WS_EX_TOPMOST, rect))
        return false;
    ::SetTimer(m_window, ShownTimer, shownMs, nullptr);
    ::ShowWindow(m_window, SW_SHOW);
    ::SetForegroundWindow(m_window);
    ::SetFocus(m_window);
    return true;
}

LRESULT CallNotice::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_F4:  // End
        case VK_ESCAPE:
        case VK_F1:
        case VK_F2:
            ::DestroyWindow(m_window);
            break;
        }
        return 0;
    case WM_TIMER:
        if (wParam == ShownTimer)
            ::DestroyWindow(m_window);
        return 0;
    case WM_CLOSE:
        ::DestroyWindow(m_window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DESTROY:
        ::KillTimer(m_window, ShownTimer);
        WithdrawScreenText(m_window);
        return 0;
    default:
        return ::DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void CallNotice::Paint()
{
    BufferedPaint paint(m_window);
    const HDC dc = paint.Dc();
    const RECT& client = paint.Client();
    FillSolid(dc, client, style::Background);
    ::SetBkMode(dc, TRANSPARENT);

    RECT label{client.left + style::Margin, client.top + 24, client.right - style::Margin, client.top + 44};
    {
        SelectObjectScope font(dc, m_labelFont.Get());
        ::SetTextColor(dc, style::DimText);
        ::DrawTextW(dc, CallingLabel, -1, &label, DT_SINGLELINE | DT_CENTER | DT_NOPREFIX);
    }
    // The number may be long: it wraps rather than being cut.
    RECT number{client.left + style::Margin, label.bottom + 8, client.right - style::Margin,
                client.bottom - MenuBarHeight - 28};
    {
        SelectObjectScope font(dc, m_numberFont.Get());
        ::SetTextColor(dc, style::Text);
        ::DrawTextW(dc, m_number.c_str(), static_cast<int>(m_number.size()), &number,
                    DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    }
    if (!m_calledParty.empty()) {
        RECT party{client.left + style::Margin, client.bottom - MenuBarHeight - 26, client.right - style::Margin,
                   client.bottom - MenuBarHeight - 6};
        SelectObjectScope font(dc, m_labelFont.Get());
        ::SetTextColor(dc, style::Text);
        ::DrawTextW(dc, m_calledParty.c_str(), static_cast<int>(m_calledParty.size()), &party,
                    DT_SINGLELINE | DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }

    RECT bar{client.left, client.bottom - MenuBarHeight, client.right, client.bottom};
    FillVerticalGradient(dc, bar, style::BarTop, style::BarBottom);
    SelectObjectScope font(dc, m_barFont.Get());
    ::SetTextColor(dc, style::BarText);
    RECT end{bar.left + style::Margin, bar.top, bar.left + ScreenWidth / 2, bar.bottom};
    ::DrawTextW(dc, EndLabel, -1, &end, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    PublishScreenText(m_window, m_text + L"\n" + EndLabel);
}

}  // namespace vellumate
