#include "simmanager/ContactsDialog.h"

#include "simmanager/resource.h"

#include "framework/Display.h"
#include "framework/MenuBars.h"

#include "platform/HandsetStyle.h"
#include "platform/Painting.h"
#include "platform/ScreenText.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int TextLeft = 15;  // right of the check mark column
constexpr int CheckLeft = 3;
constexpr int Margin = 3;
constexpr int FontHeight = 14;
constexpr int LargeFontHeight = 18;

COLORREF Blend(COLORREF a, COLORREF b, int partsOfB, int parts) noexcept
{
    const auto mix = [&](int x, int y) { return (x * (parts - partsOfB) + y * partsOfB) / parts; };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

int TextWidth(HDC dc, const std::wstring& text) noexcept
{
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void DrawCheckMark(HDC dc, int x, int yCentre, COLORREF colour) noexcept
{
    vellumate::PenHandle pen(CreatePen(PS_SOLID, 2, colour));
    const HGDIOBJ old = SelectObject(dc, pen.Get());
    const POINT points[] = {{x + 1, yCentre}, {x + 3, yCentre + 3}, {x + 8, yCentre - 3}};
    Polyline(dc, points, 3);
    SelectObject(dc, old);
}

// "i/n": the contact's place in the list.
std::wstring Position(int row, int rows)
{
    wchar_t text[32] = {};
    _snwprintf(text, 31, L"%d/%d", row + 1, rows);
    return text;
}

}  // namespace

ContactListGeometry ContactListGeometry::For(bool largeFont) noexcept
{
    ContactListGeometry geometry;
    geometry.lineHeight = largeFont ? 20 : 18;
    geometry.pageLines = 180 / geometry.lineHeight;
    return geometry;
}

std::wstring ContactListText(const ContactList& list, int page)
{
    std::wstring text;
    const int end = std::min(list.LineCount(), list.TopLine() + page);
    for (int line = list.TopLine(); line < end; ++line) {
        const ContactLine where = list.LineAt(line);
        const ContactRow& row = list.Row(where.row);
        text += line == list.FocusedLine() ? L"> " : L"  ";
        if (row.IsMarked(where.line))
            text += L"[x] ";
        text += row.lines[where.line].Chars();
        text += L"  ";
        text += where.line == 0 ? Position(where.row, list.RowCount()) : std::wstring(row.labels[where.line].Chars());
        text += L"\n";
    }
    return text;
}

ContactsDialog::ContactsDialog(HWND parent, ContactList& list, CopyAction copy) noexcept
    : DialogCore(IDD_CONTACTS, parent, IDM_CONTACTS_BAR, 0, true), m_list(list), m_copy(std::move(copy)), m_pane(*this)
{
}

InitResult ContactsDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    const bool large = IsLargeFontSet(false);
    m_geometry = ContactListGeometry::For(large);
    const int height = large ? LargeFontHeight : FontHeight;
    m_font = vellumate::MakeInterfaceFont(height);
    m_nameFont = vellumate::MakeInterfaceFont(height, FW_BOLD);
    if (!m_pane.CreateOverClient(Window())) {
        EndDialog(Window(), IDCANCEL);
        return InitResult::Stop;
    }
    if (m_list.FocusedLine() < 0)
        m_list.MoveFocus(0, m_geometry.pageLines);
    SetFocus(m_pane.Window());
    m_focusSet = true;
    Changed();
    return InitResult::Continue;
}

void ContactsDialog::Changed()
{
    EnableMenuBarButton(MenuBar(), ID_DIALOG_OK, m_list.CanCopy());
    if (m_pane.Window())
        InvalidateRect(m_pane.Window(), nullptr, FALSE);
}

void ContactsDialog::PaneKey(UINT key)
{
    const int page = m_geometry.pageLines;
    switch (key) {
    case VK_UP:
        m_list.MoveFocus(-1, page);
        break;
    case VK_DOWN:
        m_list.MoveFocus(1, page);
        break;
    case VK_LEFT:
        m_list.MoveFocus(-page, page);
        break;
    case VK_RIGHT:
        m_list.MoveFocus(page, page);
        break;
    default:
        return;
    }
    Changed();
}

void ContactsDialog::PaintPane(HWND pane)
{
    vellumate::BufferedPaint paint(pane);
    const HDC dc = paint.Dc();
    const RECT& client = paint.Client();
    vellumate::FillSolid(dc, client, Blend(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_HIGHLIGHT), 1, 8));
    SetBkMode(dc, TRANSPARENT);
    const HGDIOBJ oldFont = SelectObject(dc, m_font.Get());
    const bool scrolls = m_list.LineCount() > m_geometry.pageLines;
    RECT lines = client;
    if (scrolls)
        lines.right -= vellumate::style::ScrollBarWidth;
    for (int line = m_list.TopLine(), y = client.top; line < m_list.LineCount() && y < client.bottom;
         ++line, y += m_geometry.lineHeight)
        PaintLine(dc, {lines.left, y, lines.right, y + m_geometry.lineHeight}, line);
    if (scrolls) {
        const RECT track{lines.right, client.top, client.right, client.bottom};
        vellumate::PaintScrollBar(dc, track, m_list.TopLine(),
                                  std::min(m_list.LineCount(), m_list.TopLine() + m_geometry.pageLines),
                                  m_list.LineCount());
    }
    SelectObject(dc, oldFont);
    PublishScreenText(pane, ContactListText(m_list, m_geometry.pageLines));
}

void ContactsDialog::PaintLine(HDC dc, const RECT& rect, int line)
{
    const ContactLine where = m_list.LineAt(line);
    if (where.row < 0)
        return;
    const ContactRow& row = m_list.Row(where.row);
    const bool focused = line == m_list.FocusedLine();
    const bool nameLine = where.line == 0;
    if (focused)
        vellumate::FillSolid(dc, rect, GetSysColor(COLOR_HIGHLIGHT));
    else if (nameLine)
        vellumate::FillSolid(dc, rect, Blend(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_HIGHLIGHT), 1, 4));
    const COLORREF colour = GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    SetTextColor(dc, colour);
    const int centre = (rect.top + rect.bottom) / 2;
    if (row.IsMarked(where.line))
        DrawCheckMark(dc, rect.left + CheckLeft, centre, colour);

    SelectObject(dc, nameLine ? m_nameFont.Get() : m_font.Get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int y = rect.top + (rect.bottom - rect.top - metrics.tmHeight) / 2;
    RECT clip = rect;
    const std::wstring text(row.lines[where.line].Chars());
    if (nameLine) {
        const std::wstring position = Position(where.row, m_list.RowCount());
        const int width = TextWidth(dc, position);
        ExtTextOutW(dc, rect.right - Margin - width, y, ETO_CLIPPED, &rect, position.c_str(),
                    static_cast<UINT>(position.size()), nullptr);
        clip.right = rect.right - 2 * Margin - width;
        ExtTextOutW(dc, rect.left + TextLeft, y, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()),
                    nullptr);
    } else {
        const std::wstring shown = text + L" " + row.labels[where.line].Chars();
        ExtTextOutW(dc, rect.left + TextLeft, y, ETO_CLIPPED, &clip, shown.c_str(), static_cast<UINT>(shown.size()),
                    nullptr);
    }
    SelectObject(dc, m_font.Get());
}

bool ContactsDialog::OnCommand(UINT command)
{
    switch (command) {
    case IDOK:  // the action key
        m_list.ToggleFocused();
        break;
    case ID_MARK_EVERY_ROW:
        m_list.MarkAll();
        break;
    case ID_CLEAR_EVERY_MARK:
        m_list.ClearMarks();
        break;
    case ID_DIALOG_OK:
        if (!m_list.CanCopy())
            return true;  // greyed
        if (m_copy && m_copy(Window())) {
            m_copied = true;
            EndDialog(Window(), IDOK);
        }
        return true;
    case ID_EDITOR_CANCEL:
    case IDCANCEL:
        EndDialog(Window(), IDCANCEL);
        return true;
    default:
        return false;
    }
    Changed();
    return true;
}

bool ContactsDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && OnCommand(LOWORD(wParam))) {
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}
