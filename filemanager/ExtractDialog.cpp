#include "filemanager/ExtractDialog.h"

#include "filemanager/ArchiveResources.h"
#include "filemanager/FolderChooser.h"
#include "framework/DialogControls.h"

namespace {

String WithoutExtension(const String& name)
{
    const int dot = name.ReverseFind(L'.');
    return dot < 0 ? name : name.Left(dot);
}

void AddString(HWND dialog, int control, const wchar_t* text)
{
    SendDlgItemMessageW(dialog, control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace

ExtractDialog::ExtractDialog(HWND owner, const String& archiveFolder, const String& archiveName, bool haveSelection,
                             Extract extract)
    : OperationDialog(IDD_EXTRACT, owner, IDM_EXTRACT_BAR, IDS_CHOOSE_EXTRACT_FOLDER), m_archiveFolder(archiveFolder),
      m_baseName(WithoutExtension(archiveName)), m_haveSelection(haveSelection), m_extract(std::move(extract))
{
}

bool ExtractDialog::Run()
{
    m_ran = false;
    RunModal(*this);
    return m_ran;
}

InitResult ExtractDialog::InitDialog()
{
    if (OperationDialog::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    HWND window = Window();
    m_headings.Apply(window,
                     {{IDC_EXTRACT_TO_HEADING, IDS_EXTRACT_TO}, {IDC_EXTRACT_WHICH_HEADING, IDS_EXTRACT_WHICH}});

    String text;
    text.LoadResourceText(IDS_EXTRACT_ARCHIVE_FOLDER);
    AddString(window, IDC_EXTRACT_DESTINATION, text);
    m_folders = {m_archiveFolder};
    SendDlgItemMessageW(window, IDC_EXTRACT_DESTINATION, CB_SETCURSEL, 0, 0);

    text.LoadResourceText(IDS_EXTRACT_SELECTED);
    AddString(window, IDC_EXTRACT_WHICH, text);
    text.LoadResourceText(IDS_EXTRACT_ALL);
    AddString(window, IDC_EXTRACT_WHICH, text);
    SendDlgItemMessageW(window, IDC_EXTRACT_WHICH, CB_SETCURSEL, m_haveSelection ? 0 : 1, 0);
    EnableWindow(GetDlgItem(window, IDC_EXTRACT_WHICH), m_haveSelection);

    text.FormatResource(IDS_ARCHIVE_EXTRACT_INTO, m_baseName);
    SetDlgItemTextW(window, IDC_EXTRACT_INTO_FOLDER, text);
    CheckDlgButton(window, IDC_EXTRACT_INTO_FOLDER, BST_CHECKED);

    LinkFieldsVertically(window,
                         {IDC_EXTRACT_DESTINATION, IDC_EXTRACT_WHICH, IDC_EXTRACT_OVERWRITE, IDC_EXTRACT_INTO_FOLDER});
    TickBoxesWithActionKey(window, {IDC_EXTRACT_OVERWRITE, IDC_EXTRACT_INTO_FOLDER});
    SetFocus(GetDlgItem(window, IDC_EXTRACT_DESTINATION));
    m_focusSet = true;
    return InitResult::Continue;
}

void ExtractDialog::AddFolder()
{
    HWND window = Window();
    const std::optional<String> folder = ChooseFolder(window, ChooserMode::Extract, String());
    if (!folder)
        return;
    // The archive's own folder is the first entry, chosen or not.
    for (size_t i = 0; i < m_folders.size(); ++i) {
        if (m_folders[i].CompareNoCase(*folder) == 0) {
            SendDlgItemMessageW(window, IDC_EXTRACT_DESTINATION, CB_SETCURSEL, i, 0);
            return;
        }
    }
    m_folders.push_back(*folder);
    AddString(window, IDC_EXTRACT_DESTINATION, folder->IsEmpty() ? String(L"\\") : *folder);
    SendDlgItemMessageW(window, IDC_EXTRACT_DESTINATION, CB_SETCURSEL, m_folders.size() - 1, 0);
}

void ExtractDialog::Start()
{
    HWND window = Window();
    const LRESULT chosen = SendDlgItemMessageW(window, IDC_EXTRACT_DESTINATION, CB_GETCURSEL, 0, 0);
    ExtractChoice choice;
    choice.destination = m_folders[chosen >= 0 && static_cast<size_t>(chosen) < m_folders.size() ? chosen : 0];
    if (IsDlgButtonChecked(window, IDC_EXTRACT_INTO_FOLDER) == BST_CHECKED)
        choice.destination = (choice.destination.IsEmpty() ? String() : choice.destination) + L"\\" + m_baseName;
    choice.allMembers = !m_haveSelection || SendDlgItemMessageW(window, IDC_EXTRACT_WHICH, CB_GETCURSEL, 0, 0) == 1;
    choice.overwrite = IsDlgButtonChecked(window, IDC_EXTRACT_OVERWRITE) == BST_CHECKED;
    if (!m_extract || !m_extract(choice))
        return;
    m_ran = true;
    EndDialog(window, IDOK);
}

bool ExtractDialog::OnCommand(UINT command)
{
    switch (command) {
    case ID_EXTRACT_START:
    case IDOK:
        Start();
        return true;
    case ID_EXTRACT_CHOOSE_FOLDER:
        AddFolder();
        return true;
    case ID_EXTRACT_CANCEL:
    case IDCANCEL:
        OnBack();
        return true;
    default:
        return false;
    }
}

void ExtractDialog::OnBack()
{
    EndDialog(Window(), IDCANCEL);
}
