// Framework dialogs made from the test templates, driven with the keys and
// commands a person gives them.
#include "framework/Dialogs.h"
#include "framework/Errors.h"
#include "framework/Globals.h"
#include "framework/testsupport/ModalDriver.h"

#include "platform/Handset.h"
#include "platform/ScreenText.h"

#include "UiTestSupport.h"
#include "test_dialogs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace {

constexpr int ThrowingCommand = 40000;
constexpr int NestedCommand = 40001;
constexpr int ErrorCommand = 40002;  // raises an error for the nearest frame
constexpr UINT TestErrorMessage = 46999;

// A framework dialog that notes what reaches its own level of the chain.
class TestDialog : public DialogCore {
public:
    TestDialog(UINT templateId, HWND parent, UINT menuBarId, UINT titleId, bool routeBack)
        : DialogCore(templateId, parent, menuBarId, titleId, routeBack)
    {
    }

    std::atomic<int> backHotkeys{0};
    std::vector<int> commands;
    bool initContinued = false;
    TestDialog* nested = nullptr;
    INT_PTR nestedResult = 0;
    bool afterNested = false;

protected:
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_HOTKEY && HIWORD(lParam) == VK_ESCAPE)
            ++backHotkeys;
        // Commands, not the edit control's notifications.
        if (message == WM_COMMAND && LOWORD(wParam) != IDC_TEST_EDIT) {
            int command = LOWORD(wParam);
            commands.push_back(command);
            if (command == ThrowingCommand)
                throw std::runtime_error("a handler failed");
            if (command == ErrorCommand)
                ThrowError(new ErrorInfo(TestErrorMessage, 7));
            if (command == NestedCommand && nested) {
                nestedResult = RunModal(*nested);
                afterNested = true;
                return true;
            }
        }
        return DialogCore::HandleMessage(window, message, wParam, lParam, result);
    }

    InitResult InitDialog() override
    {
        InitResult result = DialogCore::InitDialog();
        initContinued = result == InitResult::Continue;
        return result;
    }
};

class FrameworkDialogs : public OwnerWindowTest {};

// Whether a window of another thread still answers.
bool IsOpen(HWND window)
{
    DWORD_PTR ignored = 0;
    return IsWindow(window) && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

TEST_F(FrameworkDialogs, FillTheWorkAreaWithTitleAndMenuBar)
{
    TestDialog dialog(IDD_TEST_FULLSCREEN, m_owner, IDM_TEST_BAR, IDS_TEST_DIALOG_TITLE, false);
    RECT rect{};
    String title;
    HWND menuBar = nullptr;
    String barText;
    ModalDriver driver([&](HWND window) {
        GetWindowRect(window, &rect);
        title = WindowTextOf(window);
        menuBar = dialog.MenuBar();
        if (auto text = ReadScreenText(menuBar))
            barText = String(text->c_str());
        PostKeyToFocus(window, VK_F1);  // OK
    });
    EXPECT_EQ(RunModal(dialog), IDOK);
    ASSERT_TRUE(driver.Wait());
    EXPECT_TRUE(dialog.initContinued);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, vellumate::WorkAreaTop);
    EXPECT_EQ(rect.right, vellumate::ScreenWidth);
    EXPECT_EQ(rect.bottom, vellumate::WorkAreaTop + vellumate::WorkAreaHeight);
    EXPECT_EQ(title, String(L"Dialog Title"));
    EXPECT_NE(menuBar, nullptr);
    EXPECT_EQ(barText, String(L"left: OK\nright: Menu"));
    // The window is gone with the dialog.
    EXPECT_EQ(dialog.Window(), nullptr);
}

TEST_F(FrameworkDialogs, CommandsOneToSevenEndTheDialogWithTheirNumber)
{
    for (int command = IDOK; command <= IDNO; ++command) {
        TestDialog dialog(IDD_TEST_FULLSCREEN, m_owner, IDM_TEST_BAR, 0, false);
        String title;
        ModalDriver driver([&](HWND window) {
            title = WindowTextOf(window);
            PostMessageW(window, WM_COMMAND, command, 0);
        });
        EXPECT_EQ(RunModal(dialog), command);
        EXPECT_TRUE(driver.Wait()) << command;
        // Title number 0: the program title.
        EXPECT_EQ(title, String(L"T\u00EBst Pr\u00F6gram"));
    }
}

TEST_F(FrameworkDialogs, CommandEightIsLeftToTheDialog)
{
    TestDialog dialog(IDD_TEST_FULLSCREEN, m_owner, IDM_TEST_BAR, 0, false);
    bool openAfterEight = false;
    ModalDriver driver([&](HWND window) {
        PostMessageW(window, WM_COMMAND, IDM_TEST_EIGHT, 0);
        openAfterEight = IsOpen(window);
        // Yes, from the right soft key's popup: its first item.
        PostKeyToFocus(window, VK_F2);
        PostKeyToFocus(window, VK_RETURN);
    });
    EXPECT_EQ(RunModal(dialog), IDYES);
    ASSERT_TRUE(driver.Wait());
    EXPECT_TRUE(openAfterEight);
    EXPECT_EQ(dialog.commands, (std::vector<int>{IDM_TEST_EIGHT, IDYES}));
}

TEST_F(FrameworkDialogs, AMissingMenuBarEndsTheDialogWithTwo)
{
    TestDialog dialog(IDD_TEST_FULLSCREEN, m_owner, IDM_TEST_MISSING, 0, true);
    EXPECT_EQ(RunModal(dialog), EndMenuBarFailed);
    // The levels above skip their own set-up.
    EXPECT_FALSE(dialog.initContinued);
    EXPECT_EQ(dialog.MenuBar(), nullptr);
}

TEST_F(FrameworkDialogs, AFailedFullScreenSetUpStopsBeforeTheMenuBar)
{
    // The platform refuses only what is not a window, which an open dialog
    // always is: a dialog without its window stands for that failure.
    TestDialog dialog(IDD_TEST_FULLSCREEN, m_owner, IDM_TEST_BAR, 0, true);
    EXPECT_EQ(InitFullScreenDialog(dialog), InitResult::Stop);
    EXPECT_EQ(dialog.MenuBar(), nullptr);
    EXPECT_EQ(EndFullScreenFailed, 1);
}

TEST_F(FrameworkDialogs, AMissingTemplateFailsTheModalCall)
{
    TestDialog missing(IDD_TEST_MISSING, m_owner, IDM_TEST_BAR, 0, false);
    EXPECT_EQ(RunModal(missing), -1);

    // The next dialog is not mistaken for the one that never came.
    TestDialog dialog(IDD_TEST_FULLSCREEN, m_owner, IDM_TEST_BAR, 0, false);
    ModalDriver driver([](HWND window) { PostMessageW(window, WM_COMMAND, IDRETRY, 0); });
    EXPECT_EQ(RunModal(dialog), IDRETRY);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(dialog.commands, std::vector<int>{IDRETRY});
    EXPECT_TRUE(missing.commands.empty());
}

TEST_F(FrameworkDialogs, RoutedBackArrivesAsAHotkeyAndGoesToTheFocus)
{
    TestDialog dialog(IDD_TEST_FULLSCREEN, m_owner, IDM_TEST_BAR, 0, true);
    String afterBack;
    bool openAfterBack = false;
    ModalDriver driver([&](HWND window) {
        HWND edit = GetDlgItem(window, IDC_TEST_EDIT);
        SetWindowTextW(edit, L"abc");
        SendMessageW(edit, EM_SETSEL, 3, 3);
        PostKeyToFocus(window, VK_ESCAPE);
        WaitUntil([&] { return WindowTextOf(edit) == L"ab"; }, 5000);
        afterBack = WindowTextOf(edit);
        openAfterBack = IsOpen(window);
        // With nothing left to delete, Back leaves the screen.
        SetWindowTextW(edit, L"");
        PostKeyToFocus(window, VK_ESCAPE);
    });
    EXPECT_EQ(RunModal(dialog), IDCANCEL);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(afterBack, String(L"ab"));
    EXPECT_TRUE(openAfterBack);
    // A press and its release.
    EXPECT_GE(dialog.backHotkeys.load(), 2);
}

TEST_F(FrameworkDialogs, UnroutedBackNeverReachesTheDialog)
{
    TestDialog dialog(IDD_TEST_FULLSCREEN, m_owner, IDM_TEST_BAR, 0, false);
    String afterBack;
    ModalDriver driver([&](HWND window) {
        HWND edit = GetDlgItem(window, IDC_TEST_EDIT);
        SetWindowTextW(edit, L"abc");
        SendMessageW(edit, EM_SETSEL, 3, 3);
        PostKeyToFocus(window, VK_ESCAPE);
        WaitUntil([&] { return WindowTextOf(edit) == L"ab"; }, 5000);
        afterBack = WindowTextOf(edit);
        SetWindowTextW(edit, L"");
        PostKeyToFocus(window, VK_ESCAPE);
    });
    EXPECT_EQ(RunModal(dialog), IDCANCEL);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(afterBack, String(L"ab"));
    EXPECT_EQ(dialog.backHotkeys.load(), 0);
}

TEST_F(FrameworkDialogs, AnExceptionInAHandlerStaysInsideTheDialog)
{
    TestDialog dialog(IDD_TEST_FULLSCREEN, m_owner, IDM_TEST_BAR, 0, false);
    bool openAfterThrow = false;
    ModalDriver driver([&](HWND window) {
        PostMessageW(window, WM_COMMAND, ThrowingCommand, 0);
        openAfterThrow = IsOpen(window);
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(RunModal(dialog), IDOK);
    ASSERT_TRUE(driver.Wait());
    EXPECT_TRUE(openAfterThrow);
    EXPECT_EQ(dialog.commands, (std::vector<int>{ThrowingCommand, IDOK}));
}

TEST_F(FrameworkDialogs, NestedDialogsEachKeepTheirOwnObject)
{
    TestDialog outer(IDD_TEST_FULLSCREEN, m_owner, IDM_TEST_BAR, 0, false);
    TestDialog inner(IDD_TEST_FULLSCREEN, nullptr, IDM_TEST_BAR, IDS_TEST_DIALOG_TITLE, false);
    outer.nested = &inner;
    DWORD thread = GetCurrentThreadId();
    bool innerAppeared = false;
    ModalDriver driver([&](HWND window) {
        PostMessageW(window, WM_COMMAND, NestedCommand, 0);
        HWND innerWindow = nullptr;
        innerAppeared = WaitUntil([&] {
            innerWindow = FindWindowW(L"#32770", L"Dialog Title");
            return innerWindow && GetWindowThreadProcessId(innerWindow, nullptr) == thread && IsOpen(innerWindow);
        });
        if (innerWindow)
            PostMessageW(innerWindow, WM_COMMAND, IDYES, 0);
        WaitUntil([&] { return !IsWindow(innerWindow); });
        PostMessageW(window, WM_COMMAND, IDABORT, 0);
    });
    EXPECT_EQ(RunModal(outer), IDABORT);
    ASSERT_TRUE(driver.Wait());
    EXPECT_TRUE(innerAppeared);
    EXPECT_EQ(outer.nestedResult, IDYES);
    EXPECT_EQ(outer.commands, (std::vector<int>{NestedCommand, IDABORT}));
    EXPECT_EQ(inner.commands, std::vector<int>{IDYES});
}

TEST_F(FrameworkDialogs, AnErrorInANestedDialogReachesTheFrameAroundTheOuterOne)
{
    TestDialog outer(IDD_TEST_FULLSCREEN, m_owner, IDM_TEST_BAR, 0, false);
    TestDialog inner(IDD_TEST_FULLSCREEN, nullptr, IDM_TEST_BAR, IDS_TEST_DIALOG_TITLE, false);
    outer.nested = &inner;
    const DWORD thread = GetCurrentThreadId();
    ModalDriver driver([&](HWND window) {
        PostMessageW(window, WM_COMMAND, NestedCommand, 0);
        HWND innerWindow = nullptr;
        WaitUntil([&] {
            innerWindow = FindWindowW(L"#32770", L"Dialog Title");
            return innerWindow && GetWindowThreadProcessId(innerWindow, nullptr) == thread && IsOpen(innerWindow);
        });
        if (innerWindow)
            PostMessageW(innerWindow, WM_COMMAND, ErrorCommand, 0);
    });

    ErrorFrame frame;
    bool afterDialog = false;
    const bool ran = frame.Try([&] {
        RunModal(outer);
        afterDialog = true;
    });
    ASSERT_TRUE(driver.Wait());
    EXPECT_FALSE(ran);
    ASSERT_NE(frame.Error(), nullptr);
    EXPECT_EQ(frame.Error()->MessageNumber(), TestErrorMessage);
    EXPECT_EQ(frame.Error()->Code(1), 7u);
    // Neither caller went on as if the dialog had ended normally.
    EXPECT_FALSE(afterDialog);
    EXPECT_FALSE(outer.afterNested);
    EXPECT_EQ(inner.commands, std::vector<int>{ErrorCommand});
    EXPECT_FALSE(IsErrorHeld());
    EXPECT_EQ(FindWindowW(L"#32770", L"Dialog Title"), nullptr);
}

// A program's procedure that takes every exception itself, as a careless one
// might.
INT_PTR CALLBACK SwallowingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM) noexcept
{
    try {
        if (message == WM_COMMAND && LOWORD(wParam) == ErrorCommand)
            ThrowError(new ErrorInfo(TestErrorMessage));
        if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
            EndDialog(window, IDOK);
    } catch (...) {
    }
    return message == WM_INITDIALOG;
}

TEST_F(FrameworkDialogs, AnErrorInAProgramDialogAndInASentMessageReachesItsFrame)
{
    ModalDriver driver([](HWND window) { PostMessageW(window, WM_COMMAND, ErrorCommand, 0); });
    ErrorFrame frame;
    INT_PTR result = 0;
    EXPECT_FALSE(frame.Try([&] { result = ShowTemplateDialog(IDD_TEST_PROGRAM, m_owner, SwallowingProcedure); }));
    ASSERT_TRUE(driver.Wait());
    ASSERT_NE(frame.Error(), nullptr);
    EXPECT_EQ(frame.Error()->MessageNumber(), TestErrorMessage);
    EXPECT_EQ(result, 0);

    // Once the error is taken the next dialog runs normally.
    ModalDriver again([](HWND window) { PostMessageW(window, WM_COMMAND, IDOK, 0); });
    EXPECT_TRUE(frame.Try([&] { result = ShowTemplateDialog(IDD_TEST_PROGRAM, m_owner, SwallowingProcedure); }));
    ASSERT_TRUE(again.Wait());
    EXPECT_EQ(result, IDOK);
}

TEST_F(FrameworkDialogs, MenuBarButtonsCanBeHiddenAndRenamed)
{
    TestDialog dialog(IDD_TEST_FULLSCREEN, m_owner, IDM_TEST_BAR, 0, false);
    String barText;
    ModalDriver driver([&](HWND window) {
        HWND bar = dialog.MenuBar();
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
        SetMenuBarButtonText(bar, IDOK, L"Send");
        WaitUntil([&] {
            auto text = ReadScreenText(bar);
            return text && *text == L"left: Send\nright: Menu";
        });
        HideMenuBarButton(bar, IDOK);
        WaitUntil([&] {
            auto text = ReadScreenText(bar);
            return text && *text == L"right: Menu";
        });
        if (auto text = ReadScreenText(bar))
            barText = String(text->c_str());
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(RunModal(dialog), IDOK);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(barText, String(L"right: Menu"));
}

// A program's own dialog: a plain procedure with one module-level pointer.
struct ProgramDialogData {
    LPARAM received = 0;
    HWND window = nullptr;
};
ProgramDialogData* programDialogData = nullptr;

INT_PTR CALLBACK ProgramDialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_INITDIALOG) {
        programDialogData->received = lParam;
        programDialogData->window = window;
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        EndDialog(window, 42);
        return TRUE;
    }
    return FALSE;
}

TEST_F(FrameworkDialogs, ProgramDialogsRunFromTheirTemplates)
{
    ProgramDialogData data;
    programDialogData = &data;
    ModalDriver driver([](HWND window) { PostMessageW(window, WM_COMMAND, IDOK, 0); });
    EXPECT_EQ(ShowTemplateDialog(IDD_TEST_PROGRAM, m_owner, ProgramDialogProcedure, 1234), 42);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(data.received, 1234);
    EXPECT_EQ(driver.Dialog().owner, m_owner);

    EXPECT_EQ(ShowTemplateDialog(IDD_TEST_MISSING, m_owner, ProgramDialogProcedure), -1);
    programDialogData = nullptr;
}

}  // namespace
