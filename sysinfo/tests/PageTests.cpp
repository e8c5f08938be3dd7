// The pages read their values through the handset's services: each test sets
// up a handset of its own and looks at what the rows show.
#include "ObrelTestSupport.h"

#include "sysinfo/DevicePage.h"
#include "sysinfo/FlashPage.h"
#include "sysinfo/MemoryPage.h"
#include "sysinfo/PowerPage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Str(const String& text)
{
    return std::wstring(text.Chars(), text.Length());
}

// "label | value" of a label row, "[text]" of a bar row.
std::wstring Shows(const InfoPage& page, int row)
{
    const RowContent content = page.Row(row);
    switch (content.kind) {
    case RowContent::Kind::LabelValue:
        return Str(content.label) + L" | " + Str(content.value);
    case RowContent::Kind::Label:
    case RowContent::Kind::Text:
        return Str(content.label);
    case RowContent::Kind::Bar:
        return L"[" + Str(content.bar.text) + L"]";
    default:
        return L"";
    }
}

constexpr std::uint64_t MB = 1ull << 20;

}  // namespace

TEST(MemoryPageTest, TotalProgramAndStorage)
{
    HandsetFigures figures;
    figures.memoryTotal = 32 * MB;
    figures.memoryAvailable = 8 * MB;
    figures.storeSize = 48 * MB;
    figures.storeFree = 36 * MB;
    TestHandset handset(figures);

    MemoryPage page;
    page.Update(nullptr);
    EXPECT_EQ(Shows(page, 0), L"Total | 44.0/80.0 MB");
    EXPECT_EQ(Shows(page, 1), L"[55%]");
    EXPECT_EQ(Shows(page, 2), L"Program | 8.0/32.0 MB");
    EXPECT_EQ(Shows(page, 3), L"[25%]");
    EXPECT_EQ(Shows(page, 4), L"Storage | 36.0/48.0 MB");
    EXPECT_EQ(Shows(page, 5), L"[75%]");

    // The full-width total bar, the others from a fifth of the row on.
    EXPECT_EQ(page.Row(1).barStart, 0);
    EXPECT_EQ(page.Row(3).barStart, 20);
    EXPECT_EQ(page.Row(5).barStart, 20);
    EXPECT_EQ(page.Row(3).bar.fillColour, BarYellow);
    EXPECT_EQ(page.Row(5).bar.fillColour, BarGreen);
    EXPECT_EQ(page.Row(1).bar.fillColour, BarBlue);
}

TEST(MemoryPageTest, AnEmptyStoreShowsNotAvailable)
{
    HandsetFigures figures;
    figures.storeSize = 0;
    figures.storeFree = 0;
    TestHandset handset(figures);

    MemoryPage page;
    page.Update(nullptr);
    EXPECT_EQ(Shows(page, 4), L"Storage | 0.0/0.0 KB");
    EXPECT_EQ(Shows(page, 5), L"[<N/A>]");
}

TEST(FlashPageTest, WithoutCardsTheObjectStoreIsInternal)
{
    HandsetFigures figures;
    figures.storeSize = 48 * MB;
    figures.storeFree = 12 * MB;
    TestHandset handset(figures);

    FlashPage page;
    page.Update(nullptr);
    EXPECT_EQ(Shows(page, 0), L"Internal | 12.0/48.0 MB");
    EXPECT_EQ(Shows(page, 1), L"[25%]");
    EXPECT_EQ(Shows(page, 2), L"SD Card | 0.0/0.0 KB");
    EXPECT_EQ(Shows(page, 3), L"[<N/A>]");
}

TEST(FlashPageTest, CardsComeAndGo)
{
    HandsetFigures figures;
    figures.storeSize = 48 * MB;
    figures.storeFree = 24 * MB;
    figures.cards.push_back({"Storage Card", true, 128 * MB, 32 * MB});
    TestHandset handset(figures);

    FlashPage page;
    page.Update(nullptr);
    EXPECT_EQ(Shows(page, 0), L"Internal | 24.0/48.0 MB");
    EXPECT_EQ(Shows(page, 2), L"SD Card | 32.0/128.0 MB");
    EXPECT_EQ(Shows(page, 3), L"[25%]");

    handset.Figures().cards[0].inserted = false;
    handset.Apply();
    page.Update(nullptr);
    EXPECT_EQ(Shows(page, 0), L"Internal | 24.0/48.0 MB");
    EXPECT_EQ(Shows(page, 2), L"SD Card | 0.0/0.0 KB");
    EXPECT_EQ(Shows(page, 3), L"[<N/A>]");

    // Back in, smaller than a megabyte.
    handset.Figures().cards[0] = {"Storage Card", true, 512 * 1024, 128 * 1024};
    handset.Apply();
    page.Update(nullptr);
    EXPECT_EQ(Shows(page, 2), L"SD Card | 128.0/512.0 KB");
}

TEST(PowerPageTest, BatteriesAsTheStatusReportsThem)
{
    HandsetFigures figures;
    figures.main = {1, 82, 3950};
    figures.backup = {2, 20, 3000};
    TestHandset handset(figures);

    PowerPage page;
    page.Update(nullptr);
    EXPECT_EQ(Shows(page, 0), L"Main battery");
    EXPECT_EQ(Shows(page, 1), L"[82%]");
    EXPECT_EQ(Shows(page, 2), L"Backup battery");
    EXPECT_EQ(Shows(page, 3), L"[20%]");
    EXPECT_EQ(page.Bar(PowerPage::Main).fillColour, BarGreen);
    EXPECT_EQ(page.Bar(PowerPage::Backup).fillColour, BarOlive);
    EXPECT_EQ(page.Row(0).kind, RowContent::Kind::Label);
}

TEST(PowerPageTest, BatteryWithoutInformation)
{
    HandsetFigures figures;
    figures.backup = {128, 255, 0};
    TestHandset handset(figures);

    PowerPage page;
    page.Update(nullptr);
    EXPECT_EQ(Shows(page, 1), L"[80%]");
    EXPECT_EQ(Shows(page, 3), L"[<N/A>]");

    // A status without the main battery's voltage and temperature has no
    // figures for either battery.
    handset.Figures().main.voltage = 0;
    handset.Figures().mainTemperature = 0;
    handset.Figures().backup = {1, 100, 3000};
    handset.Apply();
    page.Update(nullptr);
    EXPECT_EQ(Shows(page, 1), L"[<N/A>]");
    EXPECT_EQ(Shows(page, 3), L"[<N/A>]");
}

TEST(DevicePageTest, MakerResolutionAndColours)
{
    HandsetFigures figures;
    figures.oem = "Zantric Z-9 Handset";
    figures.displayWidth = 240;
    figures.displayHeight = 320;
    figures.displayBits = 16;
    TestHandset handset(figures);

    DevicePage page;
    page.Fill();
    EXPECT_EQ(Shows(page, 0), L"Maker:");
    EXPECT_EQ(Shows(page, 1), L"Zantric Z-9 Handset");
    EXPECT_EQ(Shows(page, 2), L"Resolution:");
    EXPECT_EQ(Shows(page, 3), L"240 X 320");
    EXPECT_EQ(Shows(page, 4), L"Max colors:");
    EXPECT_EQ(Shows(page, 5), L"65536");
    EXPECT_EQ(page.Row(0).kind, RowContent::Kind::Label);
    EXPECT_EQ(page.Row(1).kind, RowContent::Kind::Text);

    // Filled once: later changes of the handset are not read.
    handset.Figures().oem = "Another Maker";
    handset.Apply();
    page.Update(nullptr);
    EXPECT_EQ(Shows(page, 1), L"Zantric Z-9 Handset");
}

TEST(DevicePageTest, ColourCounts)
{
    EXPECT_STREQ(ColourCountText(1), L"2");
    EXPECT_STREQ(ColourCountText(8), L"256");
    EXPECT_STREQ(ColourCountText(24), L"16777216");
    EXPECT_STREQ(ColourCountText(31), L"2147483648");
    EXPECT_STREQ(ColourCountText(32), L"0");
}

TEST(PageTest, ScreenTextHasTitleAndRows)
{
    HandsetFigures figures;
    figures.main = {1, 82, 3950};
    figures.backup = {255, 255, 3000};
    TestHandset handset(figures);

    PowerPage page;
    page.Update(nullptr);
    EXPECT_EQ(page.ScreenText(), L"Power\n  Main battery\n  [82%]\n  Backup battery\n  [<Unknown>]");
}
