// The tree pane's keys and its listing timer: what the subclassed control
// does before the tree control's own handling, and when a folder read starts.
#include "filemanager/TreePane.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/FolderTree.h"
#include "filemanager/resource.h"

// ---- listing -------------------------------------------------------------------

void TreePane::StartTimer(UINT delay)
{
    StopTimer();
    if (SetTimer(m_tree, ListingTimer, delay, nullptr))
        m_timerDelay = delay;
}

void TreePane::StopTimer()
{
    if (m_timerDelay != 0)
        KillTimer(m_tree, ListingTimer);
    m_timerDelay = 0;
}

void TreePane::RestartListing()
{
    if (m_host.IsListMode())
        return;
    StartTimer(ChangeDelay);
}

void TreePane::OnTimer()
{
    // A read still running is for a folder the user has left: stop it now
    // and start the new one at the next tick.
    if (m_list.IsListing()) {
        m_list.StopListing();
        return;
    }
    StopTimer();
    m_list.StartBackgroundRead(m_currentPath);
}

void TreePane::FinishListing()
{
    const bool pending = ListingPending();
    StopTimer();
    if (pending || m_list.CurrentPath() != m_currentPath) {
        m_list.ClearPositionMemo();
        m_list.ReadFolder(m_currentPath, nullptr);
    }
}

// ---- keys --------------------------------------------------------------------

LRESULT CALLBACK TreePane::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR data) noexcept
{
    auto* pane = reinterpret_cast<TreePane*>(data);
    try {
        switch (message) {
        case WM_KEYDOWN: {
            if (pane->OnKeyDown(static_cast<UINT>(wParam)))
                return 0;
            pane->m_arrowMove = wParam == VK_UP || wParam == VK_DOWN;
            LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            pane->m_arrowMove = false;
            return result;
        }
        case WM_CHAR:
            return 0;  // no incremental search: the number keys are commands
        case WM_TIMER:
            if (wParam == ListingTimer) {
                pane->OnTimer();
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, &TreePane::SubclassProcedure, 0);
            pane->m_tree = nullptr;
            pane->m_timerDelay = 0;
            break;
        default:
            break;
        }
    } catch (...) {
        pane->m_arrowMove = false;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

bool TreePane::OnKeyDown(UINT key)
{
    switch (key) {
    case VK_RETURN:
        OnEnter();
        return true;
    case VK_UP:
    case VK_DOWN:
        StartTimer(ArrowDelay);
        return false;
    case '2':
    case '3':
    case '6':
    case '7': {
        if (AtRoot())
            return false;
        const UINT command = key == '2' ? ID_COPY_TO : key == '3' ? ID_DELETE : key == '6' ? ID_MOVE_TO : ID_RENAME;
        m_host.RunCommand(command);
        return true;
    }
    case '4':
        m_host.RunCommand(ID_QUICK_FOLDERS);
        return true;
    case VK_F8:  // the star key
        RefreshTree();
        RestartListing();
        return false;
    default:
        return false;
    }
}

void TreePane::OnEnter()
{
    HTREEITEM node = CurrentNode();
    if (!node)
        return;
    if (!AtRoot() && !EntryExists(m_currentPath)) {
        m_host.ReportFolderGone(m_currentPath);
        PruneToExistingFolder();
        return;
    }
    if (HasSubfolder(m_currentPath)) {
        // The action key opens and closes a folder with subfolders, as the
        // handset's tree does.
        if (!HasChildNodes(node))
            FillChildren(node);
        if (node == m_root)
            SetRootText(!IsExpanded(node));
        TreeView_Expand(m_tree, node, TVE_TOGGLE);
        RestartListing();
        return;
    }
    SetHasChildren(node, false);
    if (HasChildNodes(node)) {
        DeleteChildren(node);
        if (node == m_root)
            SetRootText(false);
        RestartListing();
    } else {
        m_host.ShowFiles();
    }
}
