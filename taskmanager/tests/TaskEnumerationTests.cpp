// The listing rules over real top-level windows of this process, and who
// each listed window is.
#include "taskmanager/TaskEnumeration.h"

#include "framework/testsupport/StringPrinting.h"
#include "framework/testsupport/TempDevice.h"

#include "platform/ProcessImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

LRESULT CALLBACK PlainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

// A top-level window of a class of its own, destroyed with the object.
class TestWindow {
public:
    TestWindow(const wchar_t* className, const wchar_t* title, bool visible = true, HWND owner = nullptr)
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = PlainProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = className;
        RegisterClassW(&windowClass);  // once per class and process; later calls fail harmlessly
        m_window = CreateWindowExW(0, className, title, WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, 20, 20, owner,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~TestWindow() { DestroyWindow(m_window); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Get() const noexcept { return m_window; }

private:
    HWND m_window = nullptr;
};

const String Folder = L"\\Windows\\Start Menu";

// The rows of `rows` that belong to this test's windows, by title.
std::vector<String> TitlesOf(const std::vector<TaskRow>& rows)
{
    std::vector<String> titles;
    for (const TaskRow& row : rows) {
        DWORD processId = 0;
        GetWindowThreadProcessId(row.window, &processId);
        if (processId == GetCurrentProcessId())
            titles.push_back(row.title);
    }
    std::sort(titles.begin(), titles.end());
    return titles;
}

const TaskRow* RowTitled(const std::vector<TaskRow>& rows, const wchar_t* title)
{
    auto found = std::find_if(rows.begin(), rows.end(), [title](const TaskRow& row) { return row.title == title; });
    return found == rows.end() ? nullptr : &*found;
}

String ThisExecutable()
{
    wchar_t path[MAX_PATH]{};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring mapped = vellumate::HandsetPathOf(path);
    return String(mapped.c_str());
}

}  // namespace

TEST(TaskEnumeration, OnlyVisibleUnownedTitledApplicationWindowsAreListed)
{
    TestWindow application(L"LunsettTestApp", L"Lunsett Test App");
    TestWindow invisible(L"LunsettTestHidden", L"Lunsett Test Hidden", false);
    TestWindow owned(L"LunsettTestOwned", L"Lunsett Test Owned", true, application.Get());
    TestWindow untitled(L"LunsettTestUntitled", L"");
    TestWindow tray(L"tray", L"Lunsett Test Tray");
    TestWindow cursor(L"LunsettTestCursor", L"CursorWindow");
    TestWindow calendar(L"Calendar", L"Lunsett Test Calendar");
    TestWindow own(L"LunsettTestOwn", L"Lunsett Test Own Dialog");

    ASSERT_TRUE(application.Get() && IsWindowVisible(application.Get()));
    const std::vector<TaskRow> rows = ListApplications(own.Get(), HiddenList(), Folder);
    EXPECT_EQ(TitlesOf(rows), (std::vector<String>{L"Lunsett Test App", L"Lunsett Test Calendar"}));

    const TaskRow* app = RowTitled(rows, L"Lunsett Test App");
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->window, application.Get());
    EXPECT_EQ(app->className, String(L"LunsettTestApp"));
    EXPECT_EQ(app->identityPath, ThisExecutable());
    // A known application is its shortcut, whatever its executable.
    const TaskRow* known = RowTitled(rows, L"Lunsett Test Calendar");
    ASSERT_NE(known, nullptr);
    EXPECT_EQ(known->identityPath, String(L"\\Windows\\Start Menu\\Calendar.lnk"));
}

TEST(TaskEnumeration, TwoWindowsOfOneApplicationAreTwoRows)
{
    TestWindow first(L"LunsettTestTwin", L"Lunsett Twin One");
    TestWindow second(L"LunsettTestTwin", L"Lunsett Twin Two");
    const std::vector<TaskRow> rows = ListApplications(nullptr, HiddenList(), Folder);
    EXPECT_EQ(TitlesOf(rows), (std::vector<String>{L"Lunsett Twin One", L"Lunsett Twin Two"}));
}

TEST(TaskEnumeration, TheHiddenListHidesByExecutableOrByShortcut)
{
    TestWindow application(L"LunsettTestApp", L"Lunsett Test App");
    TestWindow calendar(L"Calendar", L"Lunsett Test Calendar");

    String upper = ThisExecutable();
    upper.MakeUpper();
    std::string bytes = "  ";
    char narrow[MAX_PATH * 2]{};
    WideCharToMultiByte(CP_ACP, 0, upper, -1, narrow, sizeof narrow, nullptr, nullptr);
    bytes += narrow;
    bytes += "\t\r\n";
    EXPECT_EQ(TitlesOf(ListApplications(nullptr, HiddenList::FromBytes(bytes), Folder)),
              (std::vector<String>{L"Lunsett Test Calendar"}));

    // Hiding the executable does not hide the calendar, its shortcut does.
    const HiddenList byShortcut = HiddenList::FromBytes("\\Windows\\Start Menu\\calendar.lnk\r\n");
    EXPECT_EQ(TitlesOf(ListApplications(nullptr, byShortcut, Folder)), (std::vector<String>{L"Lunsett Test App"}));
}

TEST(ProcessImage, ExecutablesInTheDeviceAreHandsetPaths)
{
    vellumate::TempDevice device;
    const std::wstring root = device.Root().wstring();
    EXPECT_EQ(vellumate::HandsetPathOf(root + L"\\Program Files\\Vellumate\\obrel.exe"),
              L"\\Program Files\\Vellumate\\obrel.exe");
    EXPECT_EQ(vellumate::HandsetPathOf(L"Z:\\elsewhere\\tool.exe"), L"Z:\\elsewhere\\tool.exe");
    EXPECT_EQ(vellumate::ProcessImageHandsetPath(GetCurrentProcessId()).value_or(L""),
              vellumate::HandsetPathOf(std::wstring(ThisExecutable().Chars())));
    // A process id that names nothing.
    EXPECT_FALSE(vellumate::ProcessImageHandsetPath(0xFFFFFFF0u).has_value());
}
