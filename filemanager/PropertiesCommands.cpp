// MainWindow: the properties of the selected item or the tree's folder, a
// shortcut to the selected file, and the device information.
#include "filemanager/DeviceFiles.h"
#include "filemanager/DeviceInfoDialog.h"
#include "filemanager/FolderChooser.h"
#include "filemanager/MainWindow.h"
#include "filemanager/OperationMessages.h"
#include "filemanager/PropertiesDialog.h"
#include "filemanager/PropertiesResources.h"
#include "filemanager/ShortcutNames.h"

void MainWindow::ShowItemProperties()
{
    PropertiesRequest request;
    request.preferences = m_list.Preferences();
    if (m_listMode) {
        const FolderItem* item = CommandListItem();
        if (!item)
            return;
        request.folder = m_list.CurrentPath();
        request.name = item->name;
    } else if (m_tree.AtRoot()) {
        request.isRoot = true;
    } else {
        request.folder = ParentPath(m_tree.CurrentPath());
        request.name = LastComponent(m_tree.CurrentPath());
    }
    const String folder = request.folder;
    const String name = request.name;
    const String oldPath = JoinPath(folder, name);
    PropertiesDialog dialog(Window(), std::move(request));
    RunModal(dialog);

    const bool renamed = dialog.Outcome() == PropertiesOutcome::Renamed;
    if (m_listMode) {
        // Card events may have read the list again while the dialog was open.
        const bool written = dialog.AttributesChanged() == AttributeChange::Written;
        if (written || renamed)
            m_list.FollowItemChange(folder, name, written ? std::optional<DWORD>(dialog.Attributes()) : std::nullopt,
                                    renamed ? dialog.NewName() : String());
    } else if (renamed) {
        FollowTreeRename(oldPath, dialog.NewName());
    }
    ReportPropertiesFailure(Window(), dialog);
    RepaintStrips();
}

void MainWindow::CreateShortcutToSelected()
{
    const CommandContext context = Context();
    if (!context.listMode || !context.SingleFileSelected())
        return;
    const String current = m_list.CurrentPath();
    const String target = JoinPath(current, context.singleSelectedFileName);
    const std::optional<String> folder = ChooseFolder(Window(), ChooserMode::Shortcut, target);
    if (!folder)
        return;
    if (!EntryExists(*folder)) {
        ShowOperationError(Window(), IDS_FOLDER_GONE, 0, *folder);
        return;
    }
    const MadeShortcut made = MakeShortcut(*folder, target);
    if (made.outcome != ShortcutOutcome::Created) {
        ShowOperationError(Window(), IDS_SHORTCUT_FAILED, 0);
        return;
    }
    m_list.AddCreatedFile(*folder, made.name);
    RepaintStrips();
}

void MainWindow::ShowDeviceInformation()
{
    DeviceInfoDialog dialog(Window());
    RunModal(dialog);
}
