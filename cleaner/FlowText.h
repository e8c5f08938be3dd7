// Text laid out word by word across a width: runs of words in their own
// fonts, wrapped at the right margin, one line height lower each line.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TextRun {
    std::wstring text;
    HFONT font = nullptr;
};

// A string whose word "#" stands for `stand-in`, which is drawn in `bold`.
std::vector<TextRun> RunsWithStandIn(const std::wstring& text, HFONT normal, const std::wstring& standIn, HFONT bold);

// Draws the runs from (left, top) within `right` (or only measures them with
// draw false) and returns the y below the last line.
int FlowRuns(HDC dc, const std::vector<TextRun>& runs, int left, int right, int top, int lineHeight, bool draw);
