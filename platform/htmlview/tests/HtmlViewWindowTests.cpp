// The control as a program meets it: the real "htmlview.dll" loaded from the
// program folder, a viewer in a parent window that answers its notifications.
#include "platform/htmlview/HtmlView.h"

#include "platform/Handles.h"

#include "TestPages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

using vellumate::BitmapHandle;
using vellumate::MemoryDCHandle;
using vellumate::SelectObjectScope;
using vellumate::htmlview::testing::NumberedLines;
using vellumate::htmlview::testing::TarnwellAboutPage;

namespace {

constexpr int ControlId = 0x4E2;
constexpr int Width = 176;
constexpr int Height = 180;
constexpr wchar_t ParentClass[] = L"HtmlViewTestParent";

constexpr std::uint32_t White = 0xFFFFFF;  // pixels of a 32-bit DIB: 0x00RRGGBB
constexpr std::uint32_t Red = 0xFF0000;
constexpr std::uint32_t PlaceholderGrey = 0xA0A0A0;
constexpr std::uint32_t FocusBlue = 0x316AC5;
constexpr std::uint32_t ThumbGrey = 0x707070;

// What the parent does with the viewer's notifications, and what it heard.
struct ParentScript {
    std::map<std::wstring, HBITMAP> pictures;  // answered with DTM_SETIMAGE, others with DTM_IMAGEFAIL
    bool handOverBitmaps = false;              // bOwnBitmap of the answers
    bool answerImages = true;                  // false: returns 0 and answers nothing
    LRESULT hotspotResult = 1;
    bool destroyOnHotspot = false;

    std::vector<std::pair<std::wstring, DWORD_PTR>> imageRequests;
    std::vector<std::wstring> hotspots;
    std::vector<UINT_PTR> senderIds;
};

ParentScript* g_script = nullptr;

LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_NOTIFY || !g_script)
        return ::DefWindowProcW(window, message, wParam, lParam);
    ParentScript& script = *g_script;
    const auto* note = reinterpret_cast<const NM_HTMLVIEW*>(lParam);
    script.senderIds.push_back(note->hdr.idFrom);
    if (note->hdr.code == NM_INLINE_IMAGE) {
        script.imageRequests.emplace_back(note->szTarget, note->dwCookie);
        if (!script.answerImages)
            return 0;
        const auto found = script.pictures.find(note->szTarget);
        if (found == script.pictures.end()) {
            ::SendMessageW(note->hdr.hwndFrom, DTM_IMAGEFAIL, 0, static_cast<LPARAM>(note->dwCookie));
        } else {
            BITMAP bitmap{};
            ::GetObjectW(found->second, sizeof bitmap, &bitmap);
            INLINEIMAGEINFO info{note->dwCookie, bitmap.bmHeight, bitmap.bmWidth, found->second,
                                 script.handOverBitmaps};
            ::SendMessageW(note->hdr.hwndFrom, DTM_SETIMAGE, 0, reinterpret_cast<LPARAM>(&info));
        }
        return 1;
    }
    if (note->hdr.code == NM_HOTSPOT) {
        script.hotspots.emplace_back(note->szTarget);
        if (script.destroyOnHotspot)
            ::DestroyWindow(note->hdr.hwndFrom);
        return script.hotspotResult;
    }
    return 0;
}

// The about box's subclass of the viewer: the previous procedure lives in
// the window's user-data slot.
LRESULT CALLBACK DialogSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto previous = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_GETDLGCODE)
        return DLGC_WANTALLKEYS;
    return ::CallWindowProcW(previous, window, message, wParam, lParam);
}

HBITMAP SolidBitmap(int width, int height, std::uint32_t rgb)
{
    BITMAPINFO format{};
    format.bmiHeader = {sizeof format.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap)
        std::fill_n(static_cast<std::uint32_t*>(bits), width * height, rgb);
    return bitmap;
}

// Ink: a pixel clearly darker than the page.
bool IsInk(std::uint32_t pixel)
{
    return ((pixel >> 16) & 0xFF) < 160 && ((pixel >> 8) & 0xFF) < 160 && (pixel & 0xFF) < 160;
}

struct Band {
    int top = 0;
    int bottom = 0;  // exclusive
    int left = Width;
    int right = 0;                                // exclusive
    int Centre2() const { return left + right; }  // twice the centre, to stay in integers
};

// The control's client area, painted through WM_PRINTCLIENT into a DIB.
class Snapshot {
public:
    explicit Snapshot(HWND control) : pixels_(static_cast<std::size_t>(Width * Height), 0)
    {
        BITMAPINFO format{};
        format.bmiHeader = {sizeof format.bmiHeader, Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        BitmapHandle bitmap(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
        MemoryDCHandle dc(::CreateCompatibleDC(nullptr));
        if (!bitmap || !dc)
            return;
        SelectObjectScope selected(dc.Get(), bitmap.Get());
        ::SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
        ::GdiFlush();
        const auto* source = static_cast<const std::uint32_t*>(bits);
        for (std::size_t i = 0; i < pixels_.size(); ++i)
            pixels_[i] = source[i] & 0xFFFFFF;
    }

    std::uint32_t At(int x, int y) const { return pixels_[static_cast<std::size_t>(y * Width + x)]; }

    int Count(std::uint32_t rgb, int left = 0, int right = Width) const
    {
        int count = 0;
        for (int y = 0; y < Height; ++y) {
            for (int x = left; x < right; ++x)
                count += At(x, y) == rgb;
        }
        return count;
    }

    // Runs of rows holding ink, with the ink's horizontal extent.
    std::vector<Band> InkBands(int right = Width) const
    {
        std::vector<Band> bands;
        bool inBand = false;
        for (int y = 0; y < Height; ++y) {
            Band row;
            for (int x = 0; x < right; ++x) {
                if (IsInk(At(x, y))) {
                    row.left = std::min(row.left, x);
                    row.right = std::max(row.right, x + 1);
                }
            }
            const bool ink = row.right > row.left;
            if (ink && !inBand) {
                bands.push_back({y, y + 1, row.left, row.right});
            } else if (ink) {
                Band& band = bands.back();
                band.bottom = y + 1;
                band.left = std::min(band.left, row.left);
                band.right = std::max(band.right, row.right);
            }
            inBand = ink;
        }
        return bands;
    }

private:
    std::vector<std::uint32_t> pixels_;
};

class HtmlViewWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        library_ = ::LoadLibraryW(L"" HTMLVIEW_DLL_PATH);
        if (library_)
            init_ = reinterpret_cast<InitHTMLControlProc>(
                reinterpret_cast<void*>(::GetProcAddress(library_, "InitHTMLControl")));
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = ParentProcedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = ParentClass;
        ::RegisterClassExW(&windowClass);
    }

    static void TearDownTestSuite()
    {
        ::UnregisterClassW(ParentClass, ::GetModuleHandleW(nullptr));
        if (library_)
            ::FreeLibrary(library_);
        library_ = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(library_, nullptr) << "cannot load " << HTMLVIEW_DLL_PATH;
        ASSERT_NE(init_, nullptr);
        ASSERT_TRUE(init_(::GetModuleHandleW(nullptr)));
        g_script = &script_;
        parent_ = ::CreateWindowExW(0, ParentClass, L"", WS_POPUP, 0, 20, Width, Height, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
        // As the about box creates it: a child with the library as its instance.
        control_ =
            ::CreateWindowExW(0, WC_HTML, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, Width, Height, parent_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId)), library_, nullptr);
        ASSERT_NE(control_, nullptr);
    }

    void TearDown() override
    {
        if (parent_)
            ::DestroyWindow(parent_);
        g_script = nullptr;
        for (auto& [name, bitmap] : script_.pictures) {
            if (!script_.handOverBitmaps)
                ::DeleteObject(bitmap);
        }
    }

    // The page sequence the programs use.
    void ShowPage(std::wstring_view html) const
    {
        ::SendMessageW(control_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        const std::wstring source(html);
        ::SendMessageW(control_, DTM_ADDTEXTW, FALSE, reinterpret_cast<LPARAM>(source.c_str()));
        ::SendMessageW(control_, DTM_ENDOFSOURCE, 0, 0);
    }

    std::wstring Text() const
    {
        const LRESULT length = ::SendMessageW(control_, WM_GETTEXTLENGTH, 0, 0);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'?');
        const LRESULT copied = ::SendMessageW(control_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        EXPECT_EQ(copied, length);
        text.resize(static_cast<std::size_t>(copied));
        return text;
    }

    std::wstring FirstLine() const
    {
        const std::wstring text = Text();
        return text.substr(0, text.find(L"\r\n"));
    }

    void Press(UINT key) const { ::SendMessageW(control_, WM_KEYDOWN, key, 0); }

    static inline HMODULE library_ = nullptr;
    static inline InitHTMLControlProc init_ = nullptr;
    ParentScript script_;
    HWND parent_ = nullptr;
    HWND control_ = nullptr;
};

}  // namespace

TEST_F(HtmlViewWindowTest, TheLibraryRegistersItsClassForAnyInstance)
{
    EXPECT_TRUE(init_(::GetModuleHandleW(nullptr)));  // again: still TRUE
    WNDCLASSEXW info{sizeof info};
    EXPECT_TRUE(::GetClassInfoExW(library_, WC_HTML, &info));
    // A program may name itself as the instance.
    HWND other = ::CreateWindowExW(0, WC_HTML, L"", WS_CHILD, 0, 0, 50, 50, parent_, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(other, nullptr);
    EXPECT_EQ(::SendMessageW(control_, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS | DLGC_WANTARROWS);
}

TEST_F(HtmlViewWindowTest, ShowsThePageAndAnswersWithTheVisibleText)
{
    ::SendMessageW(control_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    ::SendMessageW(control_, DTM_ADDTEXTW, FALSE, reinterpret_cast<LPARAM>(L"<center>Hello <b>wor"));
    ::SendMessageW(control_, DTM_ADDTEXTW, FALSE, reinterpret_cast<LPARAM>(L"ld</b><br>second &amp; last</center>"));
    EXPECT_EQ(Text(), L"");  // nothing shows before the source is complete
    ::SendMessageW(control_, DTM_ENDOFSOURCE, 0, 0);
    EXPECT_EQ(Text(), L"Hello world\r\nsecond & last");

    wchar_t small[6];
    EXPECT_EQ(::SendMessageW(control_, WM_GETTEXT, 6, reinterpret_cast<LPARAM>(small)), 5);
    EXPECT_STREQ(small, L"Hello");

    ::SendMessageW(control_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"<p>replaced</p>"));
    EXPECT_EQ(Text(), L"replaced");
    ::SendMessageW(control_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    EXPECT_EQ(Text(), L"");
    EXPECT_EQ(::SendMessageW(control_, WM_GETTEXTLENGTH, 0, 0), 0);

    ::SendMessageW(control_, DTM_ADDTEXTW, TRUE, reinterpret_cast<LPARAM>(L"<b>as typed</b>\r\nline two"));
    ::SendMessageW(control_, DTM_ENDOFSOURCE, 0, 0);
    EXPECT_EQ(Text(), L"<b>as typed</b>\r\nline two");

    // The handset viewer's option message is accepted and changes nothing.
    EXPECT_EQ(::SendMessageW(control_, DTM_VIEWEROPTION, 1, 0), 0);
    EXPECT_EQ(Text(), L"<b>as typed</b>\r\nline two");
}

TEST_F(HtmlViewWindowTest, TheDirectionPadScrollsThePage)
{
    ShowPage(NumberedLines(40));
    EXPECT_EQ(FirstLine(), L"Line 1");
    Press(VK_DOWN);
    EXPECT_EQ(FirstLine(), L"Line 2");
    Press(VK_UP);
    EXPECT_EQ(FirstLine(), L"Line 1");

    const std::wstring firstPage = Text();
    const std::wstring lastOnFirstPage = firstPage.substr(firstPage.rfind(L"\r\n") + 2);
    Press(VK_RIGHT);
    const std::wstring top = FirstLine();
    // The next page starts right after the last line of this one, or repeats it.
    const int lastNumber = std::stoi(lastOnFirstPage.substr(5));
    const int topNumber = std::stoi(top.substr(5));
    EXPECT_TRUE(topNumber == lastNumber || topNumber == lastNumber + 1) << lastNumber << " " << topNumber;
    Press(VK_LEFT);
    EXPECT_EQ(FirstLine(), L"Line 1");

    Press(VK_END);
    const std::wstring end = Text();
    EXPECT_EQ(end.substr(end.rfind(L"\r\n") + 2), L"Line 40");
    Press(VK_HOME);
    EXPECT_EQ(FirstLine(), L"Line 1");
}

TEST_F(HtmlViewWindowTest, EnterOnAFocusedLinkNotifiesTheParent)
{
    ShowPage(L"Read <a href=\"first.htm\">the first</a> or<br><a href=\"http://www.zantric.com/\">the second</a>");
    Press(VK_RETURN);
    EXPECT_TRUE(script_.hotspots.empty());  // no link has the focus yet

    Press(VK_DOWN);
    Press(VK_RETURN);
    Press(VK_DOWN);
    Press(VK_RETURN);
    EXPECT_EQ(script_.hotspots, (std::vector<std::wstring>{L"first.htm", L"http://www.zantric.com/"}));
    EXPECT_EQ(script_.senderIds, (std::vector<UINT_PTR>{ControlId, ControlId}));
    EXPECT_EQ(Text(), L"Read the first or\r\nthe second");  // nothing else loads
}

TEST_F(HtmlViewWindowTest, AnchorLinksScrollUnlessTheParentTakesThem)
{
    const std::wstring page = L"<a href=#end>To the end</a><br>" + NumberedLines(30) + L"<a name=end>The end</a>";
    ShowPage(page);
    script_.hotspotResult = 1;  // the parent handles links itself
    Press(VK_DOWN);
    Press(VK_RETURN);
    EXPECT_EQ(FirstLine(), L"To the end");

    script_.hotspotResult = 0;  // left to the viewer
    Press(VK_RETURN);
    EXPECT_EQ(script_.hotspots, (std::vector<std::wstring>{L"#end", L"#end"}));
    const std::wstring text = Text();
    EXPECT_EQ(text.substr(text.rfind(L"\r\n") + 2), L"The end");  // as far as the page goes

    Press(VK_HOME);
    EXPECT_TRUE(::SendMessageW(control_, DTM_NAVIGATE, 0, reinterpret_cast<LPARAM>(L"#end")));
    EXPECT_NE(FirstLine(), L"To the end");
    EXPECT_TRUE(::SendMessageW(control_, DTM_NAVIGATE, 0, reinterpret_cast<LPARAM>(L"#")));
    EXPECT_EQ(FirstLine(), L"To the end");
    EXPECT_FALSE(::SendMessageW(control_, DTM_NAVIGATE, 0, reinterpret_cast<LPARAM>(L"#nowhere")));
    EXPECT_FALSE(::SendMessageW(control_, DTM_NAVIGATE, 0, reinterpret_cast<LPARAM>(L"other.htm")));
    EXPECT_FALSE(::SendMessageW(control_, DTM_NAVIGATE, 0, 0));
    EXPECT_EQ(script_.hotspots.size(), 2u);  // navigating never notifies
    EXPECT_EQ(FirstLine(), L"To the end");
}

TEST_F(HtmlViewWindowTest, AsksForEveryImageAndKeepsItsOwnCopy)
{
    script_.pictures[L"red.bmp"] = SolidBitmap(24, 12, Red);
    ShowPage(L"<img src=red.bmp alt=first> <img src=missing.bmp width=30 height=20> "
             L"<img src=\"red.bmp\" width=10 height=10>");
    ASSERT_EQ(script_.imageRequests.size(), 3u);
    EXPECT_EQ(script_.imageRequests[0].first, L"red.bmp");
    EXPECT_EQ(script_.imageRequests[1].first, L"missing.bmp");
    EXPECT_EQ(script_.imageRequests[2].first, L"red.bmp");
    EXPECT_NE(script_.imageRequests[0].second, script_.imageRequests[2].second);
    EXPECT_NE(script_.imageRequests[0].second, script_.imageRequests[1].second);

    // The parent keeps ownership and may delete its bitmap at once.
    ::DeleteObject(script_.pictures[L"red.bmp"]);
    script_.pictures.clear();
    const Snapshot shot(control_);
    EXPECT_EQ(shot.Count(Red), 24 * 12 + 10 * 10);
    EXPECT_EQ(shot.Count(PlaceholderGrey), 2 * (30 + 20) - 4);  // the frame of the missing one
    EXPECT_EQ(Text(), L"first");
}

TEST_F(HtmlViewWindowTest, AnswersMayComeLaterAndOnlyForTheirOwnPage)
{
    script_.answerImages = false;  // the parent answers nothing now
    ShowPage(L"<img src=late.bmp> after");
    ASSERT_EQ(script_.imageRequests.size(), 1u);
    const DWORD_PTR cookie = script_.imageRequests[0].second;
    EXPECT_EQ(Snapshot(control_).Count(PlaceholderGrey), 4 * (16 - 1));  // a placeholder meanwhile

    const std::vector<Band> before = Snapshot(control_).InkBands();
    HBITMAP handed = SolidBitmap(40, 8, Red);
    INLINEIMAGEINFO info{cookie, 0, 0, handed, TRUE};  // sizes 0: the bitmap's own
    EXPECT_TRUE(::SendMessageW(control_, DTM_SETIMAGE, 0, reinterpret_cast<LPARAM>(&info)));
    const Snapshot shot(control_);
    EXPECT_EQ(shot.Count(Red), 40 * 8);
    ASSERT_FALSE(before.empty());
    EXPECT_GT(shot.InkBands().front().left, before.front().left);  // the text moved right of the picture

    // The viewer owns it now: it goes with the page.
    BITMAP bitmap{};
    EXPECT_NE(::GetObjectW(handed, sizeof bitmap, &bitmap), 0);
    ShowPage(L"next page");
    EXPECT_EQ(::GetObjectW(handed, sizeof bitmap, &bitmap), 0);

    // A late answer for the old page is refused, and a handed-over bitmap is not leaked.
    HBITMAP stale = SolidBitmap(4, 4, Red);
    INLINEIMAGEINFO staleInfo{cookie, 4, 4, stale, TRUE};
    EXPECT_FALSE(::SendMessageW(control_, DTM_SETIMAGE, 0, reinterpret_cast<LPARAM>(&staleInfo)));
    EXPECT_EQ(::GetObjectW(stale, sizeof bitmap, &bitmap), 0);
    EXPECT_FALSE(::SendMessageW(control_, DTM_IMAGEFAIL, 0, static_cast<LPARAM>(cookie)));
    EXPECT_EQ(Snapshot(control_).Count(Red), 0);
}

TEST_F(HtmlViewWindowTest, BoldIsWiderAndCentredTextIsCentred)
{
    ShowPage(L"<center>Version 1.30<br><b>Version 1.30</b><br><font size=5>Tarnwell</font></center>");
    const std::vector<Band> bands = Snapshot(control_).InkBands();
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_GT(bands[1].right - bands[1].left, bands[0].right - bands[0].left);
    EXPECT_GT(bands[2].bottom - bands[2].top, bands[0].bottom - bands[0].top);
    for (const Band& band : bands)
        EXPECT_NEAR(band.Centre2(), Width, 3) << band.left << ".." << band.right;
}

TEST_F(HtmlViewWindowTest, TheAboutPageFitsTheScreenCentred)
{
    ShowPage(TarnwellAboutPage());
    const Snapshot shot(control_);
    const std::vector<Band> bands = shot.InkBands(Width - 4);  // leave out a scroll indicator
    ASSERT_GE(bands.size(), 5u);
    // Lines centre in the width the page was laid out for, which gives room
    // to the scroll indicator when the page is taller than the screen.
    const int layoutWidth = shot.Count(ThumbGrey) > 0 ? Width - 4 : Width;
    for (const Band& band : bands) {
        EXPECT_GT(band.left, 0);
        EXPECT_LT(band.right, Width - 4);
        EXPECT_NEAR(band.Centre2(), layoutWidth, 3) << band.left << ".." << band.right;
    }
    EXPECT_EQ(FirstLine(), L"Tarnwell");
}

TEST_F(HtmlViewWindowTest, AScrollIndicatorShowsOnlyForATallPage)
{
    ShowPage(L"short");
    EXPECT_EQ(Snapshot(control_).Count(ThumbGrey, Width - 3, Width), 0);

    ShowPage(NumberedLines(60));
    const Snapshot top(control_);
    EXPECT_GT(top.Count(ThumbGrey, Width - 3, Width), 0);
    EXPECT_EQ(top.At(Width - 1, 0), ThumbGrey);
    EXPECT_NE(top.At(Width - 1, Height - 1), ThumbGrey);
    Press(VK_END);
    const Snapshot bottom(control_);
    EXPECT_NE(bottom.At(Width - 1, 0), ThumbGrey);
    EXPECT_EQ(bottom.At(Width - 1, Height - 1), ThumbGrey);
    // The text keeps its margin clear of it.
    const std::vector<Band> bands = bottom.InkBands(Width - 3);
    ASSERT_FALSE(bands.empty());
    for (const Band& band : bands)
        EXPECT_LE(band.right, Width - 4 - 3);
}

TEST_F(HtmlViewWindowTest, TheFocusedLinkIsHighlighted)
{
    ShowPage(L"<a href=a.htm>A link</a> and text");
    EXPECT_EQ(Snapshot(control_).Count(FocusBlue), 0);
    Press(VK_DOWN);
    EXPECT_GT(Snapshot(control_).Count(FocusBlue), 50);
}

TEST_F(HtmlViewWindowTest, KeepsWorkingUnderTheDialogsSubclass)
{
    // The about box subclasses the viewer and keeps the old procedure in the
    // user-data slot, as the handset's dialogs do.
    const LONG_PTR previous = ::SetWindowLongPtrW(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DialogSubclass));
    ::SetWindowLongPtrW(control_, GWLP_USERDATA, previous);

    ShowPage(NumberedLines(30));
    Press(VK_DOWN);
    EXPECT_EQ(FirstLine(), L"Line 2");
    EXPECT_GT(Snapshot(control_).InkBands().size(), 5u);
}

TEST_F(HtmlViewWindowTest, TheParentMayDestroyTheViewerWhileItNotifies)
{
    script_.destroyOnHotspot = true;
    ShowPage(L"<a href=close>Close</a>");
    Press(VK_DOWN);
    Press(VK_RETURN);
    EXPECT_EQ(script_.hotspots, (std::vector<std::wstring>{L"close"}));
    EXPECT_FALSE(::IsWindow(control_));
}

// The about box loads the library each time it opens and frees it when it
// closes: the class must go with the library and come back with it.
TEST(HtmlViewLibrary, WorksAgainAfterBeingUnloaded)
{
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        HMODULE library = ::LoadLibraryW(L"" HTMLVIEW_DLL_PATH);
        ASSERT_NE(library, nullptr);
        const auto init = reinterpret_cast<InitHTMLControlProc>(
            reinterpret_cast<void*>(::GetProcAddress(library, "InitHTMLControl")));
        ASSERT_NE(init, nullptr);
        ASSERT_TRUE(init(::GetModuleHandleW(nullptr)));
        HWND viewer =
            ::CreateWindowExW(0, WC_HTML, L"", WS_POPUP, 0, 0, Width, Height, nullptr, nullptr, library, nullptr);
        ASSERT_NE(viewer, nullptr);
        ::SendMessageW(viewer, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"<b>About</b>"));
        const LRESULT length = ::SendMessageW(viewer, WM_GETTEXTLENGTH, 0, 0);
        EXPECT_EQ(length, 5);
        ::DestroyWindow(viewer);
        ASSERT_TRUE(::FreeLibrary(library));
        WNDCLASSEXW info{sizeof info};
        EXPECT_FALSE(::GetClassInfoExW(library, WC_HTML, &info));
    }
}
