// The phone information dialog from the real resources: which lines it shows
// and where, and when it scrolls.
#include "simmanager/MainWindow.h"
#include "simmanager/PhoneInfoDialog.h"
#include "simmanager/PhoneInfoResources.h"
#include "simmanager/resource.h"

#include "framework/testsupport/MainWindowFixture.h"
#include "framework/testsupport/ModalDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

PhoneInfo AllFigures()
{
    PhoneInfo info;
    info.capacity = 250;
    info.nameLength = 16;
    info.numberLength = 40;
    info.serial = L"356938035643809";
    info.smsc = L"+447958879879";
    info.subscriber = L"234150999999999";
    info.provider = L"Vellum Mobile";
    return info;
}

RECT ClientRectOf(HWND control)
{
    RECT box{};
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&box), 2);
    return box;
}

class PhoneInfoDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(BindProgramResources(MainWindow::Startup(m_unused)));
        // The owner a command's dialog has, as the main window would be.
        WNDCLASSW owner{};
        owner.lpfnWndProc = DefWindowProcW;
        owner.hInstance = GetModuleHandleW(nullptr);
        owner.lpszClassName = L"PhoneInfoOwner";
        RegisterClassW(&owner);
        m_owner = CreateWindowExW(0, L"PhoneInfoOwner", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 176, 220, nullptr,
                                  nullptr, owner.hInstance, nullptr);
        ASSERT_NE(m_owner, nullptr);
    }
    void TearDown() override { DestroyWindow(m_owner); }

    std::unique_ptr<MainWindow> m_unused;
    HWND m_owner = nullptr;
};

TEST_F(PhoneInfoDialogTest, WithCapacityAndMessageCentreOnlyTheyStandAtTheTopWithoutAScrollBar)
{
    PhoneInfo info;
    info.capacity = 250;
    info.nameLength = 16;
    info.numberLength = 40;
    info.smsc = L"+447958879879";
    PhoneInfoDialog dialog(m_owner, info);
    bool scrollBar = true;
    RECT numberLength{}, smscLabel{}, smsc{}, client{};
    bool hiddenOthers = false;
    wchar_t provider[64] = {};
    ModalDriver driver([&](HWND window) {
        scrollBar = (GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL) != 0;
        numberLength = ClientRectOf(GetDlgItem(window, IDC_INFO_NUMBER_LENGTH));
        smscLabel = ClientRectOf(GetDlgItem(window, IDC_INFO_SMSC_LABEL));
        smsc = ClientRectOf(GetDlgItem(window, IDC_INFO_SMSC));
        GetClientRect(window, &client);
        hiddenOthers = true;
        for (int control : {IDC_INFO_SERIAL_LABEL, IDC_INFO_SERIAL, IDC_INFO_SUBSCRIBER_LABEL, IDC_INFO_SUBSCRIBER,
                            IDC_INFO_PROVIDER_LABEL, IDC_INFO_PROVIDER})
            hiddenOthers = hiddenOthers && !IsWindowVisible(GetDlgItem(window, control));
        GetDlgItemTextW(window, IDC_INFO_PROVIDER, provider, 64);
        PostMessageW(window, WM_COMMAND, ID_DIALOG_DONE, 0);
    });
    EXPECT_EQ(RunModal(dialog), IDOK);
    ASSERT_TRUE(driver.Wait());
    EXPECT_FALSE(scrollBar);
    EXPECT_TRUE(hiddenOthers);
    EXPECT_STREQ(provider, L"Unknown") << "the provider's value when the SIM file could not be read";
    EXPECT_EQ(smscLabel.top, smsc.top);
    EXPECT_GT(smscLabel.top, numberLength.top) << "the message centre follows the capacity's third value";
    EXPECT_LT(smscLabel.top - numberLength.top, 2 * (numberLength.bottom - numberLength.top + 12));
    EXPECT_LE(smsc.right, client.right);
    EXPECT_GE(driver.Dialog().text.Find(L"+447958879879"), 0) << driver.Dialog().text.Chars();
}

TEST_F(PhoneInfoDialogTest, SevenValueLinesGetAScrollBarAndScrollNoFurtherThanTheirHeight)
{
    PhoneInfoDialog dialog(m_owner, AllFigures());
    bool scrollBar = false;
    int afterOne = -1, atEnd = -1, back = -1;
    int range = 0;
    RECT client{};
    ModalDriver driver([&](HWND window) {
        scrollBar = (GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL) != 0;
        SCROLLINFO scroll{sizeof scroll, SIF_RANGE};
        GetScrollInfo(window, SB_VERT, &scroll);
        range = scroll.nMax;
        GetClientRect(window, &client);
        HWND pane = FindWindowExW(window, nullptr, L"VellumateDialogPane", nullptr);
        SendMessageW(pane, WM_KEYDOWN, VK_DOWN, 0);
        afterOne = dialog.ScrollOffset();
        for (int press = 0; press < 12; ++press)
            SendMessageW(pane, WM_KEYDOWN, VK_DOWN, 0);
        atEnd = dialog.ScrollOffset();
        for (int press = 0; press < 12; ++press)
            SendMessageW(pane, WM_KEYDOWN, VK_UP, 0);
        back = dialog.ScrollOffset();
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(RunModal(dialog), IDCANCEL);
    ASSERT_TRUE(driver.Wait());
    EXPECT_TRUE(scrollBar);
    EXPECT_EQ(range, dialog.ContentHeight());
    const int room = std::max(0, dialog.ContentHeight() - static_cast<int>(client.bottom));
    EXPECT_EQ(afterOne, std::min(room, afterOne > 0 ? afterOne : 0));
    EXPECT_EQ(atEnd, room) << "no further than the last line";
    EXPECT_EQ(back, 0);
}

}  // namespace
