// The rename dialog (120): the current name and a field with the new one.
// OK checks the new name and moves the item to it in the same folder; a bad
// or taken name keeps the dialog open.
#pragma once

#include "filemanager/DialogParts.h"
#include "filemanager/NewNames.h"
#include "framework/Dialogs.h"
#include "framework/String.h"

#include <functional>

struct RenameRequest {
    String folder;  // the handset path of the folder that holds the item
    String name;
    bool isFolder = false;
    // With extensions hidden a file's name is edited without its extension.
    DWORD preferences = 0;
    // Whether another item of the folder has a name; asked only for a name
    // that differs from the old one other than in letter case.
    std::function<bool(const String& name)> isTaken;
    // The message of a taken name (a folder's or a file's).
    UINT takenMessage = 0;
};

enum class RenameOutcome {
    Cancelled,
    Unchanged,  // OK on the old name
    Renamed,
    Gone,        // the item no longer existed (the dialog said so)
    MoveFailed,  // the move failed: the caller tells the user
};

class RenameDialog : public DialogCore {
public:
    RenameDialog(HWND parent, RenameRequest request);

    RenameOutcome Outcome() const noexcept { return m_outcome; }
    // The item's new full name (extension included).
    const String& NewName() const noexcept { return m_newName; }

protected:
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    InitResult InitDialog() override;

private:
    void OnOk();
    void Close(RenameOutcome outcome);

    RenameRequest m_request;
    EditableName m_editable;
    RenameOutcome m_outcome = RenameOutcome::Cancelled;
    String m_newName;
};
