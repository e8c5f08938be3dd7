// The snapshot read from real controls. The driver reads other processes'
// controls through a buffer in their memory; here the "other process" is the
// test itself, which takes the same road.
#include "platform/driver/WindowCapture.h"

#include "platform/ScreenText.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace vellumate;

namespace {

class WindowCaptureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
    }

    void SetUp() override
    {
        frame_ = ::CreateWindowExW(0, L"STATIC", L"Frame", WS_POPUP | WS_VISIBLE, 0, 20, 176, 180, nullptr, nullptr,
                                   nullptr, nullptr);
        ASSERT_NE(frame_, nullptr);
    }

    void TearDown() override
    {
        if (frame_) {
            WithdrawScreenText(frame_);
            ::DestroyWindow(frame_);
        }
    }

    HWND Child(const wchar_t* className, const wchar_t* text, DWORD style, int id, int y = 0)
    {
        HWND child = ::CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 2, y, 170, 60, frame_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        EXPECT_NE(child, nullptr) << testing::PrintToString(std::wstring(className));
        return child;
    }

    const WindowNode* Find(const WindowNode& node, int id)
    {
        for (const WindowNode& child : node.children)
            if (child.controlId == id)
                return &child;
        ADD_FAILURE() << "no control " << id;
        return nullptr;
    }

    HWND frame_ = nullptr;
};

TEST_F(WindowCaptureTest, DescribesWindowsAndTheirStates)
{
    HWND check = Child(L"BUTTON", L"Hidden files", BS_AUTOCHECKBOX, 101);
    ::SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
    Child(L"BUTTON", L"OK", BS_PUSHBUTTON | WS_DISABLED, 102, 70);
    HWND edit = Child(L"EDIT", L"", ES_AUTOHSCROLL, 103, 130);
    ::SetWindowTextW(edit, L"line \"one\"");
    HWND hidden = Child(L"STATIC", L"invisible", 0, 104);
    ::ShowWindow(hidden, SW_HIDE);
    // What a template's icon control holds: its icon's resource number.
    const wchar_t iconNumber[] = {0xFFFF, 30020, 0};
    ::SetWindowTextW(Child(L"STATIC", L"", 0, 105), iconNumber);

    const WindowNode node = DescribeWindow(frame_, true, edit, frame_);
    EXPECT_EQ(node.text, L"Frame");
    EXPECT_FALSE(node.controlId) << "top-level windows have no control id";
    EXPECT_TRUE(node.foreground);
    EXPECT_EQ(node.rect.top, 20);
    EXPECT_EQ(node.rect.bottom, 200);
    ASSERT_EQ(node.children.size(), 5u);
    EXPECT_EQ(node.children[0].controlId, 101) << "children come in Z order";

    const WindowNode* box = Find(node, 101);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->checkState, static_cast<UINT>(BST_CHECKED));
    const WindowNode* ok = Find(node, 102);
    ASSERT_TRUE(ok);
    EXPECT_FALSE(ok->checkState) << "a push button has no check state";
    EXPECT_FALSE(ok->enabled);
    const WindowNode* field = Find(node, 103);
    ASSERT_TRUE(field);
    EXPECT_EQ(field->text, L"line \"one\"");
    EXPECT_TRUE(field->focused);
    EXPECT_EQ(field->rect.top, 20 + 130);
    const WindowNode* invisible = Find(node, 104);
    ASSERT_TRUE(invisible);
    EXPECT_FALSE(invisible->visible);
    const WindowNode* icon = Find(node, 105);
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->text, L"#30020");
}

TEST_F(WindowCaptureTest, ReadsListBoxAndComboBoxRows)
{
    HWND list = Child(L"LISTBOX", L"", LBS_NOTIFY, 201);
    for (const wchar_t* text : {L"alpha", L"b\u00E9ta", L"gamma"})
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    ::SendMessageW(list, LB_SETCURSEL, 1, 0);

    HWND multi = Child(L"LISTBOX", L"", LBS_EXTENDEDSEL, 202, 60);
    for (const wchar_t* text : {L"one", L"two", L"three"})
        ::SendMessageW(multi, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    ::SendMessageW(multi, LB_SETSEL, TRUE, 0);
    ::SendMessageW(multi, LB_SETSEL, TRUE, 2);

    HWND combo = Child(L"COMBOBOX", L"", CBS_DROPDOWNLIST, 203, 120);
    for (const wchar_t* text : {L"Name", L"Size"})
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    ::SendMessageW(combo, CB_SETCURSEL, 1, 0);

    HWND drawn = Child(L"LISTBOX", L"", LBS_OWNERDRAWFIXED, 204, 120);
    ::SendMessageW(drawn, LB_ADDSTRING, 0, 42);
    ::SendMessageW(drawn, LB_ADDSTRING, 0, 43);

    const WindowNode node = DescribeWindow(frame_, true, nullptr, nullptr);
    const WindowNode* single = Find(node, 201);
    ASSERT_TRUE(single);
    ASSERT_EQ(single->rows.size(), 3u);
    EXPECT_EQ(single->rows[1].cells, std::vector<std::wstring>{L"b\u00E9ta"});
    EXPECT_FALSE(single->rows[0].selected);
    EXPECT_TRUE(single->rows[1].selected);

    const WindowNode* several = Find(node, 202);
    ASSERT_TRUE(several);
    ASSERT_EQ(several->rows.size(), 3u);
    EXPECT_TRUE(several->rows[0].selected);
    EXPECT_FALSE(several->rows[1].selected);
    EXPECT_TRUE(several->rows[2].selected);

    const WindowNode* choices = Find(node, 203);
    ASSERT_TRUE(choices);
    ASSERT_EQ(choices->rows.size(), 2u);
    EXPECT_EQ(choices->rows[1].cells, std::vector<std::wstring>{L"Size"});
    EXPECT_TRUE(choices->rows[1].selected);

    const WindowNode* owner = Find(node, 204);
    ASSERT_TRUE(owner);
    EXPECT_TRUE(owner->rows.empty()) << "owner-drawn rows carry no text";
    EXPECT_EQ(owner->unreadableRows, 2);
}

TEST_F(WindowCaptureTest, ReadsListViewColumnsAndStates)
{
    HWND view = Child(WC_LISTVIEWW, L"", LVS_REPORT, 301);
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNW header{};
        header.mask = LVCF_TEXT | LVCF_WIDTH;
        header.cx = 80;
        header.pszText = const_cast<wchar_t*>(column ? L"Size" : L"Name");
        ::SendMessageW(view, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&header));
    }
    const wchar_t* rows[][2] = {{L"My Documents", L""}, {L"notes \u00E9.txt", L"2 KB"}, {L"z.zip", L"10 KB"}};
    for (int index = 0; index < 3; ++index) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = const_cast<wchar_t*>(rows[index][0]);
        ::SendMessageW(view, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<wchar_t*>(rows[index][1]);
        ::SendMessageW(view, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
    }
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(view, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    ::SendMessageW(view, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));

    const WindowNode node = DescribeWindow(frame_, true, nullptr, nullptr);
    const WindowNode* list = Find(node, 301);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->rows.size(), 3u);
    EXPECT_EQ(list->rows[0].cells, (std::vector<std::wstring>{L"My Documents", L""}));
    EXPECT_EQ(list->rows[1].cells, (std::vector<std::wstring>{L"notes \u00E9.txt", L"2 KB"}));
    EXPECT_FALSE(list->rows[0].selected);
    EXPECT_TRUE(list->rows[1].selected);
    EXPECT_TRUE(list->rows[1].focused);
    EXPECT_TRUE(list->rows[2].selected);
    EXPECT_FALSE(list->rows[2].focused);
}

TEST_F(WindowCaptureTest, ReadsTheTreeRowsAPersonCanReach)
{
    HWND tree = Child(WC_TREEVIEWW, L"", TVS_HASBUTTONS | TVS_HASLINES, 401);
    const auto insert = [&](HTREEITEM parent, const wchar_t* text) {
        TVINSERTSTRUCTW insert{};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<wchar_t*>(text);
        return reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    };
    HTREEITEM root = insert(TVI_ROOT, L"\\");
    HTREEITEM documents = insert(root, L"My Documents");
    insert(documents, L"Personal");  // under a collapsed folder: not reachable
    HTREEITEM windows = insert(root, L"Windows");
    insert(windows, L"Fonts");
    ::SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    ::SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(windows));
    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(windows));

    const WindowNode node = DescribeWindow(frame_, true, nullptr, nullptr);
    const WindowNode* read = Find(node, 401);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->rowStyle, RowStyle::Tree);
    std::vector<std::wstring> texts;
    for (const ListRow& row : read->rows)
        texts.push_back(std::wstring(static_cast<std::size_t>(row.depth), L'.') + row.cells.at(0));
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"\\", L".My Documents", L".Windows", L"..Fonts"}));
    ASSERT_EQ(read->rows.size(), 4u);
    EXPECT_EQ(read->rows[0].expansion, ListRow::Expansion::Expanded);
    EXPECT_EQ(read->rows[1].expansion, ListRow::Expansion::Collapsed);
    EXPECT_EQ(read->rows[3].expansion, ListRow::Expansion::Leaf);
    EXPECT_TRUE(read->rows[2].selected);
    EXPECT_FALSE(read->rows[1].selected);
}

TEST_F(WindowCaptureTest, SnapshotTakesPublishedTextAndOnlyWindowsOnTheScreen)
{
    PublishScreenText(frame_, L"> Tarnwell\n  Pellory");
    HWND away = ::CreateWindowExW(0, L"STATIC", L"Away", WS_POPUP | WS_VISIBLE, 600, 500, 50, 50, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(away, nullptr);
    HWND hiddenPopup =
        ::CreateWindowExW(0, L"STATIC", L"Hidden", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);

    const std::vector<WindowNode> snapshot = TakeSnapshot(RECT{0, 0, 176, 220});
    int frames = 0;
    for (const WindowNode& node : snapshot) {
        EXPECT_NE(node.text, L"Away");
        EXPECT_NE(node.text, L"Hidden");
        if (node.text == L"Frame") {
            ++frames;
            EXPECT_EQ(node.screenText, L"> Tarnwell\n  Pellory");
        }
    }
    EXPECT_EQ(frames, 1);
    ::DestroyWindow(away);
    ::DestroyWindow(hiddenPopup);
}

}  // namespace
