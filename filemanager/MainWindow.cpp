#include "filemanager/MainWindow.h"

#include "filemanager/CardEvents.h"
#include "filemanager/FileOpening.h"
#include "filemanager/ListSelection.h"
#include "filemanager/PaneFonts.h"
#include "filemanager/Strips.h"
#include "filemanager/TemporaryFolders.h"
#include "filemanager/TarnwellProgram.h"
#include "filemanager/resource.h"
#include "framework/About.h"
#include "framework/Dialogs.h"
#include "framework/Display.h"
#include "framework/Messages.h"

#include "platform/Painting.h"
#include "platform/ScreenText.h"
#include "platform/SoftKeyBar.h"

#include <string_view>

namespace {

void ShowPair(HWND shown, HWND shownBar, HWND hidden, HWND hiddenBar)
{
    ShowWindow(shown, SW_SHOW);
    ShowWindow(shownBar, SW_SHOW);
    ShowWindow(hidden, SW_HIDE);
    ShowWindow(hiddenBar, SW_HIDE);
}

}  // namespace

MainWindow::MainWindow(const AppSettings& settings)
    : m_uiThread(GetCurrentThreadId()), m_tree(m_list, *this), m_listPane(m_list, *this),
      m_startFolder(settings.openedFolder), m_stripFont(MakeStripFont())
{
    m_list.SetSortState(settings.sortState);
    m_list.SetPreferences(settings.preferences);
    SetTemporaryFolderPreferences(settings.preferences);
    SetFileOpeningPreferences(settings.preferences);
    m_list.SetObserver(this);
}

MainWindow::~MainWindow()
{
    // The reading thread talks to this object: it ends first.
    m_list.StopListing();
    m_list.WaitForBackgroundRead();
    m_list.SetObserver(nullptr);
    // The window's last messages still reach the panes.
    if (Window())
        DestroyWindow(Window());
}

bool MainWindow::OnCreate()
{
    // Storage cards come and go; nothing else the shell reports matters here.
    RegisterCardEvents(Window());
    return true;
}

void MainWindow::OnDestroy()
{
    // The panes go after this: what they report on the way is no change the
    // user made.
    m_closing = true;
    DeregisterCardEvents(Window());
}

bool MainWindow::OnCommand(UINT command)
{
    RunCommand(command);
    return true;
}

void MainWindow::OnMenuOpening(HMENU menu)
{
    UpdateMenuState(menu, Context());
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CardEventMessage()) {
        OnCardEvent(lParam);
        return 0;
    }
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            FocusVisiblePane();
        return 0;
    case WM_SETFOCUS:
        FocusVisiblePane();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->idFrom == IDC_FOLDER_TREE && !m_closing)
            return m_tree.OnNotify(*header);
        break;
    }
    case WM_LIST_READ:
        RepaintStrips();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(Window(), message, wParam, lParam);
}

bool MainWindow::CreatePanes()
{
    HWND window = Window();
    RECT client{};
    GetClientRect(window, &client);
    if (!m_tree.Create(window, client.bottom - StripHeight, m_startFolder, m_list.Preferences()))
        return false;
    const RECT listRect{0, StripHeight, client.right, client.bottom - StripHeight};
    return m_listPane.Create(window, listRect, m_list.Preferences());
}

AppSettings MainWindow::Settings() const
{
    AppSettings settings;
    settings.sortState = m_list.SortState();
    settings.preferences = m_list.Preferences();
    settings.openedFolder = m_tree.CurrentPath();
    return settings;
}

// ---- panes ---------------------------------------------------------------------------

void MainWindow::ShowTreePane()
{
    WaitCursor wait;
    m_listMode = false;
    RepaintStrips();
    ShowPair(m_tree.Window(), m_tree.MenuBar(), m_listPane.Window(), m_listPane.MenuBar());
    SetFocus(m_tree.Window());
}

void MainWindow::ShowListPane()
{
    WaitCursor wait;
    m_listMode = true;
    m_tree.FinishListing();
    m_list.AddRecentFolder(m_list.CurrentPath());
    m_list.EnsureSorted();
    m_listPane.SyncScrollBar();
    RepaintStrips();
    m_listPane.Repaint();
    ShowPair(m_listPane.Window(), m_listPane.MenuBar(), m_tree.Window(), m_tree.MenuBar());
    SetFocus(m_listPane.Window());
}

void MainWindow::FocusVisiblePane()
{
    HWND pane = m_listMode ? m_listPane.Window() : m_tree.Window();
    if (pane)
        SetFocus(pane);
}

void MainWindow::RepaintStrips()
{
    if (!Window())
        return;
    RECT client{};
    GetClientRect(Window(), &client);
    RECT header{client.left, client.top, client.right, client.top + StripHeight};
    RECT footer{client.left, client.bottom - StripHeight, client.right, client.bottom};
    InvalidateRect(Window(), &header, FALSE);
    InvalidateRect(Window(), &footer, FALSE);
}

void MainWindow::OnPaint()
{
    vellumate::BufferedPaint paint(Window());
    // The panes cover the rest; white shows should one ever leave a gap.
    FillRectColor(paint.Dc(), paint.Client(), RGB(255, 255, 255));
    const StripTexts texts = m_listMode ? ListStripTexts(m_tree.CurrentPath(), m_list)
                                        : TreeStripTexts(m_list.FolderCount(), m_list.FileCount());
    const String text = PaintStrips(paint.Dc(), paint.Client(), texts, m_stripFont.Get());
    PublishScreenText(Window(), std::wstring_view(text.Chars(), static_cast<size_t>(text.Length())));
}

CommandContext MainWindow::Context() const
{
    CommandContext context;
    context.listMode = m_listMode;
    context.treeAtRoot = m_tree.AtRoot();
    context.sortState = m_list.SortState();
    if (!m_listMode) {
        // In the tree the current folder is the one item the commands act on.
        context.currentIsRoot = m_tree.AtRoot();
        context.selectedCount = m_tree.AtRoot() ? 0 : 1;
        return context;
    }
    context.currentIsRoot = m_list.IsRoot();
    context.selectedCount = m_list.SelectedCount();
    if (context.selectedCount > 0) {
        const FolderItem& first = m_list.Item(m_list.SelectedIndex(0));
        context.firstSelectedIsParentRow = m_list.FirstSelectedIsParentRow();
        context.firstSelectedIsFile = !first.IsFolder();
        if (context.selectedCount == 1 && !first.IsFolder())
            context.singleSelectedFileName = first.name;
    }
    return context;
}

// ---- commands --------------------------------------------------------------------------

void MainWindow::RunCommand(UINT command)
{
    DispatchCommand(*this, command);
    AfterCommand();
}

void MainWindow::AfterCommand()
{
    // A command may have ended the program or closed its windows.
    if (!Window() || !IsWindow(Window()))
        return;
    HWND pane = m_listMode ? m_listPane.Window() : m_tree.Window();
    if (pane && !IsWindowVisible(pane))
        ShowPair(pane, m_listMode ? m_listPane.MenuBar() : m_tree.MenuBar(),
                 m_listMode ? m_tree.Window() : m_listPane.Window(),
                 m_listMode ? m_tree.MenuBar() : m_listPane.MenuBar());
    FocusVisiblePane();
}

void MainWindow::ShowAbout()
{
    AboutBox about(Window(), TarnwellRelease);
    RunModal(about);
}

void MainWindow::Exit()
{
    PostQuitMessage(0);
}

void MainWindow::RefreshPane()
{
    if (m_listMode) {
        m_list.Refresh();
    } else {
        m_tree.RefreshTree();
        m_tree.RestartListing();
    }
}

void MainWindow::SelectAllItems()
{
    m_list.WaitForBackgroundRead();
    m_listPane.ShowChange(SelectAll(m_list));
}

void MainWindow::InvertSelectedItems()
{
    m_list.WaitForBackgroundRead();
    m_listPane.ShowChange(InvertSelection(m_list));
}

void MainWindow::SelectFirstItem()
{
    m_list.WaitForBackgroundRead();
    m_listPane.ShowChange(SelectFirst(m_list));
}

void MainWindow::SelectLastItem()
{
    m_list.WaitForBackgroundRead();
    m_listPane.ShowChange(SelectLast(m_list));
}

void MainWindow::ClearSelectedItems()
{
    m_list.WaitForBackgroundRead();
    m_listPane.ShowChange(ClearSelection(m_list));
}

void MainWindow::SortByName()
{
    m_list.SetSortKey(SortKey::Name);
}

void MainWindow::SortBySize()
{
    m_list.SetSortKey(SortKey::Size);
}

void MainWindow::SortByDate()
{
    m_list.SetSortKey(SortKey::Date);
}

void MainWindow::SortByType()
{
    m_list.SetSortKey(SortKey::Type);
}

void MainWindow::SortAscending()
{
    m_list.SetSortDescending(false);
}

void MainWindow::SortDescending()
{
    m_list.SetSortDescending(true);
}

// ---- what the panes ask ----------------------------------------------------------------

void MainWindow::ShowFiles()
{
    ShowListPane();
}

void MainWindow::ReportFolderGone(const String& path)
{
    ShowMessage(Window(), IDS_FOLDER_GONE, 0, MB_OK | MB_ICONERROR, 0, 0, 0, nullptr, path);
}

void MainWindow::OnCurrentFolderChanged()
{
    RepaintStrips();
}

void MainWindow::OnSelectionChanged()
{
    RepaintStrips();
}

// ---- what the folder list tells --------------------------------------------------------

bool MainWindow::OnUiThread() const noexcept
{
    return GetCurrentThreadId() == m_uiThread;
}

void MainWindow::OnReadStarted()
{
    if (OnUiThread())
        m_readCursor.emplace();
}

void MainWindow::OnReadFinished()
{
    if (OnUiThread())
        m_readCursor.reset();
}

void MainWindow::OnIconsCleared()
{
    m_listPane.OnIconsCleared(OnUiThread());
}

void MainWindow::OnScrollRangeReset()
{
    // The reading thread of the tree pane only reports; the list, hidden
    // meanwhile, sets its scroll bar when it is shown.
    if (OnUiThread())
        m_listPane.SyncScrollBar();
    else if (Window())
        PostMessageW(Window(), WM_LIST_READ, 0, 0);
}

void MainWindow::OnListChanged()
{
    if (!OnUiThread()) {
        if (Window())
            PostMessageW(Window(), WM_LIST_READ, 0, 0);
        return;
    }
    m_listPane.Repaint();
    RepaintStrips();
}

void MainWindow::OnRowChanged(int index)
{
    m_listPane.RepaintRow(index);
}

void MainWindow::OnTreeRefresh()
{
    m_tree.RefreshTree();
    m_list.SetCurrentPath(m_tree.CurrentPath());
}

void MainWindow::OnFolderAdded(const String& parentPath, const String& name)
{
    m_tree.OnFolderAdded(parentPath, name);
}

void MainWindow::OnFolderRemoved(const String& path)
{
    m_tree.OnFolderRemoved(path);
}

void MainWindow::OnFolderRenamed(const String& oldPath, const String& newName)
{
    m_tree.OnFolderRenamed(oldPath, newName);
}
