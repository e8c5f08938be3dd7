// The soft-key bar of a program window, built from the test resources and
// driven with queued keys as the handset's keys arrive.
#include "platform/Handset.h"
#include "platform/SoftKeyBar.h"

#include "MenuTestSupport.h"
#include "test_menubar.h"

#include <gtest/gtest.h>

using namespace menutest;

namespace {

RECT WindowRect(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

bool SetButtonState(HWND bar, UINT command, BYTE state)
{
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_STATE;
    info.fsState = state;
    return ::SendMessageW(bar, TB_SETBUTTONINFOW, command, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

bool SetButtonText(HWND bar, UINT command, const wchar_t* text)
{
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT;
    info.pszText = const_cast<wchar_t*>(text);
    return ::SendMessageW(bar, TB_SETBUTTONINFOW, command, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

// The soft-key bar's pixels, as a person sees them.
std::vector<COLORREF> BarPixels(HWND bar)
{
    ::RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = ::GetDC(bar);
    std::vector<COLORREF> pixels;
    for (int y = 2; y < vellumate::MenuBarHeight; y += 2)
        for (int x = 0; x < vellumate::ScreenWidth; x += 2)
            pixels.push_back(::GetPixel(dc, x, y));
    ::ReleaseDC(bar, dc);
    return pixels;
}

std::size_t CountDifferent(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b, bool leftHalf)
{
    std::size_t different = 0;
    const std::size_t perRow = vellumate::ScreenWidth / 2;
    for (std::size_t index = 0; index < a.size() && index < b.size(); ++index) {
        const bool left = index % perRow < perRow / 2;
        if (left == leftHalf && a[index] != b[index])
            ++different;
    }
    return different;
}

}  // namespace

TEST(SoftKeyBar, IsBuiltFromItsResourceAtTheBottomOfTheScreen)
{
    ProgramWindow program;
    const HWND bar = program.CreateBar(IDM_BAR_COMMANDS);
    ASSERT_NE(bar, nullptr);
    const RECT rect = WindowRect(bar);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, vellumate::ScreenHeight - vellumate::MenuBarHeight);
    EXPECT_EQ(rect.right, vellumate::ScreenWidth);
    EXPECT_EQ(rect.bottom, vellumate::ScreenHeight);
    EXPECT_TRUE(::IsWindowVisible(bar));
    EXPECT_EQ(::GetWindow(bar, GW_OWNER), program.Window());
    wchar_t className[32] = L"";
    ::GetClassNameW(bar, className, 32);
    EXPECT_STREQ(className, L"menu_worker");
    // The accelerator mark of "&Done" is not shown.
    EXPECT_EQ(ScreenTextOf(bar), L"left: Done\nright: Cancel");
    EXPECT_EQ(SHFindMenuBar(program.Window()), bar);
    // The bar never takes the activation.
    EXPECT_NE(::GetActiveWindow(), bar);
}

TEST(SoftKeyBar, FailsWithoutAResourceOrAParent)
{
    ProgramWindow program;
    EXPECT_EQ(program.CreateBar(IDM_BAR_MISSING), nullptr);
    EXPECT_EQ(SHFindMenuBar(program.Window()), nullptr);

    SHMENUBARINFO info{};
    info.cbSize = sizeof info;
    info.nToolBarId = IDM_BAR_COMMANDS;
    info.hInstRes = ::GetModuleHandleW(nullptr);
    info.hwndMB = reinterpret_cast<HWND>(1);
    EXPECT_FALSE(SHCreateMenuBar(&info));
    EXPECT_EQ(info.hwndMB, nullptr);
    EXPECT_FALSE(SHCreateMenuBar(nullptr));

    // An empty bar needs no resource.
    EXPECT_NE(program.CreateBar(IDM_BAR_MISSING, SHCMBF_EMPTYBAR), nullptr);
}

TEST(SoftKeyBar, SoftKeysSendTheirCommandsWhenReleased)
{
    ProgramWindow program;
    const HWND bar = program.CreateBar(IDM_BAR_COMMANDS);
    ASSERT_NE(bar, nullptr);
    const std::vector<COLORREF> idle = BarPixels(bar);

    KeyDown(program.Window(), VK_F1);
    EXPECT_TRUE(program.commands.empty());
    // Held down, the left key looks pressed; the right one does not change.
    const std::vector<COLORREF> pressed = BarPixels(bar);
    EXPECT_GT(CountDifferent(idle, pressed, true), 100u);
    EXPECT_EQ(CountDifferent(idle, pressed, false), 0u);
    KeyUp(program.Window(), VK_F1);
    EXPECT_EQ(program.commands, std::vector<UINT>{ID_DONE});
    EXPECT_EQ(program.commandParams, std::vector<LPARAM>{0});
    EXPECT_EQ(BarPixels(bar), idle);

    Press(program.Window(), VK_F2);
    EXPECT_EQ(program.commands, (std::vector<UINT>{ID_DONE, ID_CANCEL}));
    // The program's window never sees the soft keys themselves.
    EXPECT_TRUE(program.keys.empty());
}

TEST(SoftKeyBar, ButtonsAreHiddenRenamedAndDimmedByCommand)
{
    ProgramWindow program;
    const HWND bar = program.CreateBar(IDM_BAR_COMMANDS);
    ASSERT_NE(bar, nullptr);
    const std::vector<COLORREF> both = BarPixels(bar);

    ASSERT_TRUE(SetButtonState(bar, ID_DONE, TBSTATE_HIDDEN));
    EXPECT_EQ(ScreenTextOf(bar), L"right: Cancel");
    EXPECT_NE(BarPixels(bar), both);
    Press(program.Window(), VK_F1);
    EXPECT_TRUE(program.commands.empty());

    // Shown again, renamed, then greyed: a greyed key shows but does nothing.
    ASSERT_TRUE(SetButtonState(bar, ID_DONE, TBSTATE_ENABLED));
    ASSERT_TRUE(SetButtonText(bar, ID_DONE, L"Send"));
    EXPECT_EQ(ScreenTextOf(bar), L"left: Send\nright: Cancel");
    ASSERT_TRUE(SetButtonState(bar, ID_DONE, 0));
    EXPECT_EQ(ScreenTextOf(bar), L"left: Send (dimmed)\nright: Cancel");
    Press(program.Window(), VK_F1);
    EXPECT_TRUE(program.commands.empty());

    wchar_t text[16] = L"";
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_STATE;
    info.pszText = text;
    info.cchText = 16;
    EXPECT_EQ(::SendMessageW(bar, TB_GETBUTTONINFOW, ID_DONE, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_STREQ(text, L"Send");
    EXPECT_EQ(info.fsState, 0);

    // A command the bar does not have changes nothing.
    EXPECT_FALSE(SetButtonState(bar, 4242, TBSTATE_HIDDEN));
    EXPECT_EQ(ScreenTextOf(bar), L"left: Send (dimmed)\nright: Cancel");
}

TEST(SoftKeyBar, ShowsWithItsParentAndItsOwnShowState)
{
    ProgramWindow program(false);
    const HWND bar = program.CreateBar(IDM_BAR_COMMANDS);
    ASSERT_NE(bar, nullptr);
    // Made before its window shows: it waits for the window.
    EXPECT_FALSE(::IsWindowVisible(bar));
    ::ShowWindow(program.Window(), SW_SHOW);
    Pump();
    EXPECT_TRUE(::IsWindowVisible(bar));

    ::ShowWindow(bar, SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(bar));
    ::ShowWindow(program.Window(), SW_HIDE);
    ::ShowWindow(program.Window(), SW_SHOW);
    EXPECT_FALSE(::IsWindowVisible(bar)) << "the bar's own hidden state outlasts its parent's";

    ::ShowWindow(program.Window(), SW_HIDE);
    ::ShowWindow(bar, SW_SHOW);
    EXPECT_FALSE(::IsWindowVisible(bar)) << "a bar never shows without its parent";
    ::ShowWindow(program.Window(), SW_SHOW);
    EXPECT_TRUE(::IsWindowVisible(bar));

    ::DestroyWindow(program.Window());
    EXPECT_FALSE(::IsWindow(bar));
}

TEST(SoftKeyBar, TheShownOneOfTwoBarsTakesTheKeys)
{
    ProgramWindow program;
    const HWND first = program.CreateBar(IDM_BAR_COMMANDS);
    const HWND second = program.CreateBar(IDM_BAR_EXTENDED, SHCMBF_HIDDEN);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(::IsWindowVisible(second));
    EXPECT_EQ(SHFindMenuBar(program.Window()), first);

    Press(program.Window(), VK_F2);
    EXPECT_EQ(program.commands, std::vector<UINT>{ID_CANCEL});

    ::ShowWindow(first, SW_HIDE);
    ::ShowWindow(second, SW_SHOW);
    EXPECT_EQ(SHFindMenuBar(program.Window()), second);
    Press(program.Window(), VK_F1);
    EXPECT_EQ(program.commands, (std::vector<UINT>{ID_CANCEL, ID_DONE}));
    EXPECT_NE(::GetActiveWindow(), second);
}

TEST(SoftKeyBar, AKeyReleasedAfterItsBarWentDoesNothing)
{
    ProgramWindow program;
    const HWND bar = program.CreateBar(IDM_BAR_COMMANDS);
    ASSERT_NE(bar, nullptr);
    KeyDown(program.Window(), VK_F1);
    ::DestroyWindow(bar);
    KeyUp(program.Window(), VK_F1);
    EXPECT_TRUE(program.commands.empty());
    EXPECT_TRUE(program.keys.empty());
}

TEST(SoftKeyBar, MenuExPopupButtonsCarryTheirId)
{
    ProgramWindow program;
    const HWND bar = program.CreateBar(IDM_BAR_EXTENDED);
    ASSERT_NE(bar, nullptr);
    const auto submenu = reinterpret_cast<HMENU>(::SendMessageW(bar, SHCMBM_GETSUBMENU, 0, ID_MENU_BUTTON));
    ASSERT_NE(submenu, nullptr);
    EXPECT_EQ(::GetMenuItemID(submenu, 0), static_cast<UINT>(ID_ABOUT));
    EXPECT_EQ(::GetSubMenu(reinterpret_cast<HMENU>(::SendMessageW(bar, SHCMBM_GETMENU, 0, 0)), 1), submenu);
    EXPECT_TRUE(SetButtonText(bar, ID_MENU_BUTTON, L"Options"));
    EXPECT_EQ(ScreenTextOf(bar), L"left: Done\nright: Options");
}

TEST(SoftKeyBar, AnActivationHandedToItGoesOnToItsProgram)
{
    ProgramWindow program;
    const HWND bar = program.CreateBar(IDM_BAR_COMMANDS);
    ASSERT_NE(bar, nullptr);
    Pump();
    // What the window manager may do when the window in front goes away.
    ::SetActiveWindow(bar);
    Pump();
    EXPECT_EQ(::GetActiveWindow(), program.Window());
    Press(program.Window(), VK_F2);
    EXPECT_EQ(program.commands, std::vector<UINT>{ID_CANCEL});
}
