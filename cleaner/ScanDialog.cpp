#include "cleaner/ScanDialog.h"

#include "cleaner/FlowText.h"
#include "cleaner/SizeText.h"
#include "cleaner/resource.h"

#include "framework/MenuBars.h"
#include "framework/String.h"

#include "platform/Painting.h"
#include "platform/ScreenText.h"

#include <algorithm>
#include <cwchar>
#include <string>

namespace {

constexpr int Inset = CleanerDisplay::Inset;
constexpr int LineHeight = CleanerDisplay::RowHeight;

std::wstring Text(UINT id)
{
    String text;
    text.LoadResourceText(id);
    return std::wstring(text.Chars());
}

int TextWidth(HDC dc, HFONT font, const std::wstring& text)
{
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    return size.cx;
}

// Chinese systems keep the dialog's font in the two figures.
bool KeepsDialogFont() noexcept
{
    const LANGID language = GetSystemDefaultLangID();
    return language == 1028 || language == 2052;
}

}  // namespace

void ScanDialog::PaneKey(UINT key)
{
    if (key == VK_UP || key == VK_DOWN)
        Scroll(key == VK_UP ? -ScrollStep : ScrollStep);
}

ScanDialog::ScanDialog(HWND parent, const Category& category, const CleanerDisplay& display) noexcept
    : DialogCore(IDD_SCAN, parent, IDM_SCAN_BAR, category.name, true), m_category(category), m_display(display),
      m_progress(category), m_pane(*this)
{
}

ScanDialog::~ScanDialog()
{
    // The worker writes into m_progress: it ends before the dialog object goes.
    m_thread.reset();
}

InitResult ScanDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    RECT client{};
    GetClientRect(Window(), &client);
    if (!m_pane.Create(Window(), client, WS_CLIPSIBLINGS)) {
        EndDialog(Window(), IDCANCEL);
        return InitResult::Stop;
    }
    // The figures stay above the pane that draws around them.
    SetWindowPos(m_pane.Window(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!KeepsDialogFont()) {
        for (int control : {IDC_SCAN_COUNT, IDC_SCAN_SIZE})
            SendDlgItemMessageW(Window(), control, WM_SETFONT, reinterpret_cast<WPARAM>(m_display.NormalFont()), 0);
    }
    EnableMenuBarButton(MenuBar(), ID_SCAN_DELETE, false);
    MeasureContent();
    PlaceFigures();
    ShowProgress();
    SetFocus(m_pane.Window());
    m_focusSet = true;

    // One update waits in the queue at most: a fast scan must not bury the
    // keys under thousands of messages.
    HWND dialog = Window();
    std::atomic<bool>& pending = m_updatePending;
    m_thread = std::make_unique<ScanThread>(m_progress, [dialog, &pending] {
        if (!pending.exchange(true))
            PostMessageW(dialog, ScanChanged, 0, 0);
    });
    return InitResult::Continue;
}

void ScanDialog::MeasureContent()
{
    HDC dc = GetDC(m_pane.Window());
    m_labelWidth = std::max(TextWidth(dc, m_display.BoldFont(), Text(m_category.CountLabel())),
                            TextWidth(dc, m_display.BoldFont(), Text(IDS_SCAN_SIZE_LABEL)));
    RECT client{};
    GetClientRect(m_pane.Window(), &client);
    const int page = client.bottom - client.top;
    m_contentHeight = LayoutHeight(dc, client.right - client.left, false, 0);
    if (m_contentHeight > page) {
        // The scroll bar takes its width from the text, which then wraps
        // into more lines: measured again at the width it is drawn at.
        ShowScrollBar(m_pane.Window(), SB_VERT, TRUE);
        GetClientRect(m_pane.Window(), &client);
        m_contentHeight = LayoutHeight(dc, client.right - client.left, false, 0);
        SCROLLINFO scroll{
            sizeof scroll, SIF_RANGE | SIF_PAGE | SIF_POS, 0, m_contentHeight - 1, static_cast<UINT>(page), 0, 0};
        SetScrollInfo(m_pane.Window(), SB_VERT, &scroll, TRUE);
    }
    ReleaseDC(m_pane.Window(), dc);
}

void ScanDialog::PlaceFigures()
{
    const int left = Inset + m_labelWidth + Inset;
    RECT client{};
    GetClientRect(m_pane.Window(), &client);
    const int width = std::max<int>(client.right - Inset - left, 10);
    SetWindowPos(GetDlgItem(Window(), IDC_SCAN_COUNT), HWND_TOP, left, Inset - m_scroll, width, LineHeight,
                 SWP_NOACTIVATE);
    SetWindowPos(GetDlgItem(Window(), IDC_SCAN_SIZE), HWND_TOP, left, Inset + LineHeight - m_scroll, width, LineHeight,
                 SWP_NOACTIVATE);
}

void ScanDialog::ShowProgress()
{
    const unsigned count = m_progress.count.load();
    if (count > 0 && !m_deleteEnabled) {
        m_deleteEnabled = true;
        EnableMenuBarButton(MenuBar(), ID_SCAN_DELETE, true);
    }
    wchar_t text[32] = {};
    _snwprintf(text, 31, L"%d", static_cast<int>(count));
    SetDlgItemTextW(Window(), IDC_SCAN_COUNT, text);
    SetDlgItemTextW(Window(), IDC_SCAN_SIZE, SizeText(m_progress.size.load(), 2).c_str());
    InvalidateRect(m_pane.Window(), nullptr, FALSE);
}

int ScanDialog::LayoutHeight(HDC dc, int width, bool draw, int top)
{
    const int left = Inset;
    const int right = width - Inset;
    int y = top + Inset;
    if (draw) {
        // The figures' band on light yellow, their labels in bold.
        RECT band{0, top, width, y + 2 * LineHeight + 4};
        FillRect(dc, &band, m_display.YellowBrush());
        const HGDIOBJ old = SelectObject(dc, m_display.BoldFont());
        const std::wstring count = Text(m_category.CountLabel());
        const std::wstring size = Text(IDS_SCAN_SIZE_LABEL);
        TextOutW(dc, left, y, count.c_str(), static_cast<int>(count.size()));
        TextOutW(dc, left, y + LineHeight, size.c_str(), static_cast<int>(size.size()));
        SelectObject(dc, old);
    }
    y += 2 * LineHeight + 4 + Inset;
    const HFONT normal = m_display.NormalFont();
    const HFONT bold = m_display.BoldFont();
    y = FlowRuns(dc, RunsWithStandIn(Text(IDS_SCAN_HINT_DELETE), normal, Text(IDS_FREED_WORD), bold), left, right, y,
                 LineHeight, draw);
    y = FlowRuns(dc, RunsWithStandIn(Text(IDS_SCAN_HINT_CANCEL), normal, Text(IDS_CANCEL_WORD), bold), left, right, y,
                 LineHeight, draw);
    y = FlowRuns(dc, {{Text(IDS_SCAN_NOTE), bold}}, left, right, y, LineHeight, draw);
    y = FlowRuns(dc, {{Text(m_category.Description()), normal}}, left, right, y, LineHeight, draw);
    return y + Inset - top;
}

void ScanDialog::PaintPane(HWND pane)
{
    vellumate::BufferedPaint paint(pane);
    const RECT& client = paint.Client();
    FillRect(paint.Dc(), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(paint.Dc(), TRANSPARENT);
    SetTextColor(paint.Dc(), RGB(0, 0, 0));
    LayoutHeight(paint.Dc(), client.right - client.left, true, -m_scroll);

    wchar_t count[32] = {};
    GetDlgItemTextW(Window(), IDC_SCAN_COUNT, count, 32);
    wchar_t size[32] = {};
    GetDlgItemTextW(Window(), IDC_SCAN_SIZE, size, 32);
    PublishScreenText(pane, Text(m_category.CountLabel()) + L" " + count + L"\n" + Text(IDS_SCAN_SIZE_LABEL) + L" " +
                                size + L"\n" + (m_progress.stop.load() ? L"done\n" : L"scanning\n"));
}

void ScanDialog::Scroll(int by)
{
    RECT client{};
    GetClientRect(m_pane.Window(), &client);
    const int page = client.bottom - client.top;
    const int scroll = std::clamp(m_scroll + by, 0, std::max(m_contentHeight - page, 0));
    if (scroll == m_scroll)
        return;
    m_scroll = scroll;
    SetScrollPos(m_pane.Window(), SB_VERT, m_scroll, TRUE);
    PlaceFigures();
    InvalidateRect(m_pane.Window(), nullptr, FALSE);
}

void ScanDialog::Close(UINT choice)
{
    m_choice = choice;
    // The worker is asked to stop now and waited for once the dialog has
    // gone from the screen (when this object goes).
    m_progress.stop.store(true);
    EndDialog(Window(), choice);
}

bool ScanDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case ScanChanged:
        m_updatePending.store(false);
        ShowProgress();
        result = 0;
        return true;
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        result = reinterpret_cast<LRESULT>(m_display.YellowBrush());
        return true;
    case WM_COMMAND:
        if (LOWORD(wParam) == ID_SCAN_DELETE) {
            if (m_deleteEnabled)
                Close(ID_SCAN_DELETE);
            result = 0;
            return true;
        }
        // The action key closes the dialog as Cancel does: only the Delete
        // soft key may lead to a deletion.
        if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
            Close(IDCANCEL);
            result = 0;
            return true;
        }
        break;
    default:
        break;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}
