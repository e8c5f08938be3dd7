// A small main window on the framework's base: its bar, its command table,
// its menu hook, the failures that must fail creation, and an error raised
// by a command reaching the frame around the message that carried it.
#include "framework/CommandTable.h"
#include "framework/Errors.h"
#include "framework/MainWindowBase.h"
#include "framework/testsupport/MessagePump.h"

#include "test_dialogs.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

constexpr wchar_t TestClass[] = L"VellumateTestMainWindow";
constexpr UINT CountCommand = 41001;
constexpr UINT FailCommand = 41002;
constexpr UINT TestErrorMessage = 46998;

struct TestContext {
    int count;
};

class TestMainWindow final : public MainWindowBase<TestMainWindow> {
public:
    explicit TestMainWindow(bool failCreate) : MainWindowBase(IDM_TEST_BAR), m_failCreate(failCreate) {}
    ~TestMainWindow()
    {
        if (Window())
            DestroyWindow(Window());
    }

    void Count() { ++count; }
    void Fail() { ThrowError(new ErrorInfo(TestErrorMessage, 3)); }

    int count = 0;
    int menusOpened = 0;

private:
    friend MainWindowBase<TestMainWindow>;

    bool OnCreate()
    {
        if (m_failCreate)
            throw std::runtime_error("no resources");
        return true;
    }

    bool OnCommand(UINT command)
    {
        static constexpr CommandRow<TestMainWindow, TestContext> Commands[] = {
            {CountCommand, &TestMainWindow::Count, [](const TestContext& c) -> EnableState { return c.count < 2; }},
            {FailCommand, &TestMainWindow::Fail, nullptr},
        };
        return RunTableCommand(Commands, *this, command);
    }

    void OnMenuOpening(HMENU) { ++menusOpened; }

    bool m_failCreate;
};

HWND Create(TestMainWindow& window)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TestMainWindow::Procedure();
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = TestClass;
    RegisterClassW(&windowClass);  // once per process; later calls fail harmlessly
    return CreateWindowExW(0, TestClass, L"Test", WS_POPUP, 0, 0, 176, 160, nullptr, nullptr, GetModuleHandleW(nullptr),
                           window.CreationParameter());
}

TEST(MainWindowBase, RunsItsCommandsAndSendsTheirErrorsToTheFrame)
{
    {
        TestMainWindow window(false);
        ASSERT_NE(Create(window), nullptr);
        EXPECT_NE(window.MenuBar(), nullptr);

        SendFrameMessage(window.Window(), WM_COMMAND, CountCommand);
        SendFrameMessage(window.Window(), WM_INITMENUPOPUP, 0);
        EXPECT_EQ(window.count, 1);
        EXPECT_EQ(window.menusOpened, 1);

        ErrorFrame frame;
        bool afterMessage = false;
        EXPECT_FALSE(frame.Try([&] {
            SendFrameMessage(window.Window(), WM_COMMAND, FailCommand);
            afterMessage = true;
        }));
        EXPECT_FALSE(afterMessage);
        ASSERT_NE(frame.Error(), nullptr);
        EXPECT_EQ(frame.Error()->Code(1), 3u);

        // A plain SendMessage cannot stop its caller, but the frame still
        // learns that the operation failed.
        EXPECT_FALSE(frame.Try([&] { SendMessageW(window.Window(), WM_COMMAND, FailCommand, 0); }));
        EXPECT_FALSE(IsErrorHeld());
        // The window goes on working.
        SendFrameMessage(window.Window(), WM_COMMAND, CountCommand);
        EXPECT_EQ(window.count, 2);
    }
    vellumate::DropQuitMessages();
}

TEST(MainWindowBase, AFailureWhileCreatingFailsTheCreation)
{
    TestMainWindow failing(true);
    EXPECT_EQ(Create(failing), nullptr);
    EXPECT_EQ(failing.Window(), nullptr);
    vellumate::DropQuitMessages();

    // A window made without its object is refused, not left without one.
    EXPECT_EQ(CreateWindowExW(0, TestClass, L"Test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr),
              nullptr);
}

TEST(CommandTable, RulesEnableAndGreyInTableOrderAndLeaveOthersAlone)
{
    using Row = CommandRow<TestMainWindow, TestContext>;
    static constexpr Row Rows[] = {
        {CountCommand, nullptr, [](const TestContext& c) -> EnableState { return c.count > 0; }},
        {FailCommand, nullptr, [](const TestContext&) -> EnableState { return std::nullopt; }},
    };
    HMENU menu = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuW(sub, MF_STRING, CountCommand, L"Count");
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Sub");
    AppendMenuW(menu, MF_STRING | MF_GRAYED, FailCommand, L"Fail");

    ApplyEnableRules(Rows, menu, TestContext{0});
    EXPECT_TRUE(GetMenuState(menu, CountCommand, MF_BYCOMMAND) & MF_GRAYED);
    ApplyEnableRules(Rows, menu, TestContext{1});
    EXPECT_FALSE(GetMenuState(menu, CountCommand, MF_BYCOMMAND) & MF_GRAYED);
    // No answer: the resource's state stays.
    EXPECT_TRUE(GetMenuState(menu, FailCommand, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(CommandState(Rows, FailCommand, TestContext{1}), std::nullopt);
    DestroyMenu(menu);
}

}  // namespace
