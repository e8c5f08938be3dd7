// The folder tree pane: the platform's tree control (control 114) with one
// root node for the device. It decides which folder is current: selecting a
// node makes its folder current, and a short timer later the folder is read
// into the folder list on a worker thread, so that the footer shows its
// counts while the user moves through the tree.
//
// Nodes are made lazily: when a node is expanded or a path is looked up.
// A node's text is its folder's name; the root's is the device's name with
// " [-]" or " [+]" when it has subfolders.
//
// The members live in two files: TreePane.cpp makes the control and keeps
// its nodes; TreeKeys.cpp handles the keys and the listing timer. What the
// nodes show is read from the file system by FolderTree.h.
#pragma once

#include "filemanager/FolderList.h"
#include "filemanager/FolderTree.h"
#include "framework/String.h"

#include "platform/Handles.h"

#include <windows.h>

#include <commctrl.h>

// What the tree asks of the main window.
class TreeHost {
public:
    virtual ~TreeHost() = default;
    // Runs a command of the command table (keys 2, 3, 4, 6, 7).
    virtual void RunCommand(UINT command) = 0;
    // Enter on a folder without subfolders: show its files.
    virtual void ShowFiles() = 0;
    // Whether the list pane is shown: then the list reads folders itself,
    // and a change of the current node starts no listing timer.
    virtual bool IsListMode() const = 0;
    // Tells the user that the folder `path` no longer exists.
    virtual void ReportFolderGone(const String& path) = 0;
    // The current folder changed (the footer counts belong to another folder
    // from now on).
    virtual void OnCurrentFolderChanged() = 0;
};

class TreePane {
public:
    // The listing timer of the tree control and its two delays.
    static constexpr UINT_PTR ListingTimer = 100;
    static constexpr UINT ArrowDelay = 50;   // after Up or Down
    static constexpr UINT ChangeDelay = 10;  // after any other change

    TreePane(FolderList& list, TreeHost& host) noexcept : m_list(list), m_host(host) {}
    ~TreePane();
    TreePane(const TreePane&) = delete;
    TreePane& operator=(const TreePane&) = delete;

    // Makes the control (full width, `height` pixels from the top of
    // `parent`'s client area) and its menu bar, fills the tree and selects
    // the node of `startFolder` (or of its nearest existing ancestor). False
    // when the control or the menu bar cannot be made.
    bool Create(HWND parent, int height, const String& startFolder, DWORD preferences);

    HWND Window() const noexcept { return m_tree; }
    HWND MenuBar() const noexcept { return m_menuBar; }

    // The font: 14 pixels normal weight with the small-font preference, else
    // the system font.
    void SetFont(DWORD preferences);

    // ---- nodes (TreePane.cpp) ---------------------------------------------

    HTREEITEM Root() const noexcept { return m_root; }
    HTREEITEM CurrentNode() const noexcept;
    // The current folder: the path of the selected node.
    const String& CurrentPath() const noexcept { return m_currentPath; }
    bool AtRoot() const noexcept { return m_currentPath.IsEmpty(); }

    // The node of a folder path, filling the children of each node on the
    // way when they are missing; null when a component has no node.
    HTREEITEM FindNode(const wchar_t* path);
    // A node for the folder parentPath\name under `parent`, when that folder
    // exists (null otherwise); the parent's has-children flag follows its
    // child nodes afterwards.
    HTREEITEM AddNode(HTREEITEM parent, const wchar_t* parentPath, const wchar_t* name);
    // The path of a node ("" for the root).
    String NodePath(HTREEITEM node) const;
    // The node of a folder path among the nodes made so far (nothing is
    // read); null when there is none.
    HTREEITEM LookupNode(const wchar_t* path) const;
    // The child of `parent` whose text is `name` (without regard to case).
    HTREEITEM FindChild(HTREEITEM parent, const wchar_t* name) const;
    // Makes `node` current: selects it (which sets the current path).
    void SelectNode(HTREEITEM node);
    // Expands a node (reading its subfolders when it has no child nodes).
    void Expand(HTREEITEM node);

    // Re-reads the tree: keeps the expanded folders that still exist, moves
    // the current folder to its nearest existing ancestor.
    void RefreshTree();

    // Walks up from the current node, deleting each node whose folder no
    // longer exists, to an existing folder or the root, and selects it.
    void PruneToExistingFolder();

    // ---- listing (TreeKeys.cpp) ------------------------------------------------

    // Stops and restarts the listing timer with the short delay (only while
    // the tree is shown).
    void RestartListing();
    // The list is about to be shown: a pending listing is done now, on this
    // thread, so that the list holds the current folder.
    void FinishListing();
    bool ListingPending() const noexcept { return m_timerDelay != 0; }
    // The delay the listing timer runs with (0: stopped).
    UINT ListingDelay() const noexcept { return m_timerDelay; }

    // ---- maintenance after file operations and card events (TreePane.cpp) ---

    // A folder `name` now exists in `parentPath`: it gets a node under the
    // parent's node when that node exists and the folder has none yet.
    void OnFolderAdded(const String& parentPath, const String& name);
    // The folder at `path` is gone: its node goes, and the parent loses its
    // expand button when it has no child nodes left.
    void OnFolderRemoved(const String& path);
    // The folder at `oldPath` is now called `newName`.
    void OnFolderRenamed(const String& oldPath, const String& newName);
    // Every inserted storage card without a node gets one under the root.
    void AddCardNodes();
    // Deletes every child node of the root whose folder no longer exists;
    // true when that changed the current folder.
    bool RemoveVanishedRootNodes();

    // The control's notifications (WM_NOTIFY from control 114).
    LRESULT OnNotify(const NMHDR& header);

private:
    // ---- keys and the listing timer (TreeKeys.cpp) ----------------------------

    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                              DWORD_PTR data) noexcept;
    // True when the message was handled (it must not reach the control).
    bool OnKeyDown(UINT key);
    void OnTimer();
    void StartTimer(UINT delay);
    void StopTimer();
    void OnEnter();

    // ---- nodes (TreePane.cpp) --------------------------------------------------

    void FillRoot();
    // Gives `node` a child node for every subfolder of its folder.
    void FillChildren(HTREEITEM node);
    void DeleteChildren(HTREEITEM node);
    bool HasChildNodes(HTREEITEM node) const;
    void SetHasChildren(HTREEITEM node, bool hasChildren);
    void UpdateHasChildrenFromNodes(HTREEITEM node);
    String NodeText(HTREEITEM node) const;
    void SetRootText(bool expanded);
    bool IsExpanded(HTREEITEM node) const;
    // A node for `folder`, sorted in below `parent`.
    HTREEITEM InsertNode(HTREEITEM parent, const TreeFolder& folder);
    void OnSelectionChanged(HTREEITEM node);
    void OnExpanding(const NMTREEVIEWW& change);

    FolderList& m_list;
    TreeHost& m_host;
    HWND m_tree = nullptr;
    HWND m_menuBar = nullptr;
    HTREEITEM m_root = nullptr;
    HIMAGELIST m_images = nullptr;
    vellumate::FontHandle m_font;
    String m_currentPath;
    String m_rootName;
    UINT m_timerDelay = 0;     // the running listing timer's delay; 0: stopped
    bool m_arrowMove = false;  // an Up or Down key is moving the selection
    bool m_filling = false;    // the tree is being (re)built: no listing per step
};
