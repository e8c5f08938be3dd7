#include "framework/MenuBars.h"

#include "framework/ResourceModule.h"

#include "platform/SoftKeyBar.h"

#include <commctrl.h>

namespace {

// Back and its release: no default handling, and tell the owner (both the
// mask half and the value half of the override).
constexpr LPARAM BackToProgram = MAKELPARAM(SHMBOF_NODEFAULT | SHMBOF_NOTIFY, SHMBOF_NODEFAULT | SHMBOF_NOTIFY);

void SetButtonInfo(HWND menuBar, int command, TBBUTTONINFOW& info)
{
    info.cbSize = sizeof info;
    SendMessageW(menuBar, TB_SETBUTTONINFOW, static_cast<WPARAM>(command), reinterpret_cast<LPARAM>(&info));
}

}  // namespace

HWND CreateMenuBar(HWND owner, UINT barId, BackKey back, bool hidden) noexcept
{
    SHMENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    bar.hwndParent = owner;
    bar.dwFlags = hidden ? SHCMBF_HIDDEN : 0;
    bar.nToolBarId = barId;
    bar.hInstRes = ResourceModule();
    if (!SHCreateMenuBar(&bar) || !bar.hwndMB)
        return nullptr;
    if (back == BackKey::ToProgram)
        SendMessageW(bar.hwndMB, SHCMBM_OVERRIDEKEY, VK_ESCAPE, BackToProgram);
    return bar.hwndMB;
}

void HideMenuBarButton(HWND menuBar, int command)
{
    TBBUTTONINFOW info{};
    info.dwMask = TBIF_STATE;
    info.fsState = TBSTATE_HIDDEN;
    SetButtonInfo(menuBar, command, info);
}

void SetMenuBarButtonText(HWND menuBar, int command, const wchar_t* text)
{
    TBBUTTONINFOW info{};
    info.dwMask = TBIF_TEXT;
    info.pszText = const_cast<wchar_t*>(text ? text : L"");
    SetButtonInfo(menuBar, command, info);
}

void EnableMenuBarButton(HWND menuBar, int command, bool enabled)
{
    TBBUTTONINFOW info{};
    info.dwMask = TBIF_STATE;
    info.fsState = enabled ? TBSTATE_ENABLED : 0;
    SetButtonInfo(menuBar, command, info);
}

void EnableMenuCommand(HMENU menu, UINT command, bool enabled) noexcept
{
    EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}
