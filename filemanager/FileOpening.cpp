#include "filemanager/FileOpening.h"

#include "filemanager/ArchiveBrowser.h"
#include "filemanager/Associations.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/OpenWithDialog.h"
#include "filemanager/OperationMessages.h"
#include "filemanager/resource.h"

#include "platform/shellexec/ShellExecute.h"

#include <shellapi.h>

namespace {

DWORD g_preferences = 0;

void ShellOpen(HWND owner, const String& fullPath)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = fullPath;
    info.nShow = SW_SHOWNORMAL;
    // A program that cannot be started says nothing here.
    handset::ShellExecuteEx(&info);
}

}  // namespace

void SetFileOpeningPreferences(DWORD preferences) noexcept
{
    g_preferences = preferences;
}

DWORD FileOpeningPreferences() noexcept
{
    return g_preferences;
}

bool OpenFile(HWND owner, const String& name, const String& fullPath)
{
    // A file that went since the list was read would reach the shell or the
    // open-with dialog, which can do nothing with it.
    if (!EntryExists(fullPath)) {
        ShowOperationError(owner, IDS_FOLDER_GONE, 0, fullPath);
        return false;
    }
    // The extension is compared exactly: ".ZIP" goes by its association.
    const String extension = ExtensionOfName(name);
    if (extension == L".zip") {
        const BrowseResult browsed = BrowseArchive(owner, fullPath);
        if (browsed == BrowseResult::CannotOpen)
            ShowOperationError(owner, IDS_ZIP_NOT_OPENED, 0);
        return browsed == BrowseResult::Extracted;
    }
    if (extension == L".lnk" || IsAssociated(extension)) {
        ShellOpen(owner, fullPath);
        return false;
    }
    OpenWithDialog dialog(owner, OpenWithMode::OpenWith, true, name, fullPath, g_preferences);
    RunModal(dialog);
    return false;
}
