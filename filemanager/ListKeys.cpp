// The keys of the list pane.
#include "filemanager/ListPane.h"

#include "filemanager/resource.h"

namespace {

// The keys 2, 3 and 6 act on a selection that does not start with "..";
// 7 (rename) on exactly one item that is not "..".
bool SelectionStartsWithItem(const FolderList& list)
{
    return list.SelectedCount() > 0 && !list.FirstSelectedIsParentRow();
}

}  // namespace

bool ListPane::OnKeyDown(UINT key)
{
    switch (key) {
    case VK_RETURN:
        if (m_list.SingleSelectedIndex() >= 0)
            m_host.RunCommand(ID_OPEN);
        return true;
    case VK_LEFT:
        ShowChange(PageUp(m_list));
        return true;
    case VK_RIGHT:
        ShowChange(PageDown(m_list));
        return true;
    case VK_UP:
        ShowChange(MoveSelectionUp(m_list));
        return true;
    case VK_DOWN:
        ShowChange(MoveSelectionDown(m_list));
        return true;
    case '0':
        ShowChange(ClearSelection(m_list));
        return true;
    case '1':
        ShowChange(SelectFirst(m_list));
        return true;
    case '2':
    case '3':
    case '6':
        if (SelectionStartsWithItem(m_list))
            m_host.RunCommand(key == '2' ? ID_COPY_TO : key == '3' ? ID_DELETE : ID_MOVE_TO);
        return true;
    case '7':
        if (m_list.SelectedCount() == 1 && !m_list.FirstSelectedIsParentRow())
            m_host.RunCommand(ID_RENAME);
        return true;
    case '9':
        ShowChange(SelectAll(m_list));
        return true;
    case VK_F8:  // the star key
        m_host.RunCommand(ID_REFRESH);
        return true;
    case VK_F9:  // the pound key
        ShowChange(SelectLast(m_list));
        return true;
    default:
        return false;
    }
}
