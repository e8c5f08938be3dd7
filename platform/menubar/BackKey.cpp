#include "platform/menubar/BackKey.h"

#include "platform/ShellDialogs.h"
#include "platform/ShellMessages.h"
#include "platform/SoftKeyBar.h"

#include <cwchar>
#include <iterator>

namespace vellumate {
namespace {

bool HasClass(HWND window, const wchar_t* name) noexcept
{
    wchar_t className[64] = L"";
    return ::GetClassNameW(window, className, static_cast<int>(std::size(className))) > 0 &&
           ::_wcsicmp(className, name) == 0;
}

bool IsEditWithText(HWND window) noexcept
{
    return window && HasClass(window, L"Edit") && ::IsWindowEnabled(window) &&
           !(::GetWindowLongPtrW(window, GWL_STYLE) & ES_READONLY) && ::GetWindowTextLengthW(window) > 0;
}

HWND TopLevelOf(HWND focus) noexcept
{
    const HWND window = focus ? focus : ::GetActiveWindow();
    return window ? ::GetAncestor(window, GA_ROOT) : nullptr;
}

// Per thread: the Back press SHSendBackToFocusWindow has acted on last.
thread_local UINT servedPress = 0;

// Carries out the action for `focus`.
void PerformBackAction(BackAction action, HWND focus) noexcept
{
    switch (action) {
    case BackAction::None:
        return;
    case BackAction::DeleteCharacter:
        ::SendMessageW(focus, WM_CHAR, VK_BACK, 1);
        return;
    case BackAction::CancelDialog: {
        // As the dialog manager reports Esc; posted, since it ends the dialog.
        const HWND dialog = TopLevelOf(focus);
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDCANCEL)));
        return;
    }
    case BackAction::ShowHome:
        if (const HWND home = ::FindWindowW(HomeScreenClass, nullptr); home && home != TopLevelOf(focus))
            ::SetForegroundWindow(home);
        return;
    }
}

}  // namespace

BackAction ChooseBackAction(HWND focus, bool firstStroke) noexcept
{
    if (IsEditWithText(focus))
        return BackAction::DeleteCharacter;
    if (!firstStroke)
        return BackAction::None;  // holding Back never goes further than one screen
    const HWND root = TopLevelOf(focus);
    if (root && HasClass(root, L"#32770") && ::GetWindow(root, GW_OWNER))
        return BackAction::CancelDialog;
    return BackAction::ShowHome;
}

void RunDefaultBack(HWND focus, bool firstStroke) noexcept
{
    PerformBackAction(ChooseBackAction(focus, firstStroke), focus);
}

}  // namespace vellumate

using namespace vellumate;

void SHSendBackToFocusWindow(UINT uMsg, WPARAM wp, LPARAM lp)
{
    if (uMsg != WM_HOTKEY || HIWORD(lp) != VK_ESCAPE)
        return;
    // A bar numbers each Back press (wParam) and notifies its key-down, the
    // key-down's repeats and its key-up. Programs pass on all of them, or
    // only the key-ups, or every second one; the press acts once either way,
    // and only an edit control's deleting repeats while Back is held.
    const UINT press = static_cast<UINT>(wp);
    const bool keyUp = (LOWORD(lp) & MOD_KEYUP) != 0;
    bool firstStroke = true;
    if (press != 0 && press == servedPress) {
        if (keyUp)
            return;
        firstStroke = false;
    }
    servedPress = press;
    RunDefaultBack(::GetFocus(), firstStroke);
}
