// Obrel's window on a handset of its own: the page ring and its keys, the
// refresh schedule, and which rows a tick repaints.
#include "ObrelTestSupport.h"

#include "sysinfo/PageLayout.h"
#include "sysinfo/resource.h"

#include "framework/About.h"
#include "framework/testsupport/ModalDriver.h"

#include "platform/ScreenText.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

namespace {

constexpr std::uint64_t MB = 1ull << 20;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fontSize.Held());
        HandsetFigures& f = handset.Figures();
        f.cards.push_back({"Storage Card", true, 128 * MB, 96 * MB});
        handset.Apply();
        window = std::make_unique<TestObrelWindow>();
        ASSERT_TRUE(*window);
    }

    void TearDown() override { window.reset(); }

    MainWindow& Obrel() const { return window->Object(); }
    UINT CurrentTitle() const { return window->CurrentPage()->TitleId(); }
    template <typename Page>
    Page& PageAt(int index) const
    {
        return *static_cast<Page*>(Obrel().Ring().At(index));
    }
    MemoryPage& Memory() const { return PageAt<MemoryPage>(0); }
    FlashPage& Flash() const { return PageAt<FlashPage>(1); }
    PowerPage& Power() const { return PageAt<PowerPage>(2); }

    // Delivers one tick without painting, and says which rows it invalidated.
    std::set<int> TickAndSeeRows()
    {
        ValidateRect(window->Handle(), nullptr);
        SendMessageW(window->Handle(), WM_TIMER, MainWindow::RefreshTimer, 0);
        const vellumate::UniqueHandle<vellumate::handle_traits::GdiObject<HRGN>> update(CreateRectRgn(0, 0, 0, 0));
        std::set<int> rows;
        if (GetUpdateRgn(window->Handle(), update.Get(), FALSE) != NULLREGION) {
            for (int row = 0; row < 6; ++row) {
                const RECT rect = Obrel().Painter().RowRect(row);
                if (RectInRegion(update.Get(), &rect))
                    rows.insert(row);
            }
        }
        window->Paint();
        return rows;
    }

    // Ticks until (not including) the next tick on which a page with
    // `period` updates.
    void TickUntilBefore(DWORD period)
    {
        const unsigned interval = RefreshSchedule::Interval(period);
        const unsigned tick = Obrel().Schedule().Tick();
        window->TickUntil((tick + interval - 1) / interval * interval);
    }

    FontSizeGuard fontSize{1};
    TestHandset handset;
    std::unique_ptr<TestObrelWindow> window;
};

}  // namespace

TEST_F(MainWindowTest, StartsOnTheMemoryPageWithFlashNext)
{
    EXPECT_EQ(CurrentTitle(), UINT(IDS_MEMORY_TITLE));
    EXPECT_EQ(window->LeftSoftKey(), L"Flash");
    EXPECT_EQ(Obrel().Schedule().Tick(), 1u);  // tick 0 was the creation

    RECT frame{};
    GetWindowRect(window->Handle(), &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 20);
    EXPECT_EQ(frame.right, 176);
    EXPECT_EQ(frame.bottom, 200);
}

TEST_F(MainWindowTest, RightKeyStepsRoundTheRing)
{
    // Each switch repaints the whole new page.
    const std::tuple<UINT, const wchar_t*, int> expected[] = {{IDS_FLASH_TITLE, L"Power", 4},
                                                              {IDS_POWER, L"Device", 4},
                                                              {IDS_DEVICE_TITLE, L"Memory", 6},
                                                              {IDS_MEMORY_TITLE, L"Flash", 6}};
    for (const auto& [title, next, rows] : expected) {
        const unsigned painted = window->RowsPainted();
        window->Key(VK_RIGHT);
        EXPECT_EQ(CurrentTitle(), title);
        EXPECT_EQ(window->LeftSoftKey(), next);
        EXPECT_EQ(window->RowsPainted(), painted + rows);
    }
}

TEST_F(MainWindowTest, LeftKeyStepsBackFromMemoryToDevice)
{
    window->Key(VK_LEFT);
    EXPECT_EQ(CurrentTitle(), UINT(IDS_DEVICE_TITLE));
    EXPECT_EQ(window->LeftSoftKey(), L"Memory");
    window->Key(VK_LEFT);
    EXPECT_EQ(CurrentTitle(), UINT(IDS_POWER));
    EXPECT_EQ(window->LeftSoftKey(), L"Device");
    window->Key(VK_UP);  // not a page key
    EXPECT_EQ(CurrentTitle(), UINT(IDS_POWER));
}

TEST_F(MainWindowTest, LeftSoftKeyShowsTheNextPage)
{
    window->Command(IDC_NEXT_PAGE);
    EXPECT_EQ(CurrentTitle(), UINT(IDS_FLASH_TITLE));
    EXPECT_EQ(window->LeftSoftKey(), L"Power");

    // The real key, through the menu bar.
    PostMessageW(window->Handle(), WM_KEYDOWN, VK_F1, 1);
    PostMessageW(window->Handle(), WM_KEYUP, VK_F1, 0xC0000001);
    EXPECT_TRUE(PumpUntil([&] { return CurrentTitle() == IDS_POWER; }));
    EXPECT_EQ(window->LeftSoftKey(), L"Device");
}

TEST_F(MainWindowTest, MenuJumpsToAnyPage)
{
    window->Command(IDC_POWER_PAGE);
    EXPECT_EQ(CurrentTitle(), UINT(IDS_POWER));
    EXPECT_EQ(window->LeftSoftKey(), L"Device");
    window->Command(IDC_DEVICE_PAGE);
    EXPECT_EQ(CurrentTitle(), UINT(IDS_DEVICE_TITLE));
    window->Command(IDC_FLASH_PAGE);
    EXPECT_EQ(CurrentTitle(), UINT(IDS_FLASH_TITLE));
    window->Command(IDC_MEMORY_PAGE);
    EXPECT_EQ(CurrentTitle(), UINT(IDS_MEMORY_TITLE));
    EXPECT_EQ(window->LeftSoftKey(), L"Flash");

    // The page already shown: nothing to repaint.
    const unsigned painted = window->RowsPainted();
    window->Command(IDC_MEMORY_PAGE);
    EXPECT_EQ(window->RowsPainted(), painted);
}

TEST_F(MainWindowTest, EachPageUpdatesOnItsOwnTicks)
{
    handset.Figures().storeFree = 30 * MB;
    handset.Figures().cards[0].free = 50 * MB;
    handset.Figures().main.percent = 40;
    handset.Apply();

    // Memory every 4 ticks, Power every 9, Flash every 13.
    window->TickUntil(4);
    EXPECT_NE(Memory().Figures().storeFree, 30.0 * MB);
    window->Tick();
    EXPECT_EQ(Memory().Figures().storeFree, 30.0 * MB);

    window->TickUntil(9);
    EXPECT_NE(Power().State(PowerPage::Main).percent, 40);
    window->Tick();
    EXPECT_EQ(Power().State(PowerPage::Main).percent, 40);

    window->TickUntil(13);
    EXPECT_NE(Flash().Volume(1).free, 50.0 * MB);
    window->Tick();
    EXPECT_EQ(Flash().Volume(1).free, 50.0 * MB);
}

TEST_F(MainWindowTest, NothingChangedNothingRepainted)
{
    const unsigned painted = window->RowsPainted();
    for (UINT command : {IDC_MEMORY_PAGE, IDC_FLASH_PAGE, IDC_POWER_PAGE, IDC_DEVICE_PAGE}) {
        window->Command(command);
        const unsigned shown = window->RowsPainted();
        window->Tick(60);
        EXPECT_EQ(window->RowsPainted(), shown) << command;
    }
    EXPECT_GT(window->RowsPainted(), painted);
}

TEST_F(MainWindowTest, MemoryTickRepaintsTheRowsOfWhatChanged)
{
    TickUntilBefore(1000);
    handset.Figures().storeFree += MB;
    handset.Apply();
    EXPECT_EQ(TickAndSeeRows(), (std::set<int>{0, 1, 4, 5}));

    TickUntilBefore(1000);
    handset.Figures().memoryAvailable -= MB;
    handset.Apply();
    EXPECT_EQ(TickAndSeeRows(), (std::set<int>{0, 1, 2, 3}));

    // A new total counts as a change too.
    TickUntilBefore(1000);
    handset.Figures().storeSize += MB;
    handset.Figures().memoryTotal += MB;
    handset.Apply();
    const unsigned painted = window->RowsPainted();
    EXPECT_EQ(TickAndSeeRows(), (std::set<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(window->RowsPainted(), painted + 6);
}

TEST_F(MainWindowTest, FlashTickRepaintsTheVolumeThatChanged)
{
    window->Command(IDC_FLASH_PAGE);

    TickUntilBefore(3000);
    handset.Figures().cards[0].free += 1;  // within a byte: no change
    handset.Apply();
    EXPECT_TRUE(TickAndSeeRows().empty());

    TickUntilBefore(3000);
    handset.Figures().cards[0].free += 2;
    handset.Apply();
    EXPECT_EQ(TickAndSeeRows(), (std::set<int>{2, 3}));

    TickUntilBefore(3000);
    handset.Figures().storeFree -= MB;
    handset.Apply();
    EXPECT_EQ(TickAndSeeRows(), (std::set<int>{0, 1}));

    // The card taken out: its rows show nothing now.
    TickUntilBefore(3000);
    handset.Figures().cards[0].inserted = false;
    handset.Apply();
    EXPECT_EQ(TickAndSeeRows(), (std::set<int>{2, 3}));
    EXPECT_EQ(Flash().Volume(1).total, 0.0);
    EXPECT_EQ(*ReadScreenText(window->Handle()),
              L"Flash Storage\n  Internal  19.0/48.0 MB\n  [40%]\n  SD Card  0.0/0.0 KB\n  [<N/A>]");
}

TEST_F(MainWindowTest, PowerTickRepaintsTheBatteryThatChanged)
{
    window->Command(IDC_POWER_PAGE);

    TickUntilBefore(2000);
    handset.Figures().backup = {128, 255, 0};  // taken out
    handset.Apply();
    EXPECT_EQ(TickAndSeeRows(), (std::set<int>{3}));
    EXPECT_EQ(Power().Row(3).bar.text, String(L"<N/A>"));
}

TEST_F(MainWindowTest, ChargingBatteryAnimatesOnEverySecondTick)
{
    window->Command(IDC_POWER_PAGE);
    handset.Figures().main = {9, 60, 3900};
    handset.Apply();
    TickUntilBefore(2000);
    TickAndSeeRows();  // the Power page learns of the charging

    // From now on every second tick steps the main battery's bar, and only it.
    unsigned stepped = 0;
    for (int tick = 0; tick < 12; ++tick) {
        const bool animationTick = Obrel().Schedule().Tick() % 2 == 0;
        const unsigned fillBefore = Power().Bar(PowerPage::Main).fillPercent;
        const std::set<int> rows = TickAndSeeRows();
        if (animationTick) {
            EXPECT_EQ(rows, (std::set<int>{1}));
            EXPECT_EQ(Power().Bar(PowerPage::Main).fillPercent, (fillBefore + 10) % 110);
            ++stepped;
        } else {
            EXPECT_TRUE(rows.empty());
        }
    }
    EXPECT_EQ(stepped, 6u);

    // Unplugged: one more repaint, then quiet.
    handset.Figures().main = {1, 60, 3900};
    handset.Apply();
    TickUntilBefore(2000);
    window->Tick(2);
    const unsigned painted = window->RowsPainted();
    window->Tick(20);
    EXPECT_EQ(window->RowsPainted(), painted);
    EXPECT_EQ(Power().Bar(PowerPage::Main).fillPercent, 60u);
}

TEST_F(MainWindowTest, HiddenPagesUpdateWithoutRepainting)
{
    // On the Device page, the other pages' changes are read but not painted.
    window->Command(IDC_DEVICE_PAGE);
    handset.Figures().storeFree -= 2 * MB;
    handset.Figures().main = {9, 50, 3900};
    handset.Apply();
    const unsigned painted = window->RowsPainted();
    window->Tick(30);
    EXPECT_EQ(window->RowsPainted(), painted);
    EXPECT_EQ(Memory().Figures().storeFree, 18.0 * MB);

    window->Command(IDC_MEMORY_PAGE);
    EXPECT_EQ(*ReadScreenText(window->Handle()),
              L"Memory (RAM)\n  Total  30.0/80.0 MB\n  [38%]\n  Program  12.0/32.0 MB\n  [38%]\n"
              L"  Storage  18.0/48.0 MB\n  [38%]");
}

TEST_F(MainWindowTest, LargeFontIsReadOnActivation)
{
    EXPECT_FALSE(Obrel().Painter().IsLargeFont());
    fontSize.Set(2);
    SendMessageW(window->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(Obrel().Painter().IsLargeFont());
    EXPECT_EQ(Obrel().Painter().RowRect(1).top, 58);
    // The whole page is painted again in the new size.
    const unsigned painted = window->RowsPainted();
    window->Paint();
    EXPECT_EQ(window->RowsPainted(), painted + 6);

    SendMessageW(window->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(Obrel().Painter().Fonts().IsCreated());
    fontSize.Set(1);
    SendMessageW(window->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_FALSE(Obrel().Painter().IsLargeFont());
    EXPECT_TRUE(Obrel().Painter().Fonts().IsCreated());
}

TEST_F(MainWindowTest, ScreenTextIsTheCurrentPage)
{
    window->Command(IDC_DEVICE_PAGE);
    EXPECT_EQ(*ReadScreenText(window->Handle()),
              L"Device Info\n  Maker:\n  Test Maker TM-1\n  Resolution:\n  176 X 220\n  Max colors:\n  65536");
}

TEST_F(MainWindowTest, AboutShowsVersionAndBuild)
{
    String viewerText;
    ModalDriver driver([&](HWND dialog) {
        if (HWND viewer = FindWindowExW(dialog, nullptr, L"DISPLAYCLASS", nullptr)) {
            wchar_t text[1024] = L"";
            GetWindowTextW(viewer, text, static_cast<int>(std::size(text)));
            viewerText = text;
        }
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    window->Command(IDC_ABOUT);
    EXPECT_TRUE(driver.Wait());
    EXPECT_NE(std::wstring(viewerText.Chars()).find(L"Version 1.00 (Build 13116)"), std::wstring::npos)
        << std::wstring(viewerText.Chars());
    EXPECT_NE(std::wstring(viewerText.Chars()).find(L"Obrel"), std::wstring::npos);
}
