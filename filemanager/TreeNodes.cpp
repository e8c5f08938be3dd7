#include "filemanager/TreeNodes.h"

#include "filemanager/resource.h"
#include "framework/Globals.h"

#include "platform/Handles.h"

namespace {

constexpr int NodeImageSize = 16;
constexpr int NodeImageCount = 5;
constexpr COLORREF NodeImageBackground = RGB(255, 0, 255);

int ImageOf(const TreeFolder& folder) noexcept
{
    switch (folder.kind) {
    case TreeFolderKind::MainStore:
        return StoreNodeImage;
    case TreeFolderKind::Card:
        return CardNodeImage;
    case TreeFolderKind::Folder:
        break;
    }
    return FolderNodeImage;
}

}  // namespace

HIMAGELIST LoadTreeImages()
{
    vellumate::BitmapHandle strip(static_cast<HBITMAP>(
        LoadImageW(ProgramModule(), MAKEINTRESOURCEW(IDB_TREE_IMAGES), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    HIMAGELIST images = ImageList_Create(NodeImageSize, NodeImageSize, ILC_COLOR24 | ILC_MASK, NodeImageCount, 1);
    if (images && strip)
        ImageList_AddMasked(images, strip.Get(), NodeImageBackground);
    return images;
}

HTREEITEM InsertRootNode(HWND tree, const wchar_t* text, bool hasSubfolders)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    insert.item.iImage = RootNodeImage;
    insert.item.iSelectedImage = RootNodeImage;
    insert.item.cChildren = hasSubfolders ? 1 : 0;
    insert.item.pszText = const_cast<wchar_t*>(text);
    return TreeView_InsertItem(tree, &insert);
}

HTREEITEM InsertFolderNode(HWND tree, HTREEITEM parent, const TreeFolder& folder)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    const int image = ImageOf(folder);
    insert.item.iImage = image;
    insert.item.iSelectedImage = image == FolderNodeImage ? OpenFolderNodeImage : image;
    insert.item.cChildren = folder.hasSubfolders ? 1 : 0;
    insert.item.pszText = const_cast<wchar_t*>(folder.name.Chars());
    return TreeView_InsertItem(tree, &insert);
}
