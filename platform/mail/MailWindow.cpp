#include "platform/mail/MailWindow.h"

#include "platform/Handles.h"
#include "platform/Handset.h"
#include "platform/PageWindow.h"
#include "platform/Painting.h"
#include "platform/ScreenText.h"
#include "platform/SoftKeyBar.h"
#include "platform/mail/MailResources.h"
#include "platform/mail/OutgoingMail.h"

namespace vellumate {
namespace {

FontHandle CellFont(int weight)
{
    return FontHandle(::CreateFontW(14, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
}

std::wstring LeafOf(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::wstring AttachmentOf(std::wstring_view commandLine)
{
    const std::size_t flag = commandLine.find(L"-attach");
    if (flag == std::wstring_view::npos)
        return {};
    std::wstring_view rest = commandLine.substr(flag + 7);
    while (!rest.empty() && (rest.front() == L' ' || rest.front() == L'\t'))
        rest.remove_prefix(1);
    if (!rest.empty() && rest.front() == L'"') {
        rest.remove_prefix(1);
        return std::wstring(rest.substr(0, rest.find(L'"')));
    }
    return std::wstring(rest.substr(0, rest.find_first_of(L" \t")));
}

bool MailWindow::Create(HINSTANCE instance)
{
    if (!RegisterWindowClass(instance, MailClass, CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW)))
        return false;
    const RECT area{0, WorkAreaTop, ScreenWidth, WorkAreaTop + WorkAreaHeight};
    if (!CreateWindowObject(instance, MailClass, MailTitle, WS_POPUP | WS_VISIBLE, 0, area))
        return false;
    SHMENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    bar.hwndParent = Window();
    bar.nToolBarId = IDM_MAIL_BAR;
    bar.hInstRes = instance;
    if (!SHCreateMenuBar(&bar) || !bar.hwndMB)
        return false;
    m_menuBar = bar.hwndMB;
    ::SendMessageW(m_menuBar, SHCMBM_OVERRIDEKEY, VK_ESCAPE,
                   MAKELPARAM(SHMBOF_NODEFAULT | SHMBOF_NOTIFY, SHMBOF_NODEFAULT | SHMBOF_NOTIFY));
    ::SetForegroundWindow(Window());
    ::SetFocus(Window());
    return true;
}

void MailWindow::Send()
{
    mail::OutgoingMessage message;
    message.subject = m_attachment.empty() ? L"(no subject)" : LeafOf(m_attachment);
    message.body = L"Sent from the handset.";
    message.attachment = m_attachment;
    std::wstring problem;
    if (mail::QueueOutgoing(message, problem) == 0) {
        m_note = problem;
        ::InvalidateRect(Window(), nullptr, FALSE);
        return;
    }
    ::DestroyWindow(Window());
}

LRESULT MailWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == ID_MAIL_SEND) {
            Send();
            return 0;
        }
        if (LOWORD(wParam) == ID_MAIL_CANCEL) {
            ::DestroyWindow(Window());
            return 0;
        }
        break;
    case WM_PAINT:
        Paint();
        return 0;
    default:
        break;
    }
    LRESULT result = 0;
    if (HandlePageMessage(Window(), message, lParam, true, result))
        return result;
    return ::DefWindowProcW(Window(), message, wParam, lParam);
}

void MailWindow::Paint()
{
    BufferedPaint paint(Window());
    HDC dc = paint.Dc();
    RECT box = BeginPage(paint);
    const FontHandle bold = CellFont(FW_BOLD);
    const FontHandle normal = CellFont(FW_NORMAL);
    std::wstring text = L"New Message";
    {
        SelectObjectScope select(dc, bold.Get());
        ::DrawTextW(dc, text.c_str(), -1, &box, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
    box.top += 20;
    const std::wstring shown = L"To: (choose when sending)\nAttachment: " +
                               (m_attachment.empty() ? std::wstring(L"none") : LeafOf(m_attachment)) +
                               (m_note.empty() ? L"" : L"\n\n" + m_note);
    SelectObjectScope select(dc, normal.Get());
    ::DrawTextW(dc, shown.c_str(), -1, &box, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
    PublishScreenText(Window(), text + L"\n" + shown);
}

}  // namespace vellumate
