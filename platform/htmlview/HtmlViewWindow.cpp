#include "platform/htmlview/HtmlViewWindow.h"

#include "platform/Painting.h"
#include "platform/htmlview/HtmlView.h"
#include "platform/htmlview/PagePainter.h"

#include <windowsx.h>

#include <algorithm>
#include <new>
#include <utility>

namespace vellumate::htmlview {

namespace {

// The object lives in the class's extra window bytes: the user-data slot is
// left to the parent, which subclasses the control and keeps its previous
// window procedure there.
constexpr int ObjectOffset = 0;

constexpr wchar_t NoText[] = L"";

ATOM g_classAtom = 0;

LRESULT CALLBACK HtmlViewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    auto* view = reinterpret_cast<HtmlViewWindow*>(::GetWindowLongPtrW(window, ObjectOffset));
    if (message == WM_NCCREATE && !view) {
        view = new (std::nothrow) HtmlViewWindow(window);
        if (!view)
            return FALSE;
        ::SetWindowLongPtrW(window, ObjectOffset, reinterpret_cast<LONG_PTR>(view));
    }
    if (!view)
        return ::DefWindowProcW(window, message, wParam, lParam);

    LRESULT result = 0;
    view->Enter();
    try {
        result = view->HandleMessage(message, wParam, lParam);
    } catch (...) {
        result = 0;  // out of memory in a handler: the message fails, the program goes on
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, ObjectOffset, 0);
        view->MarkDestroyed();
    }
    if (view->LeaveAndCheckGone())
        delete view;
    return result;
}

}  // namespace

bool RegisterHtmlViewClass(HINSTANCE module) noexcept
{
    if (g_classAtom)
        return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = HtmlViewProcedure;
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = module;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = WC_HTML;
    g_classAtom = ::RegisterClassExW(&windowClass);
    return g_classAtom != 0;
}

void UnregisterHtmlViewClass(HINSTANCE module) noexcept
{
    if (g_classAtom && ::UnregisterClassW(WC_HTML, module))
        g_classAtom = 0;
}

LRESULT HtmlViewWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS;
    case WM_SIZE:
        Relayout();
        Invalidate();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint covers every pixel
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_KEYDOWN:
        if (OnKeyDown(wParam))
            return 0;
        break;
    case WM_LBUTTONDOWN:
        OnClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEWHEEL:
        OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_SETTEXT:
        SetSource(reinterpret_cast<const wchar_t*>(lParam));
        return TRUE;
    case WM_GETTEXT:
        return CopyVisibleText(wParam, reinterpret_cast<wchar_t*>(lParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(VisibleText(m_layout, m_view, ViewHeight()).size());
    case DTM_ADDTEXTW:
        return AddSource(wParam != 0, reinterpret_cast<const wchar_t*>(lParam));
    case DTM_ENDOFSOURCE:
        ShowSource();
        return 0;
    case DTM_SETIMAGE:
        return SetPicture(reinterpret_cast<const INLINEIMAGEINFO*>(lParam));
    case DTM_IMAGEFAIL:
        return FailPicture(static_cast<DWORD_PTR>(lParam));
    case DTM_NAVIGATE:
        return lParam && Navigate(reinterpret_cast<const wchar_t*>(lParam));
    case DTM_VIEWEROPTION:
        return 0;  // the page is always shown at its own sizes
    }
    return ::DefWindowProcW(m_window, message, wParam, lParam);
}

// ---- source and page ------------------------------------------------------

bool HtmlViewWindow::AddSource(bool plainText, const wchar_t* text)
{
    if (!text)
        return false;
    if (plainText)
        m_source += PlainTextToHtml(text);
    else
        m_source += text;
    return true;
}

void HtmlViewWindow::SetSource(const wchar_t* text)
{
    m_source = text ? text : L"";
    if (m_source.empty())
        Clear();
    else
        ShowSource();
}

void HtmlViewWindow::Clear()
{
    ++m_generation;
    m_document = {};
    m_pictures.Reset(0);
    m_layout = {};
    m_view = {};
    m_layoutStale = false;
    Invalidate();
}

void HtmlViewWindow::ShowSource()
{
    ++m_generation;
    m_document = ParseHtml(m_source);
    m_pictures.Reset(m_document.images.size());
    m_view = {};
    Relayout();
    Invalidate();
    RequestPictures();
}

void HtmlViewWindow::RequestPictures()
{
    const unsigned generation = m_generation;
    const bool wasRequesting = std::exchange(m_requesting, true);
    for (std::size_t i = 0; i < m_pictures.Count(); ++i) {
        if (generation != m_generation || m_destroyed)
            break;
        if (m_pictures.StateOf(i) != PagePictures::State::Pending)
            continue;
        // Copies: the parent may replace the page while it answers.
        const std::wstring source = m_document.images[i].src;
        const LRESULT answered = Notify(NM_INLINE_IMAGE, source.c_str(), m_pictures.Cookie(i));
        if (generation == m_generation && !answered)
            m_pictures.FailIfPending(i);  // nobody loads it, and the viewer cannot
    }
    m_requesting = wasRequesting;
    if (!m_requesting && m_layoutStale && !m_destroyed) {
        m_layoutStale = false;
        Relayout();
        Invalidate();
    }
}

BOOL HtmlViewWindow::SetPicture(const INLINEIMAGEINFO* info)
{
    if (!info)
        return FALSE;
    const bool set =
        m_pictures.Set(info->dwCookie, info->hbm, info->bOwnBitmap != FALSE, {info->iOrigWidth, info->iOrigHeight});
    PicturesChanged();
    return set ? TRUE : FALSE;
}

BOOL HtmlViewWindow::FailPicture(DWORD_PTR cookie)
{
    if (!m_pictures.Fail(cookie))
        return FALSE;
    PicturesChanged();
    return TRUE;
}

void HtmlViewWindow::PicturesChanged()
{
    if (m_requesting) {
        m_layoutStale = true;
        return;
    }
    Relayout();
    Invalidate();
}

bool HtmlViewWindow::Navigate(std::wstring_view target)
{
    if (target.empty() || target.front() != L'#')
        return false;  // no other pages to load
    const std::wstring_view name = target.substr(1);
    const std::optional<int> top = name.empty() ? std::optional<int>(0) : m_layout.AnchorTop(name);
    if (!top)
        return false;
    if (ScrollTo(m_view, *top, m_layout, ViewHeight()))
        Invalidate();
    return true;
}

// ---- keys, mouse, links -----------------------------------------------------

bool HtmlViewWindow::OnKeyDown(WPARAM key)
{
    ViewKey move;
    switch (key) {
    case VK_UP:
        move = ViewKey::LineUp;
        break;
    case VK_DOWN:
        move = ViewKey::LineDown;
        break;
    case VK_LEFT:
    case VK_PRIOR:
        move = ViewKey::PageUp;
        break;
    case VK_RIGHT:
    case VK_NEXT:
        move = ViewKey::PageDown;
        break;
    case VK_HOME:
        move = ViewKey::Top;
        break;
    case VK_END:
        move = ViewKey::Bottom;
        break;
    case VK_RETURN:
        if (m_view.focusedLink < 0)
            return false;
        FollowLink(m_view.focusedLink);
        return true;
    default:
        return false;
    }
    if (MoveView(m_view, move, m_layout, ViewHeight()))
        Invalidate();
    return true;
}

void HtmlViewWindow::OnClick(int x, int y)
{
    ::SetFocus(m_window);
    const int link = LinkAt(m_layout, x, y + m_view.scrollY);
    if (link < 0)
        return;
    m_view.focusedLink = link;
    Invalidate();
    FollowLink(link);
}

void HtmlViewWindow::OnWheel(int delta)
{
    constexpr int LinesPerNotch = 3;
    const int step = FontPixelHeight(3) * LinesPerNotch;
    if (ScrollTo(m_view, m_view.scrollY - delta * step / WHEEL_DELTA, m_layout, ViewHeight()))
        Invalidate();
}

void HtmlViewWindow::FollowLink(int link)
{
    if (link < 0 || static_cast<std::size_t>(link) >= m_document.links.size())
        return;
    const std::wstring target = m_document.links[static_cast<std::size_t>(link)].href;
    const LRESULT handled = Notify(NM_HOTSPOT, target.c_str(), 0);
    if (!handled && !m_destroyed)
        Navigate(target);  // the default: jump to an anchor of the page
}

LRESULT HtmlViewWindow::Notify(UINT code, const wchar_t* target, DWORD_PTR cookie)
{
    HWND parent = ::GetParent(m_window);
    if (!parent)
        return 0;
    NM_HTMLVIEW notification{};
    notification.hdr.hwndFrom = m_window;
    notification.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_window));
    notification.hdr.code = code;
    notification.szTarget = target;
    notification.szData = NoText;
    notification.dwCookie = cookie;
    notification.szExInfo = NoText;
    return ::SendMessageW(parent, WM_NOTIFY, notification.hdr.idFrom, reinterpret_cast<LPARAM>(&notification));
}

// ---- layout and painting ----------------------------------------------------

int HtmlViewWindow::ViewHeight() const
{
    RECT client{};
    ::GetClientRect(m_window, &client);
    return client.bottom - client.top;
}

void HtmlViewWindow::Relayout()
{
    RECT client{};
    ::GetClientRect(m_window, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0) {  // not sized yet: WM_SIZE lays out again
        m_layout = {};
        return;
    }
    const std::vector<ImageSize> boxes = m_pictures.Boxes(m_document);
    m_layout = LayOutPage(m_document, width, m_fonts, boxes);
    if (m_layout.height > height && width > ScrollIndicatorReserve)
        m_layout = LayOutPage(m_document, width - ScrollIndicatorReserve, m_fonts, boxes);

    if (m_view.focusedLink >= static_cast<int>(m_document.links.size()))
        m_view.focusedLink = -1;
    ScrollTo(m_view, m_view.scrollY, m_layout, height);
}

void HtmlViewWindow::OnPaint()
{
    BufferedPaint paint(m_window);
    Paint(paint.Dc());
}

void HtmlViewWindow::Paint(HDC dc)
{
    if (!dc)
        return;
    RECT client{};
    ::GetClientRect(m_window, &client);
    const std::vector<HBITMAP> bitmaps = m_pictures.Bitmaps();
    PaintPage(dc, client, m_layout, m_view, m_fonts, bitmaps);
}

void HtmlViewWindow::Invalidate() const
{
    ::InvalidateRect(m_window, nullptr, FALSE);
}

LRESULT HtmlViewWindow::CopyVisibleText(WPARAM capacity, wchar_t* buffer) const
{
    if (!buffer || capacity == 0)
        return 0;
    const std::wstring text = VisibleText(m_layout, m_view, ViewHeight());
    const std::size_t count = std::min<std::size_t>(text.size(), capacity - 1);
    std::copy_n(text.data(), count, buffer);
    buffer[count] = L'\0';
    return static_cast<LRESULT>(count);
}

}  // namespace vellumate::htmlview
