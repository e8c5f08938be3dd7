#include "filemanager/Strips.h"

#include "filemanager/FileFormats.h"
#include "filemanager/TextFit.h"
#include "filemanager/resource.h"
#include "framework/Display.h"

#include "platform/Handles.h"

namespace {

constexpr COLORREF SeparatorColour = RGB(128, 128, 128);
constexpr COLORREF StripTextColour = RGB(0, 0, 0);
constexpr int RightMargin = 3;
constexpr int Gap = 6;  // between the footer's two texts

constexpr UINT StripTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

int TextWidthOf(HDC dc, const String& text)
{
    return TextWidth(dc, text, text.Length());
}

}  // namespace

StripTexts TreeStripTexts(int folders, int files)
{
    StripTexts texts;
    texts.footerLeft = L" ";
    String counts;
    counts.FormatResource(IDS_TREE_COUNTS, FormatCount(folders), FormatCount(files < 0 ? 0 : files));
    texts.footerLeft += counts;
    return texts;
}

StripTexts ListStripTexts(const String& currentPath, const FolderList& list)
{
    StripTexts texts;
    texts.header = L" " + currentPath + L"\\";

    // ".." is no item of the folder, but a selected ".." is part of the
    // selection the commands act on, so it counts there.
    const int items = list.ItemCount() - (list.HasParentRow() ? 1 : 0);
    texts.footerLeft = L" " + FormatCount(list.SelectedCount()) + L"/" + FormatCount(items);

    if (list.SelectedCount() == 1) {
        texts.footerRight = list.SelectedDateText();
    } else if (list.SelectedCount() > 1) {
        const uint64_t total = list.SelectedTotalSize();
        texts.footerRight = FormatSize(static_cast<DWORD>(total >> 32), static_cast<DWORD>(total), false, 4, 1024);
    }
    return texts;
}

String PaintStrips(HDC dc, const RECT& client, const StripTexts& texts, HFONT font)
{
    vellumate::SelectObjectScope selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, StripTextColour);
    const int width = client.right - client.left;
    String screenText;

    if (!texts.header.IsEmpty()) {
        const RECT strip{client.left, client.top, client.right, client.top + StripHeight};
        FillRectColor(dc, strip, StripColour);
        FillRectColor(dc, RECT{strip.left, strip.bottom - 1, strip.right, strip.bottom}, SeparatorColour);
        RECT textRect{strip.left, strip.top, strip.right, strip.bottom - 1};
        const String header = FitText(dc, texts.header, width);
        DrawTextW(dc, header, header.Length(), &textRect, StripTextFormat | DT_LEFT);
        screenText += header + L"\n";
    }

    const RECT strip{client.left, client.bottom - StripHeight, client.right, client.bottom};
    FillRectColor(dc, strip, StripColour);
    FillRectColor(dc, RECT{strip.left, strip.top, strip.right, strip.top + 1}, SeparatorColour);
    RECT textRect{strip.left, strip.top + 1, strip.right - RightMargin, strip.bottom};
    const int rightWidth = TextWidthOf(dc, texts.footerRight);
    if (!texts.footerRight.IsEmpty())
        DrawTextW(dc, texts.footerRight, texts.footerRight.Length(), &textRect, StripTextFormat | DT_RIGHT);
    // The counts give way to the date or size, which must stay readable.
    const int leftWidth = width - RightMargin - (rightWidth > 0 ? rightWidth + Gap : 0);
    const String left = FitText(dc, texts.footerLeft, leftWidth);
    DrawTextW(dc, left, left.Length(), &textRect, StripTextFormat | DT_LEFT);
    screenText += left;
    if (!texts.footerRight.IsEmpty())
        screenText += L"  " + texts.footerRight;
    return screenText;
}
