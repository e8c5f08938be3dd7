#include "filemanager/WorkerThread.h"

WorkerThread::~WorkerThread()
{
    Join();
}

bool WorkerThread::Start(std::function<void()> work)
{
    if (m_thread)
        return false;
    m_work = std::move(work);
    m_thread.Reset(CreateThread(nullptr, 0, &WorkerThread::Entry, this, 0, nullptr));
    return static_cast<bool>(m_thread);
}

void WorkerThread::Join()
{
    if (!m_thread)
        return;
    HANDLE thread = m_thread.Get();
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        // Only the messages sent by other threads: they are handled inside
        // PeekMessage; posted ones stay queued for the modal loop.
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    m_thread.Reset();
}

DWORD WINAPI WorkerThread::Entry(void* parameter) noexcept
{
    auto* self = static_cast<WorkerThread*>(parameter);
    try {
        self->m_work();
    } catch (...) {
        // Nothing may leave the thread; the work reports its own failures.
    }
    return 0;
}
