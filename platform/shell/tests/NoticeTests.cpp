#include "platform/shell/Notice.h"

#include "platform/Handset.h"

#include <gtest/gtest.h>

using namespace vellumate;

namespace {

RECT NoticeRect(const std::wstring& text)
{
    Notice notice;
    EXPECT_TRUE(notice.Create(::GetModuleHandleW(nullptr), nullptr, L"Home", text, NoticeKind::Error));
    RECT rect{};
    ::GetWindowRect(notice.Window(), &rect);
    wchar_t shown[2048] = L"";
    ::GetDlgItemTextW(notice.Window(), NoticeTextId, shown, 2048);
    EXPECT_EQ(std::wstring(shown), text);
    return rect;
}

TEST(Notice, RisesFromTheBottomAsFarAsItsTextNeedsButNeverOverTheStrip)
{
    const RECT oneLine = NoticeRect(L"Done.");
    const RECT threeLines = NoticeRect(L"Missing Program cannot be started.\nFile not found.");
    std::wstring endless;
    for (int i = 0; i < 60; ++i)
        endless += L"Very many words. ";
    const RECT tooLong = NoticeRect(endless);

    for (const RECT& rect : {oneLine, threeLines, tooLong}) {
        EXPECT_EQ(rect.left, 0);
        EXPECT_EQ(rect.right, ScreenWidth);
        EXPECT_EQ(rect.bottom, ScreenHeight);
        EXPECT_GE(rect.top, TitleStripHeight);
    }
    EXPECT_LT(threeLines.top, oneLine.top) << "wrapped text makes the notice taller";
    EXPECT_EQ(tooLong.top, TitleStripHeight);
}

TEST(Notice, GoesAwayWithTheActionBackAndSoftKeysOnly)
{
    for (const WPARAM key : {WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}, WPARAM{VK_F1}, WPARAM{VK_F2}}) {
        Notice notice;
        ASSERT_TRUE(notice.Create(::GetModuleHandleW(nullptr), nullptr, L"Home", L"text", NoticeKind::Information));
        ::SendMessageW(notice.Window(), WM_KEYDOWN, '5', 0);
        ::SendMessageW(notice.Window(), WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_FALSE(notice.Dismissed());
        ::SendMessageW(notice.Window(), WM_KEYDOWN, key, 0);
        EXPECT_TRUE(notice.Dismissed()) << key;
    }
}

}  // namespace
