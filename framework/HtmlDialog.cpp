#include "framework/HtmlDialog.h"

#include "framework/Globals.h"
#include "framework/String.h"

#include "platform/htmlview/HtmlView.h"

#include <commctrl.h>

namespace {

constexpr DWORD ViewerStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr UINT_PTR FocusSubclassId = 1;

// The viewer is a library of the handset's system folder "\Windows". The
// usual search finds it beside the program (or wherever the DLL search path
// reaches); on a device it is found in the system folder of the current drive,
// which is the handset's root.
HMODULE LoadViewerLibrary()
{
    if (HMODULE library = LoadLibraryW(L"htmlview.dll"))
        return library;
    return LoadLibraryExW(L"\\Windows\\htmlview.dll", nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

HtmlDialog::HtmlDialog(UINT templateId, HWND parent, UINT menuBarId, UINT titleId, bool routeBack) noexcept
    : DialogCore(templateId, parent, menuBarId, titleId, routeBack)
{
}

HtmlDialog::~HtmlDialog()
{
    for (int i = 0; i < m_bitmaps.GetSize(); ++i)
        DeleteObject(reinterpret_cast<HBITMAP>(m_bitmaps[i]));
}

void HtmlDialog::AddInlineImage(const wchar_t* name, HBITMAP bitmap)
{
    m_imageNames.Add(String(name ? name : L""));
    m_bitmaps.Add(reinterpret_cast<intptr_t>(bitmap));
}

void HtmlDialog::OnLinkClicked(const wchar_t* link)
{
    SendMessageW(m_viewer, DTM_NAVIGATE, 0, reinterpret_cast<LPARAM>(link));
}

InitResult HtmlDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;

    if (!m_library)
        m_library.Reset(LoadViewerLibrary());
    if (!m_library)
        return InitResult::Stop;
    auto initialise = reinterpret_cast<InitHTMLControlProc>(
        reinterpret_cast<void*>(GetProcAddress(m_library.Get(), "InitHTMLControl")));
    if (!initialise || !initialise(ProgramModule()))
        return InitResult::Stop;

    HWND dialog = Window();
    RECT client{};
    GetClientRect(dialog, &client);
    m_viewer = CreateWindowExW(0, WC_HTML, L"", ViewerStyle, client.left, client.top, client.right - client.left,
                               client.bottom - client.top, dialog, nullptr, m_library.Get(), nullptr);
    if (!m_viewer)
        return InitResult::Stop;

    HWND focus = GetWindow(m_viewer, GW_CHILD);
    if (!focus)
        focus = m_viewer;
    SetFocus(focus);
    m_focusSet = true;
    SendMessageW(m_viewer, DTM_VIEWEROPTION, 1, 0);
    SetWindowSubclass(focus, &HtmlDialog::FocusSubclass, FocusSubclassId, 0);
    return InitResult::Continue;
}

// Arrows and Enter belong to the page, not to moving between dialog controls.
LRESULT CALLBACK HtmlDialog::FocusSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR data) noexcept
{
    if (message == WM_GETDLGCODE)
        return DLGC_WANTALLKEYS;
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(window, &HtmlDialog::FocusSubclass, id);
    return DefSubclassProc(window, message, wParam, lParam);
}

bool HtmlDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_NCDESTROY)
        m_viewer = nullptr;
    if (message == WM_NOTIFY && m_viewer) {
        const auto* notice = reinterpret_cast<const NM_HTMLVIEW*>(lParam);
        // Other controls may use the same notification codes.
        if (notice && notice->hdr.hwndFrom == m_viewer) {
            switch (notice->hdr.code) {
            case NM_HOTSPOT:
                OnLinkClicked(notice->szTarget ? notice->szTarget : L"");
                result = 1;
                return true;
            case NM_INLINE_IMAGE:
                AnswerInlineImage(notice->hdr, notice->szTarget, notice->dwCookie);
                result = 1;
                return true;
            default:
                break;
            }
        }
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}

void HtmlDialog::AnswerInlineImage(const NMHDR& header, const wchar_t* source, DWORD_PTR cookie)
{
    for (int i = 0; source && i < m_imageNames.GetSize(); ++i) {
        if (m_imageNames[i].CompareNoCase(source) != 0)
            continue;
        auto bitmap = reinterpret_cast<HBITMAP>(m_bitmaps[i]);
        BITMAP size{};
        if (!GetObjectW(bitmap, sizeof size, &size))
            break;
        INLINEIMAGEINFO image{};
        image.dwCookie = cookie;
        image.iOrigHeight = size.bmHeight;
        image.iOrigWidth = size.bmWidth;
        image.hbm = bitmap;
        image.bOwnBitmap = FALSE;
        SendMessageW(header.hwndFrom, DTM_SETIMAGE, 0, reinterpret_cast<LPARAM>(&image));
        return;
    }
    // Never leave the viewer waiting for a picture nobody has.
    SendMessageW(header.hwndFrom, DTM_IMAGEFAIL, 0, static_cast<LPARAM>(cookie));
}

void SetHtmlPage(HtmlDialog& dialog, const wchar_t* page)
{
    HWND viewer = dialog.Viewer();
    if (!viewer)
        return;
    SetWindowTextW(viewer, L"");
    SendMessageW(viewer, DTM_ADDTEXTW, FALSE, reinterpret_cast<LPARAM>(page ? page : L""));
    SendMessageW(viewer, DTM_ENDOFSOURCE, 0, 0);
}
