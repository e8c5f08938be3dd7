// Helpers shared by the viewer's tests: pages laid out with the real fonts,
// and the about page as the programs build it.
#pragma once

#include "platform/htmlview/HtmlDocument.h"
#include "platform/htmlview/Layout.h"
#include "platform/htmlview/PageFonts.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace vellumate::htmlview::testing {

// A page parsed and laid out with the viewer's own fonts.
struct LaidOutPage {
    LaidOutPage(std::wstring_view html, int width, std::vector<ImageSize> boxes = {}) : document(ParseHtml(html))
    {
        if (boxes.empty()) {
            for (const HtmlImage& image : document.images)
                boxes.push_back(ImageBox(image, std::nullopt));
        }
        layout = LayOutPage(document, width, fonts, boxes);
    }

    std::vector<std::wstring> LineTexts() const
    {
        std::vector<std::wstring> texts;
        for (const Line& line : layout.lines)
            texts.push_back(line.Text());
        return texts;
    }

    // Right edge of the line's last fragment.
    static int RightEdge(const Line& line)
    {
        return line.fragments.empty() ? 0 : line.fragments.back().x + line.fragments.back().width;
    }

    HtmlDocument document;
    PageFonts fonts;  // also the layout's measure
    PageLayout layout;
};

// The about page of the file manager, as the about box assembles it.
inline std::wstring TarnwellAboutPage()
{
    return L"<html><body><center><font size=3><br><br>"
           L"<br><font size=5><b>Tarnwell</b></font>"
           L"<br>(Vellumate)"
           L"<br>Version 1.30 (Build 14765)"
           L"<br><br>www.zantric.com<br>www.vellumate.org"
           L"<br><br><font size=2>\u00A9 2003 Zantric Software<br>All rights reserved.</font>"
           L"</font></center></body></html>";
}

// `count` numbered lines of plain text: a page taller than any window.
inline std::wstring NumberedLines(int count, int firstNumber = 1)
{
    std::wstring html;
    for (int i = 0; i < count; ++i)
        html += L"Line " + std::to_wstring(firstNumber + i) + L"<br>";
    return html;
}

}  // namespace vellumate::htmlview::testing

namespace vellumate::htmlview {

inline void PrintTo(const TextStyle& style, std::ostream* out)
{
    *out << "{size " << style.size << (style.bold ? " bold" : "") << (style.italic ? " italic" : "")
         << (style.underline ? " underline" : "") << " color " << std::hex << style.color << std::dec << " link "
         << style.link << " align " << static_cast<int>(style.align) << "}";
}

}  // namespace vellumate::htmlview
