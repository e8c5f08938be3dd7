#include "framework/Globals.h"
#include "framework/Messages.h"
#include "framework/testsupport/ModalDriver.h"

#include "platform/Handset.h"

#include "TestSupport.h"
#include "test_messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

namespace {

// An error record whose text is its own.
class FixedTextError : public ErrorInfo {
public:
    FixedTextError(const std::wstring& text, int* destroyed = nullptr)
        : ErrorInfo(IDS_TEST_MISSING), m_text(text), m_destroyed(destroyed)
    {
    }
    ~FixedTextError() override
    {
        if (m_destroyed)
            ++*m_destroyed;
    }
    bool GetErrorText(wchar_t* buffer, int size) override
    {
        int count = std::min(static_cast<int>(m_text.size()), size - 1);
        m_text.copy(buffer, count);
        buffer[count] = L'\0';
        return true;
    }

private:
    std::wstring m_text;
    int* m_destroyed;
};

std::wstring Fifty()
{
    return L"0123456789012345678901234567890123456789012345678|";
}

TEST(MessageText, MissingStringsAndTheSecondMessage)
{
    EXPECT_EQ(ComposeMessage(IDS_TEST_MISSING, 0, 0, 0, 0, nullptr), String(L"Something went wrong."));
    EXPECT_EQ(ComposeMessage(IDS_TEST_PLAIN, IDS_TEST_SECOND, 0, 0, 0, nullptr),
              String(L"The folder cannot be read.\nCheck the storage card."));
    EXPECT_EQ(ComposeMessage(IDS_TEST_PLAIN, IDS_TEST_MISSING, 0, 0, 0, nullptr),
              String(L"The folder cannot be read."));
}

TEST(MessageText, ArgumentsFormatTheCombinedText)
{
    EXPECT_EQ(ComposeMessage(IDS_TEST_FORMAT, IDS_TEST_SECOND, 0, 0, 0, nullptr, String(L"Storage Card"), 3),
              String(L"Storage Card holds 3 files.\nCheck the storage card."));
    // Without arguments nothing is taken for a format.
    EXPECT_EQ(ComposeMessage(IDS_TEST_PERCENT, 0, 0, 0, 0, nullptr), String(L"Only 5% space left \u2013 100% sure"));
}

TEST(MessageText, CodesOnlyWhenTheFirstIsSet)
{
    EXPECT_EQ(ComposeMessage(IDS_TEST_PLAIN, 0, 10014, 200, 0, nullptr),
              String(L"The folder cannot be read.\n10014:200:0"));
    EXPECT_EQ(ComposeMessage(IDS_TEST_PLAIN, 0, 0, 200, 7, nullptr), String(L"The folder cannot be read."));
    EXPECT_EQ(ComposeMessage(IDS_TEST_PLAIN, 0, 4294967295u, 0, 1, nullptr),
              String(L"The folder cannot be read.\n4294967295:0:1"));
}

TEST(MessageText, TheErrorRecordComesLast)
{
    ErrorInfo error(IDS_TEST_SECOND, 10014, 100, 20, 0);
    EXPECT_EQ(ComposeMessage(IDS_TEST_FORMAT, 0, 10013, 100, 0, &error, String(L"A"), 1),
              String(L"A holds 1 files.\n10013:100:0\nCheck the storage card.\n10014:100:20:0"));

    // Percent signs in the record's text are not formatted.
    FixedTextError fixed(L"50% of %s");
    EXPECT_EQ(ComposeMessage(IDS_TEST_FORMAT, 0, 0, 0, 0, &fixed, String(L"B"), 2),
              String(L"B holds 2 files.\n50% of %s"));
}

TEST(MessageText, LongTextsAreCut)
{
    String message = ComposeMessage(IDS_TEST_300, IDS_TEST_600, 0, 0, 0, nullptr);
    std::wstring expected = (Fifty() + Fifty() + Fifty() + Fifty() + Fifty() + Fifty()).substr(0, 256);
    EXPECT_EQ(std::wstring(message.Chars()), expected + L"\n" + expected);

    FixedTextError longError(std::wstring(400, L'e'));
    String withError = ComposeMessage(IDS_TEST_PLAIN, 0, 0, 0, 0, &longError);
    EXPECT_EQ(std::wstring(withError.Chars()), L"The folder cannot be read.\n" + std::wstring(255, L'e'));
}

TEST(MessageStyle, Rules)
{
    EXPECT_EQ(MessageBoxStyle(0), static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
    EXPECT_EQ(MessageBoxStyle(0x12), 0x15u);
    EXPECT_EQ(MessageBoxStyle(MB_ABORTRETRYIGNORE), static_cast<UINT>(MB_RETRYCANCEL));
    EXPECT_EQ(MessageBoxStyle(MB_ABORTRETRYIGNORE | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_TOPMOST),
              static_cast<UINT>(MB_RETRYCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_TOPMOST));
    EXPECT_EQ(MessageBoxStyle(MB_ICONSTOP), static_cast<UINT>(MB_ICONSTOP));
    EXPECT_EQ(MessageBoxStyle(MB_YESNOCANCEL | MB_ICONQUESTION), static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(MessageBoxStyle(MB_OKCANCEL), static_cast<UINT>(MB_OKCANCEL));
}

// Message boxes as the user meets them, captioned with the program title.
class MessageBoxes : public ::testing::Test {
protected:
    void SetUp() override
    {
        HINSTANCE self = GetModuleHandleW(nullptr);
        InitFramework(self, self, IDS_TEST_TITLE);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = self;
        windowClass.lpszClassName = L"MessagesTestOwner";
        RegisterClassW(&windowClass);
    }

    void TearDown() override
    {
        for (HWND window : m_windows) {
            if (IsWindow(window))
                DestroyWindow(window);
        }
    }

    HWND MakeWindow()
    {
        HWND window = CreateWindowExW(0, L"MessagesTestOwner", L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 176,
                                      220, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        EXPECT_NE(window, nullptr);
        m_windows.push_back(window);
        return window;
    }

    std::vector<HWND> m_windows;
};

TEST_F(MessageBoxes, ShowsTextCodesTitleAndStyle)
{
    HWND owner = MakeWindow();
    ModalDriver driver(IDRETRY);
    int result = ShowMessage(owner, IDS_TEST_PLAIN, 0, 0x12, 10014, 200, 0, nullptr);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(result, IDRETRY);
    const ModalDialogInfo& box = driver.Dialog();
    EXPECT_EQ(box.text, String(L"The folder cannot be read.\n10014:200:0"));
    EXPECT_EQ(box.caption, String(L"T\u00EBst Pr\u00F6gram"));
    EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONHAND));
    EXPECT_EQ(box.ButtonGroup(), MB_RETRYCANCEL);
    EXPECT_EQ(box.owner, owner);
}

TEST_F(MessageBoxes, StyleZeroIsAWarningWithOk)
{
    HWND owner = MakeWindow();
    ModalDriver driver(IDOK);
    int result = ShowMessage(owner, IDS_TEST_UNICODE, IDS_TEST_SECOND, 0, 0, 0, 0, nullptr);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(driver.Dialog().text,
              String(L"P\u0159\u00EDlohy \u201EGr\u00FC\u00DFe\u201C \u6771\u4EAC \u2713\nCheck the storage card."));
    EXPECT_EQ(driver.Dialog().icon, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(driver.Dialog().ButtonGroup(), MB_OK);
}

TEST_F(MessageBoxes, AMissingMessageShowsTheGenericOne)
{
    HWND owner = MakeWindow();
    ModalDriver driver(IDNO);
    int result = ShowMessage(owner, IDS_TEST_MISSING, 0, MB_YESNO | MB_ICONQUESTION, 0, 0, 0, nullptr);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(result, IDNO);
    EXPECT_EQ(driver.Dialog().text, String(L"Something went wrong."));
    EXPECT_EQ(driver.Dialog().icon, static_cast<UINT>(MB_ICONQUESTION));
    EXPECT_EQ(driver.Dialog().ButtonGroup(), MB_YESNO);
}

TEST_F(MessageBoxes, WithoutAUsableOwnerTheActiveWindowOwnsTheBox)
{
    HWND active = MakeWindow();
    SetActiveWindow(active);
    ASSERT_EQ(GetActiveWindow(), active);

    ModalDriver first(IDOK);
    ShowMessage(nullptr, IDS_TEST_PLAIN, 0, MB_OK, 0, 0, 0, nullptr);
    ASSERT_TRUE(first.Wait());
    EXPECT_EQ(first.Dialog().owner, active);

    HWND gone = MakeWindow();
    DestroyWindow(gone);
    SetActiveWindow(active);
    ModalDriver second(IDOK);
    ShowMessage(gone, IDS_TEST_PLAIN, 0, MB_OK, 0, 0, 0, nullptr);
    ASSERT_TRUE(second.Wait());
    EXPECT_EQ(second.Dialog().owner, active);
}

TEST_F(MessageBoxes, TheCatchingFrameShowsTheError)
{
    HWND owner = MakeWindow();
    ErrorFrame frame;
    bool completed = frame.Try([] { ThrowError(new ErrorInfo(IDS_TEST_SECOND, 10014, 100, 20, 0)); });
    ASSERT_FALSE(completed);

    ModalDriver driver(IDOK);
    ShowMessage(owner, IDS_TEST_PLAIN, 0, MB_ICONSTOP, 10013, 100, 0, frame.Error());
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(driver.Dialog().text,
              String(L"The folder cannot be read.\n10013:100:0\nCheck the storage card.\n10014:100:20:0"));
    EXPECT_EQ(driver.Dialog().icon, static_cast<UINT>(MB_ICONHAND));
}

TEST_F(MessageBoxes, AnErrorNoFrameTakesIsShownAndEndsTheOperation)
{
    int destroyed = 0;
    bool reachedEnd = false;
    ModalDriver driver(IDOK);
    bool completed = RunOperation([&] {
        ThrowError(new FixedTextError(L"Archive damaged", &destroyed));
        reachedEnd = true;
    });
    ASSERT_TRUE(driver.Wait());
    EXPECT_FALSE(completed);
    EXPECT_FALSE(reachedEnd);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(driver.Dialog().text, String(L"Archive damaged"));
    EXPECT_EQ(driver.Dialog().caption, String(L"T\u00EBst Pr\u00F6gram"));
    EXPECT_EQ(driver.Dialog().icon, static_cast<UINT>(MB_ICONHAND));
}

TEST_F(MessageBoxes, FramesBelongToTheirThread)
{
    // A frame of this thread does not take an error thrown on another one.
    ErrorFrame mainFrame;
    bool workerCompleted = true;
    bool workerBoxShown = false;
    bool mainCompleted = mainFrame.Try([&] {
        std::thread worker([&] {
            ModalDriver driver(IDOK);
            workerCompleted = RunOperation([] { ThrowError(new ErrorInfo(IDS_TEST_PLAIN)); });
            workerBoxShown = driver.Wait();
        });
        worker.join();
    });
    EXPECT_TRUE(mainCompleted);
    EXPECT_EQ(mainFrame.Error(), nullptr);
    EXPECT_FALSE(workerCompleted);
    EXPECT_TRUE(workerBoxShown);
}

TEST_F(MessageBoxes, TheDriverReportsADialogThatNeverCame)
{
    ModalDriver driver(IDOK, 300);
    EXPECT_FALSE(driver.Wait());
    EXPECT_FALSE(driver.Appeared());
}

TEST(ProgramGlobals, InitFrameworkLoadsTheTitle)
{
    HINSTANCE self = GetModuleHandleW(nullptr);
    InitFramework(self, self, IDS_TEST_TITLE);
    EXPECT_EQ(ProgramTitle(), String(L"T\u00EBst Pr\u00F6gram"));
    EXPECT_EQ(ProgramModule(), self);

    InitFramework(self, self, IDS_TEST_LONG_TITLE);
    EXPECT_EQ(std::wstring(ProgramTitle().Chars()),
              (Fifty() + Fifty() + Fifty() + Fifty() + Fifty() + Fifty()).substr(0, 260));

    InitFramework(self, self, 0);
    EXPECT_TRUE(ProgramTitle().IsEmpty());
    InitFramework(self, self, IDS_TEST_MISSING);
    EXPECT_TRUE(ProgramTitle().IsEmpty());
}

}  // namespace

namespace {

RECT ClientRectOnScreen(HWND window)
{
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

// A desktop message box grows as wide as its text: on the handset it must stay
// on the screen with its text wrapped whole above its buttons.
TEST_F(MessageBoxes, ALongTextIsWrappedOnTheScreenAboveTheButtons)
{
    HWND owner = MakeWindow();
    bool checked = false;
    ModalDriver driver([&](HWND box) {
        RECT boxRect{};
        GetWindowRect(box, &boxRect);
        EXPECT_TRUE(Inside(boxRect, RECT{0, vellumate::WorkAreaTop, vellumate::ScreenWidth,
                                         vellumate::WorkAreaTop + vellumate::WorkAreaHeight}))
            << boxRect.left << "," << boxRect.top << " " << boxRect.right << "," << boxRect.bottom;
        const RECT client = ClientRectOnScreen(box);
        const HWND text = GetDlgItem(box, 0xFFFF);
        ASSERT_NE(text, nullptr);
        RECT textRect{};
        GetWindowRect(text, &textRect);
        EXPECT_TRUE(Inside(textRect, client));

        // The text's own font, wrapped at the text's width, needs no more room
        // than the text was given.
        wchar_t content[1024];
        GetWindowTextW(text, content, 1024);
        HDC dc = GetDC(text);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)));
        RECT needed{0, 0, textRect.right - textRect.left, 0};
        DrawTextW(dc, content, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
        SelectObject(dc, old);
        ReleaseDC(text, dc);
        EXPECT_LE(needed.bottom, textRect.bottom - textRect.top);

        int buttons = 0;
        for (const int id : {IDYES, IDNO, IDCANCEL}) {
            const HWND button = GetDlgItem(box, id);
            ASSERT_NE(button, nullptr);
            RECT buttonRect{};
            GetWindowRect(button, &buttonRect);
            EXPECT_TRUE(Inside(buttonRect, client)) << "button " << id;
            EXPECT_GE(buttonRect.top, textRect.bottom) << "button " << id;
            ++buttons;
        }
        checked = buttons == 3;
        PostMessageW(box, WM_COMMAND, IDNO, 0);
    });
    const int result = ShowMessageText(owner,
                                       L"Storage Card\\Pictures\\Holiday 2026\\Beach at sunset.jpg already exists. "
                                       L"Do you want to replace it with the file you are copying?",
                                       MB_YESNOCANCEL | MB_ICONQUESTION);
    ASSERT_TRUE(driver.Wait());
    EXPECT_TRUE(checked);
    EXPECT_EQ(result, IDNO);
}
