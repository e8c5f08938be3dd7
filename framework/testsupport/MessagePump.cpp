#include "framework/testsupport/MessagePump.h"

#include <algorithm>

namespace vellumate {
namespace {

constexpr DWORD PumpSlice = 5;
constexpr DWORD PollInterval = 2;
constexpr ULONGLONG QuietLimit = 10000;

// Dispatches what is queued now; true when there was anything.
bool DispatchQueued()
{
    bool any = false;
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        any = true;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return any;
}

}  // namespace

void PumpFor(DWORD milliseconds)
{
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    ULONGLONG now = 0;
    do {
        DispatchQueued();
        now = ::GetTickCount64();
        if (now < deadline)
            ::MsgWaitForMultipleObjects(
                0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, PumpSlice)), QS_ALLINPUT);
    } while (now < deadline);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeout)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeout;
    while (!done()) {
        if (::GetTickCount64() >= deadline)
            return false;
        PumpFor(PumpSlice);
    }
    return true;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeout)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeout;
    while (!done()) {
        if (::GetTickCount64() >= deadline)
            return false;
        ::Sleep(PollInterval);
    }
    return true;
}

void PumpUntilQuiet(int quietPasses, DWORD pause)
{
    const ULONGLONG start = ::GetTickCount64();
    int quiet = 0;
    while (quiet < quietPasses && ::GetTickCount64() - start < QuietLimit) {
        quiet = DispatchQueued() ? 0 : quiet + 1;
        if (pause > 0)
            ::Sleep(pause);
    }
}

void DropQuitMessages()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

}  // namespace vellumate
