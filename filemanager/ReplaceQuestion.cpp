#include "filemanager/ReplaceQuestion.h"

#include "filemanager/ArchiveQuestionBar.h"
#include "filemanager/ArchiveResources.h"
#include "filemanager/DialogParts.h"
#include "filemanager/ItemIcons.h"

ReplaceQuestionDialog::ReplaceQuestionDialog(HWND owner, const String& leaf, const String& target)
    : OperationDialog(IDD_DELETE_QUESTION, owner, IDM_ARCHIVE_QUESTION_BAR, IDS_OVERWRITE_CAPTION), m_leaf(leaf),
      m_target(target)
{
}

ReplaceAnswer ReplaceQuestionDialog::Ask()
{
    m_answer = ReplaceAnswer::Cancel;
    RunModal(*this);
    return m_answer;
}

InitResult ReplaceQuestionDialog::InitDialog()
{
    if (OperationDialog::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    HWND window = Window();
    LabelArchiveQuestionBar(MenuBar());
    String first, second;
    first.LoadResourceText(IDS_ARCHIVE_REPLACE_FIRST);
    second.LoadResourceText(IDS_ARCHIVE_REPLACE_SECOND);
    SetDlgItemTextW(window, IDC_QUESTION_TEXT, first + L" " + second);
    // The two sentences take a line more than the delete question's template holds.
    GrowTextDownward(window, IDC_QUESTION_TEXT);
    SetDlgItemTextW(window, IDC_DELETE_NAME, m_leaf);
    m_icon = LargeShellIcon(m_target);
    if (m_icon)
        SendDlgItemMessageW(window, IDC_DELETE_ICON, STM_SETICON, reinterpret_cast<WPARAM>(m_icon.Get()), 0);
    const struct {
        int control;
        UINT text;
    } choices[] = {{IDC_DELETE_THIS, IDS_REPLACE}, {IDC_DELETE_ALL, IDS_REPLACE_ALL}, {IDC_DELETE_SKIP, IDS_SKIP}};
    for (const auto& choice : choices) {
        String text;
        text.LoadResourceText(choice.text);
        SetDlgItemTextW(window, choice.control, text);
        CheckDlgButton(window, choice.control, choice.control == IDC_DELETE_THIS ? BST_CHECKED : BST_UNCHECKED);
    }
    SetFocus(GetDlgItem(window, IDC_DELETE_THIS));
    m_focusSet = true;
    return InitResult::Continue;
}

bool ReplaceQuestionDialog::OnCommand(UINT command)
{
    HWND window = Window();
    switch (command) {
    case ID_ARCHIVE_ANSWER_OK:
    case IDOK:
        if (IsDlgButtonChecked(window, IDC_DELETE_SKIP) == BST_CHECKED)
            m_answer = ReplaceAnswer::Skip;
        else if (IsDlgButtonChecked(window, IDC_DELETE_ALL) == BST_CHECKED)
            m_answer = ReplaceAnswer::ReplaceAll;
        else
            m_answer = ReplaceAnswer::Replace;
        EndDialog(window, IDOK);
        return true;
    case ID_ARCHIVE_ANSWER_CANCEL:
    case IDCANCEL:
        OnBack();
        return true;
    default:
        return false;
    }
}

void ReplaceQuestionDialog::OnBack()
{
    m_answer = ReplaceAnswer::Cancel;
    EndDialog(Window(), IDCANCEL);
}
