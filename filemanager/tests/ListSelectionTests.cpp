// The list pane's selection moves and scrolling, on a real folder list read
// from a device root of the test's own.
#include "filemanager/DeviceFiles.h"
#include "filemanager/ListSelection.h"

#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int RowsPerPage = 7;

class ListSelection : public ::testing::Test {
protected:
    // Reads a new folder of `files` files: "\<folder>" with "..", or with
    // no folder name the root.
    void Read(int files, const std::wstring& folder)
    {
        if (!folder.empty())
            m_device.MakeFolder(folder);
        const std::wstring path = folder.empty() ? L"" : L"\\" + folder;
        for (int i = 0; i < files; ++i) {
            wchar_t name[32];
            swprintf(name, 32, L"\\f%02d.txt", i);
            HANDLE file = CreateFileW(ToFileSystemPath((path + name).c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      0, nullptr);
            ASSERT_NE(file, INVALID_HANDLE_VALUE);
            CloseHandle(file);
        }
        m_list.SetRowsPerPage(RowsPerPage);
        m_list.ReadFolder(path.c_str(), nullptr);
        m_list.SortItems();
    }

    std::vector<int> Selected() const
    {
        std::vector<int> selected;
        for (int n = 0; n < m_list.SelectedCount(); ++n)
            selected.push_back(m_list.SelectedIndex(n));
        return selected;
    }

    vellumate::TempDevice m_device;
    FolderList m_list;
};

using Rows = std::vector<int>;

TEST_F(ListSelection, DownSelectsTheTopVisibleRowThenMovesAndScrollsByOneRow)
{
    Read(12, L"Twelve");  // ".." and 12 files: 13 items, 7 to a page
    SelectionChange change = MoveSelectionDown(m_list);
    EXPECT_EQ(Selected(), Rows{0});
    EXPECT_EQ(change.rows, Rows{0});
    EXPECT_FALSE(change.scrolled);

    for (int i = 0; i < 6; ++i)
        MoveSelectionDown(m_list);
    EXPECT_EQ(Selected(), Rows{6});
    EXPECT_EQ(m_list.TopRow(), 0);

    // On the last row of the page with more below: one row down, one selected.
    change = MoveSelectionDown(m_list);
    EXPECT_EQ(Selected(), Rows{7});
    EXPECT_EQ(m_list.TopRow(), 1);
    EXPECT_TRUE(change.scrolled);
    EXPECT_EQ(change.rows, (Rows{6, 7}));

    for (int i = 0; i < 10; ++i)
        MoveSelectionDown(m_list);
    EXPECT_EQ(Selected(), Rows{12});
    EXPECT_EQ(m_list.TopRow(), 6);
    change = MoveSelectionDown(m_list);
    EXPECT_FALSE(change.Any()) << "the very last item stays";
}

TEST_F(ListSelection, UpSelectsTheLastVisibleRowThenMovesAndScrollsUp)
{
    Read(12, L"Twelve");
    m_list.SetTopRow(3);
    MoveSelectionUp(m_list);
    EXPECT_EQ(Selected(), Rows{9});

    m_list.SelectOnly(3);
    const SelectionChange change = MoveSelectionUp(m_list);
    EXPECT_EQ(Selected(), Rows{2});
    EXPECT_EQ(m_list.TopRow(), 2);
    EXPECT_TRUE(change.scrolled);

    m_list.SetTopRow(0);
    m_list.SelectOnly(0);
    EXPECT_FALSE(MoveSelectionUp(m_list).Any()) << "the first item stays";
}

TEST_F(ListSelection, MovesKeepOneOfSeveralAndLetGoOfRowsOutOfView)
{
    Read(12, L"Twelve");
    m_list.Select(4, true);
    m_list.Select(2, true);
    m_list.Select(5, true);
    MoveSelectionDown(m_list);
    EXPECT_EQ(Selected(), Rows{6}) << "down goes on from the most recently selected";

    m_list.ClearSelection();
    m_list.Select(4, true);
    m_list.Select(2, true);
    MoveSelectionUp(m_list);
    EXPECT_EQ(Selected(), Rows{3}) << "up goes on from the first selected";

    // Paging leaves the selection behind; the next move starts in view.
    m_list.SelectOnly(1);
    PageDown(m_list);
    EXPECT_EQ(m_list.TopRow(), 6);
    MoveSelectionDown(m_list);
    EXPECT_EQ(Selected(), Rows{6});
}

TEST_F(ListSelection, PagesMoveTheTopRowWithinTheList)
{
    Read(19, L"Nineteen");  // 20 items
    EXPECT_TRUE(PageDown(m_list).scrolled);
    EXPECT_EQ(m_list.TopRow(), 7);
    PageDown(m_list);
    EXPECT_EQ(m_list.TopRow(), 13) << "clamped to item count - rows per page";
    EXPECT_FALSE(PageDown(m_list).Any());
    PageUp(m_list);
    EXPECT_EQ(m_list.TopRow(), 6);
    PageUp(m_list);
    EXPECT_EQ(m_list.TopRow(), 0);
    EXPECT_FALSE(PageUp(m_list).Any());

    Read(3, L"Three");
    EXPECT_FALSE(PageDown(m_list).Any()) << "a list that fits on a page does not scroll";
}

TEST_F(ListSelection, SelectFirstAndLastSkipTheParentRowAndScroll)
{
    Read(12, L"Twelve");
    m_list.SetTopRow(5);
    SelectFirst(m_list);
    EXPECT_EQ(Selected(), Rows{1});
    EXPECT_EQ(m_list.TopRow(), 0);

    SelectLast(m_list);
    EXPECT_EQ(Selected(), Rows{12});
    EXPECT_EQ(m_list.TopRow(), 6);

    Read(0, L"Empty");  // only ".."
    SelectFirst(m_list);
    EXPECT_EQ(m_list.SelectedCount(), 0);
}

TEST_F(ListSelection, SelectFirstAtTheRootTakesItemZeroButNotALoneItem)
{
    Read(1, L"");
    ASSERT_EQ(m_list.ItemCount(), 1);
    m_list.SelectOnly(0);
    const SelectionChange change = SelectFirst(m_list);
    EXPECT_EQ(m_list.SelectedCount(), 0) << "a single item is no first to choose";
    EXPECT_EQ(change.rows, Rows{0});

    Read(2, L"");
    ASSERT_EQ(m_list.ItemCount(), 2);
    SelectFirst(m_list);
    EXPECT_EQ(Selected(), Rows{0});
}

TEST_F(ListSelection, SelectAllAndInvertNeverSelectTheParentRow)
{
    Read(4, L"Four");
    m_list.SelectOnly(0);  // ".." as a folder is entered
    SelectAll(m_list);
    EXPECT_EQ(Selected(), (Rows{1, 2, 3, 4}));

    m_list.ClearSelection();
    m_list.Select(0, true);
    m_list.Select(2, true);
    const SelectionChange change = InvertSelection(m_list);
    EXPECT_EQ(Selected(), (Rows{1, 3, 4}));
    EXPECT_EQ(change.rows, (Rows{0, 1, 2, 3, 4}));

    ClearSelection(m_list);
    EXPECT_EQ(m_list.SelectedCount(), 0);
}

TEST_F(ListSelection, AnEmptyListHasNothingToMove)
{
    Read(0, L"");
    ASSERT_EQ(m_list.ItemCount(), 0);
    EXPECT_FALSE(MoveSelectionDown(m_list).Any());
    EXPECT_FALSE(MoveSelectionUp(m_list).Any());
    EXPECT_FALSE(SelectLast(m_list).Any());
    EXPECT_FALSE(SelectAll(m_list).Any());
}

}  // namespace
