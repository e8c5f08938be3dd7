// The about box: a full-screen HTML page with the program's title, the product
// family, the version and build number, the maker's web addresses and notice.
//
//     AboutBox about(mainWindow, ProgramOwnRelease);  // the release constant of the program
//     RunModal(about);
//
// The page is built from the about strings of the resource module (see
// framework/About.rc) each time the box opens.
#pragma once

#include "framework/AboutResources.h"
#include "framework/HtmlDialog.h"
#include "framework/String.h"

#include <string_view>

// A program's version and the build date and time compiled into it, in the
// forms the build tools write them: "Dec 19 2003" (the day padded with a
// space to two characters) and "13:46:52".
struct ProgramRelease {
    int major;
    int minor;
    const char* buildDate;
    const char* buildTime;
};

// The product family every about box names.
inline constexpr wchar_t ProductFamily[] = L"Vellumate";

// The build number of a build date and time: ten per day since a fixed
// epoch, plus the three-hour slot of the day (1 to 8). Parts that cannot be
// read count as 0 (an unknown month as the thirteenth).
int BuildNumber(std::string_view date, std::string_view time);

// The year of a build date: its last four characters.
String BuildYear(std::string_view date);

class AboutBox : public HtmlDialog {
public:
    AboutBox(HWND parent, const ProgramRelease& release) noexcept;

    // The page as the box shows it.
    String PageText() const;

protected:
    InitResult InitDialog() override;

    // The page's sections, in this order. Each appends HTML to `page`.
    virtual void AppendTitleSection(String& page) const;
    virtual void AppendWebSection(String& page) const;
    virtual void AppendNoticeSection(String& page) const;
    // Nothing in the framework's box; a program may add a line made with
    // SmallPrintLine.
    virtual void AppendSmallPrint(String& page) const;

    // "<br><font size=2>" + string `stringId` + "</font>".
    static String SmallPrintLine(UINT stringId);

private:
    ProgramRelease m_release;
};

// `text` with the characters HTML gives a meaning (& < > ") written as
// entities, appended to `page`.
void AppendHtmlText(String& page, const wchar_t* text);
