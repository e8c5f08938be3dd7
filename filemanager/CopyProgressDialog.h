// The progress dialog of a copy or move (dialog 130): it runs the copy engine
// on a worker thread, which drives the dialog's labels and bar by messages,
// asks the overwrite question and reports errors through it, and closes the
// dialog when the job ends. Cancel (and Back) sets the job's cancel flag.
#pragma once

#include "filemanager/CopyEngine.h"
#include "filemanager/DialogParts.h"
#include "filemanager/WorkerThread.h"
#include "filemanager/OperationDialog.h"

#include "platform/Handles.h"

#include <atomic>

class CopyProgressDialog : public OperationDialog, private CopyProgress {
public:
    // The worker's messages to the dialog.
    static constexpr UINT WM_COPY_RANGE = WM_APP + 40;     // lParam: the total
    static constexpr UINT WM_COPY_POSITION = WM_APP + 41;  // the bar follows m_position
    static constexpr UINT WM_COPY_PATHS = WM_APP + 42;     // the labels follow m_paths
    static constexpr UINT WM_COPY_ASK = WM_APP + 43;       // lParam: OverwriteQuestion*; result: the answer
    static constexpr UINT WM_COPY_ERROR = WM_APP + 44;     // lParam: ErrorReport*
    static constexpr UINT WM_COPY_DONE = WM_APP + 45;

    CopyProgressDialog(HWND owner, CopyJob& job);
    ~CopyProgressDialog() override;

    // Runs the dialog and with it the whole job.
    void Run();

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnCommand(UINT command) override;
    void OnBack() override;

private:
    struct Paths {
        String source;
        String destination;
    };
    struct ErrorReport {
        UINT message;
        UINT second;
        String argument;
    };

    // ---- CopyProgress, on the worker thread ----------------------------------------
    void SetRange(int total) override;
    void Advance(int steps) override;
    void ShowPaths(const String& source, const String& destination) override;
    OverwriteAnswer AskOverwrite(const OverwriteQuestion& question) override;
    void ReportError(UINT message, UINT second, const String& argument) override;

    void Work();
    void ShowLatestPaths();
    void Finish();

    CopyJob& m_job;
    WorkerThread m_worker;
    bool m_workerStarted = false;
    bool m_failureShown = false;  // the dialog told the user why nothing was copied
    DialogHeadings m_heading;
    HWND m_dialog = nullptr;  // for the worker: set before it starts
    // The worker hands the newest labels over by exchanging this pointer;
    // whoever takes a pointer out owns it.
    std::atomic<Paths*> m_paths{nullptr};
    std::atomic<int> m_position{0};
    std::atomic<bool> m_positionPosted{false};
    bool m_closing = false;
};
