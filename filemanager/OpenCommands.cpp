// Open With and Associate on the list's selected file.
#include "filemanager/DeviceFiles.h"
#include "filemanager/FileOpening.h"
#include "filemanager/MainWindow.h"
#include "filemanager/OpenWithDialog.h"
#include "filemanager/OperationMessages.h"

namespace {

void RunOpenWith(HWND owner, OpenWithMode mode, const String& name, const String& path)
{
    if (!EntryExists(path)) {
        ShowOperationError(owner, IDS_FOLDER_GONE, 0, path);
        return;
    }
    OpenWithDialog dialog(owner, mode, false, name, path, FileOpeningPreferences());
    RunModal(dialog);
}

}  // namespace

void MainWindow::OpenSelectedWith()
{
    const CommandContext context = Context();
    if (context.listMode && context.SingleFileSelected())
        RunOpenWith(Window(), OpenWithMode::OpenWith, context.singleSelectedFileName,
                    JoinPath(m_tree.CurrentPath(), context.singleSelectedFileName));
}

void MainWindow::AssociateSelected()
{
    const CommandContext context = Context();
    if (context.listMode && context.SingleFileSelected())
        RunOpenWith(Window(), OpenWithMode::Associate, context.singleSelectedFileName,
                    JoinPath(m_tree.CurrentPath(), context.singleSelectedFileName));
}
