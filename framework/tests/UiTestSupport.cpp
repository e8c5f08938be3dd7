#include "UiTestSupport.h"

#include "framework/Globals.h"
#include "framework/ResourceModule.h"

#include "platform/Handset.h"

#include "test_dialogs.h"

#include <vector>

namespace {

constexpr DWORD PollInterval = 10;

}  // namespace

void PumpFor(DWORD milliseconds)
{
    ULONGLONG deadline = GetTickCount64() + milliseconds;
    MSG message;
    while (GetTickCount64() < deadline) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, PollInterval, QS_ALLINPUT);
    }
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeout)
{
    ULONGLONG deadline = GetTickCount64() + timeout;
    while (!done()) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(PollInterval);
    }
    return true;
}

String WindowTextOf(HWND window)
{
    String text;
    int length = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    if (length > 0) {
        wchar_t* buffer = text.Reserve(length + 1);
        text.Commit(static_cast<int>(SendMessageW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(buffer))));
    }
    return text;
}

void PostKey(HWND window, UINT virtualKey)
{
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) && thread.hwndFocus)
        window = thread.hwndFocus;
    UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageW(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

ChildProcess::ChildProcess(const wchar_t* exe, const String& arguments)
{
    String path = ModuleFileName(nullptr);
    path = path.Left(path.ReverseFind(L'\\') + 1) + exe;
    String commandLine = L"\"" + path + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    BOOL created =
        CreateProcessW(path, commandLine.Pin(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started);
    commandLine.Unpin();
    if (!created)
        return;
    CloseHandle(started.hThread);
    m_process.Reset(started.hProcess);
    m_id = started.dwProcessId;
}

ChildProcess::~ChildProcess()
{
    if (m_process && WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process.Get(), 99);
        WaitForSingleObject(m_process.Get(), 5000);
    }
}

DWORD ChildProcess::WaitForExit(DWORD timeout)
{
    if (!m_process || WaitForSingleObject(m_process.Get(), timeout) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_process.Get(), &code);
    return code;
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className)
{
    struct Search {
        DWORD processId;
        const wchar_t* className;
        HWND found;
    } search{processId, className, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[64];
            if (owner == search.processId && IsWindowVisible(window) && GetClassNameW(window, name, 64) &&
                lstrcmpiW(name, search.className) == 0) {
                search.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int CountWindows(const wchar_t* className)
{
    int count = 0;
    for (HWND window = FindWindowExW(nullptr, nullptr, className, nullptr); window;
         window = FindWindowExW(nullptr, window, className, nullptr))
        ++count;
    return count;
}

void OwnerWindowTest::SetUp()
{
    HINSTANCE self = GetModuleHandleW(nullptr);
    InitFramework(self, self, IDS_TEST_PROGRAM_TITLE);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = self;
    windowClass.lpszClassName = L"DialogTestOwner";
    RegisterClassW(&windowClass);
    m_owner = CreateWindowExW(0, L"DialogTestOwner", L"Owner", WS_POPUP | WS_VISIBLE, 0, vellumate::WorkAreaTop,
                              vellumate::ScreenWidth, vellumate::WorkAreaHeight, nullptr, nullptr, self, nullptr);
    ASSERT_NE(m_owner, nullptr);
}

void OwnerWindowTest::TearDown()
{
    DestroyWindow(m_owner);
}
