#include "platform/driver/WindowSnapshot.h"

namespace vellumate {
namespace {

void AppendIndent(std::wstring& out, int depth)
{
    out.append(static_cast<std::size_t>(depth) * 2, L' ');
}

void AppendRect(std::wstring& out, const RECT& rect)
{
    out += L" @" + std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L" " +
           std::to_wstring(rect.right - rect.left) + L"x" + std::to_wstring(rect.bottom - rect.top);
}

void AppendFlags(std::wstring& out, const WindowNode& node)
{
    if (!node.visible)
        out += L" hidden";
    if (!node.enabled)
        out += L" disabled";
    if (node.checkState) {
        switch (*node.checkState) {
        case BST_CHECKED:
            out += L" checked";
            break;
        case BST_INDETERMINATE:
            out += L" indeterminate";
            break;
        default:
            out += L" unchecked";
            break;
        }
    }
    if (node.focused)
        out += L" focused";
    if (node.foreground)
        out += L" foreground";
}

void AppendRow(std::wstring& out, const ListRow& row, std::size_t index, RowStyle style, int depth)
{
    AppendIndent(out, depth);
    out += L"row ";
    if (style == RowStyle::Tree)
        AppendIndent(out, row.depth);
    else
        out += std::to_wstring(index) + L" ";
    for (std::size_t cell = 0; cell < row.cells.size(); ++cell) {
        if (cell > 0)
            out += L' ';
        out += QuoteText(row.cells[cell]);
    }
    if (row.expansion == ListRow::Expansion::Expanded)
        out += L" expanded";
    else if (row.expansion == ListRow::Expansion::Collapsed)
        out += L" collapsed";
    if (row.selected)
        out += L" selected";
    if (row.focused)
        out += L" focused";
    out += L'\n';
}

void AppendNode(std::wstring& out, const WindowNode& node, int depth)
{
    AppendIndent(out, depth);
    out += node.className;
    if (node.controlId)
        out += L" id=" + std::to_wstring(*node.controlId);
    out += L' ';
    out += QuoteText(node.text);
    AppendRect(out, node.rect);
    AppendFlags(out, node);
    out += L'\n';

    for (std::size_t index = 0; index < node.rows.size(); ++index)
        AppendRow(out, node.rows[index], index, node.rowStyle, depth + 1);
    if (node.unreadableRows > 0) {
        AppendIndent(out, depth + 1);
        out += L"rows " + std::to_wstring(node.unreadableRows) + L" owner-drawn\n";
    }
    if (node.screenText) {
        std::wstring_view lines = *node.screenText;
        while (!lines.empty()) {
            const std::size_t end = lines.find(L'\n');
            AppendIndent(out, depth + 1);
            out += L"text " + QuoteText(lines.substr(0, end)) + L"\n";
            lines = end == std::wstring_view::npos ? std::wstring_view() : lines.substr(end + 1);
        }
    }
    for (const WindowNode& child : node.children)
        AppendNode(out, child, depth + 1);
}

}  // namespace

std::wstring QuoteText(std::wstring_view text)
{
    static constexpr wchar_t Hex[] = L"0123456789ABCDEF";
    std::wstring quoted = L"\"";
    for (const wchar_t unit : text) {
        switch (unit) {
        case L'"':
            quoted += L"\\\"";
            break;
        case L'\n':
            quoted += L"\\n";
            break;
        case L'\r':
            quoted += L"\\r";
            break;
        case L'\t':
            quoted += L"\\t";
            break;
        default:
            if (unit < 0x20 || unit == 0x7F) {
                quoted += L"\\x";
                quoted += Hex[(unit >> 4) & 0xF];
                quoted += Hex[unit & 0xF];
            } else {
                quoted += unit;
            }
        }
    }
    quoted += L'"';
    return quoted;
}

std::wstring FormatSnapshot(const std::vector<WindowNode>& windows)
{
    std::wstring out;
    for (const WindowNode& window : windows)
        AppendNode(out, window, 0);
    return out;
}

}  // namespace vellumate
