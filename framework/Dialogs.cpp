#include "framework/Dialogs.h"

#include "framework/Errors.h"
#include "framework/Globals.h"
#include "framework/ResourceModule.h"
#include "framework/String.h"

#include "platform/ShellDialogs.h"
#include "platform/SoftKeyBar.h"

#include <commctrl.h>

#include <utility>
#include <vector>

namespace {

// The framework dialog whose window is about to be made on this thread. The
// procedure binds it to the first dialog window that calls it, so nested
// framework dialogs of any classes each reach their own object.
thread_local DialogCore* pendingDialog = nullptr;

// A program's own dialog procedure run by ShowTemplateDialog, with the window
// it belongs to (null until the window's first message). Innermost last.
struct TemplateDialog {
    DLGPROC procedure;
    HWND window;
};
thread_local std::vector<TemplateDialog> templateDialogs;

// A dialog whose procedure stopped an error on its way to an outer frame
// ends, so that the call that runs it can send the error on.
void EndForHeldError(HWND window, UINT message) noexcept
{
    if (IsErrorHeld() && message != WM_NCDESTROY)
        EndDialog(window, -1);
}

// Stands between the dialog manager and a program's own procedure, which may
// catch everything itself: an error held at the boundary still ends the
// dialog.
INT_PTR CALLBACK TemplateDialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    TemplateDialog* own = nullptr;
    for (auto entry = templateDialogs.rbegin(); entry != templateDialogs.rend() && !own; ++entry) {
        if (entry->window == window)
            own = &*entry;
    }
    if (!own && !templateDialogs.empty() && !templateDialogs.back().window) {
        own = &templateDialogs.back();
        own->window = window;
    }
    if (!own)
        return FALSE;
    INT_PTR answer = FALSE;
    const DLGPROC procedure = own->procedure;
    const bool ran = RunOperation([&] { answer = procedure(window, message, wParam, lParam); });
    EndForHeldError(window, message);
    return ran ? answer : FALSE;
}

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

}  // namespace

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
    if (!RunOperation([&] { handled = dialog->HandleMessage(window, message, wParam, lParam, result); })) {
        // The platform's default handling takes the message instead.
        handled = false;
    }
    EndForHeldError(window, message);

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
    dialog.m_menuBar = CreateMenuBar(window, dialog.m_menuBarId,
                                     (dialog.m_options & DialogRouteBack) ? BackKey::ToProgram : BackKey::Default);
    if (!dialog.m_menuBar) {
        EndDialog(window, EndMenuBarFailed);
        return InitResult::Stop;
    }

    String title;
    if (dialog.m_titleId != 0)
        title.LoadResourceText(dialog.m_titleId);
    else
        title = ProgramTitle();
    SetWindowTextW(window, title);
    return InitResult::Continue;
}

namespace {

// A modal dialog disables its owner, and Wine then hands the activation to
// another program's window; a dialog that ends before it was ever shown (a
// quick copy's progress) leaves it there, and the keys with it. The window
// in front when the dialog began comes back to the front when it ends.
class ForegroundKeeper {
public:
    ForegroundKeeper() noexcept
    {
        const HWND front = GetForegroundWindow();
        if (front && GetWindowThreadProcessId(front, nullptr) == GetCurrentThreadId())
            m_front = front;
    }
    ~ForegroundKeeper()
    {
        if (!m_front || !IsWindow(m_front) || !IsWindowVisible(m_front) || !IsWindowEnabled(m_front))
            return;
        const HWND now = GetForegroundWindow();
        if (!now || GetWindowThreadProcessId(now, nullptr) != GetCurrentThreadId())
            SetForegroundWindow(m_front);
    }
    ForegroundKeeper(const ForegroundKeeper&) = delete;
    ForegroundKeeper& operator=(const ForegroundKeeper&) = delete;

private:
    HWND m_front = nullptr;
};

}  // namespace

INT_PTR RunModal(DialogCore& dialog)
{
    dialog.PrepareModal();
    INT_PTR result = -1;
    if (const DLGTEMPLATE* dialogTemplate = LoadDialogTemplate(dialog.m_templateId)) {
        const ForegroundKeeper front;
        result = DialogBoxIndirectParamW(ResourceModule(), dialogTemplate, dialog.m_parent, &DialogCore::Procedure, 0);
    }
    // A dialog that never got a window must not claim the next one.
    if (pendingDialog == &dialog)
        pendingDialog = nullptr;
    ResumeHeldError();
    return result;
}

INT_PTR ShowTemplateDialog(UINT templateId, HWND parent, DLGPROC procedure, LPARAM param)
{
    const DLGTEMPLATE* dialogTemplate = LoadDialogTemplate(templateId);
    if (!dialogTemplate || !procedure)
        return -1;
    templateDialogs.push_back({procedure, nullptr});
    const ForegroundKeeper front;
    const INT_PTR result =
        DialogBoxIndirectParamW(ResourceModule(), dialogTemplate, parent, &TemplateDialogProcedure, param);
    templateDialogs.pop_back();
    ResumeHeldError();
    return result;
}
