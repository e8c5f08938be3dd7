#include "filemanager/OverwriteDialog.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/FileFormats.h"
#include "filemanager/FileOperationResources.h"
#include "filemanager/ItemIcons.h"

OverwriteDialog::OverwriteDialog(HWND owner, const OverwriteQuestion& question)
    : OperationDialog(IDD_OVERWRITE, owner, IDM_OVERWRITE_BAR, IDS_OVERWRITE_CAPTION), m_question(question)
{
}

OverwriteAnswer OverwriteDialog::Ask()
{
    // Only the user's choice answers: the end codes of a dialog whose set-up
    // failed (1, 2) would otherwise read as Skip and Replace All.
    m_answer = OverwriteAnswer::Cancel;
    RunModal(*this);
    return m_answer;
}

String OverwriteDialog::DetailsOf(const WIN32_FIND_DATAW& entry)
{
    const String time = FormatFileTime(entry.ftLastWriteTime);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return time;
    return FormatSize(entry.nFileSizeHigh, entry.nFileSizeLow, false, 4, 1024) + L", " + time;
}

InitResult OverwriteDialog::InitDialog()
{
    if (OperationDialog::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    HWND window = Window();
    m_headings.Apply(window,
                     {{IDC_OVERWRITE_OLD_HEADING, IDS_OVERWRITE_OLD}, {IDC_OVERWRITE_NEW_HEADING, IDS_OVERWRITE_NEW}});
    ShowItem(m_question.existing, IDC_OVERWRITE_OLD_ICON, IDC_OVERWRITE_OLD_NAME, IDC_OVERWRITE_OLD_DETAILS, m_oldIcon);
    ShowItem(m_question.source, IDC_OVERWRITE_NEW_ICON, IDC_OVERWRITE_NEW_NAME, IDC_OVERWRITE_NEW_DETAILS, m_newIcon);

    const struct {
        int control;
        UINT text;
    } choices[] = {{IDC_OVERWRITE_REPLACE, IDS_REPLACE},
                   {IDC_OVERWRITE_REPLACE_ALL, IDS_REPLACE_ALL},
                   {IDC_OVERWRITE_SKIP, IDS_SKIP}};
    for (const auto& choice : choices) {
        String text;
        text.LoadResourceText(choice.text);
        SetDlgItemTextW(window, choice.control, text);
    }
    CheckRadioButton(window, IDC_OVERWRITE_REPLACE, IDC_OVERWRITE_SKIP, IDC_OVERWRITE_REPLACE);
    EnableWindow(GetDlgItem(window, IDC_OVERWRITE_REPLACE_ALL), !m_question.oneItem);
    SetFocus(GetDlgItem(window, IDC_OVERWRITE_REPLACE));
    m_focusSet = true;
    return InitResult::Continue;
}

void OverwriteDialog::ShowItem(const String& path, int iconControl, int nameControl, int detailsControl,
                               vellumate::IconHandle& icon)
{
    HWND window = Window();
    SetDlgItemTextW(window, nameControl, L"...\\" + LastComponent(path));
    WIN32_FIND_DATAW entry;
    if (FindEntry(path, entry))
        SetDlgItemTextW(window, detailsControl, DetailsOf(entry));
    icon = LargeShellIcon(path);
    if (icon)
        SendDlgItemMessageW(window, iconControl, STM_SETICON, reinterpret_cast<WPARAM>(icon.Get()), 0);
}

OverwriteAnswer OverwriteDialog::Chosen() const
{
    if (IsDlgButtonChecked(Window(), IDC_OVERWRITE_SKIP) == BST_CHECKED)
        return OverwriteAnswer::Skip;
    if (IsDlgButtonChecked(Window(), IDC_OVERWRITE_REPLACE_ALL) == BST_CHECKED)
        return OverwriteAnswer::ReplaceAll;
    return OverwriteAnswer::Replace;
}

bool OverwriteDialog::OnCommand(UINT command)
{
    switch (command) {
    case ID_DIALOG_OK:
    case IDOK:
        m_answer = Chosen();
        EndDialog(Window(), IDOK);
        return true;
    case ID_DIALOG_CANCEL:
    case IDCANCEL:
        OnBack();
        return true;
    default:
        return false;
    }
}

void OverwriteDialog::OnBack()
{
    m_answer = OverwriteAnswer::Cancel;
    EndDialog(Window(), IDCANCEL);
}
