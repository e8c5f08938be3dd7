// A helper program started by a test and ended when the object goes. With
// its output captured, the helper's lines are read one by one while the
// test's thread keeps pumping messages (the helper may be sending to a window
// of the test).
#pragma once

#include "platform/Handles.h"

#include <windows.h>

#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace vellumate {

// The command line that starts "<folder of this test executable>\<exe>" with
// `arguments`.
std::wstring CommandBesideThisProgram(std::wstring_view exe, std::wstring_view arguments);

class ChildProcess {
public:
    enum class Output {
        Captured,  // read with NextLine
        Inherited  // the helper writes where the test writes
    };

    // `commandLine` starts with the quoted program path.
    explicit ChildProcess(std::wstring commandLine, Output output = Output::Captured);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const noexcept { return static_cast<bool>(m_process); }
    explicit operator bool() const noexcept { return Started(); }
    DWORD Id() const noexcept { return m_id; }

    // Ends the process at once, as a crash would.
    void Kill();
    // Waits for the process to end; its exit code, or STILL_ACTIVE when it
    // did not end in time (it is then ended by the destructor).
    DWORD WaitForExit(DWORD timeout = 30000);

    // The next line the helper wrote, waiting at most `timeoutMs` while
    // dispatching this thread's messages; nothing when none came.
    std::optional<std::string> NextLine(DWORD timeoutMs = 10000);
    // Lines written and not yet taken.
    std::size_t PendingLines();

private:
    void ReadLines();

    KernelHandle m_process;
    DWORD m_id = 0;
    KernelHandle m_output;
    KernelHandle m_lineArrived;
    std::mutex m_lock;
    std::deque<std::string> m_lines;
    std::thread m_reader;
};

}  // namespace vellumate
