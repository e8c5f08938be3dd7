#include "framework/About.h"

#include "framework/Globals.h"

#include <array>

namespace {

constexpr UINT AboutTemplate = IDD_ABOUT;
constexpr UINT AboutMenuBar = IDM_ABOUT_BAR;

constexpr std::array<std::string_view, 12> MonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The day number of the first day the build numbers count from.
constexpr int BuildEpoch = 23104;

// The notice sign the notice line shows with %c.
constexpr wchar_t NoticeSign = L'\u00A9';

// The maker's and the distributor's web sites.
constexpr wchar_t MakerSite[] = L"www.zantric.example";
constexpr wchar_t DistributorSite[] = L"www.vellumate.example";

// A decimal number at the start of `text`, after blanks; 0 when there is none.
int ReadDecimal(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    int value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = value * 10 + (text[at] - '0');
    return value;
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    }
    return true;
}

int MonthIndex(std::string_view date)
{
    std::string_view name = date.substr(0, 3);
    for (std::size_t month = 0; month < MonthNames.size(); ++month) {
        if (SameLetters(name, MonthNames[month]))
            return static_cast<int>(month);
    }
    return static_cast<int>(MonthNames.size());
}

std::string_view LastFour(std::string_view text)
{
    return text.size() > 4 ? text.substr(text.size() - 4) : text;
}

// A string resource formatted with `args`; empty when the string is missing.
template <typename... Args>
String Formatted(UINT id, const Args&... args)
{
    String text;
    text.FormatResource(id, args...);
    return text;
}

std::string_view Text(const char* text)
{
    return text ? std::string_view(text) : std::string_view();
}

void AppendLine(String& page, const String& text)
{
    page += L"<br>";
    AppendHtmlText(page, text);
}

}  // namespace

int BuildNumber(std::string_view date, std::string_view time)
{
    int month = MonthIndex(date);
    int day = date.size() > 4 ? ReadDecimal(date.substr(4, 2)) : 0;
    int year = ReadDecimal(LastFour(date));
    int hour = ReadDecimal(time.substr(0, 2));
    int dayNumber = (year * 12 + month) * 31 + day - BuildEpoch;
    return dayNumber * 10 + hour / 3 + 1;
}

String BuildYear(std::string_view date)
{
    std::string_view year = LastFour(date);
    return String(year.data(), static_cast<int>(year.size()));
}

void AppendHtmlText(String& page, const wchar_t* text)
{
    for (const wchar_t* at = text; at && *at; ++at) {
        switch (*at) {
        case L'&':
            page += L"&amp;";
            break;
        case L'<':
            page += L"&lt;";
            break;
        case L'>':
            page += L"&gt;";
            break;
        case L'"':
            page += L"&quot;";
            break;
        default:
            page += *at;
            break;
        }
    }
}

AboutBox::AboutBox(HWND parent, const ProgramRelease& release) noexcept
    : HtmlDialog(AboutTemplate, parent, AboutMenuBar, 0, true), m_release(release)
{
}

InitResult AboutBox::InitDialog()
{
    if (HtmlDialog::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    SetHtmlPage(*this, PageText());
    return InitResult::Continue;
}

String AboutBox::PageText() const
{
    String page = L"<html><body><center><font size=3><br><br>";
    AppendTitleSection(page);
    AppendWebSection(page);
    AppendNoticeSection(page);
    AppendSmallPrint(page);
    page += L"</font></center></body></html>";
    return page;
}

void AboutBox::AppendTitleSection(String& page) const
{
    page += L"<br><font size=5><b>";
    AppendHtmlText(page, ProgramTitle());
    page += L"</b></font>";

    // A family string that is missing, or left unformatted, adds no line.
    String family = Formatted(IDS_ABOUT_FAMILY, ProductFamily);
    if (family.Length() > 1 && family.Find(L'%') < 0)
        AppendLine(page, family);

    int build = BuildNumber(Text(m_release.buildDate), Text(m_release.buildTime)) & 0xFFFF;
    AppendLine(page,
               Formatted(IDS_ABOUT_VERSION, m_release.major, m_release.minor) + Formatted(IDS_ABOUT_BUILD, build));
}

void AboutBox::AppendWebSection(String& page) const
{
    page += L"<br><br>";
    AppendHtmlText(page, MakerSite);
    page += L"<br>";
    AppendHtmlText(page, DistributorSite);
}

// The notice: after a blank line, the notice line with the notice sign and
// the build year, the maker's name and the rights sentence, one line each. A
// line whose string is missing is left out rather than shown empty.
void AboutBox::AppendNoticeSection(String& page) const
{
    String lines[] = {
        Formatted(IDS_ABOUT_NOTICE, NoticeSign, BuildYear(Text(m_release.buildDate))),
        String(MAKEINTRESOURCEW(IDS_ABOUT_COMPANY)),
        String(MAKEINTRESOURCEW(IDS_ABOUT_RIGHTS)),
    };
    bool first = true;
    for (const String& line : lines) {
        if (line.IsEmpty())
            continue;
        if (first)
            page += L"<br>";
        first = false;
        AppendLine(page, line);
    }
}

void AboutBox::AppendSmallPrint(String&) const
{
}

String AboutBox::SmallPrintLine(UINT stringId)
{
    String line = L"<br><font size=2>";
    AppendHtmlText(line, String(MAKEINTRESOURCEW(stringId)));
    line += L"</font>";
    return line;
}
