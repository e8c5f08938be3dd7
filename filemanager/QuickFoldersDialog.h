// The quick-folders dialog (138): the recent and the well-known folders that
// exist, one row each with the folder's small icon and name, and below the
// list the selected folder's parent path. Enter or OK chooses the selected
// folder.
#pragma once

#include "filemanager/QuickFolderList.h"
#include "framework/Dialogs.h"
#include "framework/String.h"

#include <commctrl.h>

#include <optional>
#include <vector>

class QuickFoldersDialog : public DialogCore {
public:
    QuickFoldersDialog(HWND parent, std::vector<QuickFolder> folders);

    // The folder chosen, when one was.
    const std::optional<String>& Chosen() const noexcept { return m_chosen; }

protected:
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    InitResult InitDialog() override;

private:
    HWND ListControl() const;
    void FillList(HIMAGELIST images);
    int SelectedRow() const;
    void ShowParent(int row);

    std::vector<QuickFolder> m_folders;
    std::optional<String> m_chosen;
};
