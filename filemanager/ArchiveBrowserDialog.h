// The archive browser (the find results' dialog 118, with the soft-key bars
// 166 and, in check mode, 140): one archive folder at a time as a virtual
// list of names and sizes, several rows selectable. It opens members (a
// folder is entered, a file extracted into the temporary folder and opened,
// a nested archive browsed in its place), extracts and tests them, sorts and
// selects, and goes up with Back until it closes at the top.
//
// Its members live in two files: the window, the list and check mode in
// ArchiveBrowserDialog.cpp, the command table with its rules and the commands
// that extract in ArchiveBrowserCommands.cpp.
#pragma once

#include "filemanager/ArchiveExtraction.h"
#include "filemanager/ArchiveListing.h"
#include "framework/Dialogs.h"
#include "framework/String.h"
#include "filemanager/archive/Archive.h"

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <memory>
#include <optional>
#include <vector>

// What the browser's enable rules look at, taken when a menu opens.
struct BrowserContext {
    int rowCount = 0;
    int selectedCount = 0;
    bool selectedFolder = false;  // a selected row is a folder
    bool atTop = true;            // the folder shown is the first one (Back closes)
    bool hasMembers = false;
    DWORD sortState = 0;
};

// Whether a command is enabled in the context; nothing for a command without
// a rule.
std::optional<bool> BrowserCommandEnabled(UINT command, const BrowserContext& context);

// Applies the rules to a menu that is about to open, with the radio marks of
// the sort key and direction.
void UpdateBrowserMenu(HMENU menu, const BrowserContext& context);

class ArchiveBrowserDialog : public DialogCore {
public:
    // `archiveFolder`: the folder that holds the archive (the extract
    // dialog's first destination).
    ArchiveBrowserDialog(HWND owner, std::unique_ptr<Archive> archive, const String& archiveFolder);
    ~ArchiveBrowserDialog() override;

    // Whether members were extracted into the device's folders meanwhile.
    bool Extracted() const noexcept { return m_extracted; }

    // ---- what the browser shows (on its thread) ------------------------------------
    const Archive& CurrentArchive() const noexcept { return *m_archive; }
    const ArchiveListing& Listing() const noexcept { return *m_listing; }
    bool InCheckMode() const noexcept { return m_checkMode; }
    bool IsChecked(int row) const;
    std::vector<int> SelectedRows() const;
    BrowserContext Context() const;

    // ---- the commands (bound by the table in ArchiveBrowserCommands.cpp) -------
    void OpenSelected();
    void OpenFocused();  // Enter: the focused row, however many are selected
    // The properties of the single selected row (MemberPropertiesDialog.cpp).
    void ShowSelectedProperties();
    void UpOneFolder();
    void SelectAllRows();
    void InvertSelectedRows();
    void KeepFocusedRow();
    void SortByName();
    void SortBySize();
    void SortByDate();
    void SortAscending();
    void SortDescending();
    void ExtractChosen();
    void TestArchive();
    // Mail and beam of members, extracted first (ArchiveSendCommands.cpp).
    void SendSelectedByMail();
    void BeamSelected();
    void CloseBrowser();
    void EnterCheckMode();
    void CheckAll();
    void CheckNone();
    void InvertChecks();
    void CheckFolders();
    void CheckFiles();
    void LeaveCheckModeChecked();
    void LeaveCheckModeRestored();

protected:
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    InitResult InitDialog() override;

private:
    HWND List() const noexcept;
    void LayOut();
    // Shows `folder`, with the row named `select` (or the first) selected.
    void ShowFolder(const String& folder, const String& select = String());
    void ShowCounts();
    void SelectOnly(int row);
    void OpenRow(int row);
    void SetSort(DWORD state);
    void OnGetDisplayInfo(NMLVDISPINFOW& info);
    int IconOf(const ArchiveRow& row);
    void RunCheckCommand(CheckCommand command);
    void LeaveCheckMode(const std::vector<int>& selection);
    void ToggleFocusedCheck();
    bool RunCommand(UINT command);
    // Takes a new archive (a nested one opened from this one).
    void UseArchive(std::unique_ptr<Archive> archive);

    // Extracts one file member into the temporary folder; its path there.
    std::optional<String> ExtractForOpening(int member);

    std::unique_ptr<Archive> m_archive;
    std::unique_ptr<ArchiveListing> m_listing;
    String m_archiveFolder;
    HWND m_checkBar = nullptr;
    bool m_checkMode = false;
    std::vector<bool> m_checks;
    std::vector<int> m_selectionBefore;
    HIMAGELIST m_images = nullptr;  // owned by the list
    int m_folderIcon = -2;          // -2: not fetched yet
    std::map<String, int> m_typeIcons;
    bool m_extracted = false;
};
