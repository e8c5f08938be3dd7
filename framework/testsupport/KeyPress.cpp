#include "framework/testsupport/KeyPress.h"

namespace vellumate {

LPARAM KeyData(UINT virtualKey, bool up, bool repeat)
{
    const UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    LPARAM data = 1 | (static_cast<LPARAM>(scan) << 16);
    if (up)
        data |= (1u << 30) | (1u << 31);
    else if (repeat)
        data |= 1u << 30;
    return data;
}

void SendKeyPress(HWND window, UINT virtualKey)
{
    ::SendMessageW(window, WM_KEYDOWN, virtualKey, 1);
    ::SendMessageW(window, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
}

void PostKeyDown(HWND window, UINT virtualKey, bool repeat)
{
    ::PostMessageW(window, WM_KEYDOWN, virtualKey, KeyData(virtualKey, false, repeat));
}

void PostKeyUp(HWND window, UINT virtualKey)
{
    ::PostMessageW(window, WM_KEYUP, virtualKey, KeyData(virtualKey, true));
}

void PostKeyToFocus(HWND window, UINT virtualKey)
{
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &thread) && thread.hwndFocus)
        window = thread.hwndFocus;
    PostKeyDown(window, virtualKey);
    PostKeyUp(window, virtualKey);
}

}  // namespace vellumate
