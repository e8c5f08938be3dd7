// The main window's archive commands: browsing the selected zip archive,
// and extracting it whole into a folder of its name beside it.
#include "filemanager/MainWindow.h"

#include "filemanager/ArchiveBrowser.h"
#include "filemanager/ArchiveProgressDialog.h"
#include "filemanager/ArchiveResources.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/OperationMessages.h"
#include "filemanager/archive/Win32ArchiveFiles.h"
#include "framework/Messages.h"

namespace {

String WithoutExtension(const String& name)
{
    const int dot = name.ReverseFind(L'.');
    return dot < 0 ? name : name.Left(dot);
}

}  // namespace

String MainWindow::SelectedZipPath() const
{
    const int index = m_list.SingleSelectedIndex();
    if (!m_listMode || index < 0)
        return String();
    const FolderItem& item = m_list.Item(index);
    if (item.IsFolder() || !IsZipName(item.name))
        return String();
    return JoinPath(m_list.CurrentPath(), item.name);
}

void MainWindow::BrowseSelectedZip()
{
    const String path = SelectedZipPath();
    if (path.IsEmpty())
        return;
    switch (BrowseArchive(Window(), path)) {
    case BrowseResult::CannotOpen:
        ShowOperationError(Window(), IDS_ZIP_NOT_OPENED, 0);
        break;
    case BrowseResult::Extracted:
        m_list.Refresh();
        break;
    case BrowseResult::Closed:
        break;
    }
}

void MainWindow::ExtractSelectedZipHere()
{
    const String path = SelectedZipPath();
    if (path.IsEmpty())
        return;
    Archive archive;
    if (!OpenArchiveFile(archive, std::wstring(path.Chars(), static_cast<size_t>(path.Length())))) {
        ShowOperationError(Window(), IDS_ZIP_NOT_OPENED, 0);
        return;
    }
    const String name = LastComponent(path);
    if (archive.members.empty()) {
        ShowMessageText(Window(), ComposeMessage(IDS_ARCHIVE_EMPTY, 0, 0, 0, 0, nullptr, name), MB_OK);
        return;
    }
    const String destination = JoinPath(m_list.CurrentPath(), WithoutExtension(name));
    ArchiveJob job(archive);
    job.destination.assign(destination.Chars(), static_cast<size_t>(destination.Length()));
    for (size_t i = 0; i < archive.members.size(); ++i)
        job.members.push_back(static_cast<int>(i));
    if (RunArchiveJobDialog(Window(), job))
        m_list.Refresh();
}
