#include "filemanager/FindDialog.h"

#include "filemanager/CaptionedMessage.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/DialogParts.h"
#include "filemanager/FindDialogControls.h"
#include "filemanager/FindResources.h"
#include "filemanager/FolderChooser.h"
#include "filemanager/PreferenceBits.h"
#include "filemanager/SearchScope.h"

#include <commctrl.h>


namespace {

// A folder as the field shows it: with a final "\" ("\" for the root).
String FolderFieldText(const String& folder)
{
    return NormalizeFolderPath(folder) + L"\\";
}

}  // namespace

FindDialog::FindDialog(HWND parent, const String& folder, DWORD preferences)
    : DialogCore(IDD_FIND_FILES, parent, IDM_FIND_BAR, IDS_FIND_CAPTION, true), m_folder(folder),
      m_preferences(preferences)
{
}

InitResult FindDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    SetDlgItemTextW(Window(), IDC_FIND_PATTERNS, L"*.*");
    SetDlgItemTextW(Window(), IDC_FIND_FOLDER, FolderFieldText(m_folder));
    SetDlgItemTextW(Window(), IDC_FIND_TEXT, L"");
    LinkFieldsVertically(Window(), {IDC_FIND_PATTERNS, IDC_FIND_FOLDER, IDC_FIND_TEXT});
    HWND patterns = GetDlgItem(Window(), IDC_FIND_PATTERNS);
    SetFocus(patterns);
    SendMessageW(patterns, EM_SETSEL, 0, -1);
    m_focusSet = true;
    return InitResult::Continue;
}

bool FindDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && OnCommand(LOWORD(wParam))) {
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}

bool FindDialog::OnCommand(int command)
{
    switch (command) {
    case ID_FIND_SEARCH:
    case IDOK:  // Enter in a field
        Search();
        return true;
    case ID_FIND_CHOOSE_FOLDER:
        ChooseSearchFolder();
        return true;
    case ID_FIND_CLOSE:
        EndDialog(Window(), IDCANCEL);
        return true;
    default:
        return false;
    }
}

void FindDialog::ChooseSearchFolder()
{
    if (const std::optional<String> chosen =
            ChooseFolder(Window(), ChooserMode::Find, ControlText(Window(), IDC_FIND_FOLDER)))
        SetDlgItemTextW(Window(), IDC_FIND_FOLDER, FolderFieldText(*chosen));
}

void FindDialog::Search()
{
    const SearchScope scope =
        ResolveSearchScope(ControlText(Window(), IDC_FIND_PATTERNS), ControlText(Window(), IDC_FIND_FOLDER));
    const String quoted = L"\"" + scope.refusedText + L"\"";
    switch (scope.refusal) {
    case ScopeRefusal::BadFolder: {
        String text;
        text.LoadResourceText(IDS_BAD_SEARCH_FOLDER);
        ShowMessageText(Window(), quoted + text, MB_OK | MB_ICONERROR);
        EndDialog(Window(), IDCANCEL);
        return;
    }
    case ScopeRefusal::NetworkPath:
        ShowCaptionedText(Window(), L"ERROR", quoted + L" is not a valid folder !", MB_OK | MB_ICONERROR);
        EndDialog(Window(), IDCANCEL);
        return;
    case ScopeRefusal::None:
        break;
    }

    SearchQuery query;
    query.folder = scope.folder;
    query.patterns = scope.patterns;
    query.text = ControlText(Window(), IDC_FIND_TEXT);
    query.skipHidden = (m_preferences & PreferenceHideHidden) != 0;
    FindResultsDialog results(Window(), query, m_preferences, m_folder);
    RunModal(results);
    m_deletions.Add(results.Deletions());
    switch (results.End()) {
    case ResultsEnd::BackToFind: {
        // All of it selected, so that typing or Back replaces the names.
        HWND patterns = GetDlgItem(Window(), IDC_FIND_PATTERNS);
        SetFocus(patterns);
        SendMessageW(patterns, EM_SETSEL, 0, -1);
        return;
    }
    case ResultsEnd::OpenFolder:
        m_folderToOpen = results.FolderToOpen();
        EndDialog(Window(), IDOK);
        return;
    case ResultsEnd::CloseAll:
        EndDialog(Window(), IDOK);
        return;
    }
}
