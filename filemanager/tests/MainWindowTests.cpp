// The main window: pane switching, Open, Back and Up, the strips, storage
// cards, awkward names and files, and the settings across a restart.
#include "TarnwellWindowFixture.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/PreferenceBits.h"
#include "filemanager/resource.h"
#include "framework/Settings.h"
#include "framework/testsupport/ModalDriver.h"
#include "framework/testsupport/TestScratch.h"

#include "platform/SoftKeyBar.h"

#include <string>
#include <vector>

namespace {

using Names_ = std::vector<std::wstring>;

class MainWindowTest : public TarnwellWindowTest {
protected:
    void Back(bool released = true)
    {
        SendMessageW(MainHwnd(), WM_HOTKEY, 0, MAKELPARAM(released ? MOD_KEYUP : 0, VK_ESCAPE));
    }

    void SelectName(const wchar_t* name)
    {
        for (int i = 0; i < List().ItemCount(); ++i)
            if (List().Item(i).name == name) {
                List().SelectOnly(i);
                return;
            }
        ADD_FAILURE() << "no item named " << std::wstring(name).size();
    }

    // The strips as the main window paints them now.
    std::wstring Strips()
    {
        InvalidateRect(MainHwnd(), nullptr, FALSE);
        UpdateWindow(MainHwnd());
        return ScreenText(MainHwnd());
    }

    // The list's rows as the pane paints them now.
    std::wstring Rows()
    {
        InvalidateRect(ListHwnd(), nullptr, FALSE);
        UpdateWindow(ListHwnd());
        return ScreenText(ListHwnd());
    }
};

TEST_F(MainWindowTest, StartsInTheTreeWithItsSoftKeys)
{
    MakeFolder(L"\\A");
    Start();
    EXPECT_FALSE(Main().IsListMode());
    EXPECT_TRUE(IsWindowVisible(TreeHwnd()));
    EXPECT_FALSE(IsWindowVisible(ListHwnd()));
    EXPECT_TRUE(IsWindowVisible(Tree().MenuBar()));
    EXPECT_FALSE(IsWindowVisible(Main().Pane().MenuBar()));
    EXPECT_EQ(GetDlgCtrlID(TreeHwnd()), IDC_FOLDER_TREE);
    EXPECT_EQ(GetDlgCtrlID(ListHwnd()), IDC_FOLDER_LIST);
    // The list sits between the strips: 180 - 2 x 20 pixels, seven rows.
    RECT rect{};
    GetWindowRect(ListHwnd(), &rect);
    EXPECT_EQ(rect.bottom - rect.top, 140);
    EXPECT_EQ(List().RowsPerPage(), 7);
}

TEST_F(MainWindowTest, SwitchingPanesShowsTheListWithItsStrips)
{
    MakeFolder(L"\\Docs");
    MakeFile(L"\\Docs\\a.txt", 1000);
    MakeFile(L"\\Docs\\b.txt", 3000);
    Start(DefaultSettings(L"\\Docs"));
    Command(ID_SWITCH_PANES);
    ASSERT_TRUE(Main().IsListMode());
    EXPECT_TRUE(IsWindowVisible(Main().Pane().MenuBar()));
    // ".." is selected first: it counts as selected, not as an item.
    EXPECT_EQ(Strips(), L" \\Docs\\\n 1/2");

    SelectName(L"b.txt");
    const std::wstring single = Strips();
    EXPECT_EQ(single.rfind(L" \\Docs\\\n 1/2  ", 0), 0u) << single;
    EXPECT_NE(single.find(L"M"), std::wstring::npos) << "a date with AM or PM";

    Press(ListHwnd(), '9');
    EXPECT_EQ(Strips(), L" \\Docs\\\n 2/2  3.90 KB");

    Command(ID_SWITCH_PANES);
    EXPECT_FALSE(Main().IsListMode());
    EXPECT_EQ(Strips(), L" Folders: 0   Files: 2");
}

TEST_F(MainWindowTest, BackClimbsSelectingTheFolderLeftAndEndsInTheTree)
{
    MakeFolder(L"\\A\\B");
    MakeFolder(L"\\A\\C");
    Start(DefaultSettings(L"\\A\\B"));
    OpenList();
    Back(false);  // pressed: nothing yet
    EXPECT_EQ(List().CurrentPath(), String(L"\\A\\B"));

    Back();
    EXPECT_EQ(List().CurrentPath(), String(L"\\A"));
    EXPECT_EQ(Tree().CurrentPath(), String(L"\\A"));
    EXPECT_EQ(SelectedNames(), Names_{L"B"});
    Back();
    EXPECT_EQ(List().CurrentPath(), String());
    EXPECT_EQ(SelectedNames(), Names_{L"A"});
    EXPECT_TRUE(Main().IsListMode());
    Back();
    EXPECT_FALSE(Main().IsListMode());
}

TEST_F(MainWindowTest, OpenEntersAFolderAndTheParentRowLeavesIt)
{
    MakeFolder(L"\\A\\B");
    MakeFile(L"\\A\\B\\inside.txt");
    Start(DefaultSettings(L"\\A"));
    OpenList();
    SelectName(L"B");
    Press(ListHwnd(), VK_RETURN);
    EXPECT_EQ(List().CurrentPath(), String(L"\\A\\B"));
    EXPECT_EQ(Tree().CurrentPath(), String(L"\\A\\B"));
    EXPECT_EQ(Names(), (Names_{L"..", L"inside.txt"}));
    EXPECT_EQ(SelectedNames(), Names_{L".."});
    EXPECT_EQ(Strips(), L" \\A\\B\\\n 1/1");

    Press(ListHwnd(), VK_RETURN);  // on ".."
    EXPECT_EQ(List().CurrentPath(), String(L"\\A"));
    EXPECT_EQ(SelectedNames(), Names_{L"B"});

    Command(ID_UP_ONE_LEVEL);
    EXPECT_EQ(List().CurrentPath(), String());
    EXPECT_EQ(SelectedNames(), Names_{L"A"});
}

TEST_F(MainWindowTest, AFolderThatIsGoneIsReportedWhereverItIsOpened)
{
    MakeFolder(L"\\A\\B");
    Start(DefaultSettings(L"\\A"));
    OpenList();
    SelectName(L"B");
    RemoveFolder(L"\\A\\B");
    {
        ModalDriver driver(IDOK);
        Command(ID_OPEN);
        ASSERT_TRUE(driver.Wait());
        EXPECT_NE(driver.Dialog().text.Find(L"\\A\\B"), -1);
        EXPECT_EQ(List().CurrentPath(), String(L"\\A"));
    }

    // The tree's current folder, when its files are asked for.
    Command(ID_SWITCH_PANES);
    RemoveFolder(L"\\A");
    ModalDriver driver(IDOK);
    Command(ID_SWITCH_PANES);
    ASSERT_TRUE(driver.Wait());
    EXPECT_FALSE(Main().IsListMode());
    EXPECT_EQ(Tree().CurrentPath(), String());
}

TEST_F(MainWindowTest, ACardThatComesIsFollowedAndOneThatGoesIsLeft)
{
    MakeFolder(L"\\Docs");
    Start();
    OpenList();
    ASSERT_EQ(Names(), Names_{L"Docs"});

    MakeFolder(L"\\Card\\Photos");
    WriteProfile("[card:Card]\nstate=inserted\n");
    Main().OnCardInserted(String(L"Card"));
    EXPECT_NE(Tree().LookupNode(L"\\Card"), nullptr);
    // With the preference the tree moves to the card, and the list with it.
    EXPECT_EQ(Tree().CurrentPath(), String(L"\\Card"));
    EXPECT_EQ(List().CurrentPath(), String(L"\\Card"));
    EXPECT_EQ(Names(), (Names_{L"..", L"Photos"}));

    // The card is pulled while its folder is shown.
    RemoveFolder(L"\\Card");
    WriteProfile("[card:Card]\nstate=removed\n");
    Main().OnCardRemoved(String(L"Card"));
    EXPECT_EQ(Tree().LookupNode(L"\\Card"), nullptr);
    EXPECT_EQ(Tree().CurrentPath(), String());
    EXPECT_EQ(List().CurrentPath(), String());
    EXPECT_EQ(Names(), Names_{L"Docs"});
    EXPECT_TRUE(Main().IsListMode());
}

TEST_F(MainWindowTest, WithoutThePreferenceACardJoinsTheRootListingInPlace)
{
    MakeFolder(L"\\Alpha");
    MakeFolder(L"\\Zulu");
    AppSettings settings = DefaultSettings();
    settings.preferences &= ~PreferenceFollowCards;
    Start(settings);
    OpenList();

    MakeFolder(L"\\Memory");
    WriteProfile("[card:Memory]\nstate=inserted\n");
    Main().OnCardInserted(String(L"Memory"));
    EXPECT_EQ(List().CurrentPath(), String());
    EXPECT_EQ(Names(), (Names_{L"Alpha", L"Memory", L"Zulu"}));
    EXPECT_EQ(List().FolderCount(), 3);

    RemoveFolder(L"\\Memory");
    Main().OnCardRemoved(String(L"Memory"));
    EXPECT_EQ(Names(), (Names_{L"Alpha", L"Zulu"}));
    EXPECT_EQ(List().FolderCount(), 2);
}

TEST_F(MainWindowTest, NamesInAnyScriptLongNamesAndDeepFoldersAreShown)
{
    const std::wstring longName(240, L'n');
    const std::wstring part(90, L'd');
    const std::wstring deep = L"\\Mixed\\" + part + L"1\\" + part + L"2\\" + part + L"3";
    MakeFolder(deep.c_str());
    MakeFile(L"\\Mixed\\\u6771\u4EAC.txt");
    MakeFile(L"\\Mixed\\\u0391\u03B8\u03AE\u03BD\u03B1.txt");
    MakeFile((L"\\Mixed\\" + longName).c_str());
    Start(DefaultSettings(L"\\Mixed"));
    OpenList();
    ASSERT_EQ(List().ItemCount(), 5);
    const std::wstring rows = Rows();
    EXPECT_NE(rows.find(L"\u6771\u4EAC.txt"), std::wstring::npos) << rows;
    EXPECT_NE(rows.find(L"\u0391\u03B8\u03AE\u03BD\u03B1.txt"), std::wstring::npos);
    EXPECT_NE(rows.find(L"nnnn..."), std::wstring::npos) << "the long name is cut";
    EXPECT_EQ(rows.find(longName), std::wstring::npos);

    // A folder whose path is longer than MAX_PATH allows.
    MakeFile((deep + L"\\end.txt").c_str());
    ASSERT_GT(ToFileSystemPath(deep.c_str()).Length(), MAX_PATH);
    Stop();
    Start(DefaultSettings(deep.c_str()));
    EXPECT_EQ(Tree().CurrentPath(), String(deep.c_str()));
    OpenList();
    EXPECT_EQ(Names(), (Names_{L"..", L"end.txt"}));
    EXPECT_NE(Strips().find(L"..."), std::wstring::npos) << "the header is cut to fit";
}

TEST_F(MainWindowTest, HiddenAndSystemFilesFollowThePreferencesReadOnlyOnesShow)
{
    MakeFolder(L"\\F");
    MakeFile(L"\\F\\hidden.txt");
    MakeFile(L"\\F\\system.txt");
    MakeFile(L"\\F\\readonly.txt");
    SetFileAttributesW(ToFileSystemPath(L"\\F\\hidden.txt"), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(ToFileSystemPath(L"\\F\\system.txt"), FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesW(ToFileSystemPath(L"\\F\\readonly.txt"), FILE_ATTRIBUTE_READONLY);
    if (!(GetFileAttributesW(ToFileSystemPath(L"\\F\\hidden.txt")) & FILE_ATTRIBUTE_HIDDEN))
        GTEST_SKIP() << "this file system keeps no hidden attribute";
    Start(DefaultSettings(L"\\F"));
    OpenList();
    EXPECT_EQ(Names(), (Names_{L"..", L"readonly.txt"}));
    SetFileAttributesW(ToFileSystemPath(L"\\F\\readonly.txt"), FILE_ATTRIBUTE_NORMAL);
}

// The program's real key, shared with other tests: held under a lock.
TEST_F(MainWindowTest, TheSettingsSurviveARestart)
{
    CrossProcessLock lock(L"VellumateTests.Software.Zantric.Tarnwell");
    ASSERT_TRUE(lock.Held());
    const ProgramKey key = TarnwellProgramKey();
    MakeFolder(L"\\A\\B");
    Start(DefaultSettings());
    SelectTreeFolder(L"\\A\\B");
    OpenList();
    Command(ID_SORT_BY_DATE);
    Command(ID_SORT_DESCENDING);
    const AppSettings saved = Main().Settings();
    Stop();
    const bool written = SaveAppSettings(key, saved, saved.openedFolder);
    const AppSettings loaded = LoadAppSettings(key);
    Start(loaded);
    const String restartedIn = Tree().CurrentPath();
    const DWORD sortState = List().SortState();
    Stop();

    // Without the preference the folder is forgotten: the next start is at the root.
    AppSettings forgetting = saved;
    forgetting.preferences &= ~PreferenceRememberFolder;
    SaveAppSettings(key, forgetting, forgetting.openedFolder);
    const AppSettings forgotten = LoadAppSettings(key);
    // Parents go only when nothing else lives in them.
    DeleteKey(key.Path());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Zantric\\Tarnwell");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Zantric");

    EXPECT_TRUE(written);
    EXPECT_EQ(restartedIn, String(L"\\A\\B"));
    EXPECT_EQ(sortState, 5u);  // by date (key 2), descending
    EXPECT_TRUE(forgotten.openedFolder.IsEmpty());
}

}  // namespace
