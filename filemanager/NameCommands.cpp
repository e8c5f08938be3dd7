// MainWindow: the commands that name and choose: rename, new folder, choose
// selection, quick folders, and the preferences with what they change at
// once.
#include "filemanager/ChooseSelectionDialog.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/ListSelection.h"
#include "filemanager/MainWindow.h"
#include "filemanager/NameDialogsResources.h"
#include "filemanager/NewFolderDialog.h"
#include "filemanager/NewNames.h"
#include "filemanager/OperationMessages.h"
#include "filemanager/PreferenceBits.h"
#include "filemanager/PreferencesDialog.h"
#include "filemanager/FileOpening.h"
#include "filemanager/QuickFolderList.h"
#include "filemanager/QuickFoldersDialog.h"
#include "filemanager/RenameDialog.h"
#include "filemanager/TemporaryFolders.h"
#include "framework/Paths.h"

namespace {

// In the list pane a name is taken by an item the list shows or by anything
// else of that name in the folder; in the tree pane by the file system alone.
std::function<bool(const String&)> TakenIn(const FolderList* list, const String& folder)
{
    return [listed = list ? ListedNames(*list) : std::vector<String>(), folder](const String& name) {
        return NameTaken(listed, folder, name);
    };
}

}  // namespace

const FolderItem* MainWindow::CommandListItem()
{
    m_list.WaitForBackgroundRead();
    const int index = m_list.SingleSelectedIndex();
    if (index < 0 || IsParentRow(m_list, index))
        return nullptr;
    return &m_list.Item(index);
}

void MainWindow::FollowTreeRename(const String& oldPath, const String& newName)
{
    m_tree.OnFolderRenamed(oldPath, newName);
    m_tree.RestartListing();
}

void MainWindow::RenameItem()
{
    RenameRequest request;
    request.preferences = m_list.Preferences();
    if (m_listMode) {
        const FolderItem* selected = CommandListItem();
        if (!selected)
            return;
        const FolderItem& item = *selected;
        request.folder = m_list.CurrentPath();
        request.name = item.name;
        request.isFolder = item.IsFolder();
        request.isTaken = TakenIn(&m_list, request.folder);
        request.takenMessage = item.IsFolder() ? IDS_FOLDER_NAME_TAKEN : IDS_FILE_NAME_TAKEN;
    } else {
        if (m_tree.AtRoot())
            return;
        request.folder = ParentPath(m_tree.CurrentPath());
        request.name = LastComponent(m_tree.CurrentPath());
        request.isFolder = true;
        request.isTaken = TakenIn(nullptr, request.folder);
        request.takenMessage = IDS_FOLDER_NAME_TAKEN;
    }
    const String oldPath = JoinPath(request.folder, request.name);
    RenameDialog dialog(Window(), std::move(request));
    RunModal(dialog);
    switch (dialog.Outcome()) {
    case RenameOutcome::Renamed:
        if (m_listMode)
            m_list.RenameSelected(dialog.NewName());
        else
            FollowTreeRename(oldPath, dialog.NewName());
        RepaintStrips();
        break;
    case RenameOutcome::MoveFailed:
        ShowOperationError(Window(), IDS_RENAME_FAILED, 0);
        break;
    case RenameOutcome::Cancelled:
    case RenameOutcome::Unchanged:
    case RenameOutcome::Gone:
        break;
    }
}

void MainWindow::NewFolder()
{
    if (m_listMode)
        m_list.WaitForBackgroundRead();
    const String folder = m_listMode ? m_list.CurrentPath() : m_tree.CurrentPath();
    NewFolderDialog dialog(Window(), folder, TakenIn(m_listMode ? &m_list : nullptr, folder));
    RunModal(dialog);
    if (dialog.Outcome() == NewFolderOutcome::Failed) {
        ShowOperationError(Window(), IDS_FOLDER_NOT_CREATED, dialog.Error() == ERROR_DISK_FULL ? IDS_DISK_FULL : 0);
        return;
    }
    if (dialog.Outcome() != NewFolderOutcome::Created)
        return;
    if (m_listMode) {
        m_list.AddCreatedFolder(dialog.Name());
        return;
    }
    // The new folder's node becomes current, which lists it.
    HTREEITEM parent = m_tree.CurrentNode();
    m_tree.Expand(parent);
    HTREEITEM node = m_tree.FindChild(parent, dialog.Name());
    if (!node)
        node = m_tree.AddNode(parent, folder, dialog.Name());
    if (node) {
        m_tree.SelectNode(node);
        TreeView_EnsureVisible(m_tree.Window(), node);
    }
}

void MainWindow::ChooseSelection()
{
    // The check list shows the rows as the list shows them.
    if (!m_listMode)
        m_tree.FinishListing();
    m_list.EnsureSorted();
    ChooseSelectionDialog dialog(Window(), m_list);
    RunModal(dialog);
    if (dialog.SelectionChanged()) {
        m_listPane.Repaint();
        RepaintStrips();
    }
}

void MainWindow::QuickFolders()
{
    StringArray cards;
    ListStorageCards(cards);
    QuickFoldersDialog dialog(Window(), CollectQuickFolders(m_list.Recent(), cards, IsExistingFolder));
    RunModal(dialog);
    if (dialog.Chosen())
        GoToFolderNode(*dialog.Chosen());
}

bool MainWindow::GoToFolderNode(const String& path)
{
    HTREEITEM node = nullptr;
    {
        WaitCursor wait;
        node = m_tree.FindNode(path);
        if (node) {
            m_tree.SelectNode(node);
            m_tree.Expand(node);
            TreeView_EnsureVisible(m_tree.Window(), node);
            // In the tree pane the selection starts the listing.
            if (m_listMode)
                ReadCurrentFolder();
        }
    }
    if (!node)
        ShowMessage(Window(), IDS_NO_TREE_NODE, 0, MB_OK | MB_ICONERROR, 0, 0, 0, nullptr, path);
    return node != nullptr;
}

void MainWindow::EditPreferences()
{
    PreferencesDialog dialog(Window(), m_list.Preferences());
    RunModal(dialog);
    if (dialog.Accepted())
        ApplyPreferences(dialog.Preferences());
}

void MainWindow::ApplyPreferences(DWORD preferences)
{
    const DWORD before = m_list.Preferences();
    m_list.SetPreferences(preferences);
    SetTemporaryFolderPreferences(preferences);
    SetFileOpeningPreferences(preferences);
    if ((before ^ preferences) & PreferenceSmallFont)
        m_tree.SetFont(preferences);
    m_listPane.SetPreferences(preferences);
    // The folder is read again with the new filters, in the tree pane through
    // the listing.
    RefreshPane();
    RepaintStrips();
}
