#include "framework/SingleInstance.h"

#include "platform/Handles.h"

#include <utility>

namespace {

// The first copy's mutex, open until the process ends.
vellumate::KernelHandle& InstanceMutex()
{
    static vellumate::KernelHandle mutex;
    return mutex;
}

}  // namespace

void BringWindowForward(HWND window)
{
    // The handset brings a window and its owned pop-ups forward when given
    // the handle with its lowest bit set; on the desktop the owner's last
    // active pop-up stands for the same thing.
    HWND popup = GetLastActivePopup(window);
    SetForegroundWindow(popup ? popup : window);
}

HRESULT EnsureSingleInstance(const wchar_t* name, const InstanceLookup& lookup, bool& anotherInstance)
{
    anotherInstance = false;
    for (int attempt = 0; attempt < SingleInstanceAttempts; ++attempt) {
        vellumate::KernelHandle mutex(CreateMutexW(nullptr, FALSE, name));
        if (!mutex)
            return E_FAIL;
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            InstanceMutex() = std::move(mutex);
            return S_OK;
        }
        // Not ours: the running copy keeps it alive. If that copy ends before
        // the next attempt, the next attempt makes this copy the first.
        mutex.Reset();

        HWND window = FindWindowW(name, lookup.windowTitle);
        if (!window) {
            if (lookup.retryWait)
                Sleep(lookup.retryWait);
            window = FindWindowW(name, lookup.windowTitle);
        }
        if (window) {
            BringWindowForward(window);
            // Activation gives a window of another process its focus back;
            // a window of this thread gets it here.
            if (lookup.focusWindow)
                SetFocus(window);
            anotherInstance = true;
            return S_OK;
        }
    }
    return E_FAIL;
}

HRESULT EnsureSingleInstance(const wchar_t* name, const wchar_t* windowTitle, bool& anotherInstance)
{
    InstanceLookup lookup;
    lookup.windowTitle = windowTitle;
    return EnsureSingleInstance(name, lookup, anotherInstance);
}
