// The list after changes it does not read: storage cards at the root and the
// results of file operations.
#include "DeviceRootFixture.h"

#include "filemanager/PreferenceBits.h"
#include "filemanager/Settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::wstring>;

class FolderUpdates : public DeviceRootFixture {
protected:
    void SetUp() override
    {
        DeviceRootFixture::SetUp();
        MakeFolder(L"\\Apps");
        MakeFolder(L"\\Windows");
        MakeFile(L"\\a.txt");
        MakeFile(L"\\z.txt");
        MakeFolder(L"\\Work\\Old");
        MakeFile(L"\\Work\\one.txt", 10);
        MakeFile(L"\\Work\\two.txt", 20);
        m_list.SetObserver(&m_events);
    }

    void TearDown() override
    {
        m_list.SetObserver(nullptr);
        DeviceRootFixture::TearDown();
    }

    void Show(const wchar_t* path)
    {
        m_list.ReadFolder(path, nullptr);
        m_list.EnsureSorted();
        m_events.events.clear();
    }

    int IndexOf(const wchar_t* name) const
    {
        const Names rows = ListedNames(m_list);
        auto found = std::find(rows.begin(), rows.end(), name);
        return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
    }

    FolderList m_list;
    RecordingObserver m_events;
};

TEST_F(FolderUpdates, AnInsertedCardGoesInFrontOfTheFirstNameThatComparesGreater)
{
    Show(L"");
    m_list.SetRowsPerPage(2);
    m_list.SetTopRow(1);
    m_list.SelectOnly(IndexOf(L"Windows"));
    MakeFolder(L"\\Storage Card");

    EXPECT_TRUE(m_list.InsertCardItem(L"Storage Card"));
    EXPECT_EQ(ListedNames(m_list), (Names{L"Apps", L"Storage Card", L"Windows", L"Work", L"a.txt", L"z.txt"}));
    const FolderItem& card = m_list.Item(1);
    EXPECT_TRUE(card.IsFolder());
    EXPECT_EQ(card.selected, 0);
    EXPECT_EQ(m_list.FolderCount(), 4);
    EXPECT_EQ(SelectedNames(m_list), (Names{L"Windows"}));
    EXPECT_EQ(m_list.SingleSelectedIndex(), 2);
    EXPECT_EQ(m_list.TopRow(), 1);  // the position is kept
    EXPECT_EQ(m_events.Starting(L"scroll").size(), 1u);

    // A second report of the same card changes nothing.
    EXPECT_FALSE(m_list.InsertCardItem(L"STORAGE CARD"));
    EXPECT_EQ(m_list.ItemCount(), 6);
    EXPECT_EQ(m_list.FolderCount(), 4);

    // The names decide, not folders first: among the files, or at the end
    // when no name compares greater.
    EXPECT_TRUE(m_list.InsertCardItem(L"Xtra Card"));
    EXPECT_TRUE(m_list.InsertCardItem(L"Zip Card"));
    EXPECT_EQ(ListedNames(m_list),
              (Names{L"Apps", L"Storage Card", L"Windows", L"Work", L"a.txt", L"Xtra Card", L"z.txt", L"Zip Card"}));
    EXPECT_EQ(SelectedNames(m_list), (Names{L"Windows"}));
}

TEST_F(FolderUpdates, CardsOnlyChangeTheRootListing)
{
    Show(L"\\Work");
    EXPECT_FALSE(m_list.InsertCardItem(L"Storage Card"));
    EXPECT_FALSE(m_list.RemoveCardItem(L"Old"));
    EXPECT_EQ(m_list.ItemCount(), 4);
    EXPECT_TRUE(m_events.events.empty());
}

TEST_F(FolderUpdates, WithFoldersNotListedACardIsOnlyCounted)
{
    m_list.SetPreferences(DefaultPreferences & ~PreferenceListFolders);
    Show(L"");
    EXPECT_EQ(m_list.FolderCount(), 3);
    EXPECT_TRUE(m_list.InsertCardItem(L"Storage Card"));
    EXPECT_EQ(ListedNames(m_list), (Names{L"a.txt", L"z.txt"}));
    EXPECT_EQ(m_list.FolderCount(), 4);
    EXPECT_TRUE(m_list.RemoveCardItem(L"Storage Card"));
    EXPECT_EQ(m_list.FolderCount(), 3);
    for (int i = 0; i < 5; ++i)
        m_list.RemoveCardItem(L"Storage Card");
    EXPECT_EQ(m_list.FolderCount(), 0);  // never below
}

TEST_F(FolderUpdates, ARemovedSelectedCardPassesTheSelectionToTheRowBefore)
{
    MakeFolder(L"\\Storage Card");
    Show(L"");
    m_list.SetRowsPerPage(2);
    m_list.SetTopRow(2);
    m_list.SelectOnly(IndexOf(L"Storage Card"));
    ASSERT_EQ(m_list.SingleSelectedIndex(), 1);
    ASSERT_TRUE(RemoveDirectoryW(ToFileSystemPath(L"\\Storage Card")));

    EXPECT_TRUE(m_list.RemoveCardItem(L"Storage Card"));
    EXPECT_EQ(ListedNames(m_list), (Names{L"Apps", L"Windows", L"Work", L"a.txt", L"z.txt"}));
    EXPECT_EQ(SelectedNames(m_list), (Names{L"Apps"}));
    EXPECT_EQ(m_list.FolderCount(), 3);
    EXPECT_EQ(m_list.TopRow(), 2);

    EXPECT_FALSE(m_list.RemoveCardItem(L"Storage Card"));
    EXPECT_EQ(m_list.FolderCount(), 3);
}

TEST_F(FolderUpdates, ACreatedFolderIsAppendedSelectedAndShown)
{
    Show(L"\\Work");
    m_list.SetRowsPerPage(3);
    m_list.SelectOnly(1);
    MakeFolder(L"\\Work\\New Folder");

    m_list.AddCreatedFolder(L"New Folder");
    EXPECT_EQ(ListedNames(m_list).back(), L"New Folder");
    EXPECT_EQ(SelectedNames(m_list), (Names{L"New Folder"}));
    EXPECT_TRUE(m_list.Item(4).IsFolder());
    EXPECT_EQ(m_list.FolderCount(), 2);
    EXPECT_EQ(m_list.TopRow(), 2);  // the last page
    EXPECT_EQ(m_events.Starting(L"added"), (Names{L"added \\Work|New Folder"}));
}

TEST_F(FolderUpdates, ACreatedFileIsAddedOnlyToItsOwnFolder)
{
    Show(L"\\Work");
    MakeFile(L"\\Work\\Old\\inner.txt", 5);
    m_list.AddCreatedFile(L"\\Work\\Old", L"inner.txt");
    EXPECT_EQ(m_list.ItemCount(), 4);

    MakeFile(L"\\Work\\three.txt", 33);
    m_list.AddCreatedFile(L"\\WORK\\", L"three.txt");
    EXPECT_EQ(ListedNames(m_list).back(), L"three.txt");
    EXPECT_EQ(SelectedNames(m_list), (Names{L"three.txt"}));
    EXPECT_EQ(m_list.Item(4).sizeLow, 33u);
    EXPECT_EQ(m_list.FileCount(), 3);

    m_list.AddCreatedFile(L"\\Work", L"missing.txt");
    EXPECT_EQ(m_list.ItemCount(), 5);
}

TEST_F(FolderUpdates, AReceivedFileOfAListedNameKeepsItsRow)
{
    Show(L"\\Work");
    const int row = IndexOf(L"one.txt");
    MakeFile(L"\\Work\\one.txt", 4096);
    m_list.AddCreatedFile(L"\\Work", L"one.txt");

    EXPECT_EQ(m_list.ItemCount(), 4);
    EXPECT_EQ(m_list.SingleSelectedIndex(), row);
    EXPECT_EQ(m_list.Item(row).sizeLow, 4096u);
    EXPECT_EQ(std::wstring(m_list.SizeText(row).Chars()), L"4.00K");
}

TEST_F(FolderUpdates, PastedItemsBecomeTheSelection)
{
    Show(L"\\Work");
    MakeFolder(L"\\Work\\Old copy");
    MakeFile(L"\\Work\\one copy.txt", 10);
    StringArray names;
    names.Add(L"Old copy");
    names.Add(L"never made.txt");
    names.Add(L"one copy.txt");

    m_list.AddPastedItems(L"\\Work", names);
    EXPECT_EQ(ListedNames(m_list), (Names{L"..", L"Old", L"one.txt", L"two.txt", L"Old copy", L"one copy.txt"}));
    EXPECT_EQ(SelectedNames(m_list), (Names{L"Old copy", L"one copy.txt"}));
    EXPECT_EQ(m_list.FolderCount(), 2);
    EXPECT_EQ(m_events.Starting(L"added"), (Names{L"added \\Work|Old copy"}));
}

TEST_F(FolderUpdates, ItemsPastedElsewhereOnlyReachTheTree)
{
    Show(L"\\Work");
    MakeFolder(L"\\Apps\\Old");
    MakeFile(L"\\Apps\\one.txt");
    StringArray names;
    names.Add(L"Old");
    names.Add(L"one.txt");

    m_list.AddPastedItems(L"\\Apps", names);
    EXPECT_EQ(m_list.ItemCount(), 4);
    EXPECT_EQ(m_events.Starting(L"added"), (Names{L"added \\Apps|Old"}));
}

TEST_F(FolderUpdates, DeletedItemsGoWhateverTheOrderTheyWereSelectedIn)
{
    Show(L"\\Work");
    // Selected back to front: removing by the selection's indexes one after
    // the other would take the wrong rows.
    m_list.Select(IndexOf(L"two.txt"), true);
    m_list.Select(IndexOf(L"one.txt"), true);
    m_list.Select(IndexOf(L"Old"), true);
    m_list.Select(0, true);
    ASSERT_TRUE(DeleteFileW(ToFileSystemPath(L"\\Work\\two.txt")));
    ASSERT_TRUE(RemoveDirectoryW(ToFileSystemPath(L"\\Work\\Old")));

    m_list.RemoveDeletedItems(nullptr);
    EXPECT_EQ(ListedNames(m_list), (Names{L"..", L"one.txt"}));
    EXPECT_EQ(m_list.SelectedCount(), 0);
    EXPECT_EQ(m_list.Item(1).selected, 0);
    EXPECT_EQ(m_list.FolderCount(), 0);
    EXPECT_EQ(m_list.FileCount(), 1);
    EXPECT_EQ(m_events.Starting(L"removed"), (Names{L"removed \\Work\\Old"}));
}

TEST_F(FolderUpdates, AMovedFolderLeavesTheListAndJoinsItsDestinationInTheTree)
{
    Show(L"\\Work");
    m_list.SelectOnly(IndexOf(L"Old"));
    ASSERT_TRUE(MoveFileW(ToFileSystemPath(L"\\Work\\Old"), ToFileSystemPath(L"\\Apps\\Old")));

    m_list.RemoveDeletedItems(L"\\Apps");
    EXPECT_EQ(IndexOf(L"Old"), -1);
    EXPECT_EQ(m_events.Starting(L"removed"), (Names{L"removed \\Work\\Old"}));
    EXPECT_EQ(m_events.Starting(L"added"), (Names{L"added \\Apps|Old"}));
}

TEST_F(FolderUpdates, ARenameChangesTheRowAndTheTreeNode)
{
    Show(L"\\Work");
    const int row = IndexOf(L"Old");
    m_list.SelectOnly(row);
    m_list.Item(row).iconIndex = 4;

    EXPECT_TRUE(m_list.RenameSelected(L"Older"));
    EXPECT_EQ(std::wstring(m_list.Item(row).name.Chars()), L"Older");
    EXPECT_EQ(m_list.Item(row).iconIndex, -1);
    EXPECT_EQ(m_events.events, (Names{L"renamed \\Work\\Old|Older", L"row " + std::to_wstring(row)}));

    m_list.SelectOnly(0);
    EXPECT_FALSE(m_list.RenameSelected(L"up"));
    m_list.Select(row, true);
    EXPECT_FALSE(m_list.RenameSelected(L"both"));
    EXPECT_EQ(std::wstring(m_list.Item(0).name.Chars()), L"..");
}

}  // namespace
