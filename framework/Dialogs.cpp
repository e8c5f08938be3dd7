#include "framework/Dialogs.h"

#include "framework/Globals.h"
#include "framework/ResourceModule.h"
#include "framework/String.h"

#include "platform/ShellDialogs.h"
#include "platform/SoftKeyBar.h"

#include <commctrl.h>

#include <utility>

namespace {

// The framework dialog whose window is about to be made on this thread. The
// procedure binds it to the first dialog window that calls it, so nested
// framework dialogs of any classes each reach their own object.
thread_local DialogCore* pendingDialog = nullptr;

// Back and its release: no default handling, and tell the dialog (both the
// mask half and the value half of the override).
constexpr LPARAM RouteBackOverride = MAKELPARAM(SHMBOF_NODEFAULT | SHMBOF_NOTIFY, SHMBOF_NODEFAULT | SHMBOF_NOTIFY);

const DLGTEMPLATE* LoadDialogTemplate(UINT templateId)
{
    HINSTANCE module = ResourceModule();
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    if (!resource)
        return nullptr;
    HGLOBAL loaded = LoadResource(module, resource);
    return loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
}

// Messages whose answer a dialog procedure returns itself; for every other
// message the answer goes through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message)
{
    switch (message) {
    case WM_INITDIALOG:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
    case WM_COMPAREITEM:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

void SetButtonInfo(HWND menuBar, int command, TBBUTTONINFOW& info)
{
    info.cbSize = sizeof info;
    SendMessageW(menuBar, TB_SETBUTTONINFOW, static_cast<WPARAM>(command), reinterpret_cast<LPARAM>(&info));
}

} // namespace

DialogCore::DialogCore(UINT templateId, HWND parent, UINT menuBarId, UINT titleId, bool routeBack) noexcept
    : m_templateId(templateId), m_parent(parent), m_menuBarId(menuBarId), m_titleId(titleId),
      m_options(routeBack ? DialogRouteBack : 0)
{
}

DialogCore::~DialogCore()
{
    if (pendingDialog == this)
        pendingDialog = nullptr;
}

void DialogCore::PrepareModal() noexcept
{
    pendingDialog = this;
}

INT_PTR CALLBACK DialogCore::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    auto* dialog = reinterpret_cast<DialogCore*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog) {
        dialog = std::exchange(pendingDialog, nullptr);
        if (!dialog)
            return FALSE;
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
    }
    dialog->m_window = window;

    LRESULT result = 0;
    bool handled = false;
    try {
        handled = dialog->HandleMessage(window, message, wParam, lParam, result);
    } catch (...) {
        // The platform's default handling takes the message instead.
        handled = false;
    }

    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        dialog->m_window = nullptr;
        dialog->m_menuBar = nullptr;
    }
    if (!handled)
        return FALSE;
    if (ReturnsResultDirectly(message))
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

bool DialogCore::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_INITDIALOG:
        m_focusSet = false;
        InitDialog();
        // FALSE keeps a focus the set-up gave away.
        result = m_focusSet ? FALSE : TRUE;
        return true;
    case WM_HOTKEY:
        if (HIWORD(lParam) != VK_ESCAPE)
            return false;
        SHSendBackToFocusWindow(message, wParam, lParam);
        result = 1;
        return true;
    case WM_COMMAND: {
        int command = LOWORD(wParam);
        if (command < IDOK || command > IDNO)
            return false;
        EndDialog(window, command);
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

InitResult DialogCore::InitDialog()
{
    return InitFullScreenDialog(*this);
}

InitResult InitFullScreenDialog(DialogCore& dialog)
{
    HWND window = dialog.m_window;

    SHINITDLGINFO fullScreen{};
    fullScreen.dwMask = SHIDIM_FLAGS;
    fullScreen.hDlg = window;
    fullScreen.dwFlags = SHIDIF_SIZEDLGFULLSCREEN;
    if (!SHInitDialog(&fullScreen)) {
        EndDialog(window, EndFullScreenFailed);
        return InitResult::Stop;
    }

    if (dialog.m_menuBar && IsWindow(dialog.m_menuBar))
        DestroyWindow(dialog.m_menuBar);
    dialog.m_menuBar = nullptr;
    SHMENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    bar.hwndParent = window;
    bar.nToolBarId = dialog.m_menuBarId;
    bar.hInstRes = ResourceModule();
    if (!SHCreateMenuBar(&bar) || !bar.hwndMB) {
        EndDialog(window, EndMenuBarFailed);
        return InitResult::Stop;
    }
    dialog.m_menuBar = bar.hwndMB;

    String title;
    if (dialog.m_titleId != 0)
        title.LoadResourceText(dialog.m_titleId);
    else
        title = ProgramTitle();
    SetWindowTextW(window, title);

    if (dialog.m_options & DialogRouteBack)
        SendMessageW(dialog.m_menuBar, SHCMBM_OVERRIDEKEY, VK_ESCAPE, RouteBackOverride);
    return InitResult::Continue;
}

INT_PTR RunModal(DialogCore& dialog)
{
    dialog.PrepareModal();
    INT_PTR result = -1;
    if (const DLGTEMPLATE* dialogTemplate = LoadDialogTemplate(dialog.m_templateId)) {
        result = DialogBoxIndirectParamW(ResourceModule(), dialogTemplate, dialog.m_parent, &DialogCore::Procedure,
                                         0);
    }
    // A dialog that never got a window must not claim the next one.
    if (pendingDialog == &dialog)
        pendingDialog = nullptr;
    return result;
}

INT_PTR ShowTemplateDialog(UINT templateId, HWND parent, DLGPROC procedure, LPARAM param)
{
    const DLGTEMPLATE* dialogTemplate = LoadDialogTemplate(templateId);
    if (!dialogTemplate)
        return -1;
    return DialogBoxIndirectParamW(ResourceModule(), dialogTemplate, parent, procedure, param);
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
