#include "filemanager/ArchiveProgressDialog.h"

#include "filemanager/ArchiveResources.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/ExtractionSpace.h"
#include "filemanager/OperationMessages.h"
#include "filemanager/PasswordDialog.h"
#include "filemanager/ReplaceQuestion.h"
#include "filemanager/archive/Win32ArchiveFiles.h"
#include "framework/Messages.h"

#include <commctrl.h>

namespace {

String ArchiveTitle(const Archive& archive)
{
    return LastComponent(archive.path.c_str());
}

}  // namespace

ArchiveProgressDialog::ArchiveProgressDialog(HWND owner, ArchiveJob& job)
    : OperationDialog(IDD_COPY_PROGRESS, owner, IDM_COPY_PROGRESS_BAR, IDS_PROGRESS_CAPTION), m_job(job)
{
}

ArchiveProgressDialog::~ArchiveProgressDialog()
{
    m_job.stop.store(true);
    m_job.archive.cancel.store(true);
    m_worker.Join();
    m_job.archive.progress = nullptr;
}

INT_PTR ArchiveProgressDialog::Run()
{
    m_job.archive.cancel.store(false);
    m_job.stop.store(false);
    const INT_PTR result = RunModal(*this);
    // The dialog's end joined the worker, which forgets its thread then: only
    // the worker's own mark tells that the job ran.
    if (!m_finished.load())
        return -1;
    return result;
}

InitResult ArchiveProgressDialog::InitDialog()
{
    if (OperationDialog::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    HWND window = Window();
    m_dialog = window;
    m_heading.Apply(window, {{IDC_PROGRESS_HEADING, IDS_PROGRESS_CAPTION}});
    SetDlgItemTextW(window, IDC_PROGRESS_HEADING, ArchiveTitle(m_job.archive));
    if (m_job.mode == ArchiveJobMode::Test) {
        ShowWindow(GetDlgItem(window, IDC_PROGRESS_TARGET_LABEL), SW_HIDE);
        ShowWindow(GetDlgItem(window, IDC_PROGRESS_DESTINATION), SW_HIDE);
    }
    SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, 100);
    SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_SETPOS, 0, 0);
    // The bar measures the job's own members, so that extracting one member
    // of a large archive still runs the bar to its end.
    m_total = m_job.TotalBytes();
    m_job.archive.progress = [this](std::uint32_t bytes) { AddDone(bytes); };

    if (!m_worker.Start([this] { Work(); })) {
        ShowOperationError(window, IDS_NO_WORKER, 0);
        EndDialog(window, IDCANCEL);
        return InitResult::Stop;
    }
    m_workerStarted = true;
    return InitResult::Continue;
}

void ArchiveProgressDialog::Work()
{
    Win32OutputSink files;
    m_end = RunArchiveJob(m_job, *this, files);
    m_finished.store(true);
    PostMessageW(m_dialog, WM_ARCHIVE_DONE, 0, 0);
}

// ---- on the worker thread ---------------------------------------------------------------

void ArchiveProgressDialog::AddDone(std::uint64_t bytes)
{
    m_done.fetch_add(bytes);
    // One message at a time is enough: it shows whatever is done by then.
    if (!m_donePosted.exchange(true))
        PostMessageW(m_dialog, WM_ARCHIVE_PROGRESS, 0, 0);
}

void ArchiveProgressDialog::ShowSource(const String& memberName)
{
    SetDlgItemTextW(m_dialog, IDC_PROGRESS_SOURCE, memberName);
}

void ArchiveProgressDialog::ShowTarget(const String& path)
{
    SetDlgItemTextW(m_dialog, IDC_PROGRESS_DESTINATION, path);
}

ReplaceAnswer ArchiveProgressDialog::AskReplace(const String& leaf, const String& target)
{
    Question question{leaf, target};
    // The answer comes back one higher, so that a message that reached no
    // dialog (0) cancels instead of replacing.
    const LRESULT answer = SendMessageW(m_dialog, WM_ARCHIVE_REPLACE, 0, reinterpret_cast<LPARAM>(&question));
    return answer == 0 ? ReplaceAnswer::Cancel : static_cast<ReplaceAnswer>(answer - 1);
}

bool ArchiveProgressDialog::AskPassword(int member)
{
    return SendMessageW(m_dialog, WM_ARCHIVE_PASSWORD, static_cast<WPARAM>(member), 0) == 1;
}

void ArchiveProgressDialog::ReportFailure(UINT message, const String& leaf)
{
    SendMessageW(m_dialog, WM_ARCHIVE_FAILURE, message, reinterpret_cast<LPARAM>(leaf.Chars()));
}

void ArchiveProgressDialog::Skipped(std::uint32_t bytes)
{
    AddDone(bytes);
}

// ---- on the dialog's thread -------------------------------------------------------------

void ArchiveProgressDialog::Cancel()
{
    if (m_finished.load()) {
        m_cancelled = true;
        Finish();
        return;
    }
    if (m_cancelled)
        return;
    m_cancelled = true;
    m_job.stop.store(true);
    m_job.archive.cancel.store(true);
    SetTimer(Window(), CancelTimer, 20, nullptr);
}

// The worker may ask before the dialog first showed itself, when the owner it
// disabled has already handed the front to another program's window: the
// question then sat beneath that window. It is asked over the dialog, in front.
void ArchiveProgressDialog::ComeForward()
{
    ShowWindow(m_dialog, SW_SHOW);
    SetForegroundWindow(m_dialog);
}

void ArchiveProgressDialog::Finish()
{
    HWND window = Window();
    KillTimer(window, CancelTimer);
    m_worker.Join();
    if (m_end == ArchiveJobEnd::Cancelled)
        m_cancelled = true;
    // Only a test that went through every member says so: a failure was
    // reported already.
    if (m_job.mode == ArchiveJobMode::Test && !m_cancelled && m_end == ArchiveJobEnd::Done) {
        ComeForward();
        ShowMessageText(window, ComposeMessage(IDS_ARCHIVE_TEST_GOOD, 0, 0, 0, 0, nullptr, ArchiveTitle(m_job.archive)),
                        MB_OK);
    }
    EndDialog(window, m_cancelled ? 2 : 1);
}

bool ArchiveProgressDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_ARCHIVE_PROGRESS:
        m_donePosted.store(false);
        SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_SETPOS, ProgressPercent(m_done.load(), m_total), 0);
        result = 0;
        return true;
    case WM_ARCHIVE_REPLACE: {
        const auto* question = reinterpret_cast<const Question*>(lParam);
        ReplaceAnswer answer = ReplaceAnswer::Cancel;
        if (!m_closing && !m_cancelled && question) {
            ComeForward();
            answer = ReplaceQuestionDialog(window, question->leaf, question->target).Ask();
        }
        SetForegroundWindow(window);
        result = static_cast<LRESULT>(answer) + 1;
        return true;
    }
    case WM_ARCHIVE_PASSWORD:
        if (!m_closing && !m_cancelled)
            ComeForward();
        result = !m_closing && !m_cancelled && PasswordDialog(window, m_job.archive, static_cast<int>(wParam)).Ask();
        SetForegroundWindow(window);
        return true;
    case WM_ARCHIVE_FAILURE:
        if (!m_closing) {
            ComeForward();
            ShowOperationError(window, static_cast<UINT>(wParam), 0, reinterpret_cast<const wchar_t*>(lParam));
        }
        result = 0;
        return true;
    case WM_ARCHIVE_DONE:
        if (!m_cancelled)
            Finish();
        result = 0;
        return true;
    case WM_TIMER:
        if (wParam == CancelTimer && m_finished.load())
            Finish();
        result = 0;
        return true;
    case WM_DESTROY:
        // Closed from outside while the job runs: it stops first.
        m_closing = true;
        m_job.stop.store(true);
        m_job.archive.cancel.store(true);
        m_worker.Join();
        break;
    default:
        break;
    }
    return OperationDialog::HandleMessage(window, message, wParam, lParam, result);
}

bool ArchiveProgressDialog::OnCommand(UINT command)
{
    if (command == ID_COPY_CANCEL || command == IDCANCEL) {
        Cancel();
        return true;
    }
    // The end of the job alone ends the dialog.
    return command >= IDOK && command <= IDNO;
}

void ArchiveProgressDialog::OnBack()
{
    Cancel();
}

std::optional<ArchiveJobEnd> RunArchiveJobDialog(HWND owner, ArchiveJob& job)
{
    if (job.mode == ArchiveJobMode::Extract && !EnoughSpaceFor(String(job.destination.c_str()), job.TotalBytes())) {
        ShowOperationError(owner, IDS_NO_ROOM, 0);
        return std::nullopt;
    }
    ArchiveProgressDialog progress(owner, job);
    if (progress.Run() < 0)
        return std::nullopt;
    return progress.End();
}
