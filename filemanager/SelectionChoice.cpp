#include "filemanager/SelectionChoice.h"

#include "filemanager/FolderList.h"

#include <string>
#include <unordered_map>

SelectionChoice::SelectionChoice(const FolderList& list)
{
    for (int i = list.HasParentRow() ? 1 : 0; i < list.ItemCount(); ++i) {
        const FolderItem& item = list.Item(i);
        m_items.push_back({item.name, list.IconPath(i), item.IsFolder()});
        m_checked.push_back(item.selected != 0);
    }
}

void SelectionChoice::Apply(CheckCommand command)
{
    for (size_t row = 0; row < m_items.size(); ++row) {
        const bool folder = m_items[row].isFolder;
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
    std::unordered_map<std::wstring, int> indexes;
    for (int i = list.HasParentRow() ? 1 : 0; i < list.ItemCount(); ++i)
        indexes.emplace(list.Item(i).name.Chars(), i);
    for (size_t row = 0; row < m_items.size(); ++row) {
        const auto found = indexes.find(m_items[row].name.Chars());
        if (found == indexes.end())
            continue;
        const int index = found->second;
        if ((list.Item(index).selected != 0) != m_checked[row]) {
            list.Select(index, m_checked[row]);
            changed = true;
        }
    }
    return changed;
}
