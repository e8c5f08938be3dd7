#include "taskmanager/CloserThread.h"

#include "taskmanager/TaskEnumeration.h"
#include "taskmanager/resource.h"

#include "platform/MessageBox.h"

namespace {

// The passes on the session's real windows and processes.
class SessionClosingWorld final : public ClosingWorld {
public:
    SessionClosingWorld(HWND dialog, std::atomic<bool>& ownMessageBox)
        : m_dialog(dialog), m_ownMessageBox(ownMessageBox)
    {
        m_question.LoadResourceText(IDS_TERMINATE_QUESTION);
        m_caption.LoadResourceText(IDS_TERMINATE_CAPTION);
    }

    // A window of the recorded process with the recorded class and title:
    // another program's window of the same name does not keep this task.
    bool StillOpen(const ClosingTask& task) override
    {
        if (task.className.IsEmpty())
            return false;
        const wchar_t* title = task.title.IsEmpty() ? nullptr : task.title.Chars();
        for (HWND found = FindWindowExW(nullptr, nullptr, task.className, title); found;
             found = FindWindowExW(nullptr, found, task.className, title)) {
            DWORD processId = 0;
            GetWindowThreadProcessId(found, &processId);
            if (processId == task.processId)
                return true;
        }
        return false;
    }

    void OfferTermination(const ClosingTask& task, const std::atomic<bool>& stop) override
    {
        // Held open, the process keeps its id: what is asked about is what
        // would be ended.
        vellumate::KernelHandle process(
            OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, task.processId));
        if (!process || stop || !StillOpen(task))
            return;
        String text;
        text.FormatText(m_question, task.title.Chars());
        m_ownMessageBox = true;
        const int answer = vellumate::HandsetMessageBox(m_dialog, text, m_caption,
                                                        MB_OKCANCEL | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
        if (answer == IDOK && !stop && TerminateProcess(process.Get(), 0)) {
            // Gone before the list is read again.
            WaitForSingleObject(process.Get(), 2000);
        }
    }

    void Pause(unsigned milliseconds) override { Sleep(milliseconds); }

private:
    HWND m_dialog;
    std::atomic<bool>& m_ownMessageBox;
    String m_question;
    String m_caption;
};

}  // namespace

ClosingTask RecordClosingTask(HWND window)
{
    ClosingTask task;
    task.window = reinterpret_cast<std::uintptr_t>(window);
    DWORD processId = 0;
    if (GetWindowThreadProcessId(window, &processId) == 0)
        return task;
    task.processId = processId;
    task.title = WindowTitleOf(window);
    task.className = WindowClassOf(window);
    return task;
}

CloserThread::CloserThread(HWND dialog, std::atomic<bool>& ownMessageBox) noexcept
    : m_dialog(dialog), m_ownMessageBox(ownMessageBox)
{
}

CloserThread::~CloserThread()
{
    Stop();
}

bool CloserThread::Start(std::vector<ClosingTask> tasks)
{
    if (!m_idle || m_thread)
        return false;
    m_tasks = std::move(tasks);
    m_stop = false;
    m_idle = false;
    m_thread.Reset(CreateThread(nullptr, 0, &CloserThread::Main, this, 0, &m_threadId));
    if (!m_thread) {
        m_tasks.clear();
        m_idle = true;
        return false;
    }
    return true;
}

DWORD WINAPI CloserThread::Main(void* self) noexcept
{
    static_cast<CloserThread*>(self)->Run();
    return 0;
}

void CloserThread::Run() noexcept
{
    try {
        SessionClosingWorld world(m_dialog, m_ownMessageBox);
        RunClosingPasses(m_tasks, world, m_stop);
    } catch (...) {
        // Out of memory for a text: the tasks left are simply not waited for.
    }
    m_tasks.clear();
    // A full message queue must not leave the closer busy for good.
    while (!PostMessageW(m_dialog, WM_CLOSER_FINISHED, 0, 0) && IsWindow(m_dialog) && !m_stop)
        Sleep(ClosingPassInterval);
}

void CloserThread::Finished()
{
    if (!m_thread)
        return;
    WaitForSingleObject(m_thread.Get(), INFINITE);
    m_thread.Reset();
    m_idle = true;
}

void CloserThread::CancelQuestion() const noexcept
{
    EnumThreadWindows(
        m_threadId,
        [](HWND window, LPARAM) -> BOOL {
            wchar_t name[16]{};
            if (GetClassNameW(window, name, 16) && lstrcmpW(name, L"#32770") == 0)
                PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return TRUE;
        },
        0);
}

void CloserThread::Stop()
{
    if (!m_thread)
        return;
    m_stop = true;
    HANDLE thread = m_thread.Get();
    for (;;) {
        CancelQuestion();
        const DWORD waited = MsgWaitForMultipleObjects(1, &thread, FALSE, ClosingPassInterval, QS_SENDMESSAGE);
        if (waited == WAIT_OBJECT_0 || waited == WAIT_FAILED)
            break;
        // A message box of the worker owned by our window sends to it.
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    m_thread.Reset();
    m_idle = true;
}
