#include "cleaner/CleanerDisplay.h"

#include "cleaner/MailStoreAccess.h"
#include "cleaner/SizeText.h"
#include "cleaner/resource.h"

#include "framework/String.h"

#include "platform/VolumeSpace.h"

#include <algorithm>
#include <cwchar>
#include <utility>

namespace {

constexpr COLORREF Navy = 0x800000;
constexpr COLORREF Blue = 0xC00000;
constexpr COLORREF LightYellow = 0xA4FFFF;
constexpr COLORREF DarkRed = 192;
constexpr int StatusLength = 1024;

vellumate::FontHandle SystemFont(int weight)
{
    return vellumate::FontHandle(CreateFontW(14, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                             DEFAULT_PITCH | FF_SWISS, L"System"));
}

std::wstring Text(UINT id)
{
    String text;
    text.LoadResourceText(id);
    return std::wstring(text.Chars());
}

std::wstring Formatted(UINT id, const std::wstring& argument)
{
    wchar_t text[StatusLength] = {};
    _snwprintf(text, StatusLength - 1, Text(id).c_str(), argument.c_str());
    return text;
}

// "%s (%d%%)": the size and its share.
std::wstring WithPercent(std::uint64_t bytes, int percent)
{
    wchar_t text[64] = {};
    _snwprintf(text, 63, L"%s (%d%%)", SizeText(bytes).c_str(), percent);
    return text;
}

struct PanelLines {
    std::wstring heading;
    std::wstring labels[3];
    std::wstring values[3];
};

PanelLines MakeLines(const StorageFigures& figures)
{
    const int percent = figures.UsedPercent();
    PanelLines lines;
    lines.heading = Formatted(IDS_PANEL_HEADING, figures.volumeName);
    lines.labels[0] = Text(IDS_PANEL_TOTAL);
    lines.labels[1] = Text(IDS_PANEL_USED);
    lines.labels[2] = Text(IDS_PANEL_FREE);
    lines.values[0] = SizeText(figures.total);
    lines.values[1] = WithPercent(figures.Used(), percent);
    lines.values[2] = WithPercent(figures.free, 100 - percent);
    return lines;
}

}  // namespace

int StorageFigures::UsedPercent() const noexcept
{
    if (total == 0)
        return 0;
    return static_cast<int>(std::min<std::uint64_t>(Used() * 100 / total, 100));
}

StorageFigures ReadStorageFigures()
{
    StorageFigures figures;
    const std::wstring base = BaseDirectory();
    std::wstring name = base;
    if (!name.empty() && name.back() == L'\\')
        name.pop_back();
    figures.volumeName = name.substr(name.find_last_of(L'\\') == std::wstring::npos ? 0 : name.find_last_of(L'\\') + 1);
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER free{};
    if (handset::GetDiskFreeSpaceExW(base.c_str(), &available, &total, &free)) {
        figures.total = total.QuadPart;
        figures.free = std::min(free.QuadPart, total.QuadPart);
    }
    return figures;
}

bool CleanerDisplay::Create()
{
    m_navy = vellumate::PenHandle(CreatePen(PS_SOLID, 1, Navy));
    m_blue = vellumate::BrushHandle(CreateSolidBrush(Blue));
    m_yellow = vellumate::BrushHandle(CreateSolidBrush(LightYellow));
    m_normal = SystemFont(FW_NORMAL);
    m_bold = SystemFont(FW_BOLD);
    return m_navy && m_blue && m_yellow && m_normal && m_bold;
}

void CleanerDisplay::SetStatus(UINT id, StatusStyle style, unsigned count)
{
    wchar_t text[StatusLength] = {};
    _snwprintf(text, StatusLength - 1, Text(id).c_str(), count & 0xFFFF);
    SetStatusText(text, style);
}

void CleanerDisplay::SetStatusText(std::wstring text, StatusStyle style)
{
    if (text.size() >= StatusLength)
        text.resize(StatusLength - 1);
    m_status = std::move(text);
    m_style = style;
    m_error = style == StatusStyle::Error;
}

void CleanerDisplay::Paint(HDC dc, const RECT& client, const StorageFigures& figures) const
{
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const PanelLines lines = MakeLines(figures);
    const int left = client.left + Inset;
    const int right = client.right - Inset;

    const HGDIOBJ oldFont = SelectObject(dc, m_bold.Get());
    RECT heading{left, client.top + Inset, right, client.top + Inset + RowHeight};
    DrawTextW(dc, lines.heading.c_str(), -1, &heading, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);

    // The bar: the used share filled, never past the frame's inside.
    const RECT bar{left, heading.bottom + Inset, right, heading.bottom + Inset + BarHeight};
    const HGDIOBJ oldPen = SelectObject(dc, m_navy.Get());
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, bar.left, bar.top, bar.right, bar.bottom);
    const int inside = bar.right - bar.left - 2;
    RECT used{bar.left + 1, bar.top + 1, bar.left + 1 + inside * figures.UsedPercent() / 100, bar.bottom - 1};
    used.right = std::min<LONG>(used.right, bar.right - 1);
    FillRect(dc, &used, m_blue.Get());

    // Total, used and free, the values lined up after the widest label.
    SelectObject(dc, m_normal.Get());
    int labelWidth = 0;
    for (const std::wstring& label : lines.labels) {
        SIZE size{};
        GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &size);
        labelWidth = std::max<int>(labelWidth, size.cx);
    }
    int top = bar.bottom + 9;
    for (int row = 0; row < 3; ++row, top += RowHeight + 3) {
        RECT label{left, top, right, top + RowHeight};
        DrawTextW(dc, lines.labels[row].c_str(), -1, &label, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
        RECT value{left + labelWidth + 3, top, right, top + RowHeight};
        DrawTextW(dc, lines.values[row].c_str(), -1, &value, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }

    // The line, and the status text on light yellow under it.
    const int lineY = top - 3 + Inset;
    MoveToEx(dc, left, lineY, nullptr);
    LineTo(dc, right, lineY);
    RECT status{client.left, lineY + 1, client.right, client.bottom};
    FillRect(dc, &status, m_yellow.Get());
    InflateRect(&status, -Inset, -Inset / 2);
    SelectObject(dc, m_style == StatusStyle::Normal ? m_normal.Get() : m_bold.Get());
    SetTextColor(dc, m_error ? DarkRed : RGB(0, 0, 0));
    DrawTextW(dc, m_status.c_str(), -1, &status, DT_LEFT | DT_WORDBREAK);

    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldFont);
}

std::wstring CleanerDisplay::ScreenText(const StorageFigures& figures) const
{
    const PanelLines lines = MakeLines(figures);
    std::wstring text = lines.heading + L"\n";
    for (int row = 0; row < 3; ++row)
        text += lines.labels[row] + L" " + lines.values[row] + L"\n";
    text += (m_error ? L"! " : L"") + m_status + L"\n";
    return text;
}
