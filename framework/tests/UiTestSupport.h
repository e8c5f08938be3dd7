// Helpers of the dialog, about box and start-up tests.
#pragma once

#include "framework/String.h"

#include "platform/Handles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

// Dispatches this thread's messages for `milliseconds`.
void PumpFor(DWORD milliseconds);

// Waits (without dispatching) until `done` holds; true when it did in time.
bool WaitUntil(const std::function<bool()>& done, DWORD timeout = 10000);

// A window's text, any length.
String WindowTextOf(HWND window);

// The lines an HTML viewer shows now, joined by "\r\n".
inline String ViewerText(HWND viewer)
{
    return WindowTextOf(viewer);
}

// Posts a key press and release as the keyboard would: to the focus window
// of `window`'s thread (or `window` when nothing has the focus), so that the
// thread's key handling sees them as it takes them.
void PostKey(HWND window, UINT virtualKey);

// A process started from an executable beside this test executable.
class ChildProcess {
public:
    // Starts "<folder of this executable>\<exe>" with `arguments`.
    ChildProcess(const wchar_t* exe, const String& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const noexcept { return static_cast<bool>(m_process); }
    DWORD Id() const noexcept { return m_id; }
    // Waits for the process to end; its exit code, or STILL_ACTIVE when it
    // did not end in time (it is then ended by the destructor).
    DWORD WaitForExit(DWORD timeout = 30000);

private:
    vellumate::KernelHandle m_process;
    DWORD m_id = 0;
};

// The first visible top-level window of `processId` of class `className`.
HWND FindProcessWindow(DWORD processId, const wchar_t* className);

// How many top-level windows have class `className`.
int CountWindows(const wchar_t* className);

// Failure messages show the text.
inline void PrintTo(const String& text, std::ostream* out)
{
    *out << ::testing::PrintToString(std::wstring(text.Chars(), text.Length()));
}

// A test with the framework set up on the test program's own resources and a
// visible top-level window over the work area to own its dialogs.
class OwnerWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND m_owner = nullptr;
};
