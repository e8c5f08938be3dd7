// The user's way through the folders: switching panes, opening a folder of
// the list, going up, and Back.
#include "filemanager/DeviceFiles.h"
#include "filemanager/FileOpening.h"
#include "filemanager/ListSelection.h"
#include "filemanager/MainWindow.h"

#include "platform/SoftKeyBar.h"

void MainWindow::SwitchPanes()
{
    if (m_listMode) {
        ShowTreePane();
        return;
    }
    if (!m_tree.AtRoot() && !EntryExists(m_tree.CurrentPath())) {
        ReportFolderGone(m_tree.CurrentPath());
        m_tree.PruneToExistingFolder();
        return;
    }
    ShowListPane();
}

void MainWindow::OpenSelected()
{
    if (!m_listMode)
        return;
    const int index = m_list.SingleSelectedIndex();
    if (index < 0)
        return;
    if (IsParentRow(m_list, index)) {
        GoUp();
        return;
    }
    const FolderItem& item = m_list.Item(index);
    const String name = item.name;
    if (!item.IsFolder()) {
        // Members extracted beside an archive opened from the list show at once.
        if (OpenFile(Window(), name, JoinPath(m_tree.CurrentPath(), name)))
            m_list.Refresh();
        return;
    }
    const String path = JoinPath(m_tree.CurrentPath(), name);
    if (!EntryExists(path)) {
        ReportFolderGone(path);
        return;
    }
    m_list.RememberPosition(name);
    HTREEITEM parent = m_tree.CurrentNode();
    m_tree.Expand(parent);
    HTREEITEM child = m_tree.FindChild(parent, name);
    if (!child)
        child = m_tree.AddNode(parent, m_tree.CurrentPath(), name);
    if (!child)
        return;
    m_tree.SelectNode(child);
    ReadCurrentFolder();
}

void MainWindow::UpOneLevel()
{
    if (m_listMode)
        GoUp();
}

void MainWindow::GoUp()
{
    HTREEITEM node = m_tree.CurrentNode();
    HTREEITEM parent = node ? TreeView_GetParent(m_tree.Window(), node) : nullptr;
    if (!parent)
        return;
    // The list goes up from the folder the tree shows.
    if (m_list.CurrentPath() != m_tree.CurrentPath())
        m_list.SetCurrentPath(m_tree.CurrentPath());
    m_tree.SelectNode(parent);
    m_list.GoUp();
}

void MainWindow::GoBack()
{
    if (!m_tree.AtRoot())
        GoUp();
    else
        ShowTreePane();
    AfterCommand();
}

void MainWindow::OnBack(WPARAM, LPARAM lParam)
{
    // Once per press.
    if (LOWORD(lParam) & MOD_KEYUP)
        GoBack();
}

void MainWindow::ReadCurrentFolder()
{
    m_list.ReadFolder(m_tree.CurrentPath(), nullptr);
    m_list.EnsureSorted();
    m_list.AddRecentFolder(m_tree.CurrentPath());
}
