// Opening files on Tarnwell's real window and resources: the exact ".zip"
// rule of OpenFile, and the open-with dialog's program scan (OK ignored
// while it runs) and its associate mode, against a scratch classes root.
#include "TarnwellWindowFixture.h"

#include "filemanager/Associations.h"
#include "filemanager/FileOpening.h"
#include "filemanager/OpenWithDialog.h"
#include "filemanager/OpenWithDialogControls.h"
#include "filemanager/OpenWithResources.h"
#include "filemanager/resource.h"
#include "framework/RegistryKey.h"
#include "framework/testsupport/ModalDriver.h"
#include "framework/testsupport/TestScratch.h"

#include <commctrl.h>

#include <cwchar>

namespace {

String StringText(UINT id)
{
    String text;
    text.LoadResourceText(id);
    return text;
}

void Send(HWND dialog, UINT command)
{
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void SelectFirstProgram(HWND dialog)
{
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = item.stateMask;
    SendDlgItemMessageW(dialog, IDC_OPEN_WITH_PROGRAMS, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
}

int ProgramRows(HWND dialog)
{
    return static_cast<int>(SendDlgItemMessageW(dialog, IDC_OPEN_WITH_PROGRAMS, LVM_GETITEMCOUNT, 0, 0));
}

// A message box of the dialog's thread other than `dialog`.
HWND FindMessageBox(HWND dialog)
{
    struct Search {
        HWND except;
        HWND found;
    } search{dialog, nullptr};
    EnumThreadWindows(
        GetWindowThreadProcessId(dialog, nullptr),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t name[16];
            if (window != s->except && IsWindowVisible(window) && GetClassNameW(window, name, 16) &&
                std::wcscmp(name, L"#32770") == 0) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class OpenWith : public TarnwellWindowTest {
protected:
    OpenWith() { classes.Open(HKEY_CURRENT_USER, scratch.Path(), KEY_ALL_ACCESS); }
    TestRegistryKey scratch;
    RegistryKey classes;
};

TEST_F(OpenWith, OkWaitsForTheScanThenAssociatesTheChosenProgram)
{
    Start();
    MakeFile(L"\\a.exe");
    MakeFile(L"\\notes.abc");
    // Enough folders after the first program that the scan is still running
    // when OK comes.
    for (int i = 0; i < 3000; ++i)
        MakeFolder((L"\\Deep\\" + std::to_wstring(i / 50) + L"\\" + std::to_wstring(i)).c_str());
    MakeFile(L"\\Deep\\59\\2999\\z.exe");

    OpenWithDialog dialog(MainHwnd(), OpenWithMode::Associate, false, L"notes.abc", L"\\notes.abc", 0, classes.Get());
    bool runningAtOk = false;
    bool openAfterOk = false;
    bool writtenDuringScan = true;
    ModalDriver driver([&](HWND window) {
        WaitFor([&] { return ProgramRows(window) >= 1; });
        SelectFirstProgram(window);
        runningAtOk = !dialog.ScanFinished();
        Send(window, ID_DIALOG_OK);
        openAfterOk = IsWindow(window) != FALSE;
        writtenDuringScan = RegistryKeyExists(classes.Get(), L".abc");
        WaitFor([&] { return dialog.ScanFinished(); }, 30000);
        Send(window, ID_DIALOG_OK);
    });
    RunModal(dialog);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(driver.Dialog().caption, StringText(IDS_ASSOCIATE_CAPTION));
    ASSERT_TRUE(runningAtOk) << "the scan ended before OK: the tree is too small for this test";
    EXPECT_TRUE(openAfterOk);
    EXPECT_FALSE(writtenDuringScan);
    ASSERT_EQ(dialog.ProgramCount(), 2);
    EXPECT_EQ(dialog.Program(1).Path(), L"\\Deep\\59\\2999\\z.exe");
    const RawRegistryValue command = GetRawRegistryValue(classes.Get(), L"abcfile\\shell\\open\\command", nullptr);
    ASSERT_TRUE(command.exists);
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(command.data.data()), L"\"\\a.exe\" %1");
}

TEST_F(OpenWith, AFileWithoutExtensionCannotBeAssociated)
{
    Start();
    MakeFile(L"\\a.exe");
    MakeFile(L"\\README");
    OpenWithDialog dialog(MainHwnd(), OpenWithMode::Associate, false, L"README", L"\\README", 0, classes.Get());
    String message;
    ModalDriver driver([&](HWND window) {
        WaitFor([&] { return dialog.ScanFinished() && ProgramRows(window) == 1; });
        SelectFirstProgram(window);
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(ID_DIALOG_OK, 0), 0);
        HWND box = nullptr;
        WaitFor([&] { return (box = FindMessageBox(window)) != nullptr; });
        if (box) {
            message = DescribeDialog(box).text;
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
        }
        WaitFor([&] { return !IsWindow(window); });
    });
    RunModal(dialog);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(message, StringText(IDS_NOT_ASSOCIATED));
    StringArray keys;
    ListSubkeys(scratch.Path(), keys);
    EXPECT_EQ(keys.GetSize(), 0) << "nothing was written";
}

TEST_F(OpenWith, OnlyALowerCaseZipGoesToTheArchiveBrowser)
{
    Start();
    MakeFile(L"\\Old.ZIP");
    MakeFile(L"\\Old.zip");
    ASSERT_FALSE(IsAssociated(L".ZIP")) << "the test's classes root must not know .zip";

    ModalDriver openWith(IDCANCEL);
    OpenFile(MainHwnd(), L"Old.ZIP", L"\\Old.ZIP");
    ASSERT_TRUE(openWith.Wait());
    EXPECT_EQ(openWith.Dialog().caption, L"Open With");

    ModalDriver refused(IDOK);
    OpenFile(MainHwnd(), L"Old.zip", L"\\Old.zip");
    ASSERT_TRUE(refused.Wait());
    EXPECT_EQ(refused.Dialog().text, StringText(IDS_ZIP_NOT_OPENED));
}

}  // namespace
