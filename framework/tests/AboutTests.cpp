// The about box: its build numbers, its page and the box as it opens.
#include "framework/About.h"
#include "framework/Globals.h"
#include "framework/ResourceModule.h"
#include "framework/testsupport/ModalDriver.h"

#include "UiTestSupport.h"
#include "test_dialogs.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr ProgramRelease SomeRelease{1, 30, "Dec 19 2003", "13:46:52"};
constexpr ProgramRelease OtherRelease{1, 0, "Jul  9 2003", "16:22:12"};

TEST(BuildNumber, CountsDaysAndThreeHourSlots)
{
    // Dec 19 2003 is day 722372; 13 h falls in the fifth slot.
    EXPECT_EQ(BuildNumber("Dec 19 2003", "13:46:52"), 7223725);
    // A day padded with a space.
    EXPECT_EQ(BuildNumber("Jul  9 2003", "16:22:12"), 7222076);
    EXPECT_EQ(BuildNumber("Jul  9 2003", "00:00:00"), 7222071);
    EXPECT_EQ(BuildNumber("Jul  9 2003", "23:59:59"), 7222078);
    // Months are matched without regard to case; an unknown one counts as the thirteenth.
    EXPECT_EQ(BuildNumber("DEC 19 2003", "13:46:52"), 7223725);
    EXPECT_EQ(BuildNumber("jan  1 2004", "13:46:52"), BuildNumber("Dec 32 2003", "13:46:52"));
    EXPECT_EQ(BuildNumber("Xyz 19 2003", "13:46:52"), BuildNumber("Jan 19 2004", "13:46:52"));
    EXPECT_EQ(BuildYear("Jul  9 2003"), String(L"2003"));
    // Short texts are read as far as they go.
    EXPECT_EQ(BuildNumber("Dec", "13"), BuildNumber("Dec  0    0", "13:00:00"));
    EXPECT_EQ(BuildYear(""), String());
}

String ExpectedPage(const wchar_t* title, const wchar_t* version, const wchar_t* year)
{
    return String(L"<html><body><center><font size=3><br><br><br><font size=5><b>") + title +
           L"</b></font><br>(Vellumate)<br>" + version +
           L"<br><br>www.zantric.example<br>www.vellumate.example<br><br>Copyright \u00A9 " + year +
           L"<br>Zantric Software<br>All rights reserved.</font></center></body></html>";
}

class AboutPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        HINSTANCE self = GetModuleHandleW(nullptr);
        InitFramework(self, self, IDS_TEST_PROGRAM_TITLE);
    }
};

TEST_F(AboutPage, EveryProgramShowsItsVersionAndBuild)
{
    const struct {
        ProgramRelease release;
        const wchar_t* version;
    } programs[] = {
        {{1, 30, "Dec 19 2003", "13:46:52"}, L"Version 1.30 (Build 14765)"},
        {{1, 10, "Jun 18 2003", "16:08:15"}, L"Version 1.10 (Build 12896)"},
        {{1, 20, "Dec 17 2003", "21:43:11"}, L"Version 1.20 (Build 14748)"},
        {{1, 21, "Dec 17 2003", "21:44:15"}, L"Version 1.21 (Build 14748)"},
        {{1, 0, "Jul  9 2003", "16:22:12"}, L"Version 1.00 (Build 13116)"},
    };
    for (const auto& program : programs) {
        AboutBox about(nullptr, program.release);
        EXPECT_EQ(about.PageText(), ExpectedPage(L"T\u00EBst Pr\u00F6gram", program.version, L"2003"))
            << program.release.buildDate;
    }
}

TEST_F(AboutPage, AProgramMayAddASmallPrintLine)
{
    class WithSmallPrint : public AboutBox {
    public:
        using AboutBox::AboutBox;

    protected:
        void AppendSmallPrint(String& page) const override { page += SmallPrintLine(IDS_TEST_SMALL_PRINT); }
    };
    WithSmallPrint about(nullptr, OtherRelease);
    String page = about.PageText();
    String tail = L"reserved.<br><font size=2>Small &amp; print</font></font></center></body></html>";
    EXPECT_EQ(page.Right(tail.Length()), tail);
}

// A resource file with other about strings, made the resource module.
class AboutVariant {
public:
    explicit AboutVariant(const wchar_t* variant)
    {
        String path = ModuleFileName(nullptr);
        path = path.Left(path.ReverseFind(L'\\') + 1) + L"framework_ui_test_about_" + variant + L".dll";
        m_module.Reset(LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE));
        InitFramework(GetModuleHandleW(nullptr), m_module.Get(), IDS_PROGRAM_TITLE);
    }
    ~AboutVariant() { SetResourceModule(nullptr); }
    bool Loaded() const noexcept { return static_cast<bool>(m_module); }

private:
    ModuleHandle m_module;
};

constexpr wchar_t VariantHead[] =
    L"<html><body><center><font size=3><br><br><br><font size=5><b>Variant &amp; &lt;Co&gt;</b></font>"
    L"<br>Version 1.30 (Build 14765)<br><br>www.zantric.example<br>www.vellumate.example";
constexpr wchar_t PageTail[] = L"</font></center></body></html>";

TEST(AboutPageStrings, MissingStringsLeaveTheirLinesOut)
{
    AboutVariant bare(L"bare");
    ASSERT_TRUE(bare.Loaded());
    AboutBox about(nullptr, SomeRelease);
    EXPECT_EQ(about.PageText(), String(VariantHead) + PageTail);
}

TEST(AboutPageStrings, AOneCharacterFamilyTextIsLeftOut)
{
    AboutVariant variant(L"short");
    ASSERT_TRUE(variant.Loaded());
    AboutBox about(nullptr, SomeRelease);
    EXPECT_EQ(about.PageText(), String(VariantHead) + L"<br><br>\u00A9 2003" + PageTail);
}

TEST(AboutPageStrings, AFamilyTextWithAPercentSignIsLeftOut)
{
    AboutVariant variant(L"percent");
    ASSERT_TRUE(variant.Loaded());
    AboutBox about(nullptr, SomeRelease);
    EXPECT_EQ(about.PageText(), String(VariantHead) + L"<br><br>All rights reserved." + PageTail);
}

TEST_F(AboutPage, TheBoxShowsThePageAndDoneClosesIt)
{
    struct Seen {
        String title;
        String text;
        bool viewerCoversClient = false;
        bool iconControl = false;
    } seen;
    ModalDriver driver([&](HWND dialog) {
        seen.title = WindowTextOf(dialog);
        HWND viewer = FindWindowExW(dialog, nullptr, L"DISPLAYCLASS", nullptr);
        RECT client{}, covered{};
        GetClientRect(dialog, &client);
        if (viewer) {
            GetWindowRect(viewer, &covered);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&covered), 2);
            seen.viewerCoversClient = EqualRect(&client, &covered) != 0;
            seen.text = ViewerText(viewer);
        }
        seen.iconControl = GetDlgItem(dialog, IDC_ABOUT_ICON) != nullptr;
        // The left soft key: Done.
        PostKeyToFocus(dialog, VK_F1);
    });
    AboutBox about(nullptr, SomeRelease);
    EXPECT_EQ(RunModal(about), IDOK);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(seen.title, String(L"T\u00EBst Pr\u00F6gram"));
    EXPECT_TRUE(seen.viewerCoversClient);
    EXPECT_TRUE(seen.iconControl);
    EXPECT_GE(seen.text.Find(L"T\u00EBst Pr\u00F6gram"), 0) << std::wstring(seen.text.Chars());
    EXPECT_GE(seen.text.Find(L"(Vellumate)"), 0) << std::wstring(seen.text.Chars());
    EXPECT_GE(seen.text.Find(L"Version 1.30 (Build 14765)"), 0) << std::wstring(seen.text.Chars());
}

}  // namespace
