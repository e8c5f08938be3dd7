// Tarnwell's main window (class "File Manager") and the application state
// behind it: the folder list, the tree pane and the list pane (one of them
// shown at a time, each with its own soft-key bar), the sort state and the
// preferences. It paints the header and footer strips around the panes,
// runs the commands of both panes, and follows storage cards.
//
// Its members live in several files: the window and its panes here in
// MainWindow.cpp, the commands' table and rules in Commands.cpp, moving
// between folders in Navigation.cpp, storage cards in StorageCards.cpp,
// finding files in FindCommand.cpp, zip archives in ArchiveCommands.cpp,
// opening files in OpenCommands.cpp, properties and shortcuts in
// PropertiesCommands.cpp.
#pragma once

#include "filemanager/Commands.h"
#include "filemanager/CopyEngine.h"
#include "filemanager/FolderList.h"
#include "filemanager/ListPane.h"
#include "filemanager/Settings.h"
#include "filemanager/TreePane.h"
#include "platform/WaitCursor.h"
#include "framework/MainWindowBase.h"
#include "framework/String.h"

#include "platform/Handles.h"

#include <windows.h>

#include <optional>

inline constexpr wchar_t MainWindowClass[] = L"File Manager";

class MainWindow final : public MainWindowBase<MainWindow>,
                         public FolderListObserver,
                         public TreeHost,
                         public ListHost {
public:
    // Posted by the folder list's reading thread: the counts changed.
    static constexpr UINT WM_LIST_READ = WM_APP + 1;

    explicit MainWindow(const AppSettings& settings);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the tree pane with its menu bar, then the hidden list pane
    // with its menu bar. False when any of them cannot be made.
    bool CreatePanes();

    FolderList& List() noexcept { return m_list; }
    TreePane& Tree() noexcept { return m_tree; }
    ListPane& Pane() noexcept { return m_listPane; }
    bool IsListMode() const override { return m_listMode; }

    // What is written at exit: the sort state, the preferences, and the
    // current folder.
    AppSettings Settings() const;

    // ---- panes ------------------------------------------------------------

    void ShowTreePane();
    void ShowListPane();

    // What the enable rules look at now.
    CommandContext Context() const;

    // ---- the commands (bound by the table in Commands.cpp) -----------------

    void SwitchPanes();
    void ShowAbout();
    void Exit();
    void OpenSelected();
    void UpOneLevel();
    void RefreshPane();
    void SelectAllItems();
    void InvertSelectedItems();
    void SelectFirstItem();
    void SelectLastItem();
    void ClearSelectedItems();
    void SortByName();
    void SortBySize();
    void SortByDate();
    void SortByType();
    void SortAscending();
    void SortDescending();
    // Find files (FindCommand.cpp).
    void FindFiles();
    // Copy, move, duplicate and delete (FileOperations.cpp).
    void CopyToFolder();
    void MoveToFolder();
    void DuplicateSelected();
    void DeleteSelected();
    // Naming, choosing and the preferences (NameCommands.cpp).
    void RenameItem();
    void NewFolder();
    void ChooseSelection();
    void QuickFolders();
    void EditPreferences();
    // Takes new preferences as OK in the preferences dialog does: fonts made
    // again, the folder read again.
    void ApplyPreferences(DWORD preferences);
    // Zip archives (ArchiveCommands.cpp).
    void BrowseSelectedZip();
    void ExtractSelectedZipHere();
    // Open With and Associate (OpenCommands.cpp).
    void OpenSelectedWith();
    void AssociateSelected();
    // Mail, beam and the beam receiver (SendCommands.cpp).
    void SendSelectedByMail();
    void BeamSelected();
    void ReceiveBeam();
    // Properties, shortcuts and the device information (PropertiesCommands.cpp).
    void ShowItemProperties();
    void CreateShortcutToSelected();
    void ShowDeviceInformation();

    // ---- storage cards ------------------------------------------------------

    // A card was inserted or removed (the card's folder name).
    void OnCardInserted(const String& cardName);
    void OnCardRemoved(const String& cardName);

    // ---- TreeHost and ListHost -----------------------------------------------

    void RunCommand(UINT command) override;
    void ShowFiles() override;
    void ReportFolderGone(const String& path) override;
    void OnCurrentFolderChanged() override;
    void OnSelectionChanged() override;

    // ---- FolderListObserver ------------------------------------------------------

    void OnReadStarted() override;
    void OnReadFinished() override;
    void OnIconsCleared() override;
    void OnScrollRangeReset() override;
    void OnListChanged() override;
    void OnRowChanged(int index) override;
    void OnTreeRefresh() override;
    void OnFolderAdded(const String& parentPath, const String& name) override;
    void OnFolderRemoved(const String& path) override;
    void OnFolderRenamed(const String& oldPath, const String& newName) override;

private:
    friend MainWindowBase<MainWindow>;

    // ---- the window's hooks (MainWindow.cpp) ---------------------------------
    bool OnCreate();
    void OnDestroy();
    bool OnCommand(UINT command);
    void OnMenuOpening(HMENU menu);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Back acts when it is released (Navigation.cpp).
    void OnBack(WPARAM wParam, LPARAM lParam);

    void OnPaint();
    void OnCardEvent(LPARAM notification);
    void AfterCommand();
    void FocusVisiblePane();
    void RepaintStrips();
    // Back in the list: up one level, or to the tree at the top.
    void GoBack();
    // Goes up one level: the tree's parent node becomes current and the
    // list reads it, selecting the folder just left.
    void GoUp();
    // The list reads the tree's current folder now (list mode), sorted,
    // with its first item selected.
    void ReadCurrentFolder();
    // A folder found by the search becomes current and the list shows it
    // (FindCommand.cpp).
    void ShowFoundFolder(const String& path);
    // The tree's node of a folder chosen in a dialog becomes current,
    // expanded and in view, and in list mode the list reads it; false (after
    // telling the user) when the tree has no node for it (NameCommands.cpp).
    bool GoToFolderNode(const String& path);
    // The one selected item a command on an item acts on in list mode, once
    // the list has been read; none for "..", no or several selected items.
    const FolderItem* CommandListItem();
    // The tree took a folder's new name: the list, which holds the folder
    // under its old path, reads it again.
    void FollowTreeRename(const String& oldPath, const String& newName);
    bool OnUiThread() const noexcept;
    // The copy engine's commands and what follows them (FileOperations.cpp).
    void RunCopy(CopyMode mode, bool duplicate);
    void AfterCopy(const CopyJob& job, bool listMode, const String& treeFolder);
    // The path of the single selected ".zip" file of the list, or empty.
    String SelectedZipPath() const;

    DWORD m_uiThread;
    FolderList m_list;
    TreePane m_tree;
    ListPane m_listPane;
    String m_startFolder;
    bool m_listMode = false;
    bool m_closing = false;
    vellumate::FontHandle m_stripFont;
    std::optional<WaitCursor> m_readCursor;
};
