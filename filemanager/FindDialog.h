// The find dialog (dialog 109): the name patterns, the folder to search and
// an optional text. Search checks the fields and shows the results (dialog
// 118) over it; the dialog closes when a check refuses the fields, when the
// results close both, or when a folder among them is to be shown.
#pragma once

#include "filemanager/FindResultsDialog.h"
#include "framework/Dialogs.h"
#include "framework/String.h"

#include <windows.h>

#include <optional>

class FindDialog : public DialogCore {
public:
    // Starts with "*.*", `folder` followed by "\", and no text.
    FindDialog(HWND parent, const String& folder, DWORD preferences);

    // The folder the user chose to see among the results, if any.
    const std::optional<String>& FolderToOpen() const noexcept { return m_folderToOpen; }
    // What the results deleted, over every search of this dialog.
    const FoundDeletions& Deletions() const noexcept { return m_deletions; }

protected:
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    InitResult InitDialog() override;

private:
    bool OnCommand(int command);
    void Search();
    void ChooseSearchFolder();

    String m_folder;
    DWORD m_preferences;
    std::optional<String> m_folderToOpen;
    FoundDeletions m_deletions;
};
