#include "filemanager/ListSelection.h"

#include <algorithm>

namespace {

// Notes the selection and the top row before an operation, so that the
// change can be told afterwards without each operation keeping count.
class ChangeRecorder {
public:
    explicit ChangeRecorder(const FolderList& list) : m_list(list), m_topRow(list.TopRow())
    {
        m_selected.reserve(static_cast<size_t>(list.ItemCount()));
        for (int i = 0; i < list.ItemCount(); ++i)
            m_selected.push_back(static_cast<char>(list.Item(i).selected != 0));
    }

    SelectionChange Result() const
    {
        SelectionChange change;
        change.scrolled = m_list.TopRow() != m_topRow;
        for (int i = 0; i < m_list.ItemCount(); ++i)
            if ((m_list.Item(i).selected != 0) != (m_selected[static_cast<size_t>(i)] != 0))
                change.rows.push_back(i);
        return change;
    }

private:
    const FolderList& m_list;
    int m_topRow;
    std::vector<char> m_selected;
};

int LastVisibleRow(const FolderList& list) noexcept
{
    return std::min(list.TopRow() + list.RowsPerPage() - 1, list.ItemCount() - 1);
}

// Lets go of the selected items outside the visible range, then of all but
// one: the most recently selected (keepNewest) or the first selected.
void NarrowToOneVisible(FolderList& list, bool keepNewest)
{
    const int first = list.TopRow();
    const int last = LastVisibleRow(list);
    for (int n = list.SelectedCount() - 1; n >= 0; --n) {
        const int index = list.SelectedIndex(n);
        if (index < first || index > last)
            list.Select(index, false);
    }
    if (list.SelectedCount() > 1)
        list.SelectOnly(list.SelectedIndex(keepNewest ? list.SelectedCount() - 1 : 0));
}

}  // namespace

bool IsParentRow(const FolderList& list, int index) noexcept
{
    return index == 0 && list.HasParentRow();
}

SelectionChange MoveSelectionDown(FolderList& list)
{
    ChangeRecorder recorder(list);
    if (list.ItemCount() == 0)
        return recorder.Result();
    NarrowToOneVisible(list, true);
    const int last = LastVisibleRow(list);
    if (list.SelectedCount() == 0) {
        list.Select(list.TopRow(), true);
    } else {
        const int selected = list.SelectedIndex(0);
        if (selected < last) {
            list.SelectOnly(selected + 1);
        } else if (selected < list.ItemCount() - 1) {
            list.SelectOnly(selected + 1);
            list.SetTopRow(list.TopRow() + 1);
        }
    }
    return recorder.Result();
}

SelectionChange MoveSelectionUp(FolderList& list)
{
    ChangeRecorder recorder(list);
    if (list.ItemCount() == 0)
        return recorder.Result();
    NarrowToOneVisible(list, false);
    const int first = list.TopRow();
    if (list.SelectedCount() == 0) {
        list.Select(LastVisibleRow(list), true);
    } else {
        const int selected = list.SelectedIndex(0);
        if (selected > first) {
            list.SelectOnly(selected - 1);
        } else if (first > 0) {
            list.SelectOnly(selected - 1);
            list.SetTopRow(first - 1);
        }
    }
    return recorder.Result();
}

SelectionChange PageUp(FolderList& list)
{
    ChangeRecorder recorder(list);
    if (list.TopRow() > 0)
        list.SetTopRow(list.TopRow() - list.RowsPerPage());
    return recorder.Result();
}

SelectionChange PageDown(FolderList& list)
{
    ChangeRecorder recorder(list);
    if (list.TopRow() + list.RowsPerPage() - 1 < list.LastTop())
        list.SetTopRow(list.TopRow() + list.RowsPerPage());
    return recorder.Result();
}

SelectionChange SelectFirst(FolderList& list)
{
    ChangeRecorder recorder(list);
    list.ClearSelection();
    // The first item that is not ".."; a folder of a single item (a lone
    // "..", or one item of the root) has no first to choose.
    if (list.ItemCount() >= 2)
        list.Select(list.HasParentRow() ? 1 : 0, true);
    list.SetTopRow(0);
    return recorder.Result();
}

SelectionChange SelectLast(FolderList& list)
{
    ChangeRecorder recorder(list);
    list.ClearSelection();
    if (list.ItemCount() > 0)
        list.Select(list.ItemCount() - 1, true);
    list.SetTopRow(list.LastTop());
    return recorder.Result();
}

SelectionChange SelectAll(FolderList& list)
{
    ChangeRecorder recorder(list);
    list.ClearSelection();
    for (int i = list.HasParentRow() ? 1 : 0; i < list.ItemCount(); ++i)
        list.Select(i, true);
    return recorder.Result();
}

SelectionChange InvertSelection(FolderList& list)
{
    ChangeRecorder recorder(list);
    std::vector<int> unselected;
    for (int i = list.HasParentRow() ? 1 : 0; i < list.ItemCount(); ++i)
        if (!list.Item(i).selected)
            unselected.push_back(i);
    list.ClearSelection();
    for (int index : unselected)
        list.Select(index, true);
    return recorder.Result();
}

SelectionChange ClearSelection(FolderList& list)
{
    ChangeRecorder recorder(list);
    list.ClearSelection();
    return recorder.Result();
}
