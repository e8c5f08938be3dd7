#include "framework/testsupport/ChildProcess.h"

#include <algorithm>

namespace vellumate {

std::wstring CommandBesideThisProgram(std::wstring_view exe, std::wstring_view arguments)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.erase(path.find_last_of(L'\\') + 1);
    path += exe;
    std::wstring commandLine = L"\"" + path + L"\" ";
    commandLine += arguments;
    return commandLine;
}

ChildProcess::ChildProcess(std::wstring commandLine, Output output)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    KernelHandle childOutput;
    if (output == Output::Captured) {
        SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
        HANDLE readEnd = nullptr;
        HANDLE writeEnd = nullptr;
        if (!::CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
            return;
        m_output.Reset(readEnd);
        childOutput.Reset(writeEnd);
        ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = childOutput.Get();
        startup.hStdError = childOutput.Get();
        startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    }
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, output == Output::Captured, 0, nullptr,
                          nullptr, &startup, &process))
        return;
    m_process.Reset(process.hProcess);
    KernelHandle thread(process.hThread);
    m_id = process.dwProcessId;
    if (output == Output::Captured) {
        m_lineArrived.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
        m_reader = std::thread([this] { ReadLines(); });
    }
}

ChildProcess::~ChildProcess()
{
    Kill();
    if (m_reader.joinable())
        m_reader.join();
}

void ChildProcess::Kill()
{
    if (m_process && ::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_process.Get(), 99);
        ::WaitForSingleObject(m_process.Get(), 10000);
    }
}

DWORD ChildProcess::WaitForExit(DWORD timeout)
{
    if (!m_process || ::WaitForSingleObject(m_process.Get(), timeout) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_process.Get(), &code);
    return code;
}

std::optional<std::string> ChildProcess::NextLine(DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&message);
        {
            std::lock_guard guard(m_lock);
            if (!m_lines.empty()) {
                std::string line = std::move(m_lines.front());
                m_lines.pop_front();
                return line;
            }
        }
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline || !m_lineArrived)
            return std::nullopt;
        const HANDLE event = m_lineArrived.Get();
        ::MsgWaitForMultipleObjects(1, &event, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 50)),
                                    QS_ALLINPUT);
    }
}

std::size_t ChildProcess::PendingLines()
{
    std::lock_guard guard(m_lock);
    return m_lines.size();
}

void ChildProcess::ReadLines()
{
    std::string partial;
    char buffer[512];
    DWORD read = 0;
    while (::ReadFile(m_output.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        partial.append(buffer, read);
        for (std::size_t end; (end = partial.find('\n')) != std::string::npos; partial.erase(0, end + 1)) {
            std::lock_guard guard(m_lock);
            m_lines.push_back(partial.substr(0, end));
            ::SetEvent(m_lineArrived.Get());
        }
    }
}

}  // namespace vellumate
