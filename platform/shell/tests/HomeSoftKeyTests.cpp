// The home screen's soft-key menu. Menus close when their window leaves the
// front, which other test programs on the desktop take: these tests run alone.
#include "HomeTestSupport.h"

using namespace vellumate;
using namespace vellumate::hometest;

namespace {

TEST_F(HomeScreenTest, TheMenuRefreshesAndTellsAboutTheHandset)
{
    Start();
    Press(VK_F2);
    EXPECT_EQ(PopupText(), L"> 1 Start\n  2 Refresh\n  ----\n  3 About Vellumate");
    device_.Write(std::wstring(Programs) + L"Corvane.lnk", "38#\"\\Program Files\\Vellumate\\corvane.exe\"");
    Press(L'2');
    EXPECT_EQ(PopupText(), L"<no popup>");
    EXPECT_EQ(Shown(), L"  Corvane\n> Pellory\n  Tarnwell");

    const std::wstring about = NoticeAfter([&] {
        Press(VK_F2);
        Press(L'3');
    });
    EXPECT_EQ(about.rfind(L"Vellumate\n", 0), 0u) << testing::PrintToString(about);
}

TEST_F(HomeScreenTest, WithNothingToStartTheMenuDimsStart)
{
    TempFolder empty;
    HomeScreen home;
    ASSERT_TRUE(home.Create(::GetModuleHandleW(nullptr), empty.Path()));
    ::PostMessageW(home.Window(), WM_KEYDOWN, VK_F2, 1);
    ::PostMessageW(home.Window(), WM_KEYUP, VK_F2, 1 | (1u << 30) | (1u << 31));
    Pump();
    EXPECT_EQ(PopupText(), L"  1 Start [dimmed]\n> 2 Refresh\n  ----\n  3 About Vellumate");
}

}  // namespace
