#include "filemanager/TreePane.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/FolderTree.h"
#include "filemanager/PaneFonts.h"
#include "filemanager/TreeNodes.h"
#include "platform/WaitCursor.h"
#include "filemanager/resource.h"
#include "framework/Globals.h"
#include "framework/MenuBars.h"
#include "framework/Paths.h"

#include <vector>

namespace {

constexpr wchar_t ExpandedMarker[] = L" [-]";
constexpr wchar_t CollapsedMarker[] = L" [+]";

}  // namespace

TreePane::~TreePane()
{
    if (m_tree && IsWindow(m_tree))
        DestroyWindow(m_tree);
    if (m_images)
        ImageList_Destroy(m_images);
}

bool TreePane::Create(HWND parent, int height, const String& startFolder, DWORD preferences)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    RECT client{};
    GetClientRect(parent, &client);
    m_tree = CreateWindowExW(
        0, WC_TREEVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS, 0, 0,
        client.right, height, parent, reinterpret_cast<HMENU>(IDC_FOLDER_TREE), ProgramModule(), nullptr);
    if (!m_tree)
        return false;
    SetFocus(m_tree);
    if (!SetWindowSubclass(m_tree, &TreePane::SubclassProcedure, 0, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    SetFont(preferences);

    m_filling = true;
    FillRoot();
    // The saved folder, or its nearest ancestor that still exists.
    HTREEITEM start = FindNode(NearestExistingFolder(startFolder));
    SelectNode(start ? start : m_root);
    m_filling = false;
    RestartListing();

    m_menuBar = CreateMenuBar(parent, IDM_TREE_BAR, BackKey::Default);
    return m_menuBar != nullptr;
}

void TreePane::SetFont(DWORD preferences)
{
    m_font = MakePaneFont(preferences);
    SendMessageW(m_tree, WM_SETFONT, reinterpret_cast<WPARAM>(m_font ? m_font.Get() : GetStockObject(SYSTEM_FONT)),
                 TRUE);
}

// ---- nodes -------------------------------------------------------------------

HTREEITEM TreePane::CurrentNode() const noexcept
{
    return m_tree ? TreeView_GetSelection(m_tree) : nullptr;
}

void TreePane::FillRoot()
{
    if (!m_images) {
        m_images = LoadTreeImages();
        TreeView_SetImageList(m_tree, m_images, TVSIL_NORMAL);
    }
    m_rootName.LoadResourceText(IDS_ROOT_NODE);
    m_rootName.Trim();

    m_root = InsertRootNode(m_tree, m_rootName, HasSubfolder(L""));
    if (!m_root)
        return;
    FillChildren(m_root);
    Expand(m_root);
}

HTREEITEM TreePane::FindNode(const wchar_t* path)
{
    HTREEITEM node = m_root;
    for (const String& component : PathComponents(path)) {
        if (!node)
            break;
        if (!HasChildNodes(node))
            FillChildren(node);
        node = FindChild(node, component);
    }
    return node;
}

HTREEITEM TreePane::LookupNode(const wchar_t* path) const
{
    HTREEITEM node = m_root;
    for (const String& component : PathComponents(path))
        if (node)
            node = FindChild(node, component);
    return node;
}

HTREEITEM TreePane::FindChild(HTREEITEM parent, const wchar_t* name) const
{
    for (HTREEITEM child = TreeView_GetChild(m_tree, parent); child; child = TreeView_GetNextSibling(m_tree, child))
        if (NodeText(child).CompareNoCase(name) == 0)
            return child;
    return nullptr;
}

HTREEITEM TreePane::AddNode(HTREEITEM parent, const wchar_t* parentPath, const wchar_t* name)
{
    if (!parent)
        return nullptr;
    const std::optional<TreeFolder> folder = ReadSubfolder(parentPath, name);
    if (!folder)
        return nullptr;
    HTREEITEM node = InsertNode(parent, *folder);
    UpdateHasChildrenFromNodes(parent);
    return node;
}

HTREEITEM TreePane::InsertNode(HTREEITEM parent, const TreeFolder& folder)
{
    return InsertFolderNode(m_tree, parent, folder);
}

void TreePane::FillChildren(HTREEITEM node)
{
    WaitCursor wait;
    // One listing gives every child; the parent's markers are set once at
    // the end.
    for (const TreeFolder& folder : ReadSubfolders(NodePath(node)))
        if (!FindChild(node, folder.name))
            InsertNode(node, folder);
    UpdateHasChildrenFromNodes(node);
}

void TreePane::DeleteChildren(HTREEITEM node)
{
    while (HTREEITEM child = TreeView_GetChild(m_tree, node))
        TreeView_DeleteItem(m_tree, child);
}

bool TreePane::HasChildNodes(HTREEITEM node) const
{
    return TreeView_GetChild(m_tree, node) != nullptr;
}

void TreePane::SetHasChildren(HTREEITEM node, bool hasChildren)
{
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_CHILDREN;
    item.hItem = node;
    item.cChildren = hasChildren ? 1 : 0;
    TreeView_SetItem(m_tree, &item);
}

void TreePane::UpdateHasChildrenFromNodes(HTREEITEM node)
{
    SetHasChildren(node, HasChildNodes(node));
    if (node == m_root)
        SetRootText(IsExpanded(m_root));
}

String TreePane::NodeText(HTREEITEM node) const
{
    // Names may be longer than MAX_PATH allows a path to be; grow until the
    // text fits.
    for (int capacity = MAX_PATH + 1;; capacity *= 2) {
        String text;
        TVITEMW item{};
        item.mask = TVIF_HANDLE | TVIF_TEXT;
        item.hItem = node;
        item.pszText = text.Reserve(capacity);
        item.cchTextMax = capacity;
        item.pszText[0] = L'\0';
        if (!TreeView_GetItem(m_tree, &item))
            return String();
        text.Commit();
        if (text.Length() < capacity - 1 || capacity >= 32768)
            return text;
    }
}

String TreePane::NodePath(HTREEITEM node) const
{
    std::vector<String> names;
    for (; node && node != m_root; node = TreeView_GetParent(m_tree, node))
        names.push_back(NodeText(node));
    String path;
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        path += L'\\';
        path += *name;
    }
    return path;
}

bool TreePane::IsExpanded(HTREEITEM node) const
{
    return (TreeView_GetItemState(m_tree, node, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TreePane::SetRootText(bool expanded)
{
    if (!m_root)
        return;
    // Built from the device's name rather than cut from the old text, so a
    // name with brackets of its own stays whole.
    String text = m_rootName;
    if (HasSubfolder(L""))
        text += expanded ? ExpandedMarker : CollapsedMarker;
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_TEXT;
    item.hItem = m_root;
    item.pszText = const_cast<wchar_t*>(text.Chars());
    TreeView_SetItem(m_tree, &item);
}

void TreePane::SelectNode(HTREEITEM node)
{
    if (!node)
        return;
    TreeView_SelectItem(m_tree, node);
    // Selecting the node already selected sends no notification.
    OnSelectionChanged(node);
}

void TreePane::Expand(HTREEITEM node)
{
    if (!node)
        return;
    if (node == m_root)
        SetRootText(true);
    if (!HasChildNodes(node))
        FillChildren(node);
    TreeView_Expand(m_tree, node, TVE_EXPAND);
}

void TreePane::OnSelectionChanged(HTREEITEM node)
{
    if (!node)
        return;
    String path = NodePath(node);
    const bool changed = path != m_currentPath;
    m_currentPath = path;
    if (changed)
        m_host.OnCurrentFolderChanged();
    if (changed && !m_filling && !m_arrowMove)
        RestartListing();
}

void TreePane::OnExpanding(const NMTREEVIEWW& change)
{
    HTREEITEM node = change.itemNew.hItem;
    const bool expanding = (change.action & (TVE_EXPAND | TVE_COLLAPSE)) == TVE_EXPAND;
    if (node == m_root)
        SetRootText(expanding);
    if (expanding && !HasChildNodes(node))
        FillChildren(node);
}

LRESULT TreePane::OnNotify(const NMHDR& header)
{
    switch (header.code) {
    case TVN_SELCHANGEDW:
        OnSelectionChanged(reinterpret_cast<const NMTREEVIEWW&>(header).itemNew.hItem);
        return 0;
    case TVN_ITEMEXPANDINGW:
        OnExpanding(reinterpret_cast<const NMTREEVIEWW&>(header));
        return FALSE;
    default:
        return 0;
    }
}

void TreePane::PruneToExistingFolder()
{
    HTREEITEM node = CurrentNode();
    if (!node)
        return;
    // The nearest node whose folder exists, and the topmost gone node below it.
    HTREEITEM gone = nullptr;
    while (node != m_root && !EntryExists(NodePath(node))) {
        gone = node;
        node = TreeView_GetParent(m_tree, node);
        if (!node)
            node = m_root;
    }
    SelectNode(node);
    if (gone)
        TreeView_DeleteItem(m_tree, gone);
    UpdateHasChildrenFromNodes(node);
    RestartListing();
}

void TreePane::RefreshTree()
{
    if (!m_root)
        return;
    WaitCursor wait;
    const bool rootExpanded = IsExpanded(m_root);
    const String folder = m_currentPath;
    StringArray expanded;
    for (HTREEITEM node = TreeView_GetNextVisible(m_tree, m_root); node; node = TreeView_GetNextVisible(m_tree, node))
        if (IsExpanded(node) && HasChildNodes(node))
            expanded.Add(NodePath(node));

    m_filling = true;
    // The root is selected while its children go, so that no deleted node
    // hands the selection on to a sibling on the way.
    TreeView_SelectItem(m_tree, m_root);
    TreeView_Expand(m_tree, m_root, TVE_COLLAPSE | TVE_COLLAPSERESET);
    DeleteChildren(m_root);
    FillChildren(m_root);
    for (const String& path : expanded)
        if (EntryExists(path))
            if (HTREEITEM node = FindNode(path))
                Expand(node);

    HTREEITEM current = FindNode(NearestExistingFolder(folder));
    SelectNode(current ? current : m_root);
    if (rootExpanded)
        Expand(m_root);
    else
        SetRootText(false);
    m_filling = false;
}

// ---- maintenance -------------------------------------------------------------------

void TreePane::OnFolderAdded(const String& parentPath, const String& name)
{
    HTREEITEM parent = LookupNode(parentPath);
    if (!parent || FindChild(parent, name))
        return;
    // A node whose children were never read gets them all when it opens;
    // one child now would hide the others then.
    if (HasChildNodes(parent))
        AddNode(parent, parentPath, name);
    else
        SetHasChildren(parent, EntryExists(JoinPath(parentPath, name)));
}

void TreePane::OnFolderRemoved(const String& path)
{
    HTREEITEM node = LookupNode(path);
    if (!node || node == m_root)
        return;
    HTREEITEM parent = TreeView_GetParent(m_tree, node);
    if (IsSameOrInside(m_currentPath, NodePath(node)))
        SelectNode(parent);
    TreeView_DeleteItem(m_tree, node);
    UpdateHasChildrenFromNodes(parent);
}

void TreePane::OnFolderRenamed(const String& oldPath, const String& newName)
{
    HTREEITEM node = LookupNode(oldPath);
    if (!node || node == m_root)
        return;
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_TEXT;
    item.hItem = node;
    item.pszText = const_cast<wchar_t*>(newName.Chars());
    TreeView_SetItem(m_tree, &item);
    TreeView_SortChildren(m_tree, TreeView_GetParent(m_tree, node), FALSE);
    if (HTREEITEM current = CurrentNode())
        m_currentPath = NodePath(current);
}

void TreePane::AddCardNodes()
{
    StringArray cards;
    ListStorageCards(cards);
    for (const String& card : cards)
        if (!FindChild(m_root, card))
            AddNode(m_root, L"", card);
}

bool TreePane::RemoveVanishedRootNodes()
{
    bool currentChanged = false;
    HTREEITEM child = TreeView_GetChild(m_tree, m_root);
    while (child) {
        HTREEITEM next = TreeView_GetNextSibling(m_tree, child);
        const String path = NodePath(child);
        if (!EntryExists(path)) {
            if (IsSameOrInside(m_currentPath, path)) {
                SelectNode(m_root);
                currentChanged = true;
            }
            TreeView_DeleteItem(m_tree, child);
        }
        child = next;
    }
    UpdateHasChildrenFromNodes(m_root);
    return currentChanged;
}
