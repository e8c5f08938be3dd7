// The new-folder dialog (121): the parent folder's path and a field with a
// proposed name. OK checks the name and creates the folder; a bad or taken
// name keeps the dialog open, a failure to create closes it.
#pragma once

#include "filemanager/DialogParts.h"
#include "filemanager/OperationDialog.h"
#include "framework/String.h"

#include <functional>

enum class NewFolderOutcome {
    Cancelled,
    Created,
    Failed,  // the folder could not be made: the caller tells the user
};

class NewFolderDialog : public OperationDialog {
public:
    // `folder` is a handset path; `isTaken` tells whether a name is used
    // there.
    NewFolderDialog(HWND parent, String folder, std::function<bool(const String& name)> isTaken);

    NewFolderOutcome Outcome() const noexcept { return m_outcome; }
    const String& Name() const noexcept { return m_name; }
    // The platform's error when creating failed.
    DWORD Error() const noexcept { return m_error; }

protected:
    InitResult InitDialog() override;
    bool OnCommand(UINT command) override;
    // Back closes the dialog, once per press, whatever the field holds.
    void OnBack() override;

private:
    void OnOk();
    void Close(NewFolderOutcome outcome);

    String m_folder;
    std::function<bool(const String&)> m_isTaken;
    DialogHeadings m_headings;
    NewFolderOutcome m_outcome = NewFolderOutcome::Cancelled;
    String m_name;
    DWORD m_error = 0;
};
