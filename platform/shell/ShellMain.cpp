// vmshell: the first program of every handset session. It shows the title
// strip and the home screen and runs until the home screen is closed.
#include "platform/Handles.h"
#include "platform/shell/HomeScreen.h"
#include "platform/shell/NotifyRelay.h"
#include "platform/shell/StartMenu.h"
#include "platform/shell/TitleStrip.h"

#include <windows.h>

#include <string>

namespace {

std::wstring CurrentDirectory()
{
    std::wstring directory(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
        if (length == 0)
            return {};
        if (length < directory.size()) {
            directory.resize(length);
            return directory;
        }
        directory.resize(length);  // too small: length is the size needed
    }
}

// Waits for messages and for changes of the Start menu folder alike, until
// the home screen is gone.
int RunMessageLoop(vellumate::HomeScreen& home)
{
    while (home.Window()) {
        const HANDLE change = home.ChangeHandle();
        const DWORD waited = ::MsgWaitForMultipleObjectsEx(change ? 1 : 0, change ? &change : nullptr, INFINITE,
                                                           QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (change && waited == WAIT_OBJECT_0)
            home.OnFolderChanged();

        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return static_cast<int>(message.wParam);
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    using namespace vellumate;

    // One shell per session: a second start brings the first one's home
    // screen to the front.
    KernelHandle onlyShell(::CreateMutexW(nullptr, FALSE, L"Local\\VellumateShell"));
    if (onlyShell && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (const HWND running = ::FindWindowW(HomeScreenClass, nullptr))
            ::SetForegroundWindow(running);
        return 0;
    }

    // Programs are installed on the drive the session starts the shell on.
    const std::wstring drive = DriveOf(CurrentDirectory());

    TitleStrip strip;
    HomeScreen home;
    if (!strip.Create(instance, HomeScreenTitle) || !home.Create(instance, drive))
        return 1;
    // Programs register their windows for file-change notifications here, and
    // the driver hands device events (cards inserted or removed) to it.
    NotifyRelay relay;
    relay.Create(instance);
    return RunMessageLoop(home);
}
