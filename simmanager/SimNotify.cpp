#include "simmanager/SimNotify.h"

#include "simmanager/resource.h"

#include <atomic>

namespace {

std::atomic<HWND> g_notifyWindow{nullptr};

}  // namespace

void SetSimNotifyWindow(HWND window) noexcept
{
    g_notifyWindow.store(window);
}

HWND SimNotifyWindow() noexcept
{
    return g_notifyWindow.load();
}

void PostSimNotify(DWORD code) noexcept
{
    if (HWND window = g_notifyWindow.load())
        PostMessageW(window, SIM_NOTIFY_MESSAGE, code, 0);
}
