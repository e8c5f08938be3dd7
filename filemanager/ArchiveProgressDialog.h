// The progress dialog of extracting or testing an archive (the copy's dialog
// 130 with its bar 132): it runs the job on a worker thread, shows each
// member and its target, asks the replace and password questions and reports
// failures for the worker, and follows the bytes done on its bar. Cancel (and
// Back) stops the job; the dialog closes once the worker has finished.
#pragma once

#include "filemanager/ArchiveExtraction.h"
#include "filemanager/DialogParts.h"
#include "filemanager/OperationDialog.h"
#include "filemanager/WorkerThread.h"

#include <atomic>
#include <cstdint>
#include <optional>

class ArchiveProgressDialog : public OperationDialog, private ArchiveJobHost {
public:
    static constexpr UINT WM_ARCHIVE_PROGRESS = WM_APP + 50;  // the bar follows m_done
    static constexpr UINT WM_ARCHIVE_REPLACE = WM_APP + 51;   // lParam: Question*; result: answer + 1
    static constexpr UINT WM_ARCHIVE_PASSWORD = WM_APP + 52;  // wParam: the member; result: 1 fits
    static constexpr UINT WM_ARCHIVE_FAILURE = WM_APP + 53;   // wParam: the message, lParam: the leaf
    static constexpr UINT WM_ARCHIVE_DONE = WM_APP + 54;
    static constexpr UINT_PTR CancelTimer = 101;

    ArchiveProgressDialog(HWND owner, ArchiveJob& job);
    ~ArchiveProgressDialog() override;

    // Runs the job with the dialog: 1 when it ran to its end (also after a
    // failure it reported), 2 after a cancel, -1 when there was no dialog.
    INT_PTR Run();
    ArchiveJobEnd End() const noexcept { return m_end; }

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnCommand(UINT command) override;
    void OnBack() override;

private:
    struct Question {
        String leaf;
        String target;
    };

    // ---- ArchiveJobHost, on the worker thread ------------------------------------
    void ShowSource(const String& memberName) override;
    void ShowTarget(const String& path) override;
    ReplaceAnswer AskReplace(const String& leaf, const String& target) override;
    bool AskPassword(int member) override;
    void ReportFailure(UINT message, const String& leaf) override;
    void Skipped(std::uint32_t bytes) override;

    void Work();
    void AddDone(std::uint64_t bytes);
    void Cancel();
    void Finish();
    void ComeForward();

    ArchiveJob& m_job;
    WorkerThread m_worker;
    DialogHeadings m_heading;
    HWND m_dialog = nullptr;  // for the worker: set before it starts
    std::uint64_t m_total = 0;
    std::atomic<std::uint64_t> m_done{0};
    std::atomic<bool> m_donePosted{false};
    std::atomic<bool> m_finished{false};
    bool m_workerStarted = false;
    bool m_cancelled = false;
    bool m_closing = false;
    ArchiveJobEnd m_end = ArchiveJobEnd::Failed;
};

// Runs a job with the progress dialog, after the free-space check when it
// extracts (no room: string 43172 as an error); the job's end, or nothing
// when it did not run.
std::optional<ArchiveJobEnd> RunArchiveJobDialog(HWND owner, ArchiveJob& job);
