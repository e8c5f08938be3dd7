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
        return static_cast<LRESULT>(VisibleText(layout_, view_, ViewHeight()).size());
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
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

// ---- source and page ------------------------------------------------------

bool HtmlViewWindow::AddSource(bool plainText, const wchar_t* text)
{
    if (!text)
        return false;
    if (plainText)
        source_ += PlainTextToHtml(text);
    else
        source_ += text;
    return true;
}

void HtmlViewWindow::SetSource(const wchar_t* text)
{
    source_ = text ? text : L"";
    if (source_.empty())
        Clear();
    else
        ShowSource();
}

void HtmlViewWindow::Clear()
{
    ++generation_;
    document_ = {};
    pictures_.Reset(0);
    layout_ = {};
    view_ = {};
    layoutStale_ = false;
    Invalidate();
}

void HtmlViewWindow::ShowSource()
{
    ++generation_;
    document_ = ParseHtml(source_);
    pictures_.Reset(document_.images.size());
    view_ = {};
    Relayout();
    Invalidate();
    RequestPictures();
}

void HtmlViewWindow::RequestPictures()
{
    const unsigned generation = generation_;
    const bool wasRequesting = std::exchange(requesting_, true);
    for (std::size_t i = 0; i < pictures_.Count(); ++i) {
        if (generation != generation_ || destroyed_)
            break;
        if (pictures_.StateOf(i) != PagePictures::State::Pending)
            continue;
        // Copies: the parent may replace the page while it answers.
        const std::wstring source = document_.images[i].src;
        const LRESULT answered = Notify(NM_INLINE_IMAGE, source.c_str(), pictures_.Cookie(i));
        if (generation == generation_ && !answered)
            pictures_.FailIfPending(i);  // nobody loads it, and the viewer cannot
    }
    requesting_ = wasRequesting;
    if (!requesting_ && layoutStale_ && !destroyed_) {
        layoutStale_ = false;
        Relayout();
        Invalidate();
    }
}

BOOL HtmlViewWindow::SetPicture(const INLINEIMAGEINFO* info)
{
    if (!info)
        return FALSE;
    const bool set = pictures_.Set(info->dwCookie, info->hbm, info->bOwnBitmap != FALSE,
                                   {info->iOrigWidth, info->iOrigHeight});
    PicturesChanged();
    return set ? TRUE : FALSE;
}

BOOL HtmlViewWindow::FailPicture(DWORD_PTR cookie)
{
    if (!pictures_.Fail(cookie))
        return FALSE;
    PicturesChanged();
    return TRUE;
}

void HtmlViewWindow::PicturesChanged()
{
    if (requesting_) {
        layoutStale_ = true;
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
    const std::optional<int> top = name.empty() ? std::optional<int>(0) : layout_.AnchorTop(name);
    if (!top)
        return false;
    if (ScrollTo(view_, *top, layout_, ViewHeight()))
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
        if (view_.focusedLink < 0)
            return false;
        FollowLink(view_.focusedLink);
        return true;
    default:
        return false;
    }
    if (MoveView(view_, move, layout_, ViewHeight()))
        Invalidate();
    return true;
}

void HtmlViewWindow::OnClick(int x, int y)
{
    ::SetFocus(window_);
    const int link = LinkAt(layout_, x, y + view_.scrollY);
    if (link < 0)
        return;
    view_.focusedLink = link;
    Invalidate();
    FollowLink(link);
}

void HtmlViewWindow::OnWheel(int delta)
{
    constexpr int LinesPerNotch = 3;
    const int step = FontPixelHeight(3) * LinesPerNotch;
    if (ScrollTo(view_, view_.scrollY - delta * step / WHEEL_DELTA, layout_, ViewHeight()))
        Invalidate();
}

void HtmlViewWindow::FollowLink(int link)
{
    if (link < 0 || static_cast<std::size_t>(link) >= document_.links.size())
        return;
    const std::wstring target = document_.links[static_cast<std::size_t>(link)].href;
    const LRESULT handled = Notify(NM_HOTSPOT, target.c_str(), 0);
    if (!handled && !destroyed_)
        Navigate(target);  // the default: jump to an anchor of the page
}

LRESULT HtmlViewWindow::Notify(UINT code, const wchar_t* target, DWORD_PTR cookie)
{
    HWND parent = ::GetParent(window_);
    if (!parent)
        return 0;
    NM_HTMLVIEW notification{};
    notification.hdr.hwndFrom = window_;
    notification.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(window_));
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
    ::GetClientRect(window_, &client);
    return client.bottom - client.top;
}

void HtmlViewWindow::Relayout()
{
    RECT client{};
    ::GetClientRect(window_, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0) {  // not sized yet: WM_SIZE lays out again
        layout_ = {};
        return;
    }
    const std::vector<ImageSize> boxes = pictures_.Boxes(document_);
    layout_ = LayOutPage(document_, width, fonts_, boxes);
    if (layout_.height > height && width > ScrollIndicatorReserve)
        layout_ = LayOutPage(document_, width - ScrollIndicatorReserve, fonts_, boxes);

    if (view_.focusedLink >= static_cast<int>(document_.links.size()))
        view_.focusedLink = -1;
    ScrollTo(view_, view_.scrollY, layout_, height);
}

void HtmlViewWindow::OnPaint()
{
    BufferedPaint paint(window_);
    Paint(paint.Dc());
}

void HtmlViewWindow::Paint(HDC dc)
{
    if (!dc)
        return;
    RECT client{};
    ::GetClientRect(window_, &client);
    const std::vector<HBITMAP> bitmaps = pictures_.Bitmaps();
    PaintPage(dc, client, layout_, view_, fonts_, bitmaps);
}

void HtmlViewWindow::Invalidate() const
{
    ::InvalidateRect(window_, nullptr, FALSE);
}

LRESULT HtmlViewWindow::CopyVisibleText(WPARAM capacity, wchar_t* buffer) const
{
    if (!buffer || capacity == 0)
        return 0;
    const std::wstring text = VisibleText(layout_, view_, ViewHeight());
    const std::size_t count = std::min<std::size_t>(text.size(), capacity - 1);
    std::copy_n(text.data(), count, buffer);
    buffer[count] = L'\0';
    return static_cast<LRESULT>(count);
}

}  // namespace vellumate::htmlview
