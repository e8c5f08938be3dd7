#include "MenuTestSupport.h"

#include "framework/testsupport/KeyPress.h"
#include "framework/testsupport/MessagePump.h"
#include "framework/testsupport/WindowSearch.h"

#include "platform/Handset.h"
#include "platform/ScreenText.h"
#include "platform/ShellDialogs.h"
#include "platform/SoftKeyBar.h"

#include "test_menubar.h"

namespace menutest {
namespace {

constexpr wchar_t ProgramClass[] = L"MenuTestProgram";

}  // namespace

void Pump()
{
    // Everything the tests wait for is posted on this thread, so an empty
    // queue means done.
    vellumate::PumpUntilQuiet();
}

void KeyDown(HWND target, UINT virtualKey, bool repeat)
{
    vellumate::PostKeyDown(target, virtualKey, repeat);
    Pump();
}

void KeyUp(HWND target, UINT virtualKey)
{
    vellumate::PostKeyUp(target, virtualKey);
    Pump();
}

void Press(HWND target, UINT virtualKey)
{
    KeyDown(target, virtualKey);
    KeyUp(target, virtualKey);
}

HWND OpenPopup()
{
    // The newest (a submenu over its parent) comes first in Z order.
    return vellumate::FindThreadWindow(L"menu_popup");
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
    window_ =
        ::CreateWindowExW(0, ProgramClass, L"Program", WS_POPUP, 0, vellumate::WorkAreaTop, vellumate::ScreenWidth,
                          vellumate::WorkAreaHeight, nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
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
            self->initPopups.push_back(
                InitPopup{reinterpret_cast<HMENU>(wParam), LOWORD(lParam), OpenPopup() != nullptr});
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

Screen::Screen(HWND owner, bool routeBack, Forward forward) : forward_(forward)
{
    dialog_ = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_BAR_DIALOG), owner, &Procedure,
                                   reinterpret_cast<LPARAM>(this));
    SHINITDLGINFO init{SHIDIM_FLAGS, dialog_, SHIDIF_SIZEDLGFULLSCREEN};
    SHInitDialog(&init);
    SHMENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    bar.hwndParent = dialog_;
    bar.nToolBarId = IDM_BAR_COMMANDS;
    bar.hInstRes = ::GetModuleHandleW(nullptr);
    SHCreateMenuBar(&bar);
    bar_ = bar.hwndMB;
    if (routeBack)
        ::SendMessageW(bar_, SHCMBM_OVERRIDEKEY, VK_ESCAPE, RouteBack);
    ::ShowWindow(dialog_, SW_SHOW);
    ::SetActiveWindow(dialog_);
    ::SetFocus(Edit());
    Pump();
}

Screen::~Screen()
{
    if (::IsWindow(dialog_))
        ::DestroyWindow(dialog_);
}

HWND Screen::Edit() const noexcept
{
    return ::GetDlgItem(dialog_, IDC_BAR_EDIT);
}

HWND Screen::List() const noexcept
{
    return ::GetDlgItem(dialog_, IDC_BAR_LIST);
}

void Screen::SetText(const wchar_t* text)
{
    ::SetWindowTextW(Edit(), text);
    const int end = ::GetWindowTextLengthW(Edit());
    ::SendMessageW(Edit(), EM_SETSEL, end, end);
}

std::wstring Screen::Text() const
{
    wchar_t text[64] = L"";
    ::GetWindowTextW(Edit(), text, 64);
    return text;
}

INT_PTR CALLBACK Screen::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_INITDIALOG)
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    auto* self = reinterpret_cast<Screen*>(::GetWindowLongPtrW(window, DWLP_USER));
    if (!self)
        return FALSE;
    switch (message) {
    case WM_HOTKEY:
        ++self->hotkeys;
        if (self->forward_ == Forward::Everything ||
            (self->forward_ == Forward::KeyUpsOnly && (LOWORD(lParam) & MOD_KEYUP)))
            SHSendBackToFocusWindow(message, wParam, lParam);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            ++self->cancels;
            ::DestroyWindow(window);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

Home::Home()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"MSStart";
    ::RegisterClassW(&windowClass);
    window_ = ::CreateWindowExW(0, L"MSStart", L"Home", WS_POPUP | WS_VISIBLE, 0, vellumate::WorkAreaTop,
                                vellumate::ScreenWidth, vellumate::WorkAreaHeight, nullptr, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
}

Home::~Home()
{
    ::DestroyWindow(window_);
}

}  // namespace menutest
