// The enable rules of every command in both panes, applied through
// WM_INITMENUPOPUP to the real menus of the soft-key bars and to a menu that
// holds every command of the table.
#include "TarnwellWindowFixture.h"

#include "filemanager/PreferenceBits.h"
#include "filemanager/resource.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <vector>

namespace {

constexpr UINT AllCommands[] = {ID_SWITCH_PANES,
                                ID_ABOUT,
                                ID_EXIT,
                                ID_OPEN,
                                ID_RENAME,
                                ID_COPY_TO,
                                ID_MOVE_TO,
                                ID_DELETE,
                                ID_PROPERTIES,
                                ID_UP_ONE_LEVEL,
                                ID_REFRESH,
                                ID_SELECT_ALL,
                                ID_INVERT_SELECTION,
                                ID_FIND_FILES,
                                ID_CREATE_SHORTCUT,
                                ID_ASSOCIATE,
                                ID_SEND_MAIL,
                                ID_BEAM,
                                ID_RECEIVE_BEAM,
                                ID_PREFERENCES,
                                ID_SORT_BY_NAME,
                                ID_SORT_BY_SIZE,
                                ID_SORT_BY_DATE,
                                ID_SORT_BY_TYPE,
                                ID_CHOOSE_SELECTION,
                                ID_SORT_ASCENDING,
                                ID_SORT_DESCENDING,
                                ID_NEW_FOLDER,
                                ID_SELECT_FIRST,
                                ID_SELECT_LAST,
                                ID_CLEAR_SELECTION,
                                ID_QUICK_FOLDERS,
                                ID_DUPLICATE,
                                ID_OPEN_WITH,
                                ID_DEVICE_INFO,
                                ID_BROWSE_ZIP,
                                ID_EXTRACT_ZIP};

// The commands whose rules depend on the selection or the folder.
constexpr UINT RuledCommands[] = {ID_OPEN,       ID_RENAME,       ID_COPY_TO,         ID_MOVE_TO,    ID_DELETE,
                                  ID_PROPERTIES, ID_UP_ONE_LEVEL, ID_CREATE_SHORTCUT, ID_ASSOCIATE,  ID_SEND_MAIL,
                                  ID_BEAM,       ID_DUPLICATE,    ID_OPEN_WITH,       ID_BROWSE_ZIP, ID_EXTRACT_ZIP};

// The sort commands have rules in the list pane only.
bool IsSortCommand(UINT command)
{
    return (command >= ID_SORT_BY_NAME && command <= ID_SORT_BY_TYPE) || command == ID_SORT_ASCENDING ||
           command == ID_SORT_DESCENDING;
}

// A menu with every command, half of them in a submenu, all greyed to start
// with so that a rule that is not applied shows.
class EveryCommandMenu {
public:
    EveryCommandMenu() : m_menu(CreatePopupMenu()), m_submenu(CreatePopupMenu())
    {
        int n = 0;
        for (UINT command : AllCommands)
            AppendMenuW(n++ % 2 ? m_submenu : m_menu, MF_STRING | MF_GRAYED, command, L"x");
        AppendMenuW(m_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(m_submenu), L"More");
    }
    ~EveryCommandMenu() { DestroyMenu(m_menu); }
    HMENU Get() const { return m_menu; }

private:
    HMENU m_menu;
    HMENU m_submenu;
};

class CommandRules : public TarnwellWindowTest {
protected:
    // Starting in "\Docs", hidden files listed (".zip" is hidden on this
    // file system).
    static AppSettings DocsSettings()
    {
        AppSettings settings = DefaultSettings(L"\\Docs");
        settings.preferences &= ~PreferenceHideHidden;
        return settings;
    }

    void SetUp() override
    {
        TarnwellWindowTest::SetUp();
        MakeFolder(L"\\Docs\\Sub");
        MakeFile(L"\\Docs\\a.txt", 10);
        MakeFile(L"\\Docs\\b.ZIP", 20);
        MakeFile(L"\\Docs\\.zip", 30);
        MakeFile(L"\\top.txt", 5);
    }

    // The state of every ruled command after the menu was prepared.
    std::map<UINT, bool> Ruled()
    {
        EveryCommandMenu menu;
        PreparePopup(menu.Get());
        std::map<UINT, bool> states;
        for (UINT command : RuledCommands)
            states[command] = IsEnabled(menu.Get(), command);
        for (UINT command : AllCommands) {
            if (states.find(command) != states.end() || IsSortCommand(command))
                continue;
            EXPECT_TRUE(IsEnabled(menu.Get(), command)) << "command " << command << " is always available";
        }
        return states;
    }

    // Selects exactly the items of these names.
    void SelectNames(std::initializer_list<const wchar_t*> names)
    {
        List().ClearSelection();
        for (const wchar_t* name : names)
            for (int i = 0; i < List().ItemCount(); ++i)
                if (List().Item(i).name == name)
                    List().Select(i, true);
        ASSERT_EQ(List().SelectedCount(), static_cast<int>(names.size()));
    }
};

TEST_F(CommandRules, InTheTreeTheFolderOperationsNeedAFolderOtherThanTheRoot)
{
    Start();
    auto states = Ruled();
    for (UINT command : {ID_RENAME, ID_COPY_TO, ID_MOVE_TO, ID_DELETE, ID_DUPLICATE})
        EXPECT_FALSE(states[command]) << command;
    // No rule in the tree: left as the menu has them (greyed here).
    for (UINT command : {ID_OPEN, ID_PROPERTIES, ID_UP_ONE_LEVEL})
        EXPECT_FALSE(states[command]) << command;

    SelectTreeFolder(L"\\Docs");
    states = Ruled();
    for (UINT command : {ID_RENAME, ID_COPY_TO, ID_MOVE_TO, ID_DELETE, ID_DUPLICATE})
        EXPECT_TRUE(states[command]) << command;
    // A folder is no file: the file commands stay greyed.
    for (UINT command :
         {ID_CREATE_SHORTCUT, ID_ASSOCIATE, ID_SEND_MAIL, ID_BEAM, ID_OPEN_WITH, ID_BROWSE_ZIP, ID_EXTRACT_ZIP})
        EXPECT_FALSE(states[command]) << command;
    EXPECT_FALSE(states[ID_OPEN]);
}

TEST_F(CommandRules, InTheListNothingSelectedGreysTheSelectionCommands)
{
    Start(DocsSettings());
    OpenList();
    List().ClearSelection();
    auto states = Ruled();
    for (UINT command : RuledCommands)
        EXPECT_EQ(states[command], command == ID_UP_ONE_LEVEL) << command;
}

TEST_F(CommandRules, InTheListOnlyTheParentRowSelectedAllowsOpenAndUp)
{
    Start(DocsSettings());
    OpenList();
    SelectNames({L".."});
    auto states = Ruled();
    for (UINT command : RuledCommands)
        EXPECT_EQ(states[command], command == ID_OPEN || command == ID_UP_ONE_LEVEL) << command;
}

TEST_F(CommandRules, InTheListASingleFileAllowsTheFileCommands)
{
    Start(DocsSettings());
    OpenList();
    SelectNames({L"a.txt"});
    auto states = Ruled();
    for (UINT command : RuledCommands)
        EXPECT_EQ(states[command], command != ID_BROWSE_ZIP && command != ID_EXTRACT_ZIP) << command;

    SelectNames({L"b.ZIP"});
    states = Ruled();
    EXPECT_TRUE(states[ID_BROWSE_ZIP]);
    EXPECT_TRUE(states[ID_EXTRACT_ZIP]);

    SelectNames({L".zip"});  // four characters: no archive name
    states = Ruled();
    EXPECT_FALSE(states[ID_BROWSE_ZIP]);
    EXPECT_FALSE(states[ID_EXTRACT_ZIP]);
}

TEST_F(CommandRules, InTheListSeveralItemsAllowTheCommandsForSeveral)
{
    Start(DocsSettings());
    OpenList();
    SelectNames({L"Sub", L"a.txt"});
    auto states = Ruled();
    const std::vector<UINT> enabled = {ID_COPY_TO, ID_MOVE_TO, ID_DELETE, ID_DUPLICATE, ID_UP_ONE_LEVEL};
    for (UINT command : RuledCommands)
        EXPECT_EQ(states[command], std::find(enabled.begin(), enabled.end(), command) != enabled.end()) << command;

    SelectNames({L"a.txt", L"Sub"});  // beaming needs a file first
    EXPECT_TRUE(Ruled()[ID_BEAM]);

    // ".." first among several: delete still applies to the others.
    SelectNames({L"..", L"a.txt"});
    states = Ruled();
    EXPECT_TRUE(states[ID_DELETE]);
    EXPECT_FALSE(states[ID_COPY_TO]);
    EXPECT_FALSE(states[ID_DUPLICATE]);
}

TEST_F(CommandRules, AtTheRootOfTheListThereIsNoLevelUp)
{
    Start();
    OpenList();
    SelectNames({L"top.txt"});
    auto states = Ruled();
    EXPECT_FALSE(states[ID_UP_ONE_LEVEL]);
    EXPECT_TRUE(states[ID_DELETE]);
    EXPECT_TRUE(states[ID_RENAME]);
}

TEST_F(CommandRules, TheRealMenusOfferWorkingCommandsOnly)
{
    Start(DocsSettings());
    HMENU treeMenu = RightPopup(Tree().MenuBar());
    ASSERT_NE(treeMenu, nullptr);
    PreparePopup(treeMenu);
    for (UINT command : {ID_SWITCH_PANES, ID_REFRESH, ID_ABOUT, ID_EXIT})
        EXPECT_TRUE(IsEnabled(treeMenu, command)) << command;

    OpenList();
    HMENU listMenu = RightPopup(Main().Pane().MenuBar());
    ASSERT_NE(listMenu, nullptr);
    List().ClearSelection();
    PreparePopup(listMenu);
    EXPECT_FALSE(IsEnabled(listMenu, ID_OPEN));
    EXPECT_TRUE(IsEnabled(listMenu, ID_UP_ONE_LEVEL));
    for (UINT command : {ID_SELECT_ALL, ID_INVERT_SELECTION, ID_SELECT_FIRST, ID_SELECT_LAST, ID_CLEAR_SELECTION,
                         ID_REFRESH, ID_ABOUT, ID_EXIT, ID_SORT_BY_NAME, ID_SORT_ASCENDING})
        EXPECT_TRUE(IsEnabled(listMenu, command)) << command;

    // Every item of both menus runs a command of the table.
    for (HMENU menu : {BarMenu(Tree().MenuBar()), BarMenu(Main().Pane().MenuBar())}) {
        std::vector<HMENU> pending{menu};
        while (!pending.empty()) {
            HMENU current = pending.back();
            pending.pop_back();
            for (int i = 0; i < GetMenuItemCount(current); ++i) {
                if (HMENU sub = GetSubMenu(current, i)) {
                    pending.push_back(sub);
                    continue;
                }
                const UINT id = GetMenuItemID(current, i);
                if (id == 0)
                    continue;  // a separator
                EXPECT_TRUE(HasCommand(id)) << "menu item " << id << " runs nothing";
            }
        }
    }
}

TEST_F(CommandRules, TheSortOrderCarriesTheRadioMarks)
{
    Start(DocsSettings());
    OpenList();
    HMENU listMenu = RightPopup(Main().Pane().MenuBar());
    PreparePopup(listMenu);
    EXPECT_TRUE(IsChecked(listMenu, ID_SORT_BY_NAME));
    EXPECT_TRUE(IsChecked(listMenu, ID_SORT_ASCENDING));
    EXPECT_FALSE(IsChecked(listMenu, ID_SORT_BY_SIZE));

    Command(ID_SORT_BY_SIZE);
    Command(ID_SORT_DESCENDING);
    PreparePopup(listMenu);
    EXPECT_TRUE(IsChecked(listMenu, ID_SORT_BY_SIZE));
    EXPECT_FALSE(IsChecked(listMenu, ID_SORT_BY_NAME));
    EXPECT_TRUE(IsChecked(listMenu, ID_SORT_DESCENDING));
    EXPECT_FALSE(IsChecked(listMenu, ID_SORT_ASCENDING));
    // Folders first; the files by size, largest first.
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"..", L"Sub", L".zip", L"b.ZIP", L"a.txt"}));
}

TEST(CommandNames, ArchivesAreNamedLongerThanTheirExtension)
{
    EXPECT_TRUE(IsZipName(L"a.zip"));
    EXPECT_TRUE(IsZipName(L"Photos.Zip"));
    EXPECT_FALSE(IsZipName(L".zip"));
    EXPECT_FALSE(IsZipName(L"zip"));
    EXPECT_FALSE(IsZipName(L"a.zipx"));
    EXPECT_FALSE(IsZipName(nullptr));
}

}  // namespace
