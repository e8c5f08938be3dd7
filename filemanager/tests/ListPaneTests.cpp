// The list pane: its keys, its scroll bar, and its painting through the
// off-screen bitmap with lazily fetched icons and size texts.
#include "TarnwellWindowFixture.h"

#include "filemanager/ListPaint.h"
#include "filemanager/PreferenceBits.h"
#include "filemanager/Strips.h"
#include "filemanager/resource.h"
#include "framework/testsupport/PixelCanvas.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

using Indexes = std::vector<int>;

class ListPaneTest : public TarnwellWindowTest {
protected:
    // "\Files" with ".." and `count` files, shown in the list.
    void ShowFiles(int count, AppSettings settings = DefaultSettings(L"\\Files"))
    {
        MakeFiles(L"\\Files", count);
        Start(settings);
        OpenList();
    }

    Indexes Selected()
    {
        Indexes selected;
        for (int n = 0; n < List().SelectedCount(); ++n)
            selected.push_back(List().SelectedIndex(n));
        return selected;
    }

    SCROLLINFO ScrollBar()
    {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        GetScrollInfo(ListHwnd(), SB_VERT, &info);
        return info;
    }

    std::vector<std::wstring> RowLines()
    {
        InvalidateRect(ListHwnd(), nullptr, FALSE);
        UpdateWindow(ListHwnd());
        std::vector<std::wstring> lines;
        std::wistringstream text(ScreenText(ListHwnd()));
        for (std::wstring line; std::getline(text, line);)
            lines.push_back(line);
        return lines;
    }
};

TEST_F(ListPaneTest, KeysMoveTheSelectionAndTheScrollBarFollows)
{
    ShowFiles(12);  // 13 items, 7 rows
    ASSERT_EQ(Selected(), Indexes{0});
    SCROLLINFO bar = ScrollBar();
    EXPECT_EQ(bar.nMax, 12);
    EXPECT_EQ(bar.nPage, 7u);
    EXPECT_EQ(bar.nPos, 0);

    for (int i = 0; i < 7; ++i)
        Press(ListHwnd(), VK_DOWN);
    EXPECT_EQ(Selected(), Indexes{7});
    EXPECT_EQ(ScrollBar().nPos, 1);
    Press(ListHwnd(), VK_UP);
    EXPECT_EQ(Selected(), Indexes{6});
    Press(ListHwnd(), VK_RIGHT);
    EXPECT_EQ(ScrollBar().nPos, 6);
    Press(ListHwnd(), VK_LEFT);
    EXPECT_EQ(ScrollBar().nPos, 0);

    Press(ListHwnd(), VK_F9);  // pound: the last item, on the last page
    EXPECT_EQ(Selected(), Indexes{12});
    EXPECT_EQ(ScrollBar().nPos, 6);
    Press(ListHwnd(), '1');
    EXPECT_EQ(Selected(), Indexes{1});
    EXPECT_EQ(ScrollBar().nPos, 0);
    Press(ListHwnd(), '9');
    EXPECT_EQ(List().SelectedCount(), 12);
    Press(ListHwnd(), '0');
    EXPECT_EQ(List().SelectedCount(), 0);
    Command(ID_INVERT_SELECTION);
    EXPECT_EQ(List().SelectedCount(), 12);
    EXPECT_FALSE(List().Item(0).selected);
}

TEST_F(ListPaneTest, AShortListHasNoScrollRangeAndItsEmptyRowsKeepAlternating)
{
    ShowFiles(3);
    const SCROLLINFO bar = ScrollBar();
    EXPECT_EQ(bar.nMax, 0);
    EXPECT_EQ(bar.nPage, 0u);
    Press(ListHwnd(), VK_RIGHT);
    EXPECT_EQ(List().TopRow(), 0);

    RECT client{};
    GetClientRect(ListHwnd(), &client);
    vellumate::PixelCanvas canvas(client.right, client.bottom);
    Main().Pane().PaintRows(canvas.Dc(), client);
    for (int row = List().ItemCount(); row < List().RowsPerPage(); ++row)
        EXPECT_EQ(canvas.At(client.right - 1, row * ListRowHeight + 1), row % 2 ? OddRowColour : EvenRowColour);
}

TEST_F(ListPaneTest, TheFooterCountsASelectedParentRowButDatesNoParentRow)
{
    ShowFiles(3);  // f001.txt to f003.txt of 1, 2 and 3 bytes
    List().SelectOnly(0);
    StripTexts texts = ListStripTexts(List().CurrentPath(), List());
    EXPECT_EQ(texts.footerLeft, String(L" 1/3"));
    EXPECT_TRUE(texts.footerRight.IsEmpty()) << "\"..\" has no date of its own";

    List().Select(3, true);
    texts = ListStripTexts(List().CurrentPath(), List());
    EXPECT_EQ(texts.footerLeft, String(L" 2/3"));
    EXPECT_EQ(texts.footerRight, String(L"3 Bytes")) << "the total of several selected";
}

TEST_F(ListPaneTest, TheRowsAreReadableWithTheSelectionMarked)
{
    AppSettings settings = DefaultSettings(L"\\Files");
    settings.preferences |= PreferenceHideExtensions;
    MakeFolder(L"\\Files\\Sub.folder");
    ShowFiles(9, settings);
    Press(ListHwnd(), VK_DOWN);
    const std::vector<std::wstring> lines = RowLines();
    ASSERT_EQ(lines.size(), 7u) << "one line a visible row";
    EXPECT_EQ(lines[0], L"  ..");
    // Extensions hidden: a folder's name stays whole, a file's loses it.
    EXPECT_EQ(lines[1], L"> Sub.folder");
    EXPECT_EQ(lines[2], L"  f001  1B");
}

TEST_F(ListPaneTest, PaintingColoursTheRowsAndFetchesIconsAndSizesOnce)
{
    MakeFolder(L"\\My Documents");  // ".." shows the personal folder's icon
    ShowFiles(12);
    Press(ListHwnd(), VK_DOWN);  // item 1 selected
    for (int i = 0; i < List().ItemCount(); ++i) {
        EXPECT_EQ(List().Item(i).iconIndex, -1);
        EXPECT_TRUE(List().Item(i).sizeText.IsEmpty());
    }

    RECT client{};
    GetClientRect(ListHwnd(), &client);
    vellumate::PixelCanvas canvas(client.right, client.bottom);
    Main().Pane().PaintRows(canvas.Dc(), client);
    // Sampled in the size column's gap at the right edge, clear of text.
    const int x = client.right - 1;
    EXPECT_EQ(canvas.At(x, 1), EvenRowColour);
    EXPECT_EQ(canvas.At(x, ListRowHeight + 1), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(canvas.At(x, 2 * ListRowHeight + 1), EvenRowColour);
    EXPECT_EQ(canvas.At(x, 3 * ListRowHeight + 1), OddRowColour);

    // The visible rows have their icons and sizes now; the others do not.
    for (int i = 0; i < List().ItemCount(); ++i) {
        const bool visible = i < List().RowsPerPage();
        if (visible)
            EXPECT_GE(List().Item(i).iconIndex, 0) << i << " has an icon drawn";
        else
            EXPECT_EQ(List().Item(i).iconIndex, -1) << i;
        EXPECT_EQ(!List().Item(i).sizeText.IsEmpty(), visible && i > 0) << i;
    }
    const int icons = ImageList_GetImageCount(Main().Pane().Painter().Images());
    Main().Pane().PaintRows(canvas.Dc(), client);
    EXPECT_EQ(ImageList_GetImageCount(Main().Pane().Painter().Images()), icons) << "cached, not fetched again";

    // A new folder read lets the icons go.
    Press(ListHwnd(), VK_F8);
    EXPECT_EQ(ImageList_GetImageCount(Main().Pane().Painter().Images()), 0);
}

}  // namespace
