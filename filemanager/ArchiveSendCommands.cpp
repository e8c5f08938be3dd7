// ArchiveBrowserDialog: sending a member by mail and beaming members. The
// members are extracted into the temporary folder first, as for opening.
#include "filemanager/ArchiveBrowserDialog.h"

#include "filemanager/ArchiveBrowser.h"
#include "filemanager/ArchiveProgressDialog.h"
#include "filemanager/ArchiveResources.h"
#include "filemanager/BeamDialog.h"
#include "filemanager/OperationMessages.h"
#include "filemanager/SendCommands.h"
#include "filemanager/TemporaryFolders.h"

void ArchiveBrowserDialog::SendSelectedByMail()
{
    const std::vector<int> selected = SelectedRows();
    if (selected.size() != 1)
        return;
    const ArchiveRow row = m_listing->Row(selected.front());
    if (row.isFolder)
        return;
    if (const std::optional<String> path = ExtractForOpening(row.member))
        SendByMail(Window(), *path);
}

void ArchiveBrowserDialog::BeamSelected()
{
    const std::vector<int> selected = SelectedRows();
    if (selected.empty())
        return;
    const String folder = MakeTemporaryFolder();
    if (folder.IsEmpty()) {
        ShowOperationError(Window(), IDS_NO_ROOM, 0);
        return;
    }
    ArchiveJob job(*m_archive);
    job.destination.assign(folder.Chars(), static_cast<size_t>(folder.Length()));
    job.members = m_listing->MembersOf(selected);
    m_archive->overwriteWithoutAsking = true;
    const std::optional<ArchiveJobEnd> end = RunArchiveJobDialog(Window(), job);
    m_archive->overwriteWithoutAsking = false;
    if (end != ArchiveJobEnd::Done)
        return;
    std::vector<String> paths;
    for (int member : job.members)
        paths.push_back(
            String(MemberPath(job.destination, m_archive->members[static_cast<size_t>(member)].name).c_str()));
    BeamFiles(Window(), paths);
}
