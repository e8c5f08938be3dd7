#include "MenuTestSupport.h"

#include "platform/Handset.h"
#include "platform/ScreenText.h"
#include "platform/SoftKeyBar.h"

namespace menutest {
namespace {

constexpr wchar_t ProgramClass[] = L"MenuTestProgram";

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

HWND Target(HWND target)
{
    if (target)
        return target;
    if (const HWND focus = ::GetFocus())
        return focus;
    return ::GetActiveWindow();
}

}  // namespace

void Pump()
{
    const DWORD start = ::GetTickCount();
    int quietRounds = 0;
    while (quietRounds < 3 && ::GetTickCount() - start < 1000) {
        MSG message;
        bool any = false;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        quietRounds = any ? 0 : quietRounds + 1;
        if (!any)
            ::Sleep(1);
    }
}

void KeyDown(UINT virtualKey, HWND target, bool repeat)
{
    ::PostMessageW(Target(target), WM_KEYDOWN, virtualKey, KeyData(virtualKey, false, repeat));
    Pump();
}

void KeyUp(UINT virtualKey, HWND target)
{
    ::PostMessageW(Target(target), WM_KEYUP, virtualKey, KeyData(virtualKey, true, false));
    Pump();
}

void Press(UINT virtualKey, HWND target)
{
    KeyDown(virtualKey, target);
    KeyUp(virtualKey, target);
}

HWND OpenPopup()
{
    HWND found = nullptr;
    // The newest popup (a submenu over its parent) is the first in Z order.
    for (HWND window = ::FindWindowW(L"menu_popup", nullptr); window;
         window = ::FindWindowExW(nullptr, window, L"menu_popup", nullptr)) {
        if (::IsWindowVisible(window)) {
            found = window;
            break;
        }
    }
    return found;
}

std::wstring ScreenTextOf(HWND window)
{
    return ReadScreenText(window).value_or(L"<nothing published>");
}

std::wstring PopupText(HWND popup)
{
    if (!popup)
        popup = OpenPopup();
    return popup ? ScreenTextOf(popup) : L"<no popup>";
}

ProgramWindow::ProgramWindow(bool visible)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = ProgramClass;
    ::RegisterClassW(&windowClass);
    window_ = ::CreateWindowExW(0, ProgramClass, L"Program", WS_POPUP, 0, vellumate::WorkAreaTop,
                                vellumate::ScreenWidth, vellumate::WorkAreaHeight, nullptr, nullptr,
                                ::GetModuleHandleW(nullptr), this);
    if (window_ && visible) {
        ::ShowWindow(window_, SW_SHOW);
        ::SetForegroundWindow(window_);
        ::SetActiveWindow(window_);
        ::SetFocus(window_);
    }
    Pump();
}

ProgramWindow::~ProgramWindow()
{
    if (window_) {
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
    Pump();
}

HWND ProgramWindow::CreateBar(UINT id, DWORD flags)
{
    SHMENUBARINFO info{};
    info.cbSize = sizeof info;
    info.hwndParent = window_;
    info.dwFlags = flags;
    info.nToolBarId = id;
    info.hInstRes = ::GetModuleHandleW(nullptr);
    return SHCreateMenuBar(&info) ? info.hwndMB : nullptr;
}

LRESULT CALLBACK ProgramWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_NCCREATE)
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<ProgramWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self) {
        switch (message) {
        case WM_COMMAND:
            self->commands.push_back(LOWORD(wParam));
            self->commandParams.push_back(lParam);
            return 0;
        case WM_HOTKEY:
            self->hotkeys.emplace_back(wParam, lParam);
            return 0;
        case WM_INITMENUPOPUP:
            self->initPopups.push_back(InitPopup{reinterpret_cast<HMENU>(wParam), LOWORD(lParam), OpenPopup() != nullptr});
            if (self->onInitPopup)
                self->onInitPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam));
            return 0;
        case WM_KEYDOWN:
            self->keys.push_back(static_cast<UINT>(wParam));
            return 0;
        default:
            break;
        }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace menutest
