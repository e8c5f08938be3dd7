// Dialogs made from templates of the resource module.
//
// Every screen but a program's main window is a modal, full-screen dialog with
// a soft-key menu bar. Each dialog is one class derived from DialogCore (or a
// framework dialog built on it), in a file of its own with a header of its
// control numbers, and is run with RunModal. ShowTemplateDialog runs a plain
// dialog procedure; it is there for the rare dialog with no state at all.
//
// A framework dialog answers messages through a chain of virtual handlers,
// most derived first: each level either handles a message (and gives its
// result) or hands it on to the level it derives from, down to DialogCore,
// which does the full-screen set-up, the Back key and the standard commands.
// Nothing a handler throws ever leaves the dialog procedure. An error raised
// in a handler for a frame around RunModal or ShowTemplateDialog ends the
// dialog, and the call sends the error on to that frame when it returns.
#pragma once

#include "framework/MenuBars.h"

#include <windows.h>

// DialogCore options.
inline constexpr UINT DialogRouteBack = 0x1;  // Back arrives at the dialog as WM_HOTKEY

// The end codes a full-screen dialog ends with when its set-up fails.
inline constexpr INT_PTR EndFullScreenFailed = 1;  // the dialog could not be made full-screen
inline constexpr INT_PTR EndMenuBarFailed = 2;     // its menu bar could not be created

enum class InitResult { Continue, Stop };

class DialogCore {
public:
    // titleId 0: the program title. routeBack: DialogRouteBack in the options.
    DialogCore(UINT templateId, HWND parent, UINT menuBarId, UINT titleId, bool routeBack) noexcept;
    virtual ~DialogCore();
    DialogCore(const DialogCore&) = delete;
    DialogCore& operator=(const DialogCore&) = delete;

    // The dialog window while RunModal runs, null otherwise.
    HWND Window() const noexcept { return m_window; }
    UINT TemplateId() const noexcept { return m_templateId; }
    HWND Parent() const noexcept { return m_parent; }
    UINT MenuBarId() const noexcept { return m_menuBarId; }
    // The menu bar made by the full-screen set-up; null before it.
    HWND MenuBar() const noexcept { return m_menuBar; }
    UINT TitleId() const noexcept { return m_titleId; }
    UINT Options() const noexcept { return m_options; }

    // Called by RunModal just before the dialog is created: the next dialog
    // window made on this thread belongs to this object.
    virtual void PrepareModal() noexcept;

protected:
    // The chain: true when this level handled the message, with its result
    // in `result`. Overrides hand what they do not handle to their base.
    virtual bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // WM_INITDIALOG, most derived first. Overrides call their base first and
    // stop when it stopped. The core level is InitFullScreenDialog.
    virtual InitResult InitDialog();

    // True when InitDialog moved the keyboard focus itself.
    bool m_focusSet = false;

private:
    friend InitResult InitFullScreenDialog(DialogCore& dialog);
    friend INT_PTR RunModal(DialogCore& dialog);
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    HWND m_window = nullptr;
    UINT m_templateId;
    HWND m_parent;
    UINT m_menuBarId;
    HWND m_menuBar = nullptr;
    UINT m_titleId;
    UINT m_options;
};

// Runs a framework dialog modally: PrepareModal, then the template from the
// resource module. Returns the end code, or -1 when the template is missing
// or the dialog cannot be created.
INT_PTR RunModal(DialogCore& dialog);

// Runs a program's own dialog (template `templateId` of the resource module)
// with its dialog procedure; `param` arrives with WM_INITDIALOG. Returns the
// end code, or -1 when the template is missing or the dialog cannot be made.
INT_PTR ShowTemplateDialog(UINT templateId, HWND parent, DLGPROC procedure, LPARAM param = 0);

// The set-up every full-screen dialog performs in WM_INITDIALOG: full-screen
// size, the menu bar `dialog.MenuBarId()` from the resource module, the title,
// and the Back key when the dialog routes it. On failure it ends the dialog
// (EndFullScreenFailed or EndMenuBarFailed) and returns Stop.
InitResult InitFullScreenDialog(DialogCore& dialog);
