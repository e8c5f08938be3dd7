#include "filemanager/DialogParts.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/ItemIcons.h"
#include "filemanager/PaneFonts.h"
#include "framework/String.h"

#include "platform/Painting.h"

#include <commctrl.h>
#include <shellapi.h>

void DialogHeadings::Apply(HWND dialog, std::initializer_list<std::pair<int, UINT>> headings)
{
    if (!m_font)
        m_font = vellumate::MakeInterfaceFont(SmallFontHeight, FW_BOLD);
    for (const auto& [control, text] : headings) {
        HWND heading = GetDlgItem(dialog, control);
        if (!heading)
            continue;
        String caption;
        caption.LoadResourceText(text);
        SetWindowTextW(heading, caption);
        if (m_font)
            SendMessageW(heading, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
    }
}

namespace {

LRESULT CALLBACK AllKeysProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR enterCommand) noexcept
{
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DefSubclassProc(window, message, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(static_cast<UINT>(enterCommand), 0), 0);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == VK_RETURN)
            return 0;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, &AllKeysProcedure, 1);
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

HIMAGELIST SetUpDialogList(HWND dialog, int control, int bottom, DWORD extendedStyles, const wchar_t* columnName,
                           UINT enterCommand)
{
    HWND list = GetDlgItem(dialog, control);
    if (!list)
        return nullptr;
    RECT client{};
    GetClientRect(dialog, &client);
    MoveWindow(list, 0, 0, client.right, bottom, FALSE);
    ListView_SetExtendedListViewStyle(list, extendedStyles);
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 16);
    ListView_SetImageList(list, images, LVSIL_SMALL);
    GetClientRect(list, &client);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    // Room for the scroll bar, so that a long list needs no sideways one.
    column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
    column.pszText = const_cast<wchar_t*>(columnName);
    ListView_InsertColumn(list, 0, &column);
    SetWindowSubclass(list, &AllKeysProcedure, 1, enterCommand);
    SetFocus(list);
    return images;
}

int AddSmallShellIcon(HIMAGELIST images, const wchar_t* handsetPath)
{
    SHFILEINFOW info{};
    if (!images ||
        !SHGetFileInfoW(ToFileSystemPath(handsetPath), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON) ||
        !info.hIcon)
        return -1;
    vellumate::IconHandle icon(info.hIcon);
    return ImageList_AddIcon(images, icon.Get());
}

int AddSmallTypeIcon(HIMAGELIST images, const wchar_t* fileName)
{
    SHFILEINFOW info{};
    if (!images ||
        !SHGetFileInfoW(TypeProbeName(fileName), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                        SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES) ||
        !info.hIcon)
        return -1;
    vellumate::IconHandle icon(info.hIcon);
    return ImageList_AddIcon(images, icon.Get());
}

void GrowTextDownward(HWND dialog, int control)
{
    HWND text = GetDlgItem(dialog, control);
    if (!text)
        return;
    RECT box{};
    GetWindowRect(text, &box);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
    const String content = ControlText(dialog, control);
    RECT needed{0, 0, box.right - box.left, 0};
    {
        vellumate::WindowDC dc(text);
        if (!dc)
            return;
        vellumate::SelectObjectScope font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(text, WM_GETFONT, 0, 0)));
        DrawTextW(dc.Get(), content, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    const int grow = needed.bottom - (box.bottom - box.top);
    if (grow <= 0)
        return;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        if (child != text && place.top >= box.bottom)
            SetWindowPos(child, nullptr, place.left, place.top + grow, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowPos(text, nullptr, 0, 0, box.right - box.left, needed.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
