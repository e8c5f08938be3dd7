// The check list of the choose-selection dialog: one row per item of the
// current folder but "..", the commands that set its checks, and how the
// checks become the list's selection. No window code.
#pragma once

#include "framework/String.h"

#include <cstddef>
#include <vector>

class FolderList;

// What the check commands do to every row.
enum class CheckCommand {
    All,      // check every row
    None,     // clear every check
    Invert,   // invert every check
    Folders,  // check exactly the folders
    Files,    // check exactly the files
};

class SelectionChoice {
public:
    // The rows of `list` with their checks as the list's selection has them.
    explicit SelectionChoice(const FolderList& list);

    int RowCount() const noexcept { return static_cast<int>(m_items.size()); }
    // The item that row `row` shows, as it was when the choice was made: the
    // list may change beneath the dialog (a card inserted or removed).
    const String& Name(int row) const noexcept { return m_items[static_cast<size_t>(row)].name; }
    const String& IconPath(int row) const noexcept { return m_items[static_cast<size_t>(row)].iconPath; }
    bool IsChecked(int row) const noexcept { return m_checked[static_cast<size_t>(row)]; }
    void SetChecked(int row, bool checked) { m_checked[static_cast<size_t>(row)] = checked; }

    void Apply(CheckCommand command);

    // Makes the checked rows the selection: selected items that are not
    // checked are let go, checked items that are not selected are selected
    // (after the ones that stay). Items are found by name; a row whose item
    // has left the list meanwhile is passed over. True when the selection
    // changed.
    bool ApplyTo(FolderList& list) const;

private:
    struct Row {
        String name;
        String iconPath;
        bool isFolder = false;
    };
    std::vector<Row> m_items;
    std::vector<bool> m_checked;
};
