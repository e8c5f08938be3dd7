// The folder tree pane: the root's text, lazy nodes, the keys, the listing
// timer and the node maintenance, on the real tree control.
#include "TarnwellWindowFixture.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/resource.h"
#include "framework/testsupport/ModalDriver.h"

#include <atomic>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::wstring>;

// Passes the folder list's events on to the main window, counting the reads
// that run on another thread and, while closed, holding them at their start.
class ReadGate : public FolderListObserver {
public:
    explicit ReadGate(FolderListObserver& next) : m_next(next), m_open(CreateEventW(nullptr, TRUE, TRUE, nullptr)) {}
    ~ReadGate() { CloseHandle(m_open); }

    void Close() { ResetEvent(m_open); }
    void Open() { SetEvent(m_open); }
    int BackgroundReads() const { return m_reads.load(); }
    bool Holding() const { return m_holding.load(); }

    void OnReadStarted() override
    {
        if (GetCurrentThreadId() != m_uiThread) {
            ++m_reads;
            m_holding = true;
            WaitForSingleObject(m_open, 10000);
            m_holding = false;
        }
        m_next.OnReadStarted();
    }
    void OnReadFinished() override { m_next.OnReadFinished(); }
    void OnIconsCleared() override { m_next.OnIconsCleared(); }
    void OnScrollRangeReset() override { m_next.OnScrollRangeReset(); }
    void OnListChanged() override { m_next.OnListChanged(); }
    void OnRowChanged(int index) override { m_next.OnRowChanged(index); }
    void OnTreeRefresh() override { m_next.OnTreeRefresh(); }
    void OnFolderAdded(const String& parentPath, const String& name) override
    {
        m_next.OnFolderAdded(parentPath, name);
    }
    void OnFolderRemoved(const String& path) override { m_next.OnFolderRemoved(path); }
    void OnFolderRenamed(const String& oldPath, const String& newName) override
    {
        m_next.OnFolderRenamed(oldPath, newName);
    }

private:
    FolderListObserver& m_next;
    HANDLE m_open;
    DWORD m_uiThread = GetCurrentThreadId();
    std::atomic<int> m_reads{0};
    std::atomic<bool> m_holding{false};
};

class TreePaneTest : public TarnwellWindowTest {
protected:
    // Puts the gate between the list and the main window for the test.
    void UseGate()
    {
        m_gate = std::make_unique<ReadGate>(Main());
        List().SetObserver(m_gate.get());
    }

    void TearDown() override
    {
        if (m_gate) {
            m_gate->Open();
            List().StopListing();
            List().WaitForBackgroundRead();
            List().SetObserver(&Main());
        }
        TarnwellWindowTest::TearDown();
    }

    void Tick() { SendMessageW(TreeHwnd(), WM_TIMER, TreePane::ListingTimer, 0); }

    int ImageOf(HTREEITEM node, bool selected = false)
    {
        TVITEMW item{};
        item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = node;
        TreeView_GetItem(TreeHwnd(), &item);
        return selected ? item.iSelectedImage : item.iImage;
    }

    bool HasChildrenFlag(HTREEITEM node)
    {
        TVITEMW item{};
        item.mask = TVIF_HANDLE | TVIF_CHILDREN;
        item.hItem = node;
        TreeView_GetItem(TreeHwnd(), &item);
        return item.cChildren != 0;
    }

    std::unique_ptr<ReadGate> m_gate;
};

TEST_F(TreePaneTest, TheRootShowsWhetherItIsOpen)
{
    MakeFolder(L"\\Music");
    MakeFolder(L"\\Photos");
    Start();
    EXPECT_EQ(TreeRows(), (Rows{L"Device [-]", L"Music", L"Photos"}));
    EXPECT_EQ(Tree().CurrentNode(), Tree().Root());

    Press(TreeHwnd(), VK_LEFT);  // the tree control closes the selected root
    EXPECT_EQ(TreeRows(), (Rows{L"Device [+]"}));
    Press(TreeHwnd(), VK_RIGHT);
    EXPECT_EQ(TreeRows(), (Rows{L"Device [-]", L"Music", L"Photos"}));
}

TEST_F(TreePaneTest, ARootWithoutSubfoldersCarriesNoMarker)
{
    MakeFile(L"\\only a file.txt");
    Start();
    EXPECT_EQ(TreeRows(), (Rows{L"Device"}));
    SendMessageW(TreeHwnd(), WM_CHAR, L'o', 0);  // typing never searches
    EXPECT_EQ(Tree().CurrentNode(), Tree().Root());
}

TEST_F(TreePaneTest, NodesAreMadeWhenTheirParentOpensOrAPathIsLookedUp)
{
    MakeFolder(L"\\A\\B\\C");
    MakeFolder(L"\\A\\B2");
    Start();
    HTREEITEM a = Tree().LookupNode(L"\\A");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(TreeView_GetChild(TreeHwnd(), a), nullptr) << "not read before it opens";
    EXPECT_TRUE(HasChildrenFlag(a));

    HTREEITEM b = Tree().FindNode(L"\\a\\b");  // components compare without regard to case
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(Tree().NodePath(b), String(L"\\A\\B"));
    EXPECT_NE(Tree().LookupNode(L"\\A\\B2"), nullptr) << "the lookup read A's subfolders";
    EXPECT_EQ(TreeView_GetChild(TreeHwnd(), b), nullptr);
    EXPECT_FALSE(HasChildrenFlag(Tree().LookupNode(L"\\A\\B2")));
    EXPECT_EQ(Tree().FindNode(L"\\A\\Missing"), nullptr);

    Tree().SelectNode(b);
    Press(TreeHwnd(), VK_RIGHT);  // the control opens B
    EXPECT_NE(Tree().LookupNode(L"\\A\\B\\C"), nullptr);
}

TEST_F(TreePaneTest, EnterOpensFoldersAndShowsTheFilesOfOnesWithoutSubfolders)
{
    MakeFolder(L"\\A\\B");
    MakeFile(L"\\A\\B\\letter.txt", 100);
    MakeFolder(L"\\A\\C");
    Start(DefaultSettings(L"\\A"));
    Press(TreeHwnd(), VK_RETURN);
    EXPECT_EQ(TreeRows(), (Rows{L"Device [-]", L"A", L"B", L"C"}));
    EXPECT_EQ(Tree().ListingDelay(), TreePane::ChangeDelay);
    Press(TreeHwnd(), VK_RETURN);
    EXPECT_EQ(TreeRows(), (Rows{L"Device [-]", L"A"}));

    // A folder whose subfolders went away loses its nodes and its button.
    RemoveFolder(L"\\A\\B");
    RemoveFolder(L"\\A\\C");
    Tree().Expand(Tree().CurrentNode());
    Press(TreeHwnd(), VK_RETURN);
    HTREEITEM a = Tree().LookupNode(L"\\A");
    EXPECT_EQ(TreeView_GetChild(TreeHwnd(), a), nullptr);
    EXPECT_FALSE(HasChildrenFlag(a));
    EXPECT_FALSE(Main().IsListMode());

    // Without subfolders: its files.
    MakeFile(L"\\A\\x.txt");
    Press(TreeHwnd(), VK_RETURN);
    ASSERT_TRUE(Main().IsListMode());
    EXPECT_EQ(Names(), (Rows{L"..", L"x.txt"}));
    EXPECT_TRUE(IsWindowVisible(ListHwnd()));
    EXPECT_FALSE(IsWindowVisible(TreeHwnd()));
    EXPECT_TRUE(IsWindowVisible(Main().Pane().MenuBar()));
    EXPECT_FALSE(IsWindowVisible(Tree().MenuBar()));
    EXPECT_EQ(GetFocus(), ListHwnd());
}

TEST_F(TreePaneTest, EnterOnAVanishedFolderReportsItAndClimbsToAnExistingOne)
{
    MakeFolder(L"\\A\\B\\C");
    Start(DefaultSettings(L"\\A\\B\\C"));
    ASSERT_EQ(Tree().CurrentPath(), String(L"\\A\\B\\C"));
    RemoveFolder(L"\\A\\B");

    ModalDriver driver(IDOK);
    Press(TreeHwnd(), VK_RETURN);
    ASSERT_TRUE(driver.Wait());
    EXPECT_NE(driver.Dialog().text.Find(L"\\A\\B\\C"), -1) << driver.Dialog().text.Chars();
    EXPECT_EQ(driver.Dialog().icon, static_cast<UINT>(MB_ICONHAND));
    EXPECT_EQ(Tree().CurrentPath(), String(L"\\A"));
    EXPECT_EQ(Tree().LookupNode(L"\\A\\B"), nullptr);
    EXPECT_FALSE(Main().IsListMode());
    FinishListing();
    EXPECT_EQ(List().CurrentPath(), String(L"\\A"));
}

TEST_F(TreePaneTest, ASavedStartFolderThatIsGoneStartsInItsNearestAncestor)
{
    MakeFolder(L"\\A\\B");
    Start(DefaultSettings(L"\\A\\B\\Gone\\Deeper"));
    EXPECT_EQ(Tree().CurrentPath(), String(L"\\A\\B"));
    EXPECT_EQ(List().CurrentPath(), String(L"\\A\\B"));
}

TEST_F(TreePaneTest, TheFooterCountsTheFoldersAndFilesOfTheCurrentFolder)
{
    MakeFolder(L"\\A\\One");
    MakeFolder(L"\\A\\Two");
    MakeFile(L"\\A\\x.txt");
    MakeFile(L"\\A\\y.txt");
    MakeFile(L"\\A\\z.txt");
    Start(DefaultSettings(L"\\A"));
    UpdateWindow(MainHwnd());
    EXPECT_EQ(ScreenText(MainHwnd()), L" Folders: 2   Files: 3");

    SelectTreeFolder(L"\\A\\One");
    UpdateWindow(MainHwnd());
    EXPECT_EQ(ScreenText(MainHwnd()), L" Folders: 0   Files: 0");
}

TEST_F(TreePaneTest, HoldingDownReadsOnceWhenTheKeyRests)
{
    for (const wchar_t* folder : {L"\\A", L"\\B", L"\\C", L"\\D", L"\\E"})
        MakeFolder(folder);
    MakeFile(L"\\D\\in d.txt");
    Start();
    UseGate();
    for (int i = 0; i < 4; ++i)
        Press(TreeHwnd(), VK_DOWN);  // no message taken between the presses
    EXPECT_EQ(Tree().CurrentPath(), String(L"\\D"));
    EXPECT_EQ(Tree().ListingDelay(), TreePane::ArrowDelay);
    EXPECT_EQ(m_gate->BackgroundReads(), 0);
    FinishListing();
    EXPECT_EQ(m_gate->BackgroundReads(), 1);
    EXPECT_EQ(List().CurrentPath(), String(L"\\D"));
    EXPECT_EQ(List().FileCount(), 1);

    // Other moves wait less.
    Tree().SelectNode(Tree().FindNode(L"\\B"));
    EXPECT_EQ(Tree().ListingDelay(), TreePane::ChangeDelay);
}

TEST_F(TreePaneTest, ATickDuringAReadStopsItAndTheNextTickReadsAgain)
{
    MakeFiles(L"\\Big", 40);
    Start();
    UseGate();
    m_gate->Close();
    Tree().SelectNode(Tree().FindNode(L"\\Big"));
    ASSERT_TRUE(Tree().ListingPending());

    Tick();  // starts the read, which the gate holds
    ASSERT_TRUE(WaitFor([&] { return m_gate->Holding(); }));
    EXPECT_FALSE(Tree().ListingPending());
    EXPECT_TRUE(List().IsListing());

    Tree().RestartListing();  // the user moved on meanwhile
    Tick();                   // a tick during the read stops it
    EXPECT_FALSE(List().IsListing());
    EXPECT_TRUE(Tree().ListingPending()) << "the timer keeps running";
    m_gate->Open();
    List().WaitForBackgroundRead();
    EXPECT_LE(List().ItemCount(), 2) << "the stopped read ended after its current entry";

    Tick();  // the next tick reads the folder whole
    List().WaitForBackgroundRead();
    EXPECT_FALSE(Tree().ListingPending());
    EXPECT_EQ(m_gate->BackgroundReads(), 2);
    EXPECT_EQ(List().ItemCount(), 41);
}

TEST_F(TreePaneTest, NodeImagesTellTheRootFoldersAndCards)
{
    WriteProfile("[card:Card]\nstate=inserted\n");
    MakeFolder(L"\\Card");
    MakeFolder(L"\\Plain");
    Start();
    EXPECT_EQ(ImageOf(Tree().Root()), 0);
    EXPECT_EQ(ImageOf(Tree().LookupNode(L"\\Plain")), 1);
    EXPECT_EQ(ImageOf(Tree().LookupNode(L"\\Plain"), true), 2);
    EXPECT_EQ(ImageOf(Tree().LookupNode(L"\\Card")), 4);

    // The five images of bitmap 108 are in the tree's image list.
    HIMAGELIST images = TreeView_GetImageList(TreeHwnd(), TVSIL_NORMAL);
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 5);
}

TEST_F(TreePaneTest, StarReadsTheTreeAgainKeepingOpenFolders)
{
    MakeFolder(L"\\A\\B");
    MakeFolder(L"\\X\\Y");
    Start(DefaultSettings(L"\\X\\Y"));
    Tree().Expand(Tree().FindNode(L"\\A"));
    ASSERT_EQ(TreeRows(), (Rows{L"Device [-]", L"A", L"B", L"X", L"Y"}));
    RemoveFolder(L"\\X");
    MakeFolder(L"\\New");

    Press(TreeHwnd(), VK_F8);
    EXPECT_EQ(TreeRows(), (Rows{L"Device [-]", L"A", L"B", L"New"}));
    EXPECT_EQ(Tree().CurrentPath(), String());
    FinishListing();
    EXPECT_EQ(List().CurrentPath(), String());
}

TEST_F(TreePaneTest, TheTreeFollowsFoldersMadeRenamedAndDeletedInTheList)
{
    MakeFolder(L"\\A\\Old");
    Start(DefaultSettings(L"\\A"));
    Tree().Expand(Tree().FindNode(L"\\A"));
    OpenList();

    MakeFolder(L"\\A\\Made");
    List().AddCreatedFolder(String(L"Made"));
    EXPECT_NE(Tree().LookupNode(L"\\A\\Made"), nullptr);

    ASSERT_TRUE(MoveFileW(ToFileSystemPath(L"\\A\\Old"), ToFileSystemPath(L"\\A\\Renamed")));
    for (int i = 0; i < List().ItemCount(); ++i)
        if (List().Item(i).name == L"Old")
            List().SelectOnly(i);
    ASSERT_TRUE(List().RenameSelected(String(L"Renamed")));
    EXPECT_EQ(Tree().LookupNode(L"\\A\\Old"), nullptr);
    EXPECT_NE(Tree().LookupNode(L"\\A\\Renamed"), nullptr);

    RemoveFolder(L"\\A\\Made");
    for (int i = 0; i < List().ItemCount(); ++i)
        if (List().Item(i).name == L"Made")
            List().SelectOnly(i);
    List().RemoveDeletedItems(nullptr);
    EXPECT_EQ(Tree().LookupNode(L"\\A\\Made"), nullptr);
}

}  // namespace
