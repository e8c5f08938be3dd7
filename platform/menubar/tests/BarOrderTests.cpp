// Which soft-key bar the screen shows when programs take turns in front. These
// tests run alone, since other test programs on the same desktop take the front.
#include "platform/SoftKeyBar.h"

#include "MenuTestSupport.h"
#include "test_menubar.h"

#include <gtest/gtest.h>

using namespace menutest;

namespace {

// Whether `upper` lies above `lower` in the Z order of top-level windows.
bool IsAbove(HWND upper, HWND lower)
{
    for (HWND next = ::GetWindow(upper, GW_HWNDNEXT); next; next = ::GetWindow(next, GW_HWNDNEXT))
        if (next == lower)
            return true;
    return false;
}

void BringToFront(HWND window)
{
    ::SetForegroundWindow(window);
    ::SetActiveWindow(window);
    Pump();
}

}  // namespace

TEST(BarOrder, TheBarOfTheWindowInFrontCoversTheOthers)
{
    ProgramWindow first;
    const HWND firstBar = first.CreateBar(IDM_BAR_COMMANDS);
    ProgramWindow second;
    const HWND secondBar = second.CreateBar(IDM_BAR_COMMANDS);
    ASSERT_TRUE(firstBar && secondBar);

    for (int round = 0; round < 2; ++round) {
        BringToFront(first.Window());
        EXPECT_TRUE(IsAbove(firstBar, first.Window())) << round;
        EXPECT_TRUE(IsAbove(firstBar, secondBar)) << round;

        BringToFront(second.Window());
        EXPECT_TRUE(IsAbove(secondBar, second.Window())) << round;
        EXPECT_TRUE(IsAbove(secondBar, firstBar)) << round;
    }
}
