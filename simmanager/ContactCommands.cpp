// MainWindow: the commands that copy between the SIM and Contacts. Each runs
// its work on the contacts database under an error frame; a report raised on
// the way is shown with its message and location codes, and the command
// ends there.
#include "simmanager/MainWindow.h"

#include "simmanager/ContactCopy.h"
#include "simmanager/ContactsDialog.h"
#include "simmanager/ContactsSession.h"

#include "framework/Errors.h"
#include "framework/Messages.h"

#include "platform/WaitCursor.h"

namespace {

// A moment for the wait cursor to be seen before the list replaces it.
constexpr DWORD ListPause = 200;

void ShowContactsReport(HWND owner, ErrorInfo* error)
{
    wchar_t text[ErrorInfo::TextCapacity] = {};
    if (error)
        error->GetErrorText(text, ErrorInfo::TextCapacity);
    ShowMessageText(owner, text, MB_ICONSTOP | MB_OK);
}

}  // namespace

void MainWindow::CopyToContacts()
{
    const EntryView* view = CurrentView();
    if (!view || view->MarkedCount() == 0)
        return;
    const NumberKindLabels labels = NumberKindLabels::Load();
    ErrorFrame frame;
    const bool done = frame.Try([&] {
        const WaitCursor wait;
        ContactsSession session;
        CopyMarkedToContacts(session, *view, labels, m_messages);
    });
    if (!done)
        ShowContactsReport(Window(), frame.Error());
}

void MainWindow::CopyFromContacts()
{
    const NumberKindLabels labels = NumberKindLabels::Load();
    ContactList list;
    {
        ErrorFrame frame;
        const bool read = frame.Try([&] {
            const WaitCursor wait;
            ContactsSession session;
            list = ReadContactList(session, labels);
            Sleep(ListPause);
        });
        if (!read) {
            ShowContactsReport(Window(), frame.Error());
            return;
        }
    }
    ContactsDialog dialog(Window(), list, [&](HWND over) {
        SimMessageBoxes boxes;
        boxes.SetOwner(over);
        return CopyNumbersToSim(list, m_sim, labels, Options(), boxes);
    });
    RunCommandDialog(dialog);
}
