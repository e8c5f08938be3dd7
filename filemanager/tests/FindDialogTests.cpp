// Finding files from the main window: the find dialog's fields and checks,
// a real search in a temporary tree shown by the results dialog, and what
// opening and deleting a result does to the main window.
#include "TarnwellWindowFixture.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/FindDialogControls.h"
#include "filemanager/FindResources.h"
#include "filemanager/FindResultsControls.h"
#include "filemanager/resource.h"
#include "framework/Globals.h"
#include "framework/testsupport/ModalDriver.h"

#include "platform/SoftKeyBar.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::wstring>;

// Drives the find and results dialogs from the driver's thread, while the
// test's thread runs them.
class FindDialogTest : public TarnwellWindowTest {
protected:
    void SetUp() override
    {
        TarnwellWindowTest::SetUp();
        m_thread = GetCurrentThreadId();
    }

    static std::wstring Text(HWND window)
    {
        wchar_t text[512] = L"";
        GetWindowTextW(window, text, 512);
        return text;
    }

    static std::wstring ControlText(HWND dialog, int control) { return Text(GetDlgItem(dialog, control)); }

    struct Lookup {
        std::wstring caption;
        HWND owner;
        HWND found;
    };

    static BOOL CALLBACK MatchDialog(HWND window, LPARAM param)
    {
        auto* lookup = reinterpret_cast<Lookup*>(param);
        wchar_t className[16] = L"";
        GetClassNameW(window, className, 16);
        if (std::wstring(className) == L"#32770" && IsWindowVisible(window) &&
            (!lookup->owner || GetWindow(window, GW_OWNER) == lookup->owner) &&
            (lookup->caption.empty() || Text(window) == lookup->caption)) {
            lookup->found = window;
            return FALSE;
        }
        return TRUE;
    }

    // A dialog of the test's thread with this caption (any caption when
    // empty) and, when given, this owner, waited for.
    HWND WaitForDialog(const std::wstring& caption, HWND owner = nullptr) const
    {
        for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(10)) {
            Lookup lookup{caption, owner, nullptr};
            EnumThreadWindows(m_thread, &MatchDialog, reinterpret_cast<LPARAM>(&lookup));
            if (lookup.found)
                return lookup.found;
        }
        ADD_FAILURE() << "no dialog appeared";
        return nullptr;
    }

    static bool WaitUntil(const std::function<bool()>& done)
    {
        for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(10)) {
            if (done())
                return true;
        }
        return false;
    }

    // The search is over when the results' soft keys offer Open.
    static bool SearchFinished(HWND results)
    {
        HMENU menu = BarMenu(SHFindMenuBar(results));
        return menu && GetMenuState(menu, ID_RESULTS_OPEN, MF_BYCOMMAND) != static_cast<UINT>(-1);
    }

    // Starts the search from the find dialog and waits for its results.
    HWND SearchFor(HWND find, const wchar_t* patterns, const wchar_t* text = L"")
    {
        SetDlgItemTextW(find, IDC_FIND_PATTERNS, patterns);
        SetDlgItemTextW(find, IDC_FIND_TEXT, text);
        PostMessageW(find, WM_COMMAND, ID_FIND_SEARCH, 0);
        HWND results = WaitForDialog(L"Found Files");
        EXPECT_TRUE(results && WaitUntil([&] { return SearchFinished(results); }));
        return results;
    }

    // The results' rows as "name|size", in order.
    static Rows ResultRows(HWND results)
    {
        HWND list = GetDlgItem(results, IDC_RESULTS_LIST);
        Rows rows;
        const int count = ListView_GetItemCount(list);
        for (int i = 0; i < count; ++i) {
            wchar_t name[260] = L"";
            wchar_t size[32] = L"";
            ListView_GetItemText(list, i, 0, name, 260);
            ListView_GetItemText(list, i, 1, size, 32);
            rows.push_back(std::wstring(name) + L"|" + size);
        }
        return rows;
    }

    static int SelectedRow(HWND results)
    {
        return ListView_GetNextItem(GetDlgItem(results, IDC_RESULTS_LIST), -1, LVNI_SELECTED);
    }

    static void SelectRow(HWND results, const std::wstring& name)
    {
        HWND list = GetDlgItem(results, IDC_RESULTS_LIST);
        const Rows rows = ResultRows(results);
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].substr(0, rows[i].find(L'|')) == name) {
                const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
                ListView_SetItemState(list, static_cast<int>(i), state, state);
                return;
            }
        }
        ADD_FAILURE() << "no result named " << name.size();
    }

    // Posts a command and answers the message box it brings up; what it showed.
    ModalDialogInfo Answer(HWND dialog, UINT command, int button)
    {
        PostMessageW(dialog, WM_COMMAND, command, 0);
        HWND box = WaitForDialog(L"", dialog);
        ModalDialogInfo info = box ? DescribeDialog(box) : ModalDialogInfo();
        if (box)
            PostMessageW(box, WM_COMMAND, button, 0);
        return info;
    }

    DWORD m_thread = 0;
};

TEST_F(FindDialogTest, ASearchByNameAndTextShowsItsResultsAndOpensAFolder)
{
    MakeFolder(L"\\Docs\\Letters\\Old");
    MakeFile(L"\\Docs\\plan.txt", 2048);
    MakeFile(L"\\Docs\\Letters\\to-anna.txt", 100);
    MakeFile(L"\\Docs\\Letters\\Old\\to-ben.txt", 100);
    MakeFile(L"\\Docs\\photo.jpg", 10);
    // The text straddles the first two 512-byte blocks.
    {
        std::string bytes(900, '.');
        bytes.replace(508, 10, "dear anna!");
        HANDLE file = CreateFileW(ToFileSystemPath(L"\\Docs\\Letters\\to-anna.txt"), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    Start(DefaultSettings(L"\\Docs"));

    std::wstring caption, folderField, patternsField;
    std::vector<int> focusWalk;
    Rows byName, byText, again;
    std::wstring count;
    int selected = -2;
    ModalDriver driver([&](HWND find) {
        caption = Text(find);
        folderField = ControlText(find, IDC_FIND_FOLDER);
        patternsField = ControlText(find, IDC_FIND_PATTERNS);
        // Up and Down walk the fields and stop at either end.
        for (UINT key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_UP, VK_UP}) {
            GUITHREADINFO info{sizeof info};
            GetGUIThreadInfo(m_thread, &info);
            SendMessageW(info.hwndFocus, WM_KEYDOWN, key, 0);
            GetGUIThreadInfo(m_thread, &info);
            focusWalk.push_back(GetDlgCtrlID(info.hwndFocus));
        }
        HWND results = SearchFor(find, L"*.txt");
        byName = ResultRows(results);
        count = ControlText(results, IDC_RESULTS_COUNT);
        selected = SelectedRow(results);
        // Back to the find dialog, then by the text inside.
        PostMessageW(results, WM_COMMAND, ID_RESULTS_BACK, 0);
        WaitUntil([&] { return !IsWindow(results); });
        results = SearchFor(find, L"*.txt", L"dear anna");
        byText = ResultRows(results);
        // Once more, as it was.
        SendMessageW(results, WM_COMMAND, ID_RESULTS_AGAIN, 0);
        WaitUntil([&] { return SearchFinished(results); });
        again = ResultRows(results);
        // A folder opens in the main window.
        PostMessageW(results, WM_COMMAND, ID_RESULTS_BACK, 0);
        WaitUntil([&] { return !IsWindow(results); });
        results = SearchFor(find, L"Old");
        SelectRow(results, L"Old");
        PostMessageW(results, WM_COMMAND, ID_RESULTS_OPEN, 0);
    });
    Command(ID_FIND_FILES);
    ASSERT_TRUE(driver.Wait());

    EXPECT_EQ(caption, L"Find Files");
    EXPECT_EQ(folderField, L"\\Docs\\");
    EXPECT_EQ(patternsField, L"*.*");
    EXPECT_EQ(focusWalk, (std::vector<int>{IDC_FIND_FOLDER, IDC_FIND_TEXT, IDC_FIND_TEXT, IDC_FIND_FOLDER,
                                           IDC_FIND_PATTERNS, IDC_FIND_PATTERNS}));
    std::sort(byName.begin(), byName.end());
    EXPECT_EQ(byName, (Rows{L"plan.txt|2.00K", L"to-anna.txt|900B", L"to-ben.txt|100B"}));
    EXPECT_EQ(count, L"Found: 3");
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(byText, (Rows{L"to-anna.txt|900B"}));
    EXPECT_EQ(again, byText);
    // Both dialogs closed; the list shows the folder, its tree node current.
    EXPECT_TRUE(Main().IsListMode());
    EXPECT_EQ(Tree().CurrentPath(), String(L"\\Docs\\Letters\\Old"));
    EXPECT_EQ(List().CurrentPath(), String(L"\\Docs\\Letters\\Old"));
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"..", L"to-ben.txt"}));
}

TEST_F(FindDialogTest, DeletingAResultAsksFirstAndTheListReadsAgain)
{
    MakeFolder(L"\\Docs\\Sub");
    MakeFile(L"\\Docs\\keep.log");
    MakeFile(L"\\Docs\\old.log");
    MakeFile(L"\\Docs\\gone.log");
    MakeFile(L"\\Docs\\Sub\\deep.log");
    SetFileAttributesW(ToFileSystemPath(L"\\Docs\\old.log"), FILE_ATTRIBUTE_READONLY);
    Start(DefaultSettings(L"\\Docs"));
    OpenList();

    ModalDialogInfo question, goneMessage;
    Rows afterDelete, afterGone;
    std::wstring count;
    ModalDriver driver([&](HWND find) {
        HWND results = SearchFor(find, L"*.log");
        SelectRow(results, L"old.log");
        question = Answer(results, ID_RESULTS_DELETE, IDYES);
        WaitUntil([&] { return ResultRows(results).size() == 3; });
        afterDelete = ResultRows(results);
        count = ControlText(results, IDC_RESULTS_COUNT);
        // A result that went meanwhile is refused, and leaves the list.
        DeleteFileW(ToFileSystemPath(L"\\Docs\\gone.log"));
        SelectRow(results, L"gone.log");
        goneMessage = Answer(results, ID_RESULTS_OPEN, IDOK);
        WaitUntil([&] { return ResultRows(results).size() == 2; });
        afterGone = ResultRows(results);
        PostMessageW(results, WM_COMMAND, ID_RESULTS_CLOSE_ALL, 0);
    });
    Command(ID_FIND_FILES);
    ASSERT_TRUE(driver.Wait());

    EXPECT_EQ(question.caption, L"Delete");
    EXPECT_EQ(question.ButtonGroup(), MB_YESNO);
    EXPECT_EQ(question.text, L"old.log is read-only.\nDelete old.log?");
    EXPECT_FALSE(EntryExists(L"\\Docs\\old.log"));
    std::sort(afterDelete.begin(), afterDelete.end());
    EXPECT_EQ(afterDelete, (Rows{L"deep.log|0B", L"gone.log|0B", L"keep.log|0B"}));
    EXPECT_EQ(count, L"Found: 3");
    EXPECT_EQ(goneMessage.caption, L"Error");
    EXPECT_NE(goneMessage.text.Find(L"gone.log is no longer there"), -1);
    std::sort(afterGone.begin(), afterGone.end());
    EXPECT_EQ(afterGone, (Rows{L"deep.log|0B", L"keep.log|0B"}));
    // The main list was read again on leaving.
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"..", L"Sub", L"keep.log"}));
}

TEST_F(FindDialogTest, FoldersThatCannotBeSearchedAreRefusedAndTheDialogCloses)
{
    MakeFolder(L"\\Docs");
    Start(DefaultSettings(L"\\Docs"));
    struct Refusal {
        const wchar_t* patterns;
        const wchar_t* folder;
        const wchar_t* caption;  // null: the program's title
        const wchar_t* start;
    };
    const Refusal refusals[] = {
        {L"*.txt", L"Docs", nullptr, L"\"Docs\" is not a folder that can be searched."},
        {L"\\Nowhere\\*.txt", L"\\", nullptr, L"\"\\Nowhere\" is not a folder that can be searched."},
        {L"\\\\host\\x\\*.txt", L"\\", L"ERROR", L"\"\\\\host\\x\\*.txt\" is not a valid folder !"},
    };
    for (const Refusal& refusal : refusals) {
        ModalDialogInfo shown;
        bool closed = false;
        ModalDriver driver([&](HWND find) {
            SetDlgItemTextW(find, IDC_FIND_PATTERNS, refusal.patterns);
            SetDlgItemTextW(find, IDC_FIND_FOLDER, refusal.folder);
            shown = Answer(find, ID_FIND_SEARCH, IDOK);
            closed = WaitUntil([&] { return !IsWindow(find); });
        });
        Command(ID_FIND_FILES);
        ASSERT_TRUE(driver.Wait());
        EXPECT_TRUE(closed);
        EXPECT_EQ(shown.caption, refusal.caption ? String(refusal.caption) : ProgramTitle());
        EXPECT_EQ(shown.icon, static_cast<UINT>(MB_ICONHAND));
        EXPECT_EQ(shown.text.Find(refusal.start), 0) << std::wstring(shown.text.Chars()).size();
    }
}

}  // namespace
