// The options of the platform's application that ignores close requests,
// with which the tests start it as a known application or a closable one.
#include "platform/holdout/HoldoutWindow.h"

#include <gtest/gtest.h>

TEST(HoldoutOptions, ClassTitleAndClosableFromTheCommandLine)
{
    const vellumate::HoldoutOptions plain = vellumate::ParseHoldoutOptions(L"");
    EXPECT_EQ(plain.className, vellumate::HoldoutDefaultClass);
    EXPECT_EQ(plain.title, vellumate::HoldoutDefaultTitle);
    EXPECT_FALSE(plain.closable);

    const vellumate::HoldoutOptions known =
        vellumate::ParseHoldoutOptions(L" /class \"Tasks Application\"\t/title Tasks /unknown /closable");
    EXPECT_EQ(known.className, L"Tasks Application");
    EXPECT_EQ(known.title, L"Tasks");
    EXPECT_TRUE(known.closable);

    // A name without its value, or an unclosed quotation, keeps what it can.
    EXPECT_EQ(vellumate::ParseHoldoutOptions(L"/title").title, vellumate::HoldoutDefaultTitle);
    EXPECT_EQ(vellumate::ParseHoldoutOptions(L"/title \"Open end").title, L"Open end");
}

TEST(HoldoutWindow, RefusesCloseRequestsUnlessClosable)
{
    vellumate::HoldoutOptions options;
    options.className = L"LunsettTestHoldout";
    vellumate::HoldoutWindow stubborn(options);
    ASSERT_TRUE(stubborn.Create(GetModuleHandleW(nullptr)));
    SendMessageW(stubborn.Window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(stubborn.Window()));
    EXPECT_EQ(stubborn.RefusedCloses(), 1);

    options.className = L"LunsettTestWilling";
    options.closable = true;
    vellumate::HoldoutWindow willing(options);
    ASSERT_TRUE(willing.Create(GetModuleHandleW(nullptr)));
    const HWND window = willing.Window();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}
