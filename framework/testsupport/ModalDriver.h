// ModalDriver: drives a modal dialog (a message box, or a dialog made from a
// template) that the test's own thread is about to run.
//
//     ModalDriver driver(IDOK);
//     int result = ShowMessage(nullptr, 100, 0, 0, 0, 0, 0, nullptr);
//     ASSERT_TRUE(driver.Wait());
//     EXPECT_EQ(driver.Dialog().text, L"...");
//
// A second thread waits for a window of class "#32770" of the watched thread
// that is shown and running its modal loop, records what it shows, and then
// presses the button (or runs the action). Every wait is bounded: a dialog
// that never appears makes Wait() false; a dialog that does not go away when
// its button is pressed is closed by other means (Cancel, WM_CLOSE, every
// button, finally a quit message to the watched thread) so that no test hangs.
#pragma once

#include "framework/String.h"

#include <windows.h>

#include <functional>
#include <thread>
#include <vector>

// What a modal dialog showed when it appeared.
struct ModalDialogInfo {
    HWND dialog = nullptr;
    HWND owner = nullptr;
    DWORD style = 0;
    String caption;
    // The texts of its static controls, joined by line feeds.
    String text;
    // Control numbers of its visible buttons, in ascending order.
    std::vector<int> buttons;
    // MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION or MB_ICONASTERISK when
    // one of the standard icons is shown; 0 otherwise.
    UINT icon = 0;
    bool hasIcon = false;

    // The message-box button group (MB_OK ... MB_RETRYCANCEL) matching the
    // buttons, or -1 when they match none.
    int ButtonGroup() const;
    bool HasButton(int id) const;
};

class ModalDriver {
public:
    static constexpr DWORD DefaultTimeout = 10000;

    // Presses button `button` of the dialog when it appears.
    explicit ModalDriver(int button, DWORD timeout = DefaultTimeout);
    // Runs `action` on the driver's thread when the dialog appears; it must
    // make the dialog end (messages it sends are handled by the dialog's
    // modal loop). If the dialog is still there afterwards, it is closed.
    explicit ModalDriver(std::function<void(HWND dialog)> action, DWORD timeout = DefaultTimeout);
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;
    ~ModalDriver();

    // Waits for the driver to finish. True when the dialog appeared and was
    // ended by the button or action (not by the fallbacks).
    bool Wait();

    bool Appeared() const noexcept { return m_appeared; }
    const ModalDialogInfo& Dialog() const noexcept { return m_info; }

private:
    void Run();
    HWND WaitForDialog() const;
    bool WaitUntilGone(HWND dialog, DWORD timeout) const;
    void ForceClose(HWND dialog);

    DWORD m_threadId;
    DWORD m_timeout;
    std::function<void(HWND)> m_action;
    ModalDialogInfo m_info;
    bool m_appeared = false;
    bool m_endedCleanly = false;
    std::thread m_thread;
};

// Reads what a dialog shows (also usable on dialogs a test drives itself).
ModalDialogInfo DescribeDialog(HWND dialog);
