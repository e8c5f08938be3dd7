#include "cleaner/FlowText.h"

#include <sstream>

std::vector<TextRun> RunsWithStandIn(const std::wstring& text, HFONT normal, const std::wstring& standIn, HFONT bold)
{
    std::vector<TextRun> runs;
    std::wistringstream words(text);
    std::wstring word;
    while (words >> word) {
        if (word == L"#")
            runs.push_back({standIn, bold});
        else
            runs.push_back({word, normal});
    }
    return runs;
}

int FlowRuns(HDC dc, const std::vector<TextRun>& runs, int left, int right, int top, int lineHeight, bool draw)
{
    int x = left;
    int y = top;
    bool lineEmpty = true;
    for (const TextRun& run : runs) {
        // A run may hold several words (a stand-in); each wraps on its own.
        std::wistringstream words(run.text);
        std::wstring word;
        const HGDIOBJ old = SelectObject(dc, run.font);
        SIZE space{};
        GetTextExtentPoint32W(dc, L" ", 1, &space);
        while (words >> word) {
            SIZE size{};
            GetTextExtentPoint32W(dc, word.c_str(), static_cast<int>(word.size()), &size);
            const int start = lineEmpty ? x : x + space.cx;
            if (!lineEmpty && start + size.cx > right) {
                x = left;
                y += lineHeight;
                lineEmpty = true;
            }
            const int at = lineEmpty ? x : x + space.cx;
            if (draw)
                TextOutW(dc, at, y, word.c_str(), static_cast<int>(word.size()));
            x = at + size.cx;
            lineEmpty = false;
        }
        SelectObject(dc, old);
    }
    return lineEmpty ? y : y + lineHeight;
}
