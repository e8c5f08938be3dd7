// MainWindow: finding files, and what the search's results change in the
// main window once its dialogs have closed.
#include "filemanager/FindDialog.h"
#include "filemanager/FindResources.h"
#include "filemanager/MainWindow.h"

void MainWindow::FindFiles()
{
    FindDialog find(Window(), m_tree.CurrentPath(), m_list.Preferences());
    RunModal(find);

    const FoundDeletions& deleted = find.Deletions();
    if (deleted.folders)
        m_tree.RefreshTree();
    if (find.FolderToOpen()) {
        ShowFoundFolder(*find.FolderToOpen());
        return;
    }
    if (!deleted.inCurrentFolder && !deleted.folders)
        return;
    // The list shows what is left; in the tree pane the listing reads it.
    if (m_listMode)
        ReadCurrentFolder();
    else
        m_tree.RestartListing();
}

void MainWindow::ShowFoundFolder(const String& path)
{
    // In the tree pane the selection started a listing, which the list reads
    // as it is shown.
    if (GoToFolderNode(path))
        ShowListPane();
}
