// The name and choice dialogs on Tarnwell's real main window: rename (its
// collisions, a change of case alone, the tree's folder), new folder (its
// proposed name), choose selection, quick folders (what they offer, where
// they go) and the preferences (defaults then cancel, and what OK changes at
// once), and the properties dialog's name and attributes. The dialogs are
// driven from the driver's thread as a user would.
#include "TarnwellWindowFixture.h"

#include "filemanager/ChooseSelectionDialogControls.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/NameDialogsResources.h"
#include "filemanager/NewFolderDialogControls.h"
#include "filemanager/PreferenceBits.h"
#include "filemanager/PreferencesDialogControls.h"
#include "filemanager/PropertiesResources.h"
#include "filemanager/QuickFoldersDialogControls.h"
#include "filemanager/RenameDialogControls.h"
#include "filemanager/resource.h"
#include "framework/testsupport/ModalDriver.h"

#include "platform/SoftKeyBar.h"

#include <commctrl.h>

#include <cwchar>

namespace {

using Names_ = std::vector<std::wstring>;

class NameDialogs : public TarnwellWindowTest {
protected:
    void SelectName(const wchar_t* name)
    {
        for (int i = 0; i < List().ItemCount(); ++i)
            if (List().Item(i).name == name)
                List().SelectOnly(i);
        ASSERT_EQ(SelectedNames(), Names_{name});
    }
};

String FieldText(HWND dialog, int control)
{
    wchar_t text[600] = L"";
    GetDlgItemTextW(dialog, control, text, 600);
    return text;
}

void Send(HWND dialog, UINT command)
{
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

// Another dialog of the dialog's thread in front of it (a message box).
HWND WaitForDialogBefore(HWND dialog)
{
    struct Search {
        HWND except;
        HWND found;
    } search{dialog, nullptr};
    const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    const ULONGLONG deadline = GetTickCount64() + 5000;
    while (!search.found && GetTickCount64() < deadline) {
        EnumThreadWindows(
            thread,
            [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                wchar_t name[16];
                if (window != s->except && IsWindowVisible(window) && GetClassNameW(window, name, 16) &&
                    std::wcscmp(name, L"#32770") == 0) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        Sleep(10);
    }
    return search.found;
}

// Types `name` and chooses OK; a message box that follows is read into
// `message` and closed, leaving the dialog open.
String TypeAndConfirm(HWND dialog, int field, const wchar_t* name, UINT ok)
{
    SetDlgItemTextW(dialog, field, name);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(ok, 0), 0);
    const ULONGLONG deadline = GetTickCount64() + 3000;
    while (IsWindow(dialog) && GetTickCount64() < deadline) {
        if (HWND box = WaitForDialogBefore(dialog)) {
            const String text = DescribeDialog(box).text;
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
            while (IsWindow(box))
                Sleep(10);
            return text;
        }
    }
    return String();
}

String StringText(UINT id)
{
    String text;
    text.LoadResourceText(id);
    return text;
}

TEST_F(NameDialogs, RenameRefusesTakenNamesKeepsTheDialogAndAllowsACaseChange)
{
    MakeFolder(L"\\Docs\\Sub");
    MakeFile(L"\\Docs\\a.txt", 4);
    MakeFile(L"\\Docs\\b.txt");
    Start(DefaultSettings(L"\\Docs"));
    OpenList();
    SelectName(L"a.txt");

    String oldShown, takenByFile, takenByFolder, badName;
    ModalDriver driver([&](HWND dialog) {
        oldShown = FieldText(dialog, IDC_RENAME_OLD_NAME);
        takenByFile = TypeAndConfirm(dialog, IDC_RENAME_NEW_NAME, L"B.TXT", ID_DIALOG_OK);
        takenByFolder = TypeAndConfirm(dialog, IDC_RENAME_NEW_NAME, L"sub", ID_DIALOG_OK);
        badName = TypeAndConfirm(dialog, IDC_RENAME_NEW_NAME, L"a?.txt", ID_DIALOG_OK);
        // The file itself in other letters.
        SetDlgItemTextW(dialog, IDC_RENAME_NEW_NAME, L"A.txt");
        Send(dialog, ID_DIALOG_OK);
    });
    Command(ID_RENAME);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(driver.Dialog().caption, StringText(IDS_RENAME_TITLE));
    EXPECT_EQ(oldShown, String(L"a.txt"));
    EXPECT_EQ(takenByFile, StringText(IDS_FILE_NAME_TAKEN));
    EXPECT_EQ(takenByFolder, StringText(IDS_FILE_NAME_TAKEN));
    EXPECT_EQ(badName, StringText(IDS_BAD_NEW_NAME));
    WIN32_FIND_DATAW entry;
    ASSERT_TRUE(FindEntry(L"\\Docs\\a.txt", entry));
    EXPECT_STREQ(entry.cFileName, L"A.txt");
    EXPECT_EQ(entry.nFileSizeLow, 4u);
    EXPECT_EQ(SelectedNames(), Names_{L"A.txt"});
    EXPECT_TRUE(FindEntry(L"\\Docs\\b.txt", entry));
}

TEST_F(NameDialogs, RenameWithHiddenExtensionsPutsTheExtensionBack)
{
    MakeFolder(L"\\Docs");
    MakeFile(L"\\Docs\\report.txt");
    AppSettings settings = DefaultSettings(L"\\Docs");
    settings.preferences |= PreferenceHideExtensions;
    Start(settings);
    OpenList();
    SelectName(L"report.txt");
    String shown;
    ModalDriver driver([&](HWND dialog) {
        shown = FieldText(dialog, IDC_RENAME_NEW_NAME);
        SetDlgItemTextW(dialog, IDC_RENAME_NEW_NAME, L"summary");
        Send(dialog, ID_DIALOG_OK);
    });
    Command(ID_RENAME);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(shown, String(L"report"));
    EXPECT_TRUE(EntryExists(L"\\Docs\\summary.txt"));
    EXPECT_EQ(SelectedNames(), Names_{L"summary.txt"});
}

TEST_F(NameDialogs, RenameInTheTreeRenamesTheCurrentFolderOnKeySeven)
{
    MakeFolder(L"\\Docs\\Old");
    MakeFolder(L"\\Docs\\Other");
    Start(DefaultSettings(L"\\Docs\\Old"));
    String taken;
    ModalDriver driver([&](HWND dialog) {
        taken = TypeAndConfirm(dialog, IDC_RENAME_NEW_NAME, L"OTHER", ID_DIALOG_OK);
        SetDlgItemTextW(dialog, IDC_RENAME_NEW_NAME, L"New");
        Send(dialog, ID_DIALOG_OK);
    });
    Press(TreeHwnd(), '7');
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(taken, StringText(IDS_FOLDER_NAME_TAKEN));
    EXPECT_TRUE(EntryExists(L"\\Docs\\New"));
    EXPECT_EQ(Tree().CurrentPath(), String(L"\\Docs\\New"));
    FinishListing();
    EXPECT_EQ(List().CurrentPath(), String(L"\\Docs\\New"));

    // At the root the keys are no commands: no dialog comes.
    SelectTreeFolder(L"");
    ModalDriver none(IDCANCEL, 500);
    Press(TreeHwnd(), '7');
    EXPECT_FALSE(none.Wait());
}

TEST_F(NameDialogs, NewFolderIsOfferedTheFirstFreeNameAndJoinsTheList)
{
    MakeFolder(L"\\Docs\\New Folder");
    MakeFolder(L"\\Docs\\new folder2");
    MakeFile(L"\\Docs\\a.txt");
    // Folders are not listed: the names on disk are taken all the same.
    AppSettings settings = DefaultSettings(L"\\Docs");
    settings.preferences &= ~PreferenceListFolders;
    Start(settings);
    OpenList();
    ASSERT_EQ(Names(), (Names_{L"..", L"a.txt"}));

    String proposed, parent, taken;
    ModalDriver driver([&](HWND dialog) {
        proposed = FieldText(dialog, IDC_NEW_FOLDER_NAME);
        parent = FieldText(dialog, IDC_NEW_FOLDER_PARENT);
        taken = TypeAndConfirm(dialog, IDC_NEW_FOLDER_NAME, L"A.TXT", ID_DIALOG_OK);
        SetDlgItemTextW(dialog, IDC_NEW_FOLDER_NAME, proposed);
        Send(dialog, ID_DIALOG_OK);
    });
    Command(ID_NEW_FOLDER);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(proposed, String(L"New Folder3"));
    EXPECT_EQ(parent, String(L"\\Docs\\"));
    EXPECT_EQ(taken, StringText(IDS_FOLDER_NAME_TAKEN));
    EXPECT_TRUE(EntryExists(L"\\Docs\\New Folder3"));
    EXPECT_EQ(SelectedNames(), Names_{L"New Folder3"});
}

TEST_F(NameDialogs, NewFolderInTheTreeBecomesTheCurrentFolder)
{
    MakeFolder(L"\\Docs\\Sub");
    Start(DefaultSettings(L"\\Docs"));
    ModalDriver driver([&](HWND dialog) { Send(dialog, ID_DIALOG_OK); });
    Command(ID_NEW_FOLDER);
    ASSERT_TRUE(driver.Wait());
    EXPECT_TRUE(EntryExists(L"\\Docs\\New Folder"));
    EXPECT_EQ(Tree().CurrentPath(), String(L"\\Docs\\New Folder"));
    EXPECT_TRUE(Tree().ListingPending());
    FinishListing();
    EXPECT_EQ(List().CurrentPath(), String(L"\\Docs\\New Folder"));
}

TEST_F(NameDialogs, BackClosesTheNewFolderDialogWithoutAFolder)
{
    Start();
    ModalDriver driver([&](HWND dialog) {
        SendMessageW(dialog, WM_HOTKEY, 1, MAKELPARAM(0, VK_ESCAPE));
        SendMessageW(dialog, WM_HOTKEY, 1, MAKELPARAM(MOD_KEYUP, VK_ESCAPE));
    });
    Command(ID_NEW_FOLDER);
    ASSERT_TRUE(driver.Wait());
    EXPECT_FALSE(EntryExists(L"\\New Folder"));
}

TEST_F(NameDialogs, ChooseSelectionChecksFoldersOnlyAndReplacesTheSelection)
{
    MakeFolder(L"\\Docs\\Alpha");
    MakeFile(L"\\Docs\\b.txt");
    MakeFile(L"\\Docs\\c.txt");
    Start(DefaultSettings(L"\\Docs"));
    OpenList();
    SelectName(L"b.txt");
    int rows = 0;
    bool firstChecked = true;
    ModalDriver driver([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_CHOICE_LIST);
        rows = ListView_GetItemCount(list);
        firstChecked = ListView_GetCheckState(list, 0) != FALSE;
        Send(dialog, ID_CHECK_FILES);
        // Enter checks the focused row, the first.
        SendMessageW(list, WM_KEYDOWN, VK_RETURN, 1);
        Send(dialog, ID_CHOICE_OK);
    });
    Command(ID_CHOOSE_SELECTION);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(rows, 3);
    EXPECT_FALSE(firstChecked);
    // Those that stay first, in their order, then the new ones.
    EXPECT_EQ(SelectedNames(), (Names_{L"b.txt", L"Alpha", L"c.txt"}));
}

TEST_F(NameDialogs, QuickFoldersLeaveOutWhatIsGoneAndMoveTheTree)
{
    MakeFolder(L"\\My Documents");
    MakeFolder(L"\\Work\\Deep");
    MakeFolder(L"\\Gone");
    Start();
    OpenList();
    List().AddRecentFolder(L"\\Gone");
    List().AddRecentFolder(L"\\Work\\Deep");
    RemoveFolder(L"\\Gone");

    std::vector<std::wstring> rows;
    String parent;
    ModalDriver driver([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_QUICK_LIST);
        for (int i = 0; i < ListView_GetItemCount(list); ++i) {
            wchar_t text[300] = L"";
            ListView_GetItemText(list, i, 0, text, 300);
            rows.emplace_back(text);
        }
        parent = FieldText(dialog, IDC_QUICK_PARENT);
        // Enter on the list chooses its selected row.
        SendMessageW(list, WM_KEYDOWN, VK_RETURN, 1);
    });
    Command(ID_QUICK_FOLDERS);
    ASSERT_TRUE(driver.Wait());
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[0], L"1. Deep");
    EXPECT_EQ(rows[1], L"My Documents");
    for (const std::wstring& row : rows)
        EXPECT_EQ(row.find(L"Gone"), std::wstring::npos);
    EXPECT_EQ(parent, String(L"\\Work\\"));
    EXPECT_EQ(Tree().CurrentPath(), String(L"\\Work\\Deep"));
    EXPECT_EQ(List().CurrentPath(), String(L"\\Work\\Deep"));

    // The tree's 4 key opens them too.
    Command(ID_SWITCH_PANES);
    ModalDriver cancel(IDCANCEL);
    Press(TreeHwnd(), '4');
    ASSERT_TRUE(cancel.Wait());
    EXPECT_EQ(cancel.Dialog().caption, StringText(IDS_QUICK_FOLDERS_TITLE));
}

TEST_F(NameDialogs, PreferencesDefaultsThenCancelChangeNothing)
{
    AppSettings settings = DefaultSettings();
    settings.preferences = PreferenceHideExtensions | 0x400;
    Start(settings);
    bool extensionsShown = false;
    ModalDriver driver([&](HWND dialog) {
        extensionsShown = IsDlgButtonChecked(dialog, IDC_PREF_HIDE_EXTENSIONS) == BST_CHECKED;
        Send(dialog, ID_PREFERENCE_DEFAULTS);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PREF_HIDE_EXTENSIONS), static_cast<UINT>(BST_UNCHECKED));
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PREF_LIST_FOLDERS), static_cast<UINT>(BST_CHECKED));
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PREF_ZIP_ON_CARD), static_cast<UINT>(BST_UNCHECKED));
        Send(dialog, ID_DIALOG_CANCEL);
    });
    Command(ID_PREFERENCES);
    ASSERT_TRUE(driver.Wait());
    EXPECT_TRUE(extensionsShown);
    EXPECT_EQ(List().Preferences(), PreferenceHideExtensions | 0x400);

    ModalDriver accept([&](HWND dialog) {
        Send(dialog, ID_PREFERENCE_DEFAULTS);
        Send(dialog, ID_DIALOG_OK);
    });
    Command(ID_PREFERENCES);
    ASSERT_TRUE(accept.Wait());
    EXPECT_EQ(List().Preferences(), DefaultPreferences);
}

TEST_F(NameDialogs, PreferencesTakeEffectAtOnce)
{
    MakeFolder(L"\\Docs\\Sub");
    MakeFile(L"\\Docs\\a.txt");
    Start(DefaultSettings(L"\\Docs"));
    OpenList();
    ASSERT_EQ(Names(), (Names_{L"..", L"Sub", L"a.txt"}));
    const HFONT treeFont = reinterpret_cast<HFONT>(SendMessageW(TreeHwnd(), WM_GETFONT, 0, 0));
    ModalDriver driver([&](HWND dialog) {
        CheckDlgButton(dialog, IDC_PREF_LIST_FOLDERS, BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_PREF_SMALL_FONT, BST_UNCHECKED);
        Send(dialog, ID_DIALOG_OK);
    });
    Command(ID_PREFERENCES);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(List().Preferences(), DefaultPreferences & ~(PreferenceListFolders | PreferenceSmallFont));
    // The folder is gone from the list but still counted.
    EXPECT_EQ(Names(), (Names_{L"..", L"a.txt"}));
    EXPECT_EQ(List().FolderCount(), 1);
    EXPECT_NE(reinterpret_cast<HFONT>(SendMessageW(TreeHwnd(), WM_GETFONT, 0, 0)), treeFont);
    EXPECT_EQ(Main().Pane().Painter().Font(), static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
}

}  // namespace

TEST_F(NameDialogs, PropertiesRefuseABadNameBeforeChangingAnythingThenRenameAndHide)
{
    MakeFolder(L"\\Docs");
    MakeFile(L"\\Docs\\a.txt", 4);
    MakeFile(L"\\Docs\\c.txt");
    ASSERT_TRUE(SetFileAttributesW(ToFileSystemPath(L"\\Docs\\a.txt"), FILE_ATTRIBUTE_READONLY));
    AppSettings settings = DefaultSettings(L"\\Docs");
    settings.preferences |= PreferenceHideHidden;
    Start(settings);
    OpenList();
    SelectName(L"a.txt");

    String badName, size;
    DWORD afterRefusal = 0;
    bool readOnlyShown = false;
    ModalDriver driver([&](HWND dialog) {
        size = FieldText(dialog, IDC_PROP_SIZE);
        readOnlyShown = IsDlgButtonChecked(dialog, IDC_PROP_READ_ONLY) == BST_CHECKED;
        CheckDlgButton(dialog, IDC_PROP_READ_ONLY, BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_PROP_HIDDEN, BST_CHECKED);
        badName = TypeAndConfirm(dialog, IDC_PROP_NAME, L"a?.txt", ID_PROPERTIES_OK);
        afterRefusal = GetFileAttributesW(ToFileSystemPath(L"\\Docs\\a.txt"));
        SetDlgItemTextW(dialog, IDC_PROP_NAME, L"b.txt");
        Send(dialog, ID_PROPERTIES_OK);
    });
    Command(ID_PROPERTIES);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(driver.Dialog().caption, StringText(IDS_PROPERTIES_CAPTION));
    EXPECT_EQ(size, String(L"4 Bytes"));
    EXPECT_TRUE(readOnlyShown);
    EXPECT_EQ(badName, StringText(IDS_BAD_NEW_NAME));
    // The refused name changed nothing: the file kept its attributes.
    EXPECT_EQ(afterRefusal & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(EntryExists(L"\\Docs\\a.txt"));
    const DWORD now = GetFileAttributesW(ToFileSystemPath(L"\\Docs\\b.txt"));
    EXPECT_EQ(now & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    // Hidden files are not listed: it left the list, the name of none renamed.
    EXPECT_EQ(List().ItemCount(), 2);  // ".." and c.txt
    EXPECT_EQ(List().Item(1).name, String(L"c.txt"));
}

TEST_F(NameDialogs, PropertiesOfAFolderCountWhatItHolds)
{
    MakeFolder(L"\\Docs\\Sub\\Deeper");
    MakeFile(L"\\Docs\\Sub\\one.txt", 1000);
    MakeFile(L"\\Docs\\Sub\\Deeper\\two.txt", 23);
    Start(DefaultSettings(L"\\Docs"));
    OpenList();
    SelectName(L"Sub");
    String counts, size;
    bool writtenShown = true;
    ModalDriver driver([&](HWND dialog) {
        vellumate::WaitUntil([&] { return FieldText(dialog, IDC_PROP_DETAIL).Find(L"Files: 2") >= 0; });
        counts = FieldText(dialog, IDC_PROP_DETAIL);
        size = FieldText(dialog, IDC_PROP_SIZE);
        writtenShown = IsWindowVisible(GetDlgItem(dialog, IDC_PROP_WRITTEN)) != FALSE;
        Send(dialog, ID_PROPERTIES_CANCEL);
    });
    Command(ID_PROPERTIES);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(counts, String(L"Folders: 1   Files: 2"));
    EXPECT_EQ(size, String(L"1023 Bytes"));
    EXPECT_FALSE(writtenShown);
}

TEST_F(NameDialogs, PropertiesChangeTheAttributesOfANameTooLongForANewOne)
{
    const String longName = String(L'n', 250) + L".txt";
    const String path = JoinPath(L"\\Docs", longName);
    MakeFolder(L"\\Docs");
    MakeFile(path);
    ASSERT_TRUE(SetFileAttributesW(ToFileSystemPath(path), FILE_ATTRIBUTE_READONLY));
    Start(DefaultSettings(L"\\Docs"));
    OpenList();
    SelectName(longName);
    bool closed = false;
    ModalDriver driver([&](HWND dialog) {
        CheckDlgButton(dialog, IDC_PROP_READ_ONLY, BST_UNCHECKED);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(ID_PROPERTIES_OK, 0), 0);
        closed = vellumate::WaitUntil([&] { return !IsWindow(dialog); }, 3000);
    });
    Command(ID_PROPERTIES);
    ASSERT_TRUE(driver.Wait());
    EXPECT_TRUE(closed);
    EXPECT_FALSE(GetFileAttributesW(ToFileSystemPath(path)) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(SelectedNames(), Names_{std::wstring(longName.Chars())});
}

TEST_F(NameDialogs, PropertiesRenameNoOtherItemWhenTheListWasReadMeanwhile)
{
    MakeFolder(L"\\Docs");
    MakeFile(L"\\Docs\\a.txt");
    MakeFile(L"\\Docs\\c.txt");
    Start(DefaultSettings(L"\\Docs"));
    OpenList();
    SelectName(L"c.txt");
    ModalDriver driver([&](HWND dialog) {
        // The list is read again behind the dialog, its selection lost.
        SendMessageW(MainHwnd(), WM_COMMAND, MAKEWPARAM(ID_REFRESH, 0), 0);
        SetDlgItemTextW(dialog, IDC_PROP_NAME, L"b.txt");
        Send(dialog, ID_PROPERTIES_OK);
    });
    Command(ID_PROPERTIES);
    ASSERT_TRUE(driver.Wait());
    EXPECT_TRUE(EntryExists(L"\\Docs\\b.txt"));
    EXPECT_EQ(Names(), (Names_{L"..", L"a.txt", L"b.txt"}));
}
