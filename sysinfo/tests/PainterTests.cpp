// The pixels of a page, painted into a surface and read back.
#include "ObrelTestSupport.h"

#include "sysinfo/DevicePage.h"
#include "sysinfo/PagePainter.h"
#include "sysinfo/PageTheme.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Sentinel = RGB(255, 0, 255);
// A highlight of (0, 85, 170): its distances from white are 255, 170 and 85.
constexpr COLORREF Highlight = RGB(0, 85, 170);

class PainterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(painter.Create({Highlight, Black}, false));
        FillRect(RECT{0, 0, 176, 220}, Sentinel);
    }

    void FillRect(const RECT& rect, COLORREF colour)
    {
        const vellumate::BrushHandle brush(CreateSolidBrush(colour));
        ::FillRect(surface.Dc(), &rect, brush.Get());
    }

    // Paints a bar row and returns its rectangle.
    RECT PaintBar(int row, const BarLook& look, int start = 0)
    {
        painter.PaintRow(surface.Dc(), row, RowContent::Bar(look, start));
        return painter.RowRect(row);
    }

    // How many pixels of `rect` have exactly `colour`.
    int Count(const RECT& rect, COLORREF colour) const
    {
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                count += surface.Pixel(x, y) == colour;
        return count;
    }

    // The width of the run of `colour` starting at (x, y).
    int RunLength(int x, int y, COLORREF colour) const
    {
        int length = 0;
        while (x + length < 176 && surface.Pixel(x + length, y) == colour)
            ++length;
        return length;
    }

    // Text drawn in black, smoothed or not.
    static bool IsInk(COLORREF colour)
    {
        return GetRValue(colour) < 128 && GetGValue(colour) < 128 && GetBValue(colour) < 128;
    }

    static BarLook Look(unsigned percent, const wchar_t* text, COLORREF fill, COLORREF textColour)
    {
        BarLook look;
        look.fillPercent = percent;
        look.text = text;
        look.fillColour = fill;
        look.textColour = textColour;
        return look;
    }

    PageSurface surface;
    PagePainter painter;
};

}  // namespace

TEST(PageThemeTest, GradientAndTintFromTheHighlight)
{
    EXPECT_EQ(GradientColour(0, Highlight), RGB(255, 255, 255));
    EXPECT_EQ(GradientColour(100, Highlight), RGB(212, 226, 241));
    EXPECT_EQ(GradientColour(175, Highlight), RGB(179, 204, 230));
    EXPECT_EQ(HeaderTint(Highlight), RGB(156, 189, 222));

    EXPECT_EQ(GradientColour(175, RGB(255, 0, 0)), RGB(255, 179, 179));
    EXPECT_EQ(HeaderTint(RGB(255, 0, 0)), RGB(255, 156, 156));
    EXPECT_EQ(HeaderTint(RGB(255, 255, 255)), RGB(255, 255, 255));
}

TEST_F(PainterTest, BackgroundHeaderAndLine)
{
    DevicePage page;  // labels only: the rows' right ends show the background
    painter.PaintPage(surface.Dc(), surface.Client(), page, nullptr);

    // The header's tint, around the title.
    EXPECT_EQ(surface.Pixel(0, 0), RGB(156, 189, 222));
    EXPECT_EQ(surface.Pixel(175, 31), RGB(156, 189, 222));
    EXPECT_EQ(surface.Pixel(20, 16), RGB(156, 189, 222));  // no icon given
    // The line beneath it.
    EXPECT_EQ(surface.Pixel(0, 32), Highlight);
    EXPECT_EQ(surface.Pixel(175, 32), Highlight);
    // The strips, outside the rows and in them.
    for (int y : {33, 40, 160, 191}) {
        EXPECT_EQ(surface.Pixel(0, y), RGB(255, 255, 255)) << y;
        EXPECT_EQ(surface.Pixel(100, y), RGB(212, 226, 241)) << y;
        EXPECT_EQ(surface.Pixel(175, y), RGB(179, 204, 230)) << y;
    }
    const RECT row = painter.RowRect(2);
    EXPECT_EQ(surface.Pixel(row.right - 4, row.top + 1), GradientColour(row.right - 4, Highlight));
    // Nothing below the strips is the page's.
    EXPECT_EQ(surface.Pixel(88, 192), White);
    EXPECT_EQ(surface.Pixel(88, 219), White);
}

TEST_F(PainterTest, ColoursFollowTheHighlight)
{
    painter.SetColours({RGB(255, 0, 0), Black});
    DevicePage page;
    painter.PaintPage(surface.Dc(), surface.Client(), page, nullptr);
    EXPECT_EQ(surface.Pixel(0, 0), RGB(255, 156, 156));
    EXPECT_EQ(surface.Pixel(175, 100), RGB(255, 179, 179));
    EXPECT_EQ(surface.Pixel(50, 32), RGB(255, 0, 0));
}

TEST_F(PainterTest, RowIsPaintedWithinItsRectangleOnly)
{
    const RECT row = PaintBar(2, Look(50, L"50%", BarBlue, White));
    EXPECT_EQ(row.left, 4);
    EXPECT_EQ(row.top, 74);
    EXPECT_EQ(row.right, 172);
    EXPECT_EQ(row.bottom, 94);
    EXPECT_EQ(surface.Pixel(row.left, row.top - 1), Sentinel);
    EXPECT_EQ(surface.Pixel(row.left, row.bottom), Sentinel);
    EXPECT_EQ(surface.Pixel(row.left - 1, row.top), Sentinel);
    EXPECT_EQ(surface.Pixel(row.right, row.top), Sentinel);
    EXPECT_EQ(Count(row, Sentinel), 0);
    EXPECT_EQ(painter.RowsPainted(), 1u);
}

TEST_F(PainterTest, BarFrameAndFillWidth)
{
    // A full-width bar: 168 pixels, 164 inside the frame; 25 % fill 41.
    const RECT row = PaintBar(1, Look(25, L"25%", BarYellow, BarTextBlue));
    const int y = row.top + 2;  // the fill's first line, above the text
    EXPECT_EQ(surface.Pixel(row.left, y), Black);
    EXPECT_EQ(surface.Pixel(row.left + 1, y), GradientColour(row.left + 1, Highlight));
    EXPECT_EQ(RunLength(row.left + 2, y, BarYellow), 41);
    EXPECT_EQ(surface.Pixel(row.left + 43, y), GradientColour(row.left + 43, Highlight));
    EXPECT_EQ(surface.Pixel(row.right - 2, y), White);
    EXPECT_EQ(surface.Pixel(row.right - 1, y), Black);
    // Black along the top and bottom, white inside along the bottom.
    EXPECT_EQ(RunLength(row.left, row.top, Black), 168);
    EXPECT_EQ(RunLength(row.left, row.bottom - 1, Black), 168);
    EXPECT_EQ(surface.Pixel(row.left, row.bottom - 2), Black);
    EXPECT_EQ(RunLength(row.left + 1, row.bottom - 2, White), 166);
    // The fill runs from the third line to the third from the bottom.
    EXPECT_EQ(surface.Pixel(row.left + 2, row.top + 1), GradientColour(row.left + 2, Highlight));
    EXPECT_EQ(surface.Pixel(row.left + 2, row.top + 2), BarYellow);
    EXPECT_EQ(surface.Pixel(row.left + 2, row.bottom - 3), BarYellow);
}

TEST_F(PainterTest, PartBarStartsAtAFifthOfTheRow)
{
    // From 4 + 168 / 5 = 37 to 172: 135 pixels, 131 inside; 43 % fill 56.
    const RECT row = PaintBar(3, Look(43, L"43%", BarBlue, White), 20);
    const int y = row.top + 2;
    EXPECT_EQ(surface.Pixel(36, y), GradientColour(36, Highlight));
    EXPECT_EQ(surface.Pixel(37, y), Black);
    EXPECT_EQ(RunLength(39, y, BarBlue), 56);
    EXPECT_EQ(RunLength(37, row.top, Black), 135);
}

TEST_F(PainterTest, FullAndEmptyBars)
{
    const RECT full = PaintBar(0, Look(100, L"100%", BarGreen, White));
    EXPECT_EQ(RunLength(full.left + 2, full.top + 2, BarGreen), 164);
    const RECT empty = PaintBar(1, Look(0, L"<N/A>", BarRed, White));
    EXPECT_EQ(Count(RECT{empty.left + 2, empty.top + 2, empty.right - 2, empty.bottom - 2}, BarRed), 0);
}

TEST_F(PainterTest, TextTakesTheTextColourOverTheFillOnly)
{
    // Half filled: "50%" straddles the fill's end.
    const RECT row = PaintBar(1, Look(50, L"50%", BarBlue, White));
    const int fillEnd = row.left + 2 + 82;
    const RECT overFill{row.left + 2, row.top + 2, fillEnd, row.bottom - 2};
    const RECT pastFill{fillEnd, row.top + 2, row.right - 2, row.bottom - 2};
    EXPECT_GT(Count(overFill, White), 0);
    EXPECT_EQ(Count(overFill, Black), 0);
    EXPECT_GT(Count(pastFill, Black), 0);

    // Nothing filled: all of the text is black.
    const RECT none = PaintBar(3, Look(0, L"<N/A>", BarRed, White));
    EXPECT_GT(Count(RECT{none.left + 2, none.top + 2, none.right - 2, none.bottom - 2}, Black), 0);
    EXPECT_EQ(Count(RECT{none.left + 2, none.top + 2, none.right - 2, none.bottom - 2}, White), 0);
}

TEST_F(PainterTest, LabelLeftAndValueRight)
{
    painter.PaintRow(surface.Dc(), 0, RowContent::LabelValue(L"Total", L"20.5/80.0 MB"));
    const RECT row = painter.RowRect(0);
    int leftmost = 176;
    int rightmost = -1;
    for (int y = row.top; y < row.bottom; ++y) {
        for (int x = row.left; x < row.right; ++x) {
            if (IsInk(surface.Pixel(x, y))) {
                leftmost = std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
            }
        }
    }
    EXPECT_GE(leftmost, row.left + 2);
    EXPECT_LE(leftmost, row.left + 4);
    EXPECT_LE(rightmost, row.right - 3);
    EXPECT_GE(rightmost, row.right - 6);
}

TEST_F(PainterTest, ValueNeverRunsIntoItsLabel)
{
    // In the large font "Program" and its value do not fit side by side in
    // bold: both give way to the normal font, the label whole.
    PagePainter large;
    ASSERT_TRUE(large.Create({Highlight, Black}, true));
    large.PaintRow(surface.Dc(), 0, RowContent::Text(L"Program"));  // the same font, indented
    large.PaintRow(surface.Dc(), 1, RowContent::LabelValue(L"Program", L"14.0/32.0 MB"));
    const RECT alone = large.RowRect(0);
    const RECT both = large.RowRect(1);
    constexpr int Indent = 10;
    int labelEnd = alone.left;
    for (int y = alone.top; y < alone.bottom; ++y)
        for (int x = alone.left; x < alone.right; ++x)
            if (IsInk(surface.Pixel(x, y)))
                labelEnd = std::max(labelEnd, x + 1 - Indent);
    ASSERT_GT(labelEnd, alone.left + 20);
    // The whole label, and nothing else, up to a few pixels past its end.
    for (int y = 0; y < alone.bottom - alone.top; ++y)
        for (int x = alone.left; x < labelEnd + 3; ++x)
            ASSERT_EQ(IsInk(surface.Pixel(x, both.top + y)), IsInk(surface.Pixel(x + Indent, alone.top + y)))
                << x << "," << y;
    // And the value is there, at the row's right end.
    EXPECT_GT(Count(RECT{both.right - 30, both.top, both.right, both.bottom}, Black), 0);
}

TEST_F(PainterTest, LargeFontRowsAreTwentyFourPixelsHigh)
{
    PagePainter large;
    ASSERT_TRUE(large.Create({Highlight, Black}, true));
    const RECT row = large.RowRect(1);
    EXPECT_EQ(row.top, 58);
    EXPECT_EQ(row.bottom, 82);
    large.PaintRow(surface.Dc(), 1, RowContent::Bar(Look(50, L"50%", BarBlue, White)));
    EXPECT_EQ(RunLength(row.left, row.bottom - 1, Black), 168);
    EXPECT_EQ(surface.Pixel(row.left + 2, row.bottom - 3), BarBlue);
    EXPECT_EQ(surface.Pixel(row.left, row.bottom), Sentinel);

    LOGFONTW font{};
    GetObjectW(large.Fonts().Bold(), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -16);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    GetObjectW(painter.Fonts().Normal(), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -13);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_STREQ(font.lfFaceName, L"Nina");
}

TEST_F(PainterTest, PagePaintsOnlyWhatTheClipAsksFor)
{
    DevicePage page;
    const RECT row = painter.RowRect(3);
    const vellumate::UniqueHandle<vellumate::handle_traits::GdiObject<HRGN>> clip(
        CreateRectRgn(row.left, row.top, row.right, row.bottom));
    SelectClipRgn(surface.Dc(), clip.Get());
    painter.PaintPage(surface.Dc(), surface.Client(), page, nullptr);
    SelectClipRgn(surface.Dc(), nullptr);

    EXPECT_EQ(painter.RowsPainted(), 1u);
    EXPECT_EQ(surface.Pixel(0, 0), Sentinel);
    EXPECT_EQ(surface.Pixel(0, 100), Sentinel);
    EXPECT_EQ(Count(row, Sentinel), 0);
}

TEST_F(PainterTest, FontsComeBackAfterRelease)
{
    painter.ReleaseFonts();
    EXPECT_FALSE(painter.Fonts().IsCreated());
    painter.PaintRow(surface.Dc(), 0, RowContent::Label(L"Maker:"));
    EXPECT_TRUE(painter.Fonts().IsCreated());
    EXPECT_GT(Count(painter.RowRect(0), Black), 0);
}
