#include "TarnwellWindowFixture.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/resource.h"
#include "framework/ResourceModule.h"
#include "framework/testsupport/TestScratch.h"

#include "platform/Handset.h"
#include "platform/ScreenText.h"
#include "platform/SoftKeyBar.h"

#include <commctrl.h>

#include <cwchar>

void PrintTo(const String& text, std::ostream* out)
{
    *out << ::testing::PrintToString(std::wstring(text.Chars(), static_cast<size_t>(text.Length())));
}

namespace {

// The localized resource file, loaded once for the whole test process, as
// the program binds it at start-up.
HMODULE TestResources()
{
    static ModuleHandle resources = LoadLocalizedResourceFile();
    return resources.Get();
}

bool RegisterMainWindowClass()
{
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.style = CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = MainWindow::Procedure();
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = MainWindowClass;
        return RegisterClassW(&windowClass) != 0;
    }();
    return registered;
}

}  // namespace

AppSettings TarnwellWindowTest::DefaultSettings(const wchar_t* startFolder)
{
    AppSettings settings;
    settings.preferences = DefaultPreferences;
    settings.openedFolder = startFolder;
    return settings;
}

void TarnwellWindowTest::SetUp()
{
    m_resources = TestResources();
    ASSERT_NE(m_resources, nullptr) << "the localized resource file beside the test is missing";
    SetResourceModule(m_resources);
    ASSERT_TRUE(RegisterMainWindowClass());
}

void TarnwellWindowTest::TearDown()
{
    Stop();
}

void TarnwellWindowTest::Start(const AppSettings& settings)
{
    m_main = std::make_unique<MainWindow>(settings);
    HWND window = CreateWindowExW(0, MainWindowClass, L"File Manager", WS_POPUP | WS_CLIPCHILDREN, 0,
                                  vellumate::WorkAreaTop, vellumate::ScreenWidth, vellumate::WorkAreaHeight, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), m_main->CreationParameter());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(m_main->CreatePanes());
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    FinishListing();
}

void TarnwellWindowTest::Stop()
{
    if (!m_main)
        return;
    m_main.reset();
    // The window's end posts the quit message a program's loop ends with;
    // here it must not end the next test's modal loops.
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void TarnwellWindowTest::MakeFolder(const wchar_t* handsetPath)
{
    const String path = NormalizeFolderPath(handsetPath);
    for (int separator = path.Find(L'\\', 1); separator > 0; separator = path.Find(L'\\', separator + 1))
        CreateDirectoryW(ToFileSystemPath(path.Left(separator)), nullptr);
    ASSERT_TRUE(CreateDirectoryW(ToFileSystemPath(path), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
}

void TarnwellWindowTest::MakeFile(const wchar_t* handsetPath, DWORD size)
{
    HANDLE file = CreateFileW(ToFileSystemPath(handsetPath), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    if (size > 0) {
        SetFilePointer(file, static_cast<LONG>(size), nullptr, FILE_BEGIN);
        SetEndOfFile(file);
    }
    CloseHandle(file);
}

void TarnwellWindowTest::RemoveFolder(const wchar_t* handsetPath)
{
    ASSERT_TRUE(DeleteFolderTree(ToFileSystemPath(handsetPath)));
}

void TarnwellWindowTest::MakeFiles(const wchar_t* folder, int count)
{
    MakeFolder(folder);
    for (int i = 1; i <= count; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"f%03d.txt", i);
        MakeFile(JoinPath(folder, name), static_cast<DWORD>(i));
    }
}

void TarnwellWindowTest::Pump(DWORD milliseconds)
{
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    MSG message;
    do {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount64() < deadline);
}

bool TarnwellWindowTest::PumpUntil(const std::function<bool()>& done, DWORD timeout)
{
    const ULONGLONG deadline = GetTickCount64() + timeout;
    while (!done()) {
        if (GetTickCount64() >= deadline)
            return false;
        Pump(5);
    }
    return true;
}

bool TarnwellWindowTest::WaitFor(const std::function<bool()>& done, DWORD timeout)
{
    const ULONGLONG deadline = GetTickCount64() + timeout;
    while (!done()) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(2);
    }
    return true;
}

void TarnwellWindowTest::Press(HWND window, UINT key)
{
    SendMessageW(window, WM_KEYDOWN, key, 1);
    SendMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

void TarnwellWindowTest::Command(UINT command)
{
    SendMessageW(MainHwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void TarnwellWindowTest::FinishListing()
{
    EXPECT_TRUE(PumpUntil([&] { return !Tree().ListingPending() && !List().IsListing(); }));
    List().WaitForBackgroundRead();
    Pump(10);
}

void TarnwellWindowTest::OpenList()
{
    FinishListing();
    if (!Main().IsListMode())
        Command(ID_SWITCH_PANES);
    ASSERT_TRUE(Main().IsListMode());
}

void TarnwellWindowTest::SelectTreeFolder(const wchar_t* path)
{
    HTREEITEM node = Tree().FindNode(path);
    ASSERT_NE(node, nullptr) << "no node for the folder";
    Tree().SelectNode(node);
    FinishListing();
}

std::vector<std::wstring> TarnwellWindowTest::Names()
{
    std::vector<std::wstring> names;
    for (int i = 0; i < List().ItemCount(); ++i)
        names.emplace_back(List().Item(i).name.Chars());
    return names;
}

std::vector<std::wstring> TarnwellWindowTest::SelectedNames()
{
    std::vector<std::wstring> names;
    for (int n = 0; n < List().SelectedCount(); ++n)
        names.emplace_back(List().Item(List().SelectedIndex(n)).name.Chars());
    return names;
}

std::vector<std::wstring> TarnwellWindowTest::TreeRows()
{
    std::vector<std::wstring> rows;
    for (HTREEITEM node = TreeView_GetRoot(TreeHwnd()); node; node = TreeView_GetNextVisible(TreeHwnd(), node)) {
        wchar_t text[600] = L"";
        TVITEMW item{};
        item.mask = TVIF_HANDLE | TVIF_TEXT;
        item.hItem = node;
        item.pszText = text;
        item.cchTextMax = 600;
        TreeView_GetItem(TreeHwnd(), &item);
        rows.emplace_back(text);
    }
    return rows;
}

std::wstring TarnwellWindowTest::ScreenText(HWND window)
{
    return ReadScreenText(window).value_or(std::wstring());
}

HMENU TarnwellWindowTest::BarMenu(HWND bar)
{
    return reinterpret_cast<HMENU>(SendMessageW(bar, SHCMBM_GETMENU, 0, 0));
}

HMENU TarnwellWindowTest::RightPopup(HWND bar)
{
    return GetSubMenu(BarMenu(bar), 1);
}

void TarnwellWindowTest::PreparePopup(HMENU popup)
{
    SendMessageW(MainHwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
}

bool TarnwellWindowTest::IsEnabled(HMENU menu, UINT command)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    EXPECT_TRUE(GetMenuItemInfoW(menu, command, FALSE, &info)) << "no command " << command << " in the menu";
    return !(info.fState & MFS_GRAYED);
}

bool TarnwellWindowTest::IsChecked(HMENU menu, UINT command)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    EXPECT_TRUE(GetMenuItemInfoW(menu, command, FALSE, &info)) << "no command " << command << " in the menu";
    return (info.fState & MFS_CHECKED) != 0;
}
