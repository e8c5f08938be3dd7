// The folder chooser (dialog 106): a folder tree of the device with its root
// expanded and selected, under the folder the chosen one is for. Used by
// copy and move, by the find dialog (the folder to search) and by zip
// extraction (the folder to extract into, where the tree fills the dialog)
// and by a new shortcut (the folder to put it in: dialog 142).
//
//     std::optional<String> folder = ChooseFolder(owner, ChooserMode::Find, L"\\My Documents\\");
//
// Storage cards inserted or removed while it is open come and go in its
// tree.
#pragma once

#include "filemanager/OperationDialog.h"
#include "framework/String.h"

#include "platform/Handles.h"

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <optional>

enum class ChooserMode { Copy, Move, Find, Extract, Shortcut };

// Judges the chosen folder on OK, before the chooser closes (the copy and
// move checks); false when it is refused, after telling the user (owner: the
// chooser). Refused or not, the chooser then closes.
using FolderCheck = std::function<bool(HWND chooser, const String& folder)>;

// Shows the chooser; the chosen folder's handset path ("" for the root), or
// nothing when the user cancelled or the check refused it. `shownPath` is the
// text above the tree (not shown in the extraction mode).
std::optional<String> ChooseFolder(HWND owner, ChooserMode mode, const String& shownPath,
                                   const FolderCheck& check = nullptr);

class FolderChooserDialog : public OperationDialog {
public:
    FolderChooserDialog(HWND owner, ChooserMode mode, const String& shownPath, FolderCheck check);
    ~FolderChooserDialog() override;

    const std::optional<String>& Chosen() const noexcept { return m_chosen; }
    HWND Tree() const noexcept { return m_tree; }
    // The path of a node of the tree ("" for the root).
    String NodePath(HTREEITEM node) const;

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnCommand(UINT command) override;
    void OnBack() override;

private:
    void FillRoot();
    void FillChildren(HTREEITEM node);
    HTREEITEM FindChild(HTREEITEM parent, const wchar_t* name) const;
    void OnCardEvent(LPARAM notification);
    void Choose();

    ChooserMode m_mode;
    String m_shownPath;
    FolderCheck m_check;
    std::optional<String> m_chosen;
    HWND m_tree = nullptr;
    HTREEITEM m_root = nullptr;
    HIMAGELIST m_images = nullptr;
};
