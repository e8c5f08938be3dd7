// The user's way through the folders: the position memo, going up, the
// recent folders, and the scroll position that the list keeps.
#include "DeviceRootFixture.h"

#include "filemanager/FolderHistory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::wstring>;

TEST(PositionMemo, AnEntryIsUpdatedAndUsedOnce)
{
    PositionMemo memo;
    memo.Remember(L"Notes", 3);
    memo.Remember(L"Music", 7);
    memo.Remember(L"Notes", 5);
    EXPECT_EQ(memo.Count(), 2);

    EXPECT_EQ(memo.Take(L"notes"), std::nullopt);  // names compare exactly
    EXPECT_EQ(memo.Take(L"Notes"), 5);
    EXPECT_EQ(memo.Take(L"Notes"), std::nullopt);
    EXPECT_EQ(memo.Count(), 1);
}

TEST(RecentFolders, NineAtMostWithoutTheRootOrRepeats)
{
    RecentFolders recent;
    EXPECT_FALSE(recent.Add(L""));
    for (int i = 1; i <= 10; ++i) {
        String path;
        path.FormatText(L"\\Folder %d", i);
        EXPECT_TRUE(recent.Add(path));
    }
    EXPECT_FALSE(recent.Add(L"\\FOLDER 5"));

    ASSERT_EQ(recent.Count(), RecentFolders::Capacity);
    EXPECT_EQ(std::wstring(recent.At(0).Chars()), L"\\Folder 2");  // the oldest went first
    EXPECT_EQ(std::wstring(recent.At(8).Chars()), L"\\Folder 10");
}

// A folder with more rows than a page: "..", 30 subfolders "d00".."d29".
class FolderNavigation : public DeviceRootFixture {
protected:
    static constexpr int Rows = 8;

    void SetUp() override
    {
        DeviceRootFixture::SetUp();
        for (int i = 0; i < 30; ++i) {
            String path;
            path.FormatText(L"\\Big\\d%.2d", i);
            MakeFolder(path);
        }
        m_list.SetRowsPerPage(Rows);
        m_list.ReadFolder(L"\\Big", nullptr);
        m_list.EnsureSorted();
    }

    // Enters the folder at `index` the way the main window does.
    void Enter(int index)
    {
        const String name = m_list.Item(index).name;
        m_list.RememberPosition(name);
        m_list.ReadFolder(m_list.FullPath(index), nullptr);
        m_list.EnsureSorted();
        m_list.AddRecentFolder(m_list.CurrentPath());
    }

    FolderList m_list;
};

TEST_F(FolderNavigation, TheTopRowIsClampedToTheLastPage)
{
    EXPECT_EQ(m_list.ItemCount(), 31);
    EXPECT_EQ(m_list.LastTop(), 30);
    m_list.SetTopRow(100);
    EXPECT_EQ(m_list.TopRow(), 31 - Rows);
    m_list.SetTopRow(-1);
    EXPECT_EQ(m_list.TopRow(), 0);

    m_list.SetRowsPerPage(40);  // everything fits
    m_list.SetTopRow(5);
    EXPECT_EQ(m_list.TopRow(), 0);
    EXPECT_EQ(m_list.LastTop(), 0);
    EXPECT_TRUE(m_list.FitsOnOnePage());
}

TEST_F(FolderNavigation, GoingUpSelectsTheFolderLeftAndRestoresItsPage)
{
    m_list.SetTopRow(10);
    Enter(14);  // "d13", on the remembered page 10..17
    EXPECT_EQ(std::wstring(m_list.CurrentPath().Chars()), L"\\Big\\d13");
    EXPECT_EQ(m_list.TopRow(), 0);

    ASSERT_TRUE(m_list.GoUp());
    EXPECT_EQ(std::wstring(m_list.CurrentPath().Chars()), L"\\Big");
    EXPECT_EQ(SelectedNames(m_list), (Names{L"d13"}));
    EXPECT_EQ(m_list.TopRow(), 10);
    EXPECT_EQ(m_list.Memo().Count(), 0);  // used once
    EXPECT_EQ(std::wstring(m_list.Recent().At(m_list.Recent().Count() - 1).Chars()), L"\\Big");
}

TEST_F(FolderNavigation, AFolderNoLongerOnTheRememberedPageBecomesTheTopRow)
{
    m_list.SetTopRow(0);
    Enter(5);  // "d04"
    // Meanwhile the parent gained folders in front of it.
    for (const wchar_t* name : {L"\\Big\\a1", L"\\Big\\a2", L"\\Big\\a3", L"\\Big\\a4", L"\\Big\\a5"})
        MakeFolder(name);

    ASSERT_TRUE(m_list.GoUp());
    EXPECT_EQ(SelectedNames(m_list), (Names{L"d04"}));
    EXPECT_EQ(m_list.SingleSelectedIndex(), 10);
    EXPECT_EQ(m_list.TopRow(), 10);
}

TEST_F(FolderNavigation, WithoutAMemoTheFolderLeftIsStillScrolledIntoView)
{
    m_list.ReadFolder(L"\\Big\\d25", nullptr);
    ASSERT_TRUE(m_list.GoUp());
    const int selected = m_list.SingleSelectedIndex();
    ASSERT_EQ(selected, 26);
    EXPECT_LE(m_list.TopRow(), selected);
    EXPECT_GT(m_list.TopRow() + Rows, selected);
}

TEST_F(FolderNavigation, GoingUpFromAFolderOfTheRootReachesTheRoot)
{
    ASSERT_TRUE(m_list.GoUp());
    EXPECT_TRUE(m_list.IsRoot());
    EXPECT_EQ(SelectedNames(m_list), (Names{L"Big"}));
    EXPECT_FALSE(m_list.GoUp());
    EXPECT_EQ(m_list.Recent().Count(), 0);  // the root is never recent
}

TEST_F(FolderNavigation, RefreshLetsTheTreeMoveOffAVanishedFolder)
{
    struct PruningTree : FolderListObserver {
        FolderList* list = nullptr;
        void OnTreeRefresh() override { list->SetCurrentPath(ParentPath(list->CurrentPath())); }
    } tree;
    tree.list = &m_list;
    m_list.ReadFolder(L"\\Big\\d03", nullptr);
    m_list.SetObserver(&tree);
    m_list.Refresh();
    m_list.SetObserver(nullptr);

    EXPECT_EQ(std::wstring(m_list.CurrentPath().Chars()), L"\\Big");
    EXPECT_EQ(m_list.ItemCount(), 31);
    EXPECT_EQ(SelectedNames(m_list), (Names{L".."}));
}

TEST_F(FolderNavigation, SelectionQueriesFollowTheOrderOfSelecting)
{
    m_list.ClearSelection();
    EXPECT_EQ(m_list.SelectedCount(), 0);
    EXPECT_EQ(m_list.Item(0).selected, 0);
    m_list.Select(5, true);
    m_list.Select(2, true);
    m_list.Select(2, true);  // twice is once
    EXPECT_EQ(m_list.SelectedCount(), 2);
    EXPECT_EQ(m_list.SingleSelectedIndex(), -1);
    EXPECT_EQ(m_list.SelectedItem(), nullptr);
    EXPECT_TRUE(m_list.SelectedDateText().IsEmpty());

    const StringArray paths = m_list.SelectedPaths();
    ASSERT_EQ(paths.GetSize(), 2);
    EXPECT_EQ(std::wstring(paths[0].Chars()), L"\\Big\\d04");
    EXPECT_EQ(std::wstring(paths[1].Chars()), L"\\Big\\d01");

    m_list.Select(5, false);
    EXPECT_EQ(m_list.SingleSelectedIndex(), 2);
    EXPECT_TRUE(m_list.IsSelectedFolder());
    EXPECT_FALSE(m_list.SelectedDateText().IsEmpty());

    m_list.SelectOnly(0);
    EXPECT_TRUE(m_list.FirstSelectedIsParentRow());
    EXPECT_TRUE(m_list.SelectedDateText().IsEmpty());
    m_list.Select(99, true);  // no such row
    EXPECT_EQ(m_list.SelectedCount(), 1);
}

TEST_F(FolderNavigation, TheTotalSizeOfASelectionGoesBeyondFourGigabytes)
{
    // Three rows standing for huge files: the sum does not fit 32 bits.
    for (int i = 1; i <= 3; ++i) {
        m_list.Item(i).attributes = FILE_ATTRIBUTE_NORMAL;
        m_list.Item(i).sizeLow = 0xC0000000u;
        m_list.Select(i, true);
    }
    EXPECT_EQ(m_list.SelectedTotalSize(), 3ull * 0xC0000000u);
}

}  // namespace
