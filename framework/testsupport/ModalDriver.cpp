#include "framework/testsupport/ModalDriver.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr DWORD PollInterval = 10;
constexpr UINT ResponsiveTimeout = 500;

bool IsDialogClass(HWND window)
{
    wchar_t className[16];
    return GetClassNameW(window, className, 16) > 0 && std::wcscmp(className, L"#32770") == 0;
}

// A shown dialog of the thread whose thread answers messages, that is, one
// whose modal loop runs and whose set-up is done.
HWND FindRunningDialog(DWORD threadId)
{
    HWND found = nullptr;
    EnumThreadWindows(
        threadId,
        [](HWND window, LPARAM param) -> BOOL {
            if (IsDialogClass(window) && IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(param) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (!found)
        return nullptr;
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ResponsiveTimeout, &ignored))
        return nullptr;
    return found;
}

String WindowText(HWND window)
{
    String text;
    int length = GetWindowTextLengthW(window);
    if (length > 0) {
        wchar_t* buffer = text.Reserve(length + 1);
        text.Commit(GetWindowTextW(window, buffer, length + 1));
    }
    return text;
}

String ClassName(HWND window)
{
    wchar_t name[64];
    int length = GetClassNameW(window, name, 64);
    return String(name, length);
}

UINT StandardIcon(HICON icon)
{
    const struct {
        const wchar_t* id;
        UINT style;
    } icons[] = {
        {IDI_HAND, MB_ICONHAND},
        {IDI_QUESTION, MB_ICONQUESTION},
        {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
        {IDI_ASTERISK, MB_ICONASTERISK},
    };
    for (const auto& candidate : icons) {
        if (icon && LoadIconW(nullptr, candidate.id) == icon)
            return candidate.style;
    }
    return 0;
}

void PressButton(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace

int ModalDialogInfo::ButtonGroup() const
{
    const struct {
        std::vector<int> buttons;
        int group;
    } groups[] = {
        {{IDOK}, MB_OK},
        {{IDOK, IDCANCEL}, MB_OKCANCEL},
        {{IDABORT, IDRETRY, IDIGNORE}, MB_ABORTRETRYIGNORE},
        {{IDCANCEL, IDYES, IDNO}, MB_YESNOCANCEL},
        {{IDYES, IDNO}, MB_YESNO},
        {{IDCANCEL, IDRETRY}, MB_RETRYCANCEL},
    };
    for (const auto& candidate : groups) {
        if (candidate.buttons == buttons)
            return candidate.group;
    }
    return -1;
}

bool ModalDialogInfo::HasButton(int id) const
{
    return std::find(buttons.begin(), buttons.end(), id) != buttons.end();
}

ModalDialogInfo DescribeDialog(HWND dialog)
{
    ModalDialogInfo info;
    info.dialog = dialog;
    info.owner = GetWindow(dialog, GW_OWNER);
    info.style = static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE));
    info.caption = WindowText(dialog);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        String className = ClassName(child);
        LONG style = GetWindowLongW(child, GWL_STYLE);
        if (className.CompareNoCase(L"Button") == 0) {
            info.buttons.push_back(GetDlgCtrlID(child));
        } else if (className.CompareNoCase(L"Static") == 0) {
            if ((style & SS_TYPEMASK) == SS_ICON) {
                info.hasIcon = true;
                info.icon = StandardIcon(reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0)));
            } else {
                String text = WindowText(child);
                if (!text.IsEmpty()) {
                    if (!info.text.IsEmpty())
                        info.text += L'\n';
                    info.text += text;
                }
            }
        }
    }
    std::sort(info.buttons.begin(), info.buttons.end());
    return info;
}

ModalDriver::ModalDriver(int button, DWORD timeout)
    : ModalDriver([button](HWND dialog) { PressButton(dialog, button); }, timeout)
{
}

ModalDriver::ModalDriver(std::function<void(HWND dialog)> action, DWORD timeout)
    : m_threadId(GetCurrentThreadId()), m_timeout(timeout), m_action(std::move(action)), m_thread([this] { Run(); })
{
}

ModalDriver::~ModalDriver()
{
    Wait();
}

bool ModalDriver::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_appeared && m_endedCleanly;
}

void ModalDriver::Run()
{
    HWND dialog = WaitForDialog();
    if (!dialog)
        return;
    m_appeared = true;
    m_info = DescribeDialog(dialog);
    if (m_action)
        m_action(dialog);
    m_endedCleanly = WaitUntilGone(dialog, m_timeout);
    if (!m_endedCleanly)
        ForceClose(dialog);
}

HWND ModalDriver::WaitForDialog() const
{
    ULONGLONG deadline = GetTickCount64() + m_timeout;
    do {
        if (HWND dialog = FindRunningDialog(m_threadId))
            return dialog;
        Sleep(PollInterval);
    } while (GetTickCount64() < deadline);
    return nullptr;
}

bool ModalDriver::WaitUntilGone(HWND dialog, DWORD timeout) const
{
    ULONGLONG deadline = GetTickCount64() + timeout;
    while (IsWindow(dialog)) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(PollInterval);
    }
    return true;
}

void ModalDriver::ForceClose(HWND dialog)
{
    constexpr DWORD StepTimeout = 1000;
    PressButton(dialog, IDCANCEL);
    if (WaitUntilGone(dialog, StepTimeout))
        return;
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    if (WaitUntilGone(dialog, StepTimeout))
        return;
    for (int id : DescribeDialog(dialog).buttons) {
        PressButton(dialog, id);
        if (WaitUntilGone(dialog, StepTimeout))
            return;
    }
    // A modal loop ends on a quit message.
    PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    WaitUntilGone(dialog, StepTimeout);
}
