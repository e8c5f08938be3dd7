// The save dialog (127): the storage cards in a list, the first one chosen,
// and a field for the file's name. Save writes the general phonebook to
// "\CARD\NAME.ztc" and closes the dialog; a failed save leaves it open, so
// that another name or card can be tried.
#pragma once

#include "simmanager/SimAccess.h"

#include "framework/Dialogs.h"

#include <windows.h>

#include <string>
#include <vector>

class SaveBackupDialog : public DialogCore {
public:
    SaveBackupDialog(HWND parent, SimAccess& sim) noexcept;

    bool Saved() const noexcept { return m_saved; }

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Save needs a card and a name.
    bool CanSave() const noexcept;
    void UpdateSaveButton();
    void OnSave();

    SimAccess& m_sim;
    std::vector<std::wstring> m_folders;
    bool m_saved = false;
};
