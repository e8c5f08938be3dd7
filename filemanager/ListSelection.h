// How the list pane's keys and commands move and change the selection and
// the top row of the folder list. Pure model operations: the pane repaints
// what the returned change names.
//
// The visible range is the top row to top row + rows per page - 1, cut at the
// last item. The ".." row, when present, is item 0; select all, invert and
// select first never select it.
#pragma once

#include "filemanager/FolderList.h"

#include <vector>

// What an operation changed: the items whose selection changed, and whether
// the top row moved (then the whole list needs repainting).
struct SelectionChange {
    std::vector<int> rows;
    bool scrolled = false;

    bool Any() const noexcept { return scrolled || !rows.empty(); }
};

// Down: selected items outside the visible range are let go, of several only
// the most recently selected stays; then nothing selected selects the top
// visible row, and one selected item moves to the next, scrolling by one row
// when it was on the last visible row. The very last item stays.
SelectionChange MoveSelectionDown(FolderList& list);
// Up mirrors Down: of several only the first selected stays, nothing
// selected selects the last visible row, and the selection moves to the
// previous item, scrolling by one row from the top visible row.
SelectionChange MoveSelectionUp(FolderList& list);

// Left and Right: the top row moves by a page when it can; the selection
// stays where it is.
SelectionChange PageUp(FolderList& list);
SelectionChange PageDown(FolderList& list);

// Selects the first item ("..", when present, skipped) and scrolls to the top;
// with a single item (a lone ".." or one item of the root) nothing is selected.
SelectionChange SelectFirst(FolderList& list);
// Selects only the last item and scrolls so that it is on the last page.
SelectionChange SelectLast(FolderList& list);
// Selects every item except "..", and nothing else.
SelectionChange SelectAll(FolderList& list);
// Selects every item that was not selected, except "..".
SelectionChange InvertSelection(FolderList& list);
SelectionChange ClearSelection(FolderList& list);

// Whether item `index` is the ".." row.
bool IsParentRow(const FolderList& list, int index) noexcept;
