#include "framework/testsupport/WindowSearch.h"

namespace vellumate {

HWND FindThreadWindow(const wchar_t* className)
{
    for (HWND window = ::FindWindowW(className, nullptr); window;
         window = ::FindWindowExW(nullptr, window, className, nullptr)) {
        if (::IsWindowVisible(window) && ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId())
            return window;
    }
    return nullptr;
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className)
{
    struct Search {
        DWORD processId;
        const wchar_t* className;
        HWND found;
    } search{processId, className, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            wchar_t name[64];
            if (owner == search.processId && ::IsWindowVisible(window) && ::GetClassNameW(window, name, 64) &&
                ::lstrcmpiW(name, search.className) == 0) {
                search.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int CountWindows(const wchar_t* className)
{
    int count = 0;
    for (HWND window = ::FindWindowExW(nullptr, nullptr, className, nullptr); window;
         window = ::FindWindowExW(nullptr, window, className, nullptr))
        ++count;
    return count;
}

}  // namespace vellumate
