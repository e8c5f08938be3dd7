#include "UiTestSupport.h"

#include "framework/Globals.h"

#include "platform/Handset.h"

#include "test_dialogs.h"

String WindowTextOf(HWND window)
{
    String text;
    int length = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    if (length > 0) {
        wchar_t* buffer = text.Reserve(length + 1);
        text.Commit(static_cast<int>(SendMessageW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(buffer))));
    }
    return text;
}

void OwnerWindowTest::SetUp()
{
    HINSTANCE self = GetModuleHandleW(nullptr);
    InitFramework(self, self, IDS_TEST_PROGRAM_TITLE);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = self;
    windowClass.lpszClassName = L"DialogTestOwner";
    RegisterClassW(&windowClass);
    m_owner = CreateWindowExW(0, L"DialogTestOwner", L"Owner", WS_POPUP | WS_VISIBLE, 0, vellumate::WorkAreaTop,
                              vellumate::ScreenWidth, vellumate::WorkAreaHeight, nullptr, nullptr, self, nullptr);
    ASSERT_NE(m_owner, nullptr);
}

void OwnerWindowTest::TearDown()
{
    DestroyWindow(m_owner);
}
