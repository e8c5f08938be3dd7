#include "filemanager/FolderChooser.h"

#include "filemanager/CardEvents.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/FileOperationResources.h"
#include "filemanager/FolderTree.h"
#include "filemanager/PropertiesResources.h"
#include "filemanager/TreeNodes.h"
#include "platform/WaitCursor.h"
#include "filemanager/resource.h"
#include "framework/Globals.h"

#include <vector>

namespace {

UINT CaptionOf(ChooserMode mode) noexcept
{
    switch (mode) {
    case ChooserMode::Copy:
        return IDS_COPY_TO_CAPTION;
    case ChooserMode::Move:
        return IDS_MOVE_TO_CAPTION;
    case ChooserMode::Find:
        return IDS_CHOOSE_SEARCH_FOLDER;
    case ChooserMode::Shortcut:
        return IDS_SHORTCUT_CAPTION;
    case ChooserMode::Extract:
        break;
    }
    return IDS_CHOOSE_EXTRACT_FOLDER;
}

String ItemText(HWND tree, HTREEITEM node)
{
    wchar_t text[MAX_PATH + 1] = L"";
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = node;
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    TreeView_GetItem(tree, &item);
    return String(text);
}

}  // namespace

std::optional<String> ChooseFolder(HWND owner, ChooserMode mode, const String& shownPath, const FolderCheck& check)
{
    FolderChooserDialog chooser(owner, mode, shownPath, check);
    if (RunModal(chooser) != IDOK)
        return std::nullopt;
    return chooser.Chosen();
}

FolderChooserDialog::FolderChooserDialog(HWND owner, ChooserMode mode, const String& shownPath, FolderCheck check)
    : OperationDialog(mode == ChooserMode::Shortcut ? IDD_CREATE_SHORTCUT : IDD_CHOOSE_FOLDER, owner,
                      IDM_CHOOSE_FOLDER_BAR, CaptionOf(mode)),
      m_mode(mode), m_shownPath(shownPath), m_check(std::move(check))
{
}

FolderChooserDialog::~FolderChooserDialog()
{
    if (m_images)
        ImageList_Destroy(m_images);
}

InitResult FolderChooserDialog::InitDialog()
{
    if (OperationDialog::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    HWND window = Window();
    m_tree = GetDlgItem(window, IDC_CHOOSER_TREE);
    HWND label = GetDlgItem(window, IDC_CHOOSER_PATH);
    if (m_mode == ChooserMode::Extract) {
        RECT client{};
        GetClientRect(window, &client);
        ShowWindow(label, SW_HIDE);
        MoveWindow(m_tree, 0, 0, client.right, client.bottom, TRUE);
    } else {
        SetWindowTextW(label, m_shownPath);
    }
    FillRoot();
    RegisterCardEvents(window);
    SetFocus(m_tree);
    m_focusSet = true;
    return InitResult::Continue;
}

void FolderChooserDialog::FillRoot()
{
    WaitCursor wait;
    m_images = LoadTreeImages();
    TreeView_SetImageList(m_tree, m_images, TVSIL_NORMAL);

    String rootName;
    rootName.LoadResourceText(IDS_ROOT_NODE);
    rootName.Trim();
    m_root = InsertRootNode(m_tree, rootName, HasSubfolder(L""));
    FillChildren(m_root);
    TreeView_Expand(m_tree, m_root, TVE_EXPAND);
    TreeView_SelectItem(m_tree, m_root);
}

void FolderChooserDialog::FillChildren(HTREEITEM node)
{
    WaitCursor wait;
    for (const TreeFolder& folder : ReadSubfolders(NodePath(node)))
        if (!FindChild(node, folder.name))
            InsertFolderNode(m_tree, node, folder);
    TVITEMW item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = node;
    item.cChildren = TreeView_GetChild(m_tree, node) ? 1 : 0;
    TreeView_SetItem(m_tree, &item);
}

HTREEITEM FolderChooserDialog::FindChild(HTREEITEM parent, const wchar_t* name) const
{
    for (HTREEITEM child = TreeView_GetChild(m_tree, parent); child; child = TreeView_GetNextSibling(m_tree, child))
        if (ItemText(m_tree, child).CompareNoCase(name) == 0)
            return child;
    return nullptr;
}

String FolderChooserDialog::NodePath(HTREEITEM node) const
{
    String path;
    for (; node && node != m_root; node = TreeView_GetParent(m_tree, node))
        path = L"\\" + ItemText(m_tree, node) + path;
    return path;
}

void FolderChooserDialog::OnCardEvent(LPARAM notification)
{
    const std::optional<CardEvent> event = TakeCardEvent(notification);
    if (!event || !m_root)
        return;
    if (event->change == CardChange::Inserted) {
        for (const TreeFolder& folder : ReadSubfolders(L""))
            if (folder.kind == TreeFolderKind::Card && !FindChild(m_root, folder.name))
                InsertFolderNode(m_tree, m_root, folder);
        return;
    }
    std::vector<HTREEITEM> gone;
    for (HTREEITEM child = TreeView_GetChild(m_tree, m_root); child; child = TreeView_GetNextSibling(m_tree, child))
        if (!EntryExists(NodePath(child)))
            gone.push_back(child);
    for (HTREEITEM node : gone)
        TreeView_DeleteItem(m_tree, node);
}

void FolderChooserDialog::Choose()
{
    HTREEITEM node = TreeView_GetSelection(m_tree);
    const String folder = NodePath(node ? node : m_root);
    if (m_check && !m_check(Window(), folder)) {
        EndDialog(Window(), IDCANCEL);
        return;
    }
    m_chosen = folder;
    EndDialog(Window(), IDOK);
}

bool FolderChooserDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == CardEventMessage()) {
        OnCardEvent(lParam);
        result = 0;
        return true;
    }
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_CHOOSER_TREE && header->code == TVN_ITEMEXPANDINGW) {
            const auto* change = reinterpret_cast<const NMTREEVIEWW*>(lParam);
            if (change->action & TVE_EXPAND && !TreeView_GetChild(m_tree, change->itemNew.hItem))
                FillChildren(change->itemNew.hItem);
            result = FALSE;
            return true;
        }
        break;
    }
    case WM_DESTROY:
        DeregisterCardEvents(window);
        break;
    default:
        break;
    }
    return OperationDialog::HandleMessage(window, message, wParam, lParam, result);
}

bool FolderChooserDialog::OnCommand(UINT command)
{
    switch (command) {
    case ID_DIALOG_OK:
    case IDOK:  // the action key
        Choose();
        return true;
    case ID_DIALOG_CANCEL:
    case IDCANCEL:
        EndDialog(Window(), IDCANCEL);
        return true;
    default:
        return false;
    }
}

void FolderChooserDialog::OnBack()
{
    EndDialog(Window(), IDCANCEL);
}
