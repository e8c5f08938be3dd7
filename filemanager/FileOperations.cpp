// The main window's copy, move, duplicate and delete commands: they collect
// the items of the pane shown (the list's selection, or the tree's current
// folder), run the folder chooser with its checks and the progress dialog,
// or delete, and bring the list and the tree up to date afterwards.
#include "filemanager/MainWindow.h"

#include "filemanager/CopyProgressDialog.h"
#include "filemanager/DestinationChecks.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/FileDeletion.h"
#include "filemanager/FileOperationResources.h"
#include "filemanager/FolderChooser.h"
#include "filemanager/NewNames.h"
#include "filemanager/OperationMessages.h"
#include "filemanager/PreferenceBits.h"
#include "filemanager/resource.h"

#include <vector>

namespace {

bool Refused(HWND owner, DestinationProblem problem, const String& destination)
{
    if (problem == DestinationProblem::None)
        return false;
    ShowOperationError(owner, MessageOf(problem), 0, destination);
    return true;
}

}  // namespace

void MainWindow::CopyToFolder()
{
    RunCopy(CopyMode::Copy, false);
}

void MainWindow::MoveToFolder()
{
    RunCopy(CopyMode::Move, false);
}

void MainWindow::DuplicateSelected()
{
    RunCopy(CopyMode::Copy, true);
}

void MainWindow::RunCopy(CopyMode mode, bool duplicate)
{
    m_list.WaitForBackgroundRead();
    CopyJob job;
    job.mode = mode;
    job.askBeforeReplacing = (m_list.Preferences() & PreferenceAskBeforeReplacing) != 0;
    job.copyOfPrefix.LoadResourceText(IDS_COPY_OF);
    job.numberedCopyOfPrefix.LoadResourceText(IDS_COPY_NUMBER_OF);

    const bool listMode = m_listMode;
    const String treeFolder = m_tree.CurrentPath();
    std::vector<String> folderNames;
    if (listMode) {
        job.sourceFolder = m_list.CurrentPath();
        for (int n = 0; n < m_list.SelectedCount(); ++n) {
            const FolderItem& item = m_list.Item(m_list.SelectedIndex(n));
            if (item.IsParentRow())
                continue;
            job.items.push_back({item.name, item.IsFolder()});
            if (item.IsFolder())
                folderNames.push_back(item.name);
        }
        job.listedNames = ListedNames(m_list);
    } else {
        if (treeFolder.IsEmpty())
            return;  // the device root is never copied
        job.sourceFolder = ParentPath(treeFolder);
        job.items.push_back({LastComponent(treeFolder), true});
    }
    if (job.items.empty())
        return;

    if (duplicate) {
        job.destinationFolder = job.sourceFolder;
    } else {
        const FolderCheck check = [&](HWND chooser, const String& destination) {
            const bool move = mode == CopyMode::Move;
            const DestinationProblem problem =
                listMode ? CheckListDestination(job.sourceFolder, folderNames, destination, move)
                         : CheckTreeDestination(treeFolder, destination, move);
            return !Refused(chooser, problem, destination);
        };
        const std::optional<String> destination =
            ChooseFolder(Window(), mode == CopyMode::Move ? ChooserMode::Move : ChooserMode::Copy,
                         JoinPath(job.sourceFolder, L""), check);
        if (!destination)
            return;
        job.destinationFolder = *destination;
    }

    CopyProgressDialog(Window(), job).Run();
    AfterCopy(job, listMode, treeFolder);
}

void MainWindow::AfterCopy(const CopyJob& job, bool listMode, const String& treeFolder)
{
    if (listMode) {
        if (job.mode == CopyMode::Move) {
            m_list.RemoveDeletedItems(job.destinationFolder);
        } else {
            StringArray names;
            for (const String& name : job.CopiedNames())
                names.Add(name);
            m_list.AddPastedItems(job.destinationFolder, names);
        }
        return;
    }
    if (job.mode == CopyMode::Move && !EntryExists(treeFolder))
        m_tree.OnFolderRemoved(treeFolder);
    const std::vector<String> copied = job.CopiedNames();
    if (!copied.empty()) {
        m_tree.OnFolderAdded(job.destinationFolder, copied.front());
        // A moved folder stays the current one in its new place; a copy
        // leaves the user where they were.
        if (job.mode == CopyMode::Move)
            if (HTREEITEM node = m_tree.FindNode(JoinPath(job.destinationFolder, copied.front())))
                m_tree.SelectNode(node);
    }
    m_tree.RestartListing();
}

void MainWindow::DeleteSelected()
{
    m_list.WaitForBackgroundRead();
    const bool ask = (m_list.Preferences() & PreferenceAskBeforeDeleting) != 0;
    if (!m_listMode) {
        const String folder = m_tree.CurrentPath();
        if (folder.IsEmpty())
            return;  // the device root is never deleted
        bool deleted = false;
        if (ask) {
            DeleteQuestionDialog question(Window(), {folder}, [&](const String& path) {
                deleted = DeletePath(path, Window());
                return deleted;
            });
            if (question.Ask() != IDOK && !deleted) {
                m_tree.RefreshTree();
                m_tree.RestartListing();
                return;
            }
        } else {
            deleted = DeletePath(folder, Window());
        }
        if (deleted || !EntryExists(folder)) {
            m_tree.OnFolderRemoved(folder);
            m_tree.RestartListing();
        }
        return;
    }

    // From the last selected item to the first; ".." is never deleted.
    std::vector<String> paths;
    for (int n = m_list.SelectedCount() - 1; n >= 0; --n) {
        const int index = m_list.SelectedIndex(n);
        if (!m_list.Item(index).IsParentRow())
            paths.push_back(m_list.FullPath(index));
    }
    if (ask) {
        DeleteQuestionDialog question(Window(), paths,
                                      [this](const String& path) { return DeletePath(path, Window()); });
        question.Ask();
    } else {
        for (const String& path : paths)
            if (!DeletePath(path, Window()))
                break;
    }
    m_list.RemoveDeletedItems(nullptr);
}
