// The restore dialog (144): every backup file of every storage card, drawn
// as rows of the card's image, the file's name and its time, the selected
// row with its place in the list. Restore puts the chosen file onto the SIM
// and closes the dialog; the menu searches the cards again or deletes the
// chosen file.
#pragma once

#include "simmanager/BackupFolders.h"
#include "simmanager/SimAccess.h"

#include "framework/DialogPane.h"
#include "framework/Dialogs.h"

#include "platform/Handles.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

class RestoreBackupDialog : public DialogCore, private DialogPane::Host {
public:
    // `options`: what the rebuilt list needs after a restore.
    RestoreBackupDialog(HWND parent, SimAccess& sim, const ViewOptions& options) noexcept;

    bool Restored() const noexcept { return m_restored; }
    // The files listed, and the chosen one (-1: none).
    const std::vector<BackupListEntry>& Entries() const noexcept { return m_entries; }
    int Selected() const noexcept { return m_selected; }

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    struct ImageListTraits {
        using Handle = HIMAGELIST;
        static Handle Invalid() noexcept { return nullptr; }
        static void Close(Handle list) noexcept { ImageList_Destroy(list); }
    };
    using ImageListHandle = vellumate::UniqueHandle<ImageListTraits>;

    void PaneKey(UINT key) override;
    void PaintPane(HWND pane) override;
    void PaintRow(HDC dc, const RECT& row, int index);
    int RowHeight() const noexcept;
    int VisibleRows() const noexcept;

    void Search();
    void Select(int index);
    void Changed();
    void OnMenuOpening(HMENU menu) const;
    void OnRestore();
    void OnDelete();

    SimAccess& m_sim;
    ViewOptions m_options;
    DialogPane m_pane;
    ImageListHandle m_storeImages;
    ImageListHandle m_cardImages;
    vellumate::FontHandle m_nameFont;
    vellumate::FontHandle m_timeFont;
    std::vector<std::wstring> m_folders;
    std::vector<BackupListEntry> m_entries;
    int m_selected = -1;
    int m_top = 0;
    bool m_restored = false;
};
