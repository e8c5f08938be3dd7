// A worker thread of a dialog, owned by handle. The dialog's thread waits for
// it while still answering the messages the worker sends it, so that a
// worker blocked in SendMessage can always finish.
#pragma once

#include "platform/Handles.h"

#include <windows.h>

#include <functional>

class WorkerThread {
public:
    WorkerThread() = default;
    // Waits for a thread that is still running.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts `work` on a new thread; false when the thread cannot be made.
    bool Start(std::function<void()> work);
    bool Started() const noexcept { return static_cast<bool>(m_thread); }
    // Waits for the thread to end, handling the messages sent to this thread
    // meanwhile. Nothing happens when no thread was started.
    void Join();

private:
    static DWORD WINAPI Entry(void* parameter) noexcept;

    std::function<void()> m_work;
    vellumate::KernelHandle m_thread;
};
