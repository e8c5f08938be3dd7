#include "TarnwellWindowFixture.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/TarnwellProgram.h"
#include "filemanager/resource.h"
#include "framework/testsupport/TempFolder.h"

#include "platform/Handset.h"
#include "platform/ScreenText.h"
#include "platform/SoftKeyBar.h"

#include <commctrl.h>

#include <cwchar>

TarnwellWindowTest::TarnwellWindowTest() : MainWindowFixture(TarnwellStartup())
{
}

AppSettings TarnwellWindowTest::DefaultSettings(const wchar_t* startFolder)
{
    AppSettings settings;
    settings.preferences = DefaultPreferences;
    settings.openedFolder = startFolder;
    return settings;
}

void TarnwellWindowTest::Start(const AppSettings& settings)
{
    ASSERT_NO_FATAL_FAILURE(CreateWindowOf(settings));
    ASSERT_TRUE(Main().CreatePanes());
    Program().Show();
    FinishListing();
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
    ASSERT_TRUE(vellumate::RemoveFolderTree(ToFileSystemPath(handsetPath).Chars()));
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

HWND WaitForOwnedDialog(HWND owner, DWORD timeout)
{
    const DWORD thread = GetWindowThreadProcessId(owner, nullptr);
    for (DWORD waited = 0; waited < timeout; waited += 5) {
        struct Search {
            HWND owner;
            HWND found;
        } search{owner, nullptr};
        EnumThreadWindows(
            thread,
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                wchar_t name[16] = L"";
                GetClassNameW(window, name, 16);
                if (std::wstring(name) == L"#32770" && GetWindow(window, GW_OWNER) == s->owner &&
                    IsWindowVisible(window)) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(5);
    }
    return nullptr;
}

bool WaitGone(HWND window, DWORD timeout)
{
    for (DWORD waited = 0; waited < timeout && IsWindow(window); waited += 5)
        Sleep(5);
    return !IsWindow(window);
}
