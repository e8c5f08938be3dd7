// The archive browser and the extraction dialogs over real archives on the
// test's device, driven as the user drives them: the browser's folders, Back
// and check mode; the replace question with replace all; the password that
// is refused before anything is written; a cancel that leaves nothing.
#include "TarnwellWindowFixture.h"

#include "filemanager/ArchiveBrowser.h"
#include "filemanager/ArchiveProgressDialog.h"
#include "filemanager/ArchiveResources.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/FileOperationResources.h"
#include "filemanager/NameDialogsResources.h"
#include "filemanager/archive/Win32ArchiveFiles.h"
#include "filemanager/archive/testsupport/ZipWriter.h"
#include "framework/testsupport/ModalDriver.h"

#include "platform/Handles.h"
#include "platform/SoftKeyBar.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::wstring>;

std::wstring Text(HWND dialog, int control)
{
    wchar_t text[512] = L"";
    GetDlgItemTextW(dialog, control, text, 512);
    return text;
}

// The rows of the browser's list: name column, then size column.
Lines Rows(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_ARCHIVE_LIST);
    Lines rows;
    const int count = ListView_GetItemCount(list);
    for (int row = 0; row < count; ++row) {
        wchar_t name[260] = L"", size[32] = L"";
        ListView_GetItemText(list, row, 0, name, 260);
        ListView_GetItemText(list, row, 1, size, 32);
        rows.push_back(std::wstring(name) + L"|" + size);
    }
    return rows;
}

std::vector<int> Selected(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_ARCHIVE_LIST);
    std::vector<int> rows;
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list, row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

// Whether the static text shows all of its word-wrapped text, and the
// control `below` starts under it and ends inside the dialog.
bool TextFitsAbove(HWND dialog, int control, int below)
{
    HWND text = GetDlgItem(dialog, control);
    RECT box{}, next{}, client{};
    GetWindowRect(text, &box);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
    GetWindowRect(GetDlgItem(dialog, below), &next);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&next), 2);
    GetClientRect(dialog, &client);
    wchar_t content[512] = L"";
    GetWindowTextW(text, content, 512);
    RECT needed{0, 0, box.right - box.left, 0};
    vellumate::WindowDC dc(text);
    vellumate::SelectObjectScope font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(text, WM_GETFONT, 0, 0)));
    DrawTextW(dc.Get(), content, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return needed.bottom <= box.bottom - box.top && next.top >= box.bottom && next.bottom <= client.bottom;
}

void Back(HWND dialog)
{
    SendMessageW(dialog, WM_HOTKEY, 0, MAKELPARAM(MOD_KEYUP, VK_ESCAPE));
}

class ArchiveWindowTest : public TarnwellWindowTest {
protected:
    void WriteFile(const wchar_t* handsetPath, const std::string& content)
    {
        vellumate::FileHandle file(
            CreateFileW(ToFileSystemPath(handsetPath), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        ASSERT_TRUE(WriteFileChunks(file.Get(), content, written));
    }

    static bool WriteFileChunks(HANDLE file, const std::string& content, DWORD& written)
    {
        return ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
               written == content.size();
    }

    std::string Content(const wchar_t* handsetPath)
    {
        vellumate::FileHandle file(CreateFileW(ToFileSystemPath(handsetPath), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                               OPEN_EXISTING, 0, nullptr));
        if (!file)
            return "<missing>";
        char text[256];
        DWORD read = 0;
        ReadFile(file.Get(), text, sizeof text, &read, nullptr);
        return std::string(text, read);
    }

    // No file of the folder but those named, not even a hidden partial one.
    Lines FilesIn(const wchar_t* folder)
    {
        Lines names;
        WIN32_FIND_DATAW entry;
        vellumate::FindHandle find(FindFirstFileW(FindPatternOf(folder), &entry));
        if (!find)
            return names;
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(entry.cFileName);
        } while (FindNextFileW(find.Get(), &entry));
        return names;
    }

    std::unique_ptr<Archive> Open(const wchar_t* handsetPath)
    {
        auto archive = std::make_unique<Archive>();
        EXPECT_TRUE(OpenArchiveFile(*archive, handsetPath));
        return archive;
    }
};

}  // namespace

TEST_F(ArchiveWindowTest, TheBrowserShowsTheFirstFolderOpensFoldersGoesBackAndChoosesInCheckMode)
{
    MakeFolder(L"\\My Documents");
    ZipWriter writer;
    writer.AddFile("Budget.csv", std::string(1536, 'b'));
    writer.AddFile("Reports/Quarterly.txt", "q");
    writer.AddFile("Reports/Old/2024.txt", "o");
    ZipEntryOptions locked;
    locked.password = "sesame";
    writer.AddFile("Locked.txt", "secret", locked);
    WriteFile(L"\\My Documents\\Work.zip", writer.Finish());
    Start();

    std::wstring caption, folderAtTop, count, folderInside;
    Lines top, inside, afterBack, checkedFiles;
    std::vector<int> selectedAfterBack, inCheckMode, afterCheckMode;
    bool checkBarShown = false, mainBarHidden = false;
    ModalDriver driver([&](HWND browser) {
        wchar_t title[64] = L"";
        GetWindowTextW(browser, title, 64);
        caption = title;
        folderAtTop = Text(browser, IDC_ARCHIVE_FOLDER);
        count = Text(browser, IDC_ARCHIVE_COUNT);
        top = Rows(browser);

        // Enter opens the focused row ("Reports": folders first) even with
        // every row selected.
        SendMessageW(browser, WM_COMMAND, ID_SELECT_ALL, 0);
        SendMessageW(GetDlgItem(browser, IDC_ARCHIVE_LIST), WM_KEYDOWN, VK_RETURN, 0);
        folderInside = Text(browser, IDC_ARCHIVE_FOLDER);
        inside = Rows(browser);
        Back(browser);
        afterBack = Rows(browser);
        selectedAfterBack = Selected(browser);

        // Check mode: everything selected becomes checked, the selection
        // shrinks to the focused row; "files only" and Done select the files.
        SendMessageW(browser, WM_COMMAND, ID_SELECT_ALL, 0);
        SendMessageW(browser, WM_COMMAND, ID_CHOOSE_SELECTION, 0);
        inCheckMode = Selected(browser);
        HMENU shownBar = BarMenu(SHFindMenuBar(browser));
        checkBarShown = GetMenuState(shownBar, ID_ARCHIVE_CHECK_DONE, MF_BYCOMMAND) != static_cast<UINT>(-1);
        mainBarHidden = GetMenuState(shownBar, ID_ARCHIVE_EXTRACT, MF_BYCOMMAND) == static_cast<UINT>(-1);
        SendMessageW(browser, WM_COMMAND, ID_CHECK_FILES, 0);
        SendMessageW(browser, WM_COMMAND, ID_ARCHIVE_CHECK_DONE, 0);
        afterCheckMode = Selected(browser);
        for (int row : afterCheckMode)
            checkedFiles.push_back(Rows(browser)[static_cast<size_t>(row)]);
        // Back at the top closes the browser.
        Back(browser);
    });
    const BrowseResult result = BrowseArchive(MainHwnd(), L"\\My Documents\\Work.zip");
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(result, BrowseResult::Closed);

    EXPECT_EQ(caption, L"Work.zip");
    EXPECT_EQ(folderAtTop, L"\\");
    EXPECT_EQ(count, L"3 items");
    // The folder that only its members name, the encrypted member marked,
    // sizes in short units.
    EXPECT_EQ(top, (Lines{L"Reports|", L"Budget.csv|1.50K", L"+Locked.txt|6B"}));
    EXPECT_EQ(folderInside, L"\\Reports");
    EXPECT_EQ(inside, (Lines{L"Old|", L"Quarterly.txt|1B"}));
    EXPECT_EQ(afterBack, top);
    EXPECT_EQ(selectedAfterBack, (std::vector<int>{0}));  // the folder just left
    EXPECT_EQ(inCheckMode, (std::vector<int>{0}));
    EXPECT_TRUE(checkBarShown);
    EXPECT_TRUE(mainBarHidden);
    EXPECT_EQ(checkedFiles, (Lines{L"Budget.csv|1.50K", L"+Locked.txt|6B"}));
}

TEST_F(ArchiveWindowTest, ReplaceAllAnswersTheRestOfTheJob)
{
    MakeFolder(L"\\Dst");
    WriteFile(L"\\Dst\\a.txt", "old a");
    WriteFile(L"\\Dst\\b.txt", "old b");
    ZipWriter writer;
    writer.AddFile("a.txt", "new a");
    writer.AddFile("b.txt", "new b");
    writer.AddFile("c.txt", "new c");
    WriteFile(L"\\Job.zip", writer.Finish());
    WriteProfile("[store]\nsize=2147483648\nfree=1073741824\n");
    Start();

    auto archive = Open(L"\\Job.zip");
    ArchiveJob job(*archive);
    job.destination = L"\\Dst";
    job.members = {0, 1, 2};
    std::wstring asked, question, replaceAll;
    int questions = 0;
    bool wholeQuestion = false;
    ModalDriver driver([&](HWND progress) {
        HWND first = WaitForOwnedDialog(progress);
        if (!first)
            return;
        ++questions;
        asked = Text(first, IDC_DELETE_NAME);
        question = Text(first, IDC_QUESTION_TEXT);
        replaceAll = Text(first, IDC_DELETE_ALL);
        wholeQuestion = TextFitsAbove(first, IDC_QUESTION_TEXT, IDC_DELETE_NAME) &&
                        TextFitsAbove(first, IDC_QUESTION_TEXT, IDC_DELETE_SKIP);
        SendDlgItemMessageW(first, IDC_DELETE_THIS, BM_SETCHECK, BST_UNCHECKED, 0);
        SendDlgItemMessageW(first, IDC_DELETE_ALL, BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(first, WM_COMMAND, ID_ARCHIVE_ANSWER_OK, 0);
        WaitGone(first);
        if (HWND second = WaitForOwnedDialog(progress, 500)) {
            ++questions;
            SendMessageW(second, WM_COMMAND, ID_ARCHIVE_ANSWER_CANCEL, 0);
        }
        WaitGone(progress);
    });
    EXPECT_EQ(RunArchiveJobDialog(MainHwnd(), job), ArchiveJobEnd::Done);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(asked, L"a.txt");
    EXPECT_NE(question.find(L"Do you want to replace it?"), std::wstring::npos);
    EXPECT_TRUE(wholeQuestion);
    EXPECT_EQ(replaceAll, L"Replace all");
    EXPECT_EQ(Content(L"\\Dst\\a.txt"), "new a");
    EXPECT_EQ(Content(L"\\Dst\\b.txt"), "new b");
    EXPECT_EQ(Content(L"\\Dst\\c.txt"), "new c");
}

TEST_F(ArchiveWindowTest, AWrongPasswordIsRefusedBeforeAnythingIsWrittenAndTheRightOneIsKept)
{
    MakeFolder(L"\\Dst");
    ZipWriter writer;
    ZipEntryOptions locked;
    locked.password = "sesame";
    writer.AddFile("one.txt", "first secret", locked);
    writer.AddFile("two.txt", "second secret", locked);
    WriteFile(L"\\Locked.zip", writer.Finish());
    WriteProfile("[store]\nsize=2147483648\nfree=1073741824\n");
    Start();

    auto archive = Open(L"\\Locked.zip");
    ArchiveJob job(*archive);
    job.destination = L"\\Dst";
    job.members = {0, 1};
    std::wstring refusal, fieldAfterRefusal;
    Lines filesWhileRefused;
    int passwordDialogs = 0;
    ModalDriver driver([&](HWND progress) {
        HWND password = WaitForOwnedDialog(progress);
        if (!password)
            return;
        ++passwordDialogs;
        SetDlgItemTextW(password, IDC_PASSWORD_EDIT, L"nope");
        PostMessageW(password, WM_COMMAND, ID_ARCHIVE_ANSWER_OK, 0);
        if (HWND box = WaitForOwnedDialog(password)) {
            wchar_t text[256] = L"";
            for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                GetWindowTextW(child, text, 256);
                if (std::wstring(text).find(L"password") != std::wstring::npos)
                    refusal = text;
            }
            filesWhileRefused = FilesIn(L"\\Dst");
            SendMessageW(box, WM_COMMAND, IDOK, 0);
            WaitGone(box);
        }
        fieldAfterRefusal = Text(password, IDC_PASSWORD_EDIT);
        SetDlgItemTextW(password, IDC_PASSWORD_EDIT, L"sesame");
        SendMessageW(password, WM_COMMAND, ID_ARCHIVE_ANSWER_OK, 0);
        WaitGone(password);
        // The second member takes the kept password without asking.
        if (HWND again = WaitForOwnedDialog(progress, 500)) {
            ++passwordDialogs;
            SendMessageW(again, WM_COMMAND, ID_ARCHIVE_ANSWER_CANCEL, 0);
        }
        WaitGone(progress);
    });
    EXPECT_EQ(RunArchiveJobDialog(MainHwnd(), job), ArchiveJobEnd::Done);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(passwordDialogs, 1);
    EXPECT_EQ(refusal, L"The password is wrong.");
    EXPECT_EQ(filesWhileRefused, Lines{});
    EXPECT_EQ(fieldAfterRefusal, L"");
    EXPECT_EQ(Content(L"\\Dst\\one.txt"), "first secret");
    EXPECT_EQ(Content(L"\\Dst\\two.txt"), "second secret");
}

TEST_F(ArchiveWindowTest, CancelDuringALargeMemberLeavesNoFileUnderItsName)
{
    MakeFolder(L"\\Dst");
    ZipWriter writer;
    ZipEntryOptions stored;
    stored.deflate = false;
    writer.AddFile("big.bin", std::string(96u << 20, 'z'), stored);
    WriteFile(L"\\Big.zip", writer.Finish());
    WriteProfile("[store]\nsize=2147483648\nfree=1073741824\n");
    Start();

    auto archive = Open(L"\\Big.zip");
    ArchiveJob job(*archive);
    job.destination = L"\\Dst";
    job.members = {0};
    bool sawPartial = false;
    ModalDriver driver([&](HWND progress) {
        for (int i = 0; i < 5000 && !sawPartial; ++i) {
            sawPartial = !FilesIn(L"\\Dst").empty();
            if (!sawPartial)
                Sleep(1);
        }
        SendMessageW(progress, WM_COMMAND, ID_COPY_CANCEL, 0);
        WaitGone(progress);
    });
    EXPECT_EQ(RunArchiveJobDialog(MainHwnd(), job), ArchiveJobEnd::Cancelled);
    ASSERT_TRUE(driver.Wait());
    EXPECT_TRUE(sawPartial);
    EXPECT_EQ(FilesIn(L"\\Dst"), Lines{});
}
