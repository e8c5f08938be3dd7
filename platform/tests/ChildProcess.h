// A helper program run by a test, its standard output read line by line while
// the test's thread keeps pumping messages (the helper may be sending to a
// window of the test). The process is ended when the object goes.
#pragma once

#include "platform/Handles.h"

#include <windows.h>

#include <algorithm>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace vellumate {

class ChildProcess {
public:
    // `commandLine` starts with the quoted program path.
    explicit ChildProcess(std::wstring commandLine)
    {
        SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
        HANDLE readEnd = nullptr;
        HANDLE writeEnd = nullptr;
        if (!::CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
            return;
        output_.Reset(readEnd);
        KernelHandle childOutput(writeEnd);
        ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = childOutput.Get();
        startup.hStdError = childOutput.Get();
        startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
        PROCESS_INFORMATION process{};
        if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                              &process))
            return;
        process_.Reset(process.hProcess);
        KernelHandle thread(process.hThread);
        lineArrived_.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
        reader_ = std::thread([this] { ReadLines(); });
    }

    ~ChildProcess()
    {
        Kill();
        if (reader_.joinable())
            reader_.join();
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    explicit operator bool() const noexcept { return static_cast<bool>(process_); }

    // Ends the process at once, as a crash would.
    void Kill()
    {
        if (process_) {
            ::TerminateProcess(process_.Get(), 99);
            ::WaitForSingleObject(process_.Get(), 10000);
        }
    }

    // The next line the helper wrote, waiting at most `timeoutMs` while
    // dispatching this thread's messages; nothing when none came.
    std::optional<std::string> NextLine(DWORD timeoutMs = 10000)
    {
        const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
        for (;;) {
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&message);
            {
                std::lock_guard guard(lock_);
                if (!lines_.empty()) {
                    std::string line = std::move(lines_.front());
                    lines_.pop_front();
                    return line;
                }
            }
            const ULONGLONG now = ::GetTickCount64();
            if (now >= deadline)
                return std::nullopt;
            const HANDLE event = lineArrived_.Get();
            ::MsgWaitForMultipleObjects(1, &event, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 50)),
                                        QS_ALLINPUT);
        }
    }

    // Lines written and not yet taken.
    std::size_t PendingLines()
    {
        std::lock_guard guard(lock_);
        return lines_.size();
    }

private:
    void ReadLines()
    {
        std::string partial;
        char buffer[512];
        DWORD read = 0;
        while (::ReadFile(output_.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
            partial.append(buffer, read);
            for (std::size_t end; (end = partial.find('\n')) != std::string::npos; partial.erase(0, end + 1)) {
                std::lock_guard guard(lock_);
                lines_.push_back(partial.substr(0, end));
                ::SetEvent(lineArrived_.Get());
            }
        }
    }

    KernelHandle process_;
    KernelHandle output_;
    KernelHandle lineArrived_;
    std::mutex lock_;
    std::deque<std::string> lines_;
    std::thread reader_;
};

}  // namespace vellumate
