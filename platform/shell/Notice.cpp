#include "platform/shell/Notice.h"

#include "platform/Handset.h"
#include "platform/Painting.h"
#include "platform/ScreenText.h"
#include "platform/HandsetStyle.h"

#include <algorithm>

namespace vellumate {
namespace {

constexpr int IconSize = 16;
constexpr int Padding = 8;
constexpr int TextLeft = style::Margin + IconSize + 6;
constexpr int TextWidth = ScreenWidth - TextLeft - style::Margin;
constexpr int EdgeHeight = 2;
constexpr COLORREF ErrorEdge = RGB(196, 48, 40);
constexpr COLORREF InformationEdge = style::HighlightBottom;

constexpr wchar_t OkLabel[] = L"OK";

int MeasureTextHeight(HFONT font, const std::wstring& text)
{
    WindowDC screen(nullptr);
    SelectObjectScope selected(screen.Get(), font);
    RECT rect{0, 0, TextWidth, 0};
    ::DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &rect,
                DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    return rect.bottom - rect.top;
}

}  // namespace

bool Notice::Create(HINSTANCE instance, HWND owner, const std::wstring& caption, const std::wstring& text,
                    NoticeKind kind)
{
    m_font = MakeInterfaceFont(13);
    m_barFont = MakeInterfaceFont(13, FW_BOLD);
    m_background.Reset(::CreateSolidBrush(style::Background));
    m_icon = static_cast<HICON>(::LoadImageW(nullptr, kind == NoticeKind::Error ? IDI_ERROR : IDI_INFORMATION,
                                             IMAGE_ICON, IconSize, IconSize, LR_SHARED));
    m_edge = kind == NoticeKind::Error ? ErrorEdge : InformationEdge;
    if (!RegisterWindowClass(instance, NoticeClass, 0, ::LoadCursorW(nullptr, IDC_ARROW)))
        return false;

    // As tall as the text needs, rising from the bottom of the screen, never
    // over the title strip.
    const int textHeight = std::max(IconSize, MeasureTextHeight(m_font.Get(), text));
    const int height = std::min(ScreenHeight - TitleStripHeight, EdgeHeight + 2 * Padding + textHeight + MenuBarHeight);
    const RECT rect{0, ScreenHeight - height, ScreenWidth, ScreenHeight};
    if (!CreateWindowObject(instance, NoticeClass, caption.c_str(), WS_POPUP, 0, rect, owner))
        return false;

    const int textTop = EdgeHeight + Padding;
    const HWND message =
        ::CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
                          TextLeft, textTop, TextWidth, height - textTop - Padding - MenuBarHeight, m_window,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(NoticeTextId)), instance, nullptr);
    if (!message)
        return false;
    ::SendMessageW(message, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
    return true;
}

LRESULT Notice::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_F1:
        case VK_F2:
            m_dismissed = true;
            break;
        }
        return 0;
    case WM_CLOSE:
        m_dismissed = true;
        return 0;
    case WM_CTLCOLORSTATIC:
        ::SetTextColor(reinterpret_cast<HDC>(wParam), style::Text);
        ::SetBkColor(reinterpret_cast<HDC>(wParam), style::Background);
        return reinterpret_cast<LRESULT>(m_background.Get());
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DESTROY:
        WithdrawScreenText(m_window);
        return 0;
    default:
        return ::DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void Notice::Paint()
{
    BufferedPaint paint(m_window);
    const HDC dc = paint.Dc();
    const RECT& client = paint.Client();
    FillSolid(dc, client, style::Background);
    FillSolid(dc, RECT{client.left, client.top, client.right, client.top + EdgeHeight}, m_edge);
    if (m_icon)
        ::DrawIconEx(dc, style::Margin, EdgeHeight + Padding, m_icon, IconSize, IconSize, 0, nullptr, DI_NORMAL);

    // The soft-key bar: "OK" on the left soft key.
    RECT bar{client.left, client.bottom - MenuBarHeight, client.right, client.bottom};
    FillVerticalGradient(dc, bar, style::BarTop, style::BarBottom);
    SelectObjectScope font(dc, m_barFont.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, style::BarText);
    RECT label{bar.left + style::Margin, bar.top, bar.left + ScreenWidth / 2, bar.bottom};
    ::DrawTextW(dc, OkLabel, -1, &label, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    PublishScreenText(m_window, OkLabel);
}

void ShowNotice(HINSTANCE instance, HWND owner, const std::wstring& caption, const std::wstring& text, NoticeKind kind)
{
    Notice notice;
    if (!notice.Create(instance, owner, caption, text, kind))
        return;
    // Modal, as a message box is: the owner takes no keys until dismissal.
    ::EnableWindow(owner, FALSE);
    ::ShowWindow(notice.Window(), SW_SHOW);
    ::SetForegroundWindow(notice.Window());

    MSG message;
    bool quit = false;
    int exitCode = 0;
    while (!notice.Dismissed()) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            exitCode = static_cast<int>(message.wParam);
            break;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    // Enabled again before the notice goes, so that activation returns to it.
    ::EnableWindow(owner, TRUE);
    ::SetForegroundWindow(owner);
    if (quit)
        ::PostQuitMessage(exitCode);  // the outer loop must see it too
}

}  // namespace vellumate
