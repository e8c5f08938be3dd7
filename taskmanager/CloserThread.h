// The worker that waits for the applications the task list asked to close
// (ClosingPasses.h) and asks whether to end those that stay. At most one runs
// at a time; it tells the task list that it has finished with
// WM_CLOSER_FINISHED, and the task list then refreshes itself on its own
// thread.
#pragma once

#include "taskmanager/ClosingPasses.h"

#include "platform/Handles.h"

#include <windows.h>

#include <atomic>
#include <vector>

// Posted to the task list by the worker when its passes have ended.
inline constexpr UINT WM_CLOSER_FINISHED = WM_APP + 0x51;

// The task for a window about to be asked to close; empty texts when the
// window has gone.
ClosingTask RecordClosingTask(HWND window);

class CloserThread {
public:
    // `dialog` owns the question and receives WM_CLOSER_FINISHED;
    // `ownMessageBox` is set while the question shows.
    CloserThread(HWND dialog, std::atomic<bool>& ownMessageBox) noexcept;
    ~CloserThread();
    CloserThread(const CloserThread&) = delete;
    CloserThread& operator=(const CloserThread&) = delete;

    void SetDialog(HWND dialog) noexcept { m_dialog = dialog; }

    bool Idle() const noexcept { return m_idle; }

    // Starts the worker over `tasks`; false when one runs already or none
    // can be made (the tasks are dropped then).
    bool Start(std::vector<ClosingTask> tasks);

    // WM_CLOSER_FINISHED arrived: the worker has ended, its handle goes.
    void Finished();

    // Asks the worker to stop, cancels its question if it shows one, and
    // waits for it in steps of ClosingPassInterval, answering the messages
    // other threads send meanwhile.
    void Stop();

private:
    static DWORD WINAPI Main(void* self) noexcept;
    void Run() noexcept;
    void CancelQuestion() const noexcept;

    HWND m_dialog;
    std::atomic<bool>& m_ownMessageBox;
    std::atomic<bool> m_idle{true};
    std::atomic<bool> m_stop{false};
    vellumate::KernelHandle m_thread;
    DWORD m_threadId = 0;
    std::vector<ClosingTask> m_tasks;  // the worker's while it runs
};
