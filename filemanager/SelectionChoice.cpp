#include "filemanager/SelectionChoice.h"

#include "filemanager/FolderList.h"

SelectionChoice::SelectionChoice(const FolderList& list)
{
    for (int i = list.HasParentRow() ? 1 : 0; i < list.ItemCount(); ++i) {
        m_items.push_back(i);
        m_checked.push_back(list.Item(i).selected != 0);
    }
}

void SelectionChoice::Apply(CheckCommand command, const FolderList& list)
{
    for (size_t row = 0; row < m_items.size(); ++row) {
        const bool folder = list.Item(m_items[row]).IsFolder();
        switch (command) {
        case CheckCommand::All:
            m_checked[row] = true;
            break;
        case CheckCommand::None:
            m_checked[row] = false;
            break;
        case CheckCommand::Invert:
            m_checked[row] = !m_checked[row];
            break;
        case CheckCommand::Folders:
            m_checked[row] = folder;
            break;
        case CheckCommand::Files:
            m_checked[row] = !folder;
            break;
        }
    }
}

bool SelectionChoice::ApplyTo(FolderList& list) const
{
    bool changed = false;
    // ".." is no row: it never stays selected.
    if (list.HasParentRow() && list.Item(0).selected) {
        list.Select(0, false);
        changed = true;
    }
    for (size_t row = 0; row < m_items.size(); ++row) {
        const int index = m_items[row];
        if ((list.Item(index).selected != 0) != m_checked[row]) {
            list.Select(index, m_checked[row]);
            changed = true;
        }
    }
    return changed;
}
