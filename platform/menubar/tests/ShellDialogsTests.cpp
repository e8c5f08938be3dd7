// SHInitDialog turns a dialog of any template into a screen of the handset.
#include "platform/Handset.h"
#include "platform/ShellDialogs.h"

#include "MenuTestSupport.h"
#include "test_menubar.h"

#include <gtest/gtest.h>

namespace {

INT_PTR CALLBACK QuietDialog(HWND, UINT message, WPARAM, LPARAM) noexcept
{
    return message == WM_INITDIALOG;
}

class ShellDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog_ = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_BAR_DIALOG), nullptr,
                                       &QuietDialog, 0);
        ASSERT_NE(dialog_, nullptr);
    }
    void TearDown() override { ::DestroyWindow(dialog_); }

    BOOL Init(DWORD flags, DWORD mask = SHIDIM_FLAGS)
    {
        SHINITDLGINFO info{};
        info.dwMask = mask;
        info.hDlg = dialog_;
        info.dwFlags = flags;
        return SHInitDialog(&info);
    }

    HWND dialog_ = nullptr;
};

}  // namespace

TEST_F(ShellDialog, FullScreenFillsTheWorkAreaWithoutCaptionOrFrame)
{
    ASSERT_TRUE(Init(SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_DONEBUTTON));
    RECT rect{};
    ::GetWindowRect(dialog_, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, vellumate::WorkAreaTop);
    EXPECT_EQ(rect.right, vellumate::ScreenWidth);
    EXPECT_EQ(rect.bottom, vellumate::ScreenHeight - vellumate::MenuBarHeight);
    RECT client{};
    ::GetClientRect(dialog_, &client);
    EXPECT_EQ(client.right, vellumate::ScreenWidth);
    EXPECT_EQ(client.bottom, vellumate::WorkAreaHeight);
    EXPECT_EQ(::GetWindowLongPtrW(dialog_, GWL_STYLE) & WS_CAPTION, 0);
    // The title stays: the title strip shows it.
    wchar_t title[32] = L"";
    ::GetWindowTextW(dialog_, title, 32);
    EXPECT_STREQ(title, L"Test Screen");
}

TEST_F(ShellDialog, WithoutAMenuBarItReachesTheBottom)
{
    ASSERT_TRUE(Init(SHIDIF_FULLSCREENNOMENUBAR));
    RECT rect{};
    ::GetWindowRect(dialog_, &rect);
    EXPECT_EQ(rect.top, vellumate::WorkAreaTop);
    EXPECT_EQ(rect.bottom, vellumate::ScreenHeight);
}

TEST_F(ShellDialog, RefusesWhatIsNoDialogSetUp)
{
    RECT before{};
    ::GetWindowRect(dialog_, &before);
    EXPECT_FALSE(Init(SHIDIF_SIZEDLGFULLSCREEN, 0));
    EXPECT_FALSE(SHInitDialog(nullptr));
    SHINITDLGINFO notAWindow{SHIDIM_FLAGS, reinterpret_cast<HWND>(0x4242), SHIDIF_SIZEDLGFULLSCREEN};
    EXPECT_FALSE(SHInitDialog(&notAWindow));
    RECT after{};
    ::GetWindowRect(dialog_, &after);
    EXPECT_TRUE(::EqualRect(&before, &after));
    // Flags that ask for no size leave the dialog where it is.
    EXPECT_TRUE(Init(SHIDIF_DONEBUTTON | SHIDIF_SIPDOWN));
    ::GetWindowRect(dialog_, &after);
    EXPECT_TRUE(::EqualRect(&before, &after));
}
