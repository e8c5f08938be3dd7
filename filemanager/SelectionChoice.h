// The check list of the choose-selection dialog: one row per item of the
// current folder but "..", the commands that set its checks, and how the
// checks become the list's selection. No window code.
#pragma once

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
    // The list's index of the item that row `row` shows.
    int ItemIndex(int row) const noexcept { return m_items[static_cast<size_t>(row)]; }
    bool IsChecked(int row) const noexcept { return m_checked[static_cast<size_t>(row)]; }
    void SetChecked(int row, bool checked) { m_checked[static_cast<size_t>(row)] = checked; }

    void Apply(CheckCommand command, const FolderList& list);

    // Makes the checked rows the selection: selected items that are not
    // checked are let go, checked items that are not selected are selected
    // (after the ones that stay). True when the selection changed.
    bool ApplyTo(FolderList& list) const;

private:
    std::vector<int> m_items;
    std::vector<bool> m_checked;
};
