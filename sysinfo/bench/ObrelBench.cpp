// What Obrel's refresh costs: one timer tick when nothing changed and when
// every value changed, and how many rows an idle handset gets repainted in a
// minute (only animations may repaint).
#include "sysinfo/tests/ObrelTestSupport.h"

#include "sysinfo/resource.h"

#include "framework/Globals.h"
#include "framework/testsupport/BenchTiming.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr std::uint64_t MB = 1ull << 20;
// Memory, Power and Flash all update on the multiples of 4 x 9 x 13 ticks.
constexpr unsigned AllPagesTick = 468;
constexpr int TicksPerMinute = 60000 / TimerPeriod;

double TimeTick(TestObrelWindow& window)
{
    const vellumate::bench::Stopwatch watch;
    window.Tick();
    return watch.Microseconds();
}

void ReportTimings(const char* what, const std::vector<double>& timings)
{
    std::printf("%-52s mean %8.1f us  max %8.1f us  (%zu ticks)\n", what, vellumate::bench::Mean(timings),
                vellumate::bench::Max(timings), timings.size());
}

// Every value the pages show, different from before.
void ChangeEverything(TestHandset& handset, int round)
{
    HandsetFigures& f = handset.Figures();
    const bool odd = round % 2 != 0;
    f.memoryAvailable = (odd ? 10 : 14) * MB + round;
    f.storeFree = (odd ? 18 : 22) * MB + round;
    f.cards[0].free = (odd ? 60 : 90) * MB + round;
    f.main.percent = odd ? 55 : 65;
    f.backup.percent = odd ? 90 : 95;
    handset.Apply();
}

void TickCosts()
{
    HandsetFigures figures;
    figures.cards.push_back({"Storage Card", true, 128 * MB, 96 * MB});
    TestHandset handset(figures);
    TestObrelWindow window;

    std::vector<double> idle;
    std::vector<double> idleAllPages;
    for (unsigned round = 0; round < 2 * AllPagesTick; ++round) {
        const bool allPages = window.Object().Schedule().Tick() % AllPagesTick == 0;
        (allPages ? idleAllPages : idle).push_back(TimeTick(window));
    }
    ReportTimings("tick, nothing changed (any tick)", idle);
    ReportTimings("tick, nothing changed (every page updates)", idleAllPages);

    for (UINT page : {IDC_MEMORY_PAGE, IDC_FLASH_PAGE, IDC_POWER_PAGE}) {
        window.Command(page);
        std::vector<double> changed;
        for (int round = 0; round < 12; ++round) {
            const unsigned tick = window.Object().Schedule().Tick();
            window.TickUntil((tick / AllPagesTick + 1) * AllPagesTick);
            ChangeEverything(handset, round);
            changed.push_back(TimeTick(window));
        }
        const char* name = page == IDC_MEMORY_PAGE  ? "tick, every value changed, Memory page shown"
                           : page == IDC_FLASH_PAGE ? "tick, every value changed, Flash page shown"
                                                    : "tick, every value changed, Power page shown";
        ReportTimings(name, changed);
    }
}

void RowsPerMinute()
{
    HandsetFigures figures;
    figures.cards.push_back({"Storage Card", true, 128 * MB, 96 * MB});
    TestHandset handset(figures);
    TestObrelWindow window;

    for (UINT page : {IDC_MEMORY_PAGE, IDC_FLASH_PAGE, IDC_POWER_PAGE, IDC_DEVICE_PAGE}) {
        window.Command(page);
        const unsigned before = window.RowsPainted();
        window.Tick(TicksPerMinute);
        const String title(MAKEINTRESOURCEW(window.CurrentPage()->TitleId()));
        std::printf("rows repainted in a minute, idle, %-22ls %u\n", title.Chars(), window.RowsPainted() - before);
    }

    handset.Figures().main = {9, 60, 3900};
    handset.Apply();
    window.Command(IDC_POWER_PAGE);
    window.Tick(TicksPerMinute);  // the change arrives; from now on only the animation
    const unsigned before = window.RowsPainted();
    window.Tick(TicksPerMinute);
    std::printf("rows repainted in a minute, Power, main battery charging: %u (the animation: 1 row every 2nd tick)\n",
                window.RowsPainted() - before);
}

}  // namespace

int wmain()
{
    const HINSTANCE self = GetModuleHandleW(nullptr);
    InitFramework(self, self, IDS_PROGRAM_TITLE);
    FontSizeGuard fontSize{1};  // normal rows, as on most handsets
    TickCosts();
    RowsPerMinute();
    return 0;
}
