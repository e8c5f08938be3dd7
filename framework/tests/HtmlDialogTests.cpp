// The HTML page dialog with the real viewer control.
#include "framework/Globals.h"
#include "framework/HtmlDialog.h"
#include "framework/testsupport/ModalDriver.h"

#include "platform/htmlview/HtmlView.h"

#include "UiTestSupport.h"
#include "test_dialogs.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include <vector>

namespace {

constexpr UINT_PTR RecorderId = 77;

// An answer the dialog gave the viewer for a picture.
struct ImageAnswer {
    UINT message = 0;
    DWORD_PTR cookie = 0;
    int width = 0;
    int height = 0;
    HBITMAP bitmap = nullptr;
    BOOL viewerOwnsBitmap = TRUE;
};

// An HTML dialog that shows `page` and notes what it tells the viewer.
class PageDialog : public HtmlDialog {
public:
    PageDialog(HWND parent, const wchar_t* page, bool routeBack = false)
        : HtmlDialog(IDD_TEST_PROGRAM, parent, IDM_TEST_BAR, IDS_TEST_DIALOG_TITLE, routeBack), m_page(page)
    {
    }

    std::vector<ImageAnswer> answers;
    std::vector<String> links;
    // Shown instead when command 8 arrives.
    String nextPage;

protected:
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_COMMAND && LOWORD(wParam) == IDM_TEST_EIGHT && !nextPage.IsEmpty()) {
            SetHtmlPage(*this, nextPage);
            result = 0;
            return true;
        }
        return HtmlDialog::HandleMessage(window, message, wParam, lParam, result);
    }

    InitResult InitDialog() override
    {
        if (HtmlDialog::InitDialog() == InitResult::Stop)
            return InitResult::Stop;
        SetWindowSubclass(Viewer(), &PageDialog::Recorder, RecorderId, reinterpret_cast<DWORD_PTR>(this));
        SetHtmlPage(*this, m_page);
        return InitResult::Continue;
    }

    void OnLinkClicked(const wchar_t* link) override
    {
        links.push_back(String(link));
        HtmlDialog::OnLinkClicked(link);
    }

private:
    static LRESULT CALLBACK Recorder(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data) noexcept
    {
        auto* self = reinterpret_cast<PageDialog*>(data);
        if (message == DTM_SETIMAGE) {
            const auto* image = reinterpret_cast<const INLINEIMAGEINFO*>(lParam);
            self->answers.push_back(
                {message, image->dwCookie, image->iOrigWidth, image->iOrigHeight, image->hbm, image->bOwnBitmap});
        } else if (message == DTM_IMAGEFAIL) {
            self->answers.push_back({message, static_cast<DWORD_PTR>(lParam)});
        } else if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(window, &PageDialog::Recorder, RecorderId);
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    String m_page;
};

class HtmlDialogs : public OwnerWindowTest {};

HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

HBITMAP SolidBitmap(int width, int height, COLORREF colour)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

TEST_F(HtmlDialogs, TheViewerCoversTheDialogAndTakesEveryKey)
{
    PageDialog dialog(m_owner, L"<b>First line</b><br>Second line", true);
    bool covers = false;
    HWND focus = nullptr;
    LRESULT dialogCode = 0;
    String text;
    ModalDriver driver([&](HWND window) {
        HWND viewer = dialog.Viewer();
        RECT client{}, covered{};
        GetClientRect(window, &client);
        GetWindowRect(viewer, &covered);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&covered), 2);
        covers = EqualRect(&client, &covered) != 0;
        focus = FocusOf(window);
        dialogCode = SendMessageW(focus, WM_GETDLGCODE, 0, 0);
        text = ViewerText(viewer);
        // Back leaves a screen whose focus holds nothing to delete.
        PostKeyToFocus(window, VK_ESCAPE);
    });
    EXPECT_EQ(RunModal(dialog), IDCANCEL);
    ASSERT_TRUE(driver.Wait());
    EXPECT_TRUE(covers);
    EXPECT_NE(focus, nullptr);
    EXPECT_EQ(dialogCode, DLGC_WANTALLKEYS);
    EXPECT_EQ(text, String(L"First line\r\nSecond line"));
    EXPECT_EQ(dialog.Viewer(), nullptr);
}

TEST_F(HtmlDialogs, InlineImagesAreAnsweredFoundOrNot)
{
    HBITMAP logo = SolidBitmap(8, 6, RGB(255, 0, 0));
    std::vector<ImageAnswer> answers;
    {
        PageDialog dialog(m_owner, L"<img src=\"Logo.BMP\"><br><img src=\"missing.bmp\"><br><img src=\"logo.bmp\">");
        dialog.AddInlineImage(L"logo.bmp", logo);
        ModalDriver driver([](HWND window) { PostMessageW(window, WM_COMMAND, IDOK, 0); });
        EXPECT_EQ(RunModal(dialog), IDOK);
        ASSERT_TRUE(driver.Wait());
        answers = dialog.answers;
        // The viewer got a copy; the dialog keeps its own until it goes.
        BITMAP info{};
        EXPECT_NE(GetObjectW(logo, sizeof info, &info), 0);
    }
    BITMAP info{};
    EXPECT_EQ(GetObjectW(logo, sizeof info, &info), 0);

    ASSERT_EQ(answers.size(), 3u);
    const ImageAnswer& found = answers[0];
    EXPECT_EQ(found.message, static_cast<UINT>(DTM_SETIMAGE));
    EXPECT_EQ(found.width, 8);
    EXPECT_EQ(found.height, 6);
    EXPECT_EQ(found.bitmap, logo);
    EXPECT_FALSE(found.viewerOwnsBitmap);
    const ImageAnswer& missing = answers[1];
    EXPECT_EQ(missing.message, static_cast<UINT>(DTM_IMAGEFAIL));
    EXPECT_NE(missing.cookie, found.cookie);
    EXPECT_EQ(answers[2].message, static_cast<UINT>(DTM_SETIMAGE));
    EXPECT_NE(answers[2].cookie, found.cookie);
}

TEST_F(HtmlDialogs, ANewPageReplacesTheOldOne)
{
    PageDialog dialog(m_owner, L"Old page");
    dialog.nextPage = L"<center>New page</center>";
    String before, after;
    ModalDriver driver([&](HWND window) {
        before = ViewerText(dialog.Viewer());
        // The dialog's thread sets the new page.
        SendMessageW(window, WM_COMMAND, IDM_TEST_EIGHT, 0);
        after = ViewerText(dialog.Viewer());
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(RunModal(dialog), IDOK);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(before, String(L"Old page"));
    EXPECT_EQ(after, String(L"New page"));
}

TEST_F(HtmlDialogs, AFollowedLinkReachesTheDialogAndTheViewerNavigates)
{
    String page = L"<a href=\"#end\">Go to the end</a>";
    for (int line = 0; line < 40; ++line)
        page += L"<br>filler";
    page += L"<br><a name=\"end\">The end</a>";
    PageDialog dialog(m_owner, page);
    String after;
    ModalDriver driver([&](HWND window) {
        HWND viewer = dialog.Viewer();
        PostMessageW(viewer, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 6));
        PostMessageW(viewer, WM_LBUTTONUP, 0, MAKELPARAM(10, 6));
        WaitUntil([&] { return ViewerText(viewer).Find(L"The end") >= 0; }, 5000);
        after = ViewerText(viewer);
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(RunModal(dialog), IDOK);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(dialog.links, std::vector<String>{String(L"#end")});
    // Scrolled as far as the page goes towards its end.
    EXPECT_GE(after.Find(L"The end"), 0) << std::wstring(after.Chars());
    EXPECT_LT(after.Find(L"Go to the end"), 0) << std::wstring(after.Chars());
}

}  // namespace
