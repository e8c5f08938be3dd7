#include "SampleDialog.h"

#include "demo_resources.h"
#include "SampleDialogControls.h"

#include "framework/About.h"
#include "framework/Messages.h"

const ProgramRelease& DemoRelease()
{
    static constexpr ProgramRelease release{1, 0, __DATE__, __TIME__};
    return release;
}

SampleDialog::SampleDialog(HWND parent, const String& name)
    : DialogCore(IDD_DEMO_SAMPLE, parent, IDM_DEMO_SAMPLE, IDS_DEMO_DIALOG_TITLE, true), m_name(name)
{
}

InitResult SampleDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    SetDlgItemTextW(Window(), IDC_DEMO_NAME, m_name);
    HWND field = GetDlgItem(Window(), IDC_DEMO_NAME);
    SendMessageW(field, EM_SETSEL, m_name.Length(), m_name.Length());
    return InitResult::Continue;
}

String SampleDialog::FieldText() const
{
    HWND field = GetDlgItem(Window(), IDC_DEMO_NAME);
    String text;
    int length = GetWindowTextLengthW(field);
    if (length > 0)
        text.Commit(GetWindowTextW(field, text.Reserve(length + 1), length + 1));
    return text;
}

bool SampleDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam))) {
            result = 0;
            return true;
        }
        break;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        result = 0;
        return true;
    default:
        break;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}

// True when the command was this dialog's own; Done and Cancel go on to the
// framework, which ends the dialog with them.
bool SampleDialog::OnCommand(int command)
{
    switch (command) {
    case IDOK:
        m_name = FieldText();
        return false;
    case IDC_DEMO_SAY_HELLO: {
        String greeting;
        greeting.FormatText(L"Hello, %s!", FieldText());
        ShowMessageText(Window(), greeting, MB_OK | MB_ICONINFORMATION);
        return true;
    }
    case IDC_DEMO_CLEAR:
        SetDlgItemTextW(Window(), IDC_DEMO_NAME, L"");
        return true;
    case IDC_DEMO_ABOUT: {
        AboutBox about(Window(), DemoRelease());
        RunModal(about);
        return true;
    }
    default:
        return false;
    }
}

// Greetings and clearing need a name.
void SampleDialog::OnInitMenuPopup(HMENU menu)
{
    UINT state = FieldText().IsEmpty() ? MF_GRAYED : MF_ENABLED;
    EnableMenuItem(menu, IDC_DEMO_SAY_HELLO, MF_BYCOMMAND | state);
    EnableMenuItem(menu, IDC_DEMO_CLEAR, MF_BYCOMMAND | state);
}
