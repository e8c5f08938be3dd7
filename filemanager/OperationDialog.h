// The base of the full-screen dialogs that Back answers itself (the file
// operations', new folder): the commands of the menu bar and the buttons
// reach OnCommand, and the Back key, routed to the dialog, reaches OnBack
// when it is released (as everywhere in the program).
#pragma once

#include "framework/Dialogs.h"

class OperationDialog : public DialogCore {
public:
    OperationDialog(UINT templateId, HWND parent, UINT menuBarId, UINT titleId) noexcept
        : DialogCore(templateId, parent, menuBarId, titleId, true)
    {
    }

protected:
    // True when the command was handled.
    virtual bool OnCommand(UINT command) = 0;
    virtual void OnBack() = 0;

    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
