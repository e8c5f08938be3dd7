#include "cleaner/FlowText.h"

#include <algorithm>
#include <sstream>

namespace {

int Width(HDC dc, const std::wstring& text) noexcept
{
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// One stretch of a line in one font, drawn as a whole so that the font's
// own blanks stand between its words.
struct Piece {
    int x = 0;
    std::wstring text;
    HFONT font = nullptr;
};

}  // namespace

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
    std::vector<Piece> line;
    int y = top;
    const auto flush = [&] {
        if (draw) {
            for (const Piece& piece : line) {
                const HGDIOBJ old = SelectObject(dc, piece.font);
                TextOutW(dc, piece.x, y, piece.text.c_str(), static_cast<int>(piece.text.size()));
                SelectObject(dc, old);
            }
        }
        line.clear();
        y += lineHeight;
    };
    for (const TextRun& run : runs) {
        const HGDIOBJ old = SelectObject(dc, run.font);
        std::wistringstream words(run.text);
        std::wstring word;
        while (words >> word) {
            if (!line.empty() && line.back().font == run.font) {
                // The same font goes on: the word joins the stretch if it fits.
                Piece& last = line.back();
                const std::wstring joined = last.text + L" " + word;
                if (last.x + Width(dc, joined) <= right) {
                    last.text = joined;
                    continue;
                }
                flush();
            } else if (!line.empty()) {
                const Piece& last = line.back();
                const HGDIOBJ current = SelectObject(dc, last.font);
                const int end = last.x + Width(dc, last.text);
                SelectObject(dc, current);
                // A bold stretch may draw a pixel or two wider than it measures.
                const int x = end + Width(dc, L"n n") - Width(dc, L"nn") + 2;
                if (x + Width(dc, word) <= right) {
                    line.push_back({x, word, run.font});
                    continue;
                }
                flush();
            }
            line.push_back({left, word, run.font});
        }
        SelectObject(dc, old);
    }
    if (!line.empty())
        flush();
    return y;
}
