// A stand-in program for the notification tests: it registers a window for
// file-change notifications and reports on standard output what it gets.
//
//   services_notify_helper MASK [WATCHDIR] [--once]
//
// Lines: "registered" (or "register-failed ERROR"), then per notification
// "event ID PATH attributes=HEX live=N" and, after releasing it, "freed
// live=N"; with --once the window deregisters after the first notification
// ("deregistered 1").
#include "platform/ShellNotify.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

bool once = false;

void Say(const std::wstring& line)
{
    const std::wstring text = line + L"\n";
    char bytes[1024];
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes,
                                             sizeof bytes, nullptr, nullptr);
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), bytes, static_cast<DWORD>(length), &written, nullptr);
}

LRESULT CALLBACK HelperProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_FILECHANGEINFO)
        return ::DefWindowProcW(window, message, wParam, lParam);
    auto* notify = reinterpret_cast<FILECHANGENOTIFY*>(lParam);
    wchar_t attributes[16];
    std::swprintf(attributes, 16, L"%#x", static_cast<unsigned>(notify->fci.dwAttributes));
    Say(L"event " + std::to_wstring(notify->fci.wEventId) + L" " +
        reinterpret_cast<const wchar_t*>(notify->fci.dwItem1) + L" attributes=" + attributes + L" live=" +
        std::to_wstring(vellumate::LiveFileChangeNotifications()));
    SHChangeNotifyFree(notify);
    Say(L"freed live=" + std::to_wstring(vellumate::LiveFileChangeNotifications()));
    if (once)
        Say(L"deregistered " + std::to_wstring(SHChangeNotifyDeregister(window)));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    const DWORD mask = std::wcstoul(argv[1], nullptr, 0);
    std::wstring watchDir;
    for (int i = 2; i < argc; ++i) {
        if (std::wstring(argv[i]) == L"--once")
            once = true;
        else
            watchDir = argv[i];
    }

    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = HelperProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"VellumateNotifyHelper";
    ::RegisterClassW(&windowClass);
    const HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"helper", WS_POPUP, 0, 0, 10, 10, nullptr,
                                          nullptr, instance, nullptr);

    SHCHANGENOTIFYENTRY entry{mask, watchDir.empty() ? nullptr : watchDir.data(), FALSE};
    if (!window || !SHChangeNotifyRegister(window, &entry)) {
        Say(L"register-failed " + std::to_wstring(::GetLastError()));
        return 1;
    }
    Say(L"registered");

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&message);
    return 0;
}
