#include "taskmanager/TaskListDialog.h"

#include "taskmanager/ListingRules.h"
#include "taskmanager/MemoryText.h"
#include "taskmanager/SystemPanelDialog.h"
#include "taskmanager/TaskEnumeration.h"
#include "taskmanager/resource.h"

#include "framework/MenuBars.h"
#include "framework/SingleInstance.h"

#include "platform/DevicePaths.h"
#include "platform/HandsetHardware.h"
#include "platform/MessageBox.h"
#include "platform/SpecialFolders.h"

#include <shellapi.h>

namespace {

constexpr CommandRow<TaskListDialog, TaskCommandContext> Commands[] = {
    {ID_SWITCH_TO, &TaskListDialog::SwitchTo, RowCommandEnabled},
    {ID_ABOUT, &TaskListDialog::ShowAbout, nullptr},
    {ID_REFRESH, &TaskListDialog::RefreshCommand, nullptr},
    {ID_CLOSE_TASK, &TaskListDialog::CloseSelected, RowCommandEnabled},
    {ID_SYSTEM_PANEL, &TaskListDialog::ShowSystemPanel, nullptr},
    {ID_CLOSE_ALL, &TaskListDialog::CloseAll, RowCommandEnabled},
    {ID_EXIT, &TaskListDialog::Exit, nullptr},
    {ID_CLOSE_OTHERS, &TaskListDialog::CloseOthers, nullptr},
};

constexpr UINT_PTR ListSubclassId = 1;

// The list takes every key, so that Enter and the number keys reach its
// key-down notification, and swallows characters (no type-ahead search).
LRESULT CALLBACK ListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) noexcept
{
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_CHAR:
        return 0;
    default:
        return DefSubclassProc(window, message, wParam, lParam);
    }
}

HICON SmallIconOf(const String& identityPath, bool& owned)
{
    owned = false;
    if (!identityPath.IsEmpty()) {
        const std::wstring path = vellumate::ToDevicePath(identityPath.Chars());
        // A program's own first icon; Wine's shell answers every executable
        // with its generic picture.
        HICON small = nullptr;
        const UINT extracted = ExtractIconExW(path.c_str(), 0, nullptr, &small, 1);
        if (extracted > 0 && extracted != static_cast<UINT>(-1) && small) {
            owned = true;
            return small;
        }
        SHFILEINFOW info{};
        if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON) && info.hIcon) {
            owned = true;
            return info.hIcon;
        }
    }
    return LoadIconW(nullptr, IDI_APPLICATION);
}

}  // namespace

DialogProgramStartup LunsettStartup()
{
    DialogProgramStartup startup;
    startup.mutexName = LunsettMutexName;
    startup.titleId = IDS_TASK_LIST_TITLE;
    startup.localizedResources = true;
    startup.runMainDialog = []() -> INT_PTR {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        TaskListDialog dialog(HiddenList::FromFile(HiddenAppsPathBeside(nullptr)));
        return RunModal(dialog);
    };
    return startup;
}

TaskListDialog::TaskListDialog(HiddenList hidden)
    : DialogCore(IDD_TASK_LIST, nullptr, IDM_TASK_LIST_BAR, IDS_TASK_LIST_TITLE, true), m_hidden(std::move(hidden)),
      m_closer(nullptr, m_ownMessageBox)
{
    LOGFONTW face{};
    face.lfHeight = 14;
    face.lfWeight = FW_NORMAL;
    face.lfCharSet = DEFAULT_CHARSET;
    face.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynW(face.lfFaceName, L"Nina", LF_FACESIZE);
    m_stripFont.Reset(CreateFontIndirectW(&face));
    m_stripBrush.Reset(CreateSolidBrush(StripColour));
}

TaskListDialog::~TaskListDialog()
{
    m_closer.Stop();
}

InitResult TaskListDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    m_closer.SetDialog(Window());
    wchar_t folder[MAX_PATH]{};
    if (handset::SHGetSpecialFolderPath(Window(), folder, CSIDL_STARTMENU, FALSE))
        m_shortcutFolder = folder;

    m_list = GetDlgItem(Window(), IDC_TASK_LIST);
    SetWindowSubclass(m_list, ListProcedure, ListSubclassId, 0);
    m_images.Reset(ImageList_Create(16, 16, ILC_MASK | ILC_COLOR32, 0, 1));
    ListView_SetImageList(m_list, m_images.Get(), LVSIL_SMALL);
    ListView_SetExtendedListViewStyle(m_list, LVS_EX_FULLROWSELECT);
    Layout();
    Refresh(false);
    m_focusSet = true;
    return InitResult::Continue;
}

void TaskListDialog::Layout()
{
    RECT client{};
    GetClientRect(Window(), &client);
    const int width = client.right;
    const int listHeight = client.bottom - 2 * StripHeight;
    MoveWindow(GetDlgItem(Window(), IDC_COUNT_STRIP), 0, 0, width, StripHeight, FALSE);
    MoveWindow(m_list, 0, StripHeight, width, listHeight > 0 ? listHeight : 0, FALSE);
    MoveWindow(GetDlgItem(Window(), IDC_MEMORY_STRIP), 0, client.bottom - StripHeight, width, StripHeight, FALSE);

    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = LVCFMT_LEFT;
    column.cx = width - GetSystemMetrics(SM_CXVSCROLL);
    column.pszText = const_cast<wchar_t*>(L"");
    if (ListView_GetColumnWidth(m_list, 0) == 0)
        ListView_InsertColumn(m_list, 0, &column);
    else
        ListView_SetColumn(m_list, 0, &column);
}

HWND TaskListDialog::RowWindow(int row) const
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!m_list || !ListView_GetItem(m_list, &item))
        return nullptr;
    return reinterpret_cast<HWND>(item.lParam);
}

int TaskListDialog::SelectedRow() const
{
    return m_list ? ListView_GetNextItem(m_list, -1, LVNI_SELECTED) : -1;
}

void TaskListDialog::Refresh(bool keepSelection)
{
    int remembered = 0;
    if (keepSelection) {
        for (int row = ListView_GetNextItem(m_list, -1, LVNI_SELECTED); row >= 0;
             row = ListView_GetNextItem(m_list, row, LVNI_SELECTED))
            remembered = row;
    }
    ListView_DeleteAllItems(m_list);
    ImageList_RemoveAll(m_images.Get());
    m_count = 0;

    for (const TaskRow& row : ListApplications(Window(), m_hidden, m_shortcutFolder))
        AddRow(row.window, row.title, row.identityPath);

    const int select = RowToSelect(m_count, remembered);
    if (select >= 0) {
        const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
        if ((ListView_GetItemState(m_list, select, both) & both) != both)
            ListView_SetItemState(m_list, select, both, both);
        ListView_EnsureVisible(m_list, select, FALSE);
    }
    UpdateStrips();
    EnableMenuBarButton(MenuBar(), ID_SWITCH_TO, m_count > 0);
    // A closer that finishes under the system panel or a message box (which
    // disable this dialog) must not pull the keys away from them.
    if (IsWindowEnabled(Window()))
        SetFocus(m_list);
}

void TaskListDialog::AddRow(HWND window, const String& title, const String& identityPath)
{
    bool owned = false;
    HICON icon = SmallIconOf(identityPath, owned);
    const int image = icon ? ImageList_AddIcon(m_images.Get(), icon) : -1;
    if (owned)
        DestroyIcon(icon);

    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = m_count;
    item.pszText = const_cast<wchar_t*>(title.Chars());
    item.iImage = image;
    item.lParam = reinterpret_cast<LPARAM>(window);
    if (ListView_InsertItem(m_list, &item) >= 0)
        ++m_count;
}

// ---- the strips ----------------------------------------------------------------

String TaskListDialog::StripText(UINT control) const
{
    String text;
    if (control == IDC_COUNT_STRIP) {
        text.FormatResource(IDS_TASK_COUNT, m_count);
    } else {
        MEMORYSTATUS memory{sizeof memory};
        handset::GlobalMemoryStatus(&memory);
        text.FormatResource(IDS_FREE_MEMORY, FreeMemoryText(memory.dwAvailPhys).Chars());
    }
    return text;
}

// The strips carry their text as their window text too, so that it can be
// read from outside; they paint it themselves.
void TaskListDialog::UpdateStrips()
{
    for (UINT control : {IDC_COUNT_STRIP, IDC_MEMORY_STRIP}) {
        HWND strip = GetDlgItem(Window(), control);
        SetWindowTextW(strip, StripText(control));
        InvalidateRect(strip, nullptr, FALSE);
    }
}

void TaskListDialog::DrawStrip(const DRAWITEMSTRUCT& item)
{
    const RECT& area = item.rcItem;
    HDC dc = item.hDC;
    FillRect(dc, &area, m_stripBrush.Get());
    const bool top = item.CtlID == IDC_COUNT_STRIP;
    const int lineY = top ? area.bottom - 1 : area.top;
    MoveToEx(dc, area.left, lineY, nullptr);
    LineTo(dc, area.right, lineY);

    String text;
    const int length = GetWindowTextLengthW(item.hwndItem);
    text.Commit(GetWindowTextW(item.hwndItem, text.Reserve(length + 1), length + 1));
    RECT box = area;
    box.left += StripInset;
    box.right -= StripInset;
    vellumate::SelectObjectScope font(dc, m_stripFont.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, text, -1, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// ---- messages ------------------------------------------------------------------

bool TaskListDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COMMAND:
        if (RunTableCommand(Commands, *this, LOWORD(wParam))) {
            result = 0;
            return true;
        }
        break;
    case WM_INITMENUPOPUP:
        ApplyEnableRules(Commands, reinterpret_cast<HMENU>(wParam), TaskCommandContext{m_count});
        result = 0;
        return true;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_TASK_LIST && header->code == LVN_KEYDOWN) {
            OnListKey(reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey);
            result = 0;
            return true;
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlID == IDC_COUNT_STRIP || item->CtlID == IDC_MEMORY_STRIP) {
            DrawStrip(*item);
            result = TRUE;
            return true;
        }
        break;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            OnActivate();
        break;
    case WM_CLOSER_FINISHED:
        m_closer.Finished();
        Refresh(!m_reselectFirst);
        result = 0;
        return true;
    case WM_DESTROY:
        // The worker must not outlive the window it reports to.
        m_closer.Stop();
        RemoveWindowSubclass(m_list, ListProcedure, ListSubclassId);
        break;
    default:
        break;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}

void TaskListDialog::OnActivate()
{
    if (!m_list)
        return;
    if (m_ownMessageBox.exchange(false)) {
        SetFocus(m_list);
        return;
    }
    if (m_closer.Idle())
        Refresh(true);
}

void TaskListDialog::OnListKey(UINT key)
{
    if (const unsigned command = CommandOfListKey(key, m_count))
        PostMessageW(Window(), WM_COMMAND, command, 0);
}

// ---- commands ----------------------------------------------------------------

void TaskListDialog::SwitchTo()
{
    const HWND target = RowWindow(SelectedRow());
    if (!target)
        return;
    if (!IsWindow(target)) {
        // It went away since the list was read.
        if (m_closer.Idle())
            Refresh(true);
        return;
    }
    BringWindowForward(target);
}

void TaskListDialog::ShowAbout()
{
    AboutBox about(Window(), LunsettRelease);
    RunModal(about);
}

void TaskListDialog::RefreshCommand()
{
    if (m_closer.Idle())
        Refresh(false);
}

void TaskListDialog::ShowSystemPanel()
{
    SystemPanelDialog panel(Window());
    RunModal(panel);
}

void TaskListDialog::Exit()
{
    EndDialog(Window(), IDOK);
}

std::vector<HWND> TaskListDialog::WindowsFromLast(HWND except) const
{
    std::vector<HWND> windows;
    for (int row = m_count - 1; row >= 0; --row) {
        const HWND window = RowWindow(row);
        if (window && window != except)
            windows.push_back(window);
    }
    return windows;
}

void TaskListDialog::CloseWindows(const std::vector<HWND>& windows, bool reselectFirst)
{
    std::vector<ClosingTask> tasks;
    for (HWND window : windows) {
        ClosingTask task = RecordClosingTask(window);
        PostMessageW(window, WM_CLOSE, 0, 0);
        // A window already gone needs no waiting.
        if (!task.className.IsEmpty())
            tasks.push_back(std::move(task));
    }
    m_reselectFirst = reselectFirst;
    if (tasks.empty() || !m_closer.Start(std::move(tasks)))
        Refresh(!reselectFirst);
}

void TaskListDialog::CloseSelected()
{
    const HWND target = RowWindow(SelectedRow());
    if (!target || !m_closer.Idle())
        return;
    CloseWindows({target}, false);
}

void TaskListDialog::CloseAll()
{
    if (!m_closer.Idle() || m_count == 0)
        return;
    String text, caption;
    text.LoadResourceText(IDS_CLOSE_ALL_QUESTION);
    caption.LoadResourceText(IDS_CLOSE_ALL_CAPTION);
    m_ownMessageBox = true;
    if (vellumate::HandsetMessageBox(Window(), text, caption, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    CloseWindows(WindowsFromLast(nullptr), true);
}

void TaskListDialog::CloseOthers()
{
    if (!m_closer.Idle())
        return;
    const HWND keep = RowWindow(SelectedRow());
    CloseWindows(WindowsFromLast(keep), true);
}
