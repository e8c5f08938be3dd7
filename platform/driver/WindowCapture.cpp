#include "platform/driver/WindowCapture.h"

#include "platform/ScreenText.h"
#include "platform/driver/ControlRows.h"

namespace vellumate {
namespace {

constexpr int MaxChildDepth = 32;

std::wstring ClassNameOf(HWND window)
{
    wchar_t name[256];
    const int length = ::GetClassNameW(window, name, static_cast<int>(sizeof name / sizeof name[0]));
    return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::optional<UINT> CheckStateOf(HWND window, const std::wstring& className)
{
    if (::CompareStringOrdinal(className.c_str(), -1, L"Button", -1, TRUE) != CSTR_EQUAL)
        return std::nullopt;
    switch (::GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return static_cast<UINT>(QueryWindow(window, BM_GETCHECK).value_or(BST_UNCHECKED));
    default:
        return std::nullopt;
    }
}

WindowNode Describe(HWND window, bool topLevel, HWND focus, HWND foreground, int depth)
{
    WindowNode node;
    node.className = ClassNameOf(window);
    if (!topLevel)
        node.controlId = ::GetDlgCtrlID(window);
    node.text = ReadWindowText(window);
    ::GetWindowRect(window, &node.rect);
    node.visible = ::IsWindowVisible(window) != FALSE;
    node.enabled = ::IsWindowEnabled(window) != FALSE;
    node.focused = window == focus;
    node.foreground = window == foreground;
    node.checkState = CheckStateOf(window, node.className);
    if (!node.visible)
        return node;  // what cannot be seen has no rows worth reading

    ReadControlRows(window, node);
    node.screenText = ReadScreenText(window);
    if (depth >= MaxChildDepth)
        return node;
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        node.children.push_back(Describe(child, false, focus, foreground, depth + 1));
    return node;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) noexcept
{
    try {
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

bool OnScreen(HWND window, const RECT& screen)
{
    RECT rect{};
    RECT overlap{};
    return ::IsWindowVisible(window) && ::GetWindowRect(window, &rect) && !::IsRectEmpty(&rect) &&
           ::IntersectRect(&overlap, &rect, &screen);
}

}  // namespace

WindowNode DescribeWindow(HWND window, bool topLevel, HWND focus, HWND foreground)
{
    return Describe(window, topLevel, focus, foreground, 0);
}

std::vector<WindowNode> TakeSnapshot(const RECT& screen)
{
    const HWND foreground = ::GetForegroundWindow();
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    HWND focus = nullptr;
    if (foreground && ::GetGUIThreadInfo(::GetWindowThreadProcessId(foreground, nullptr), &thread))
        focus = thread.hwndFocus;

    std::vector<HWND> windows;
    ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&windows));

    std::vector<WindowNode> snapshot;
    for (const HWND window : windows)
        if (OnScreen(window, screen))
            snapshot.push_back(Describe(window, true, focus, foreground, 0));
    return snapshot;
}

}  // namespace vellumate
