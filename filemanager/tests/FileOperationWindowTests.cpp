// Copy, move, duplicate and delete through the real main window and the real
// dialogs (chooser 106, progress 130, overwrite question 131, delete
// question 134), driven as the user would drive them.
#include "TarnwellWindowFixture.h"

#include "filemanager/CopyProgressDialog.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/FileOperationResources.h"
#include "filemanager/OverwriteDialog.h"
#include "filemanager/PreferenceBits.h"
#include "filemanager/resource.h"
#include "framework/testsupport/ModalDriver.h"

#include "platform/Handles.h"
#include "platform/SoftKeyBar.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Names_ = std::vector<std::wstring>;

std::wstring ItemText(HWND dialog, int control)
{
    wchar_t text[512] = L"";
    GetDlgItemTextW(dialog, control, text, 512);
    return text;
}

HTREEITEM ChildNamed(HWND tree, HTREEITEM parent, const wchar_t* name)
{
    for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child)) {
        wchar_t text[MAX_PATH] = L"";
        TVITEMW item{};
        item.mask = TVIF_TEXT;
        item.hItem = child;
        item.pszText = text;
        item.cchTextMax = MAX_PATH;
        TreeView_GetItem(tree, &item);
        if (std::wstring(text) == name)
            return child;
    }
    return nullptr;
}

// Drives the folder chooser: the root's child `name` is chosen with OK.
std::function<void(HWND)> ChooseRootChild(const wchar_t* name)
{
    return [name](HWND dialog) {
        HWND tree = GetDlgItem(dialog, IDC_CHOOSER_TREE);
        TreeView_SelectItem(tree, ChildNamed(tree, TreeView_GetRoot(tree), name));
        SendMessageW(dialog, WM_COMMAND, ID_DIALOG_OK, 0);
    };
}

class FileOperationWindowTest : public TarnwellWindowTest {
protected:
    void SelectNames(std::initializer_list<const wchar_t*> names)
    {
        List().ClearSelection();
        for (const wchar_t* name : names)
            for (int i = 0; i < List().ItemCount(); ++i)
                if (List().Item(i).name == name)
                    List().Select(i, true);
    }

    std::string Content(const wchar_t* handsetPath)
    {
        vellumate::FileHandle file(CreateFileW(ToFileSystemPath(handsetPath), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                               OPEN_EXISTING, 0, nullptr));
        if (!file)
            return "<missing>";
        char text[64];
        DWORD read = 0;
        ReadFile(file.Get(), text, sizeof text, &read, nullptr);
        return std::string(text, read);
    }

    void Write(const wchar_t* handsetPath, const std::string& content)
    {
        vellumate::FileHandle file(
            CreateFileW(ToFileSystemPath(handsetPath), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    }
};

TEST_F(FileOperationWindowTest, CopyToAFolderChosenInTheChooserThenDuplicateInPlace)
{
    MakeFolder(L"\\Docs");
    MakeFolder(L"\\Dst");
    Write(L"\\Docs\\a.txt", "a");
    Write(L"\\Docs\\b.txt", "b");
    Start(DefaultSettings(L"\\Docs"));
    OpenList();
    SelectNames({L"b.txt", L"a.txt"});

    std::wstring shownPath;
    ModalDriver chooser([&](HWND dialog) {
        shownPath = ItemText(dialog, IDC_CHOOSER_PATH);
        HWND tree = GetDlgItem(dialog, IDC_CHOOSER_TREE);
        HTREEITEM node = ChildNamed(tree, TreeView_GetRoot(tree), L"Dst");
        if (node)
            TreeView_SelectItem(tree, node);
        SendMessageW(dialog, WM_COMMAND, ID_DIALOG_OK, 0);
    });
    Command(ID_COPY_TO);
    ASSERT_TRUE(chooser.Wait());
    EXPECT_EQ(chooser.Dialog().caption, String(L"Copy To"));
    EXPECT_EQ(shownPath, L"\\Docs\\");
    EXPECT_EQ(Content(L"\\Dst\\a.txt"), "a");
    EXPECT_EQ(Content(L"\\Dst\\b.txt"), "b");
    EXPECT_EQ(Names(), (Names_{L"..", L"a.txt", L"b.txt"}));

    // Duplicating needs no chooser: the copies join the list, selected.
    SelectNames({L"a.txt"});
    Command(ID_DUPLICATE);
    Pump();
    SelectNames({L"a.txt"});
    Command(ID_DUPLICATE);
    Pump();
    EXPECT_EQ(Content(L"\\Docs\\Copy of a.txt"), "a");
    EXPECT_EQ(Content(L"\\Docs\\Copy (2) of a.txt"), "a");
    EXPECT_EQ(SelectedNames(), Names_{L"Copy (2) of a.txt"});
}

TEST_F(FileOperationWindowTest, TheOverwriteQuestionShowsBothItemsAndItsAnswerIsTheJobs)
{
    MakeFolder(L"\\Src");
    MakeFolder(L"\\Dst");
    Write(L"\\Src\\a.txt", "new!");
    Write(L"\\Dst\\a.txt", "old");
    Write(L"\\Src\\b.txt", "new!");
    Write(L"\\Dst\\b.txt", "old");
    Start();

    CopyJob job;
    job.sourceFolder = L"\\Src";
    job.destinationFolder = L"\\Dst";
    job.items = {{L"a.txt"}, {L"b.txt"}};
    std::wstring oldName, oldDetails, newDetails, replaceText;
    bool replaceAllEnabled = false;
    bool questions = true;
    ModalDriver progress([&](HWND dialog) {
        // The first question: replace this one and all the others. The
        // driver may meet the progress dialog or, when it comes at once, the
        // question in front of it.
        HWND question = GetDlgItem(dialog, IDC_OVERWRITE_REPLACE) ? dialog : WaitForOwnedDialog(dialog);
        if (question == dialog)
            dialog = GetWindow(question, GW_OWNER);
        if (!question) {
            questions = false;
            return;
        }
        oldName = ItemText(question, IDC_OVERWRITE_OLD_NAME);
        oldDetails = ItemText(question, IDC_OVERWRITE_OLD_DETAILS);
        newDetails = ItemText(question, IDC_OVERWRITE_NEW_DETAILS);
        replaceText = ItemText(question, IDC_OVERWRITE_REPLACE);
        replaceAllEnabled = IsWindowEnabled(GetDlgItem(question, IDC_OVERWRITE_REPLACE_ALL)) != FALSE;
        SendDlgItemMessageW(question, IDC_OVERWRITE_REPLACE, BM_SETCHECK, BST_UNCHECKED, 0);
        SendDlgItemMessageW(question, IDC_OVERWRITE_REPLACE_ALL, BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(question, WM_COMMAND, ID_DIALOG_OK, 0);
        // The job ends by itself, and with it the dialog.
        WaitGone(dialog);
    });
    CopyProgressDialog(MainHwnd(), job).Run();
    ASSERT_TRUE(progress.Wait());
    ASSERT_TRUE(questions);

    EXPECT_EQ(oldName, L"...\\a.txt");
    EXPECT_EQ(oldDetails.rfind(L"3 Bytes, ", 0), 0u) << oldDetails.size();
    EXPECT_EQ(newDetails.rfind(L"4 Bytes, ", 0), 0u) << newDetails.size();
    EXPECT_EQ(replaceText, L"Replace");
    EXPECT_TRUE(replaceAllEnabled);
    EXPECT_EQ(job.answer, OverwriteAnswer::ReplaceAll);
    EXPECT_EQ(Content(L"\\Dst\\a.txt"), "new!");
    EXPECT_EQ(Content(L"\\Dst\\b.txt"), "new!");
}

TEST_F(FileOperationWindowTest, TheOverwriteQuestionAloneCancelsWithBackAndSkipsOnRequest)
{
    MakeFolder(L"\\Dst");
    Write(L"\\Dst\\a.txt", "old");
    MakeFolder(L"\\Src");
    Write(L"\\Src\\a.txt", "new");
    Start();
    const OverwriteQuestion question{L"\\Dst\\a.txt", L"\\Src\\a.txt", true};

    bool replaceAllEnabled = true;
    ModalDriver skip([&](HWND dialog) {
        replaceAllEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_OVERWRITE_REPLACE_ALL)) != FALSE;
        SendDlgItemMessageW(dialog, IDC_OVERWRITE_REPLACE, BM_SETCHECK, BST_UNCHECKED, 0);
        SendDlgItemMessageW(dialog, IDC_OVERWRITE_SKIP, BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(dialog, WM_COMMAND, ID_DIALOG_OK, 0);
    });
    EXPECT_EQ(OverwriteDialog(MainHwnd(), question).Ask(), OverwriteAnswer::Skip);
    ASSERT_TRUE(skip.Wait());
    EXPECT_FALSE(replaceAllEnabled);
    EXPECT_EQ(skip.Dialog().caption, String(L"Replace?"));

    ModalDriver back([&](HWND dialog) { SendMessageW(dialog, WM_HOTKEY, 0, MAKELPARAM(MOD_KEYUP, VK_ESCAPE)); });
    EXPECT_EQ(OverwriteDialog(MainHwnd(), question).Ask(), OverwriteAnswer::Cancel);
    ASSERT_TRUE(back.Wait());
}

TEST_F(FileOperationWindowTest, CancelStopsALargeCopyAndLeavesNothingUnderItsName)
{
    MakeFolder(L"\\Src");
    MakeFolder(L"\\Dst");
    {
        vellumate::FileHandle file(
            CreateFileW(ToFileSystemPath(L"\\Src\\big.bin"), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        LARGE_INTEGER size{};
        size.QuadPart = 256ll << 20;
        SetFilePointerEx(file.Get(), size, nullptr, FILE_BEGIN);
        SetEndOfFile(file.Get());
    }
    WriteProfile("[store]\nsize=2147483648\nfree=1073741824\n");
    Start();
    CopyJob job;
    job.sourceFolder = L"\\Src";
    job.destinationFolder = L"\\Dst";
    job.items = {{L"big.bin"}};
    const String pattern = ToFileSystemPath(L"\\Dst\\*.tmp");
    ModalDriver progress([&](HWND dialog) {
        WIN32_FIND_DATAW entry;
        for (int i = 0; i < 5000; ++i) {
            vellumate::FindHandle find(FindFirstFileW(pattern, &entry));
            if (find)
                break;
            Sleep(1);
        }
        SendMessageW(dialog, WM_COMMAND, ID_COPY_CANCEL, 0);
        WaitGone(dialog);
    });
    CopyProgressDialog(MainHwnd(), job).Run();
    ASSERT_TRUE(progress.Wait());
    EXPECT_TRUE(job.cancel.load());
    EXPECT_FALSE(EntryExists(L"\\Dst\\big.bin"));
    WIN32_FIND_DATAW entry;
    vellumate::FindHandle left(FindFirstFileW(pattern, &entry));
    EXPECT_FALSE(left);
}

TEST_F(FileOperationWindowTest, DeleteAsksItemByItemAndTheListFollows)
{
    MakeFolder(L"\\Docs\\Box");
    MakeFile(L"\\Docs\\Box\\in.txt");
    MakeFile(L"\\Docs\\a.txt");
    MakeFile(L"\\Docs\\b.txt");
    MakeFile(L"\\Docs\\keep.txt");
    SetFileAttributesW(ToFileSystemPath(L"\\Docs\\a.txt"), FILE_ATTRIBUTE_READONLY);
    Start(DefaultSettings(L"\\Docs"));
    OpenList();
    SelectNames({L"Box", L"keep.txt", L"a.txt", L"b.txt"});

    // Asked from the last selected: b.txt is deleted, a.txt too, keep.txt
    // skipped, then Box with the rest.
    std::vector<std::wstring> asked;
    std::vector<bool> allEnabled;
    auto answer = [&](HWND dialog, int choice) {
        asked.push_back(ItemText(dialog, IDC_DELETE_NAME));
        allEnabled.push_back(IsWindowEnabled(GetDlgItem(dialog, IDC_DELETE_ALL)) != FALSE);
        for (int button : {IDC_DELETE_THIS, IDC_DELETE_ALL, IDC_DELETE_SKIP})
            SendDlgItemMessageW(dialog, button, BM_SETCHECK, button == choice ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageW(dialog, WM_COMMAND, ID_DELETE_OK, 0);
    };
    ModalDriver question([&](HWND dialog) {
        answer(dialog, IDC_DELETE_THIS);
        answer(dialog, IDC_DELETE_THIS);
        answer(dialog, IDC_DELETE_SKIP);
        answer(dialog, IDC_DELETE_ALL);
    });
    Command(ID_DELETE);
    ASSERT_TRUE(question.Wait());
    EXPECT_EQ(question.Dialog().caption, String(L"Delete"));
    EXPECT_EQ(asked, (Names_{L"b.txt", L"a.txt", L"keep.txt", L"Box"}));
    EXPECT_EQ(allEnabled, (std::vector<bool>{true, true, true, false}));
    EXPECT_FALSE(EntryExists(L"\\Docs\\a.txt"));
    EXPECT_FALSE(EntryExists(L"\\Docs\\Box"));
    EXPECT_TRUE(EntryExists(L"\\Docs\\keep.txt"));
    EXPECT_EQ(Names(), (Names_{L"..", L"keep.txt"}));
    EXPECT_TRUE(SelectedNames().empty());
}

TEST_F(FileOperationWindowTest, DeleteWithoutTheQuestionInBothPanes)
{
    MakeFolder(L"\\Docs\\Old");
    MakeFolder(L"\\Docs\\Other");
    MakeFile(L"\\Docs\\a.txt");
    AppSettings settings = DefaultSettings(L"\\Docs\\Old");
    settings.preferences &= ~PreferenceAskBeforeDeleting;
    Start(settings);
    FinishListing();

    // The tree's current folder goes; its parent keeps its other child.
    Command(ID_DELETE);
    EXPECT_FALSE(EntryExists(L"\\Docs\\Old"));
    EXPECT_EQ(Tree().CurrentPath(), String(L"\\Docs"));
    EXPECT_EQ(Tree().LookupNode(L"\\Docs\\Old"), nullptr);
    EXPECT_NE(Tree().LookupNode(L"\\Docs\\Other"), nullptr);

    FinishListing();
    OpenList();
    // ".." among the selection is never deleted.
    SelectNames({L"..", L"a.txt", L"Other"});
    Command(ID_DELETE);
    EXPECT_TRUE(EntryExists(L"\\Docs"));
    EXPECT_FALSE(EntryExists(L"\\Docs\\a.txt"));
    EXPECT_FALSE(EntryExists(L"\\Docs\\Other"));
    EXPECT_EQ(Names(), Names_{L".."});
    EXPECT_EQ(Tree().LookupNode(L"\\Docs\\Other"), nullptr);
}

TEST_F(FileOperationWindowTest, MovingAFolderFromTheTreeMovesItsNode)
{
    MakeFolder(L"\\Docs\\Old");
    MakeFile(L"\\Docs\\Old\\in.txt");
    MakeFolder(L"\\Archive");
    Start(DefaultSettings(L"\\Docs\\Old"));
    FinishListing();

    ModalDriver chooser(ChooseRootChild(L"Archive"));
    Command(ID_MOVE_TO);
    ASSERT_TRUE(chooser.Wait());
    EXPECT_EQ(chooser.Dialog().caption, String(L"Move To"));
    EXPECT_TRUE(EntryExists(L"\\Archive\\Old\\in.txt"));
    EXPECT_FALSE(EntryExists(L"\\Docs\\Old"));
    EXPECT_EQ(Tree().LookupNode(L"\\Docs\\Old"), nullptr);
    EXPECT_NE(Tree().LookupNode(L"\\Archive\\Old"), nullptr);
    EXPECT_EQ(Tree().CurrentPath(), String(L"\\Archive\\Old"));
}

TEST_F(FileOperationWindowTest, CopyingAFolderFromTheTreeAddsItsNodeAndStaysWhereItWas)
{
    MakeFolder(L"\\Docs\\Old");
    MakeFile(L"\\Docs\\Old\\in.txt");
    MakeFolder(L"\\Archive");
    Start(DefaultSettings(L"\\Docs\\Old"));
    FinishListing();

    ModalDriver chooser(ChooseRootChild(L"Archive"));
    Command(ID_COPY_TO);
    ASSERT_TRUE(chooser.Wait());
    EXPECT_TRUE(EntryExists(L"\\Archive\\Old\\in.txt"));
    EXPECT_TRUE(EntryExists(L"\\Docs\\Old\\in.txt"));
    EXPECT_EQ(Tree().CurrentPath(), String(L"\\Docs\\Old"));
    EXPECT_NE(Tree().FindNode(L"\\Archive\\Old"), nullptr);
    EXPECT_NE(Tree().LookupNode(L"\\Docs\\Old"), nullptr);

    // A duplicate joins its parent, and the folder stays the current one.
    Command(ID_DUPLICATE);
    Pump();
    EXPECT_TRUE(EntryExists(L"\\Docs\\Copy of Old\\in.txt"));
    EXPECT_EQ(Tree().CurrentPath(), String(L"\\Docs\\Old"));
    EXPECT_NE(Tree().FindNode(L"\\Docs\\Copy of Old"), nullptr);
}

}  // namespace
