#include "filemanager/CopyProgressDialog.h"

#include "filemanager/FileOperationResources.h"
#include "filemanager/OperationMessages.h"
#include "filemanager/OverwriteDialog.h"

#include <commctrl.h>

CopyProgressDialog::CopyProgressDialog(HWND owner, CopyJob& job)
    : OperationDialog(IDD_COPY_PROGRESS, owner, IDM_COPY_PROGRESS_BAR, IDS_PROGRESS_CAPTION), m_job(job)
{
}

CopyProgressDialog::~CopyProgressDialog()
{
    m_job.cancel.store(true);
    m_worker.Join();
    delete m_paths.exchange(nullptr);
}

void CopyProgressDialog::Run()
{
    RunModal(*this);
    // No dialog (missing, or its set-up failed), so no worker: nothing was
    // copied, and the user is told unless the dialog said so itself.
    if (!m_workerStarted && !m_failureShown)
        ShowOperationError(Parent(), IDS_NO_WORKER, 0, String());
}

InitResult CopyProgressDialog::InitDialog()
{
    if (OperationDialog::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    HWND window = Window();
    m_dialog = window;
    m_heading.Apply(window, {{IDC_PROGRESS_HEADING, m_job.mode == CopyMode::Move ? IDS_MOVING : IDS_COPYING}});
    SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, 0);
    SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_SETPOS, 0, 0);

    if (!m_worker.Start([this] { Work(); })) {
        ShowOperationError(window, IDS_NO_WORKER, 0, String());
        m_failureShown = true;
        EndDialog(window, IDCANCEL);
        return InitResult::Stop;
    }
    m_workerStarted = true;
    return InitResult::Continue;
}

void CopyProgressDialog::Work()
{
    CopyEngine(m_job, *this).Run();
    PostMessageW(m_dialog, WM_COPY_DONE, 0, 0);
}

// ---- on the worker thread ---------------------------------------------------------------

void CopyProgressDialog::SetRange(int total)
{
    SendMessageW(m_dialog, WM_COPY_RANGE, 0, total);
}

void CopyProgressDialog::Advance(int steps)
{
    m_position.fetch_add(steps);
    // One message at a time is enough: it shows whatever the position is by
    // then.
    if (!m_positionPosted.exchange(true))
        PostMessageW(m_dialog, WM_COPY_POSITION, 0, 0);
}

void CopyProgressDialog::ShowPaths(const String& source, const String& destination)
{
    Paths* previous = m_paths.exchange(new Paths{source, destination});
    if (previous)
        delete previous;  // not shown yet: a message is on its way for the new one
    else
        PostMessageW(m_dialog, WM_COPY_PATHS, 0, 0);
}

OverwriteAnswer CopyProgressDialog::AskOverwrite(const OverwriteQuestion& question)
{
    // The answer comes back one higher, so that a message that reached no
    // dialog (0) cancels instead of replacing.
    const LRESULT answer = SendMessageW(m_dialog, WM_COPY_ASK, 0, reinterpret_cast<LPARAM>(&question));
    return answer == 0 ? OverwriteAnswer::Cancel : static_cast<OverwriteAnswer>(answer - 1);
}

void CopyProgressDialog::ReportError(UINT message, UINT second, const String& argument)
{
    ErrorReport report{message, second, argument};
    SendMessageW(m_dialog, WM_COPY_ERROR, 0, reinterpret_cast<LPARAM>(&report));
}

// ---- on the dialog's thread ----------------------------------------------------------------

void CopyProgressDialog::ShowLatestPaths()
{
    if (Paths* paths = m_paths.exchange(nullptr)) {
        SetDlgItemTextW(Window(), IDC_PROGRESS_SOURCE, paths->source);
        SetDlgItemTextW(Window(), IDC_PROGRESS_DESTINATION, paths->destination);
        delete paths;
    }
}

void CopyProgressDialog::Finish()
{
    m_worker.Join();
    EndDialog(Window(), IDOK);
}

bool CopyProgressDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COPY_RANGE:
        SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, lParam);
        result = 0;
        return true;
    case WM_COPY_POSITION:
        m_positionPosted.store(false);
        SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_SETPOS, m_position.load(), 0);
        result = 0;
        return true;
    case WM_COPY_PATHS:
        ShowLatestPaths();
        result = 0;
        return true;
    case WM_COPY_ASK: {
        const auto* question = reinterpret_cast<const OverwriteQuestion*>(lParam);
        OverwriteAnswer answer = OverwriteAnswer::Cancel;
        if (!m_closing && question && !m_job.cancel.load()) {
            ShowLatestPaths();
            answer = OverwriteDialog(window, *question).Ask();
        }
        result = static_cast<LRESULT>(answer) + 1;
        return true;
    }
    case WM_COPY_ERROR: {
        const auto* report = reinterpret_cast<const ErrorReport*>(lParam);
        if (!m_closing && report) {
            ShowLatestPaths();
            ShowOperationError(window, report->message, report->second, report->argument);
        }
        result = 0;
        return true;
    }
    case WM_COPY_DONE:
        Finish();
        result = 0;
        return true;
    case WM_DESTROY:
        // Closed from outside while the job runs: it stops, and what it still
        // sends meets a closing dialog.
        m_closing = true;
        m_job.cancel.store(true);
        m_worker.Join();
        break;
    default:
        break;
    }
    return OperationDialog::HandleMessage(window, message, wParam, lParam, result);
}

bool CopyProgressDialog::OnCommand(UINT command)
{
    if (command == ID_COPY_CANCEL || command == IDCANCEL) {
        m_job.cancel.store(true);
        return true;
    }
    // The worker alone ends the dialog.
    return command >= IDOK && command <= IDNO;
}

void CopyProgressDialog::OnBack()
{
    m_job.cancel.store(true);
}
