// The choose-selection dialog (113): a check-box list of the current
// folder's items (".." left out) with their small icons. The check commands
// set the checks; OK makes the checked items the list's selection.
#pragma once

#include "filemanager/FolderList.h"
#include "filemanager/SelectionChoice.h"
#include "framework/Dialogs.h"

#include <commctrl.h>

#include <vector>

class ChooseSelectionDialog : public DialogCore {
public:
    ChooseSelectionDialog(HWND parent, FolderList& list);

    // Whether OK changed the list's selection.
    bool SelectionChanged() const noexcept { return m_changed; }

protected:
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    InitResult InitDialog() override;

private:
    HWND ListControl() const;
    void FillList();
    // The checks between the control and the model.
    void ReadChecks();
    void ShowChecks();
    void RunCheckCommand(CheckCommand command);
    void ToggleFocusedRow();
    void OnGetDisplayInfo(NMLVDISPINFOW& info);

    FolderList& m_list;
    SelectionChoice m_choice;
    std::vector<int> m_icons;       // per row: -2 not fetched yet, -1 none
    HIMAGELIST m_images = nullptr;  // owned by the list control
    bool m_changed = false;
};
