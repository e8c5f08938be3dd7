#include "simmanager/PhoneInfoDialog.h"

#include "simmanager/PhoneInfoResources.h"
#include "simmanager/resource.h"

#include "framework/DialogControls.h"
#include "framework/Display.h"
#include "framework/String.h"

#include <algorithm>
#include <utility>

namespace {

// The label and value controls of each line, in the order the lines stand.
struct LineControls {
    InfoLine line;
    int label;
    int values[3];
};

constexpr LineControls Lines[] = {
    {InfoLine::Capacity, IDC_INFO_CAPACITY_LABEL, {IDC_INFO_CAPACITY, IDC_INFO_NAME_LENGTH, IDC_INFO_NUMBER_LENGTH}},
    {InfoLine::Serial, IDC_INFO_SERIAL_LABEL, {IDC_INFO_SERIAL}},
    {InfoLine::Smsc, IDC_INFO_SMSC_LABEL, {IDC_INFO_SMSC}},
    {InfoLine::Subscriber, IDC_INFO_SUBSCRIBER_LABEL, {IDC_INFO_SUBSCRIBER}},
    {InfoLine::Provider, IDC_INFO_PROVIDER_LABEL, {IDC_INFO_PROVIDER}},
};

constexpr int Margin = 3;
constexpr int LabelGap = 4;
// Room of the normal font's lines beyond the text and its 4 pixels.
constexpr int NormalFontSpacing = 8;

void SetFormatted(HWND dialog, int control, UINT format, DWORD value)
{
    String text;
    text.FormatResource(format, static_cast<int>(value));
    SetDlgItemTextW(dialog, control, text.Chars());
}

}  // namespace

PhoneInfoDialog::PhoneInfoDialog(HWND parent, PhoneInfo info)
    : DialogCore(IDD_PHONE_INFO, parent, IDM_PHONE_INFO_BAR, 0, true), m_info(std::move(info))
{
}

InitResult PhoneInfoDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    FillValues();
    PlaceLines();
    // A pane of no size holds the focus and takes the direction keys.
    const RECT none{0, 0, 0, 0};
    if (m_keys.Create(Window(), none)) {
        SetFocus(m_keys.Window());
        m_focusSet = true;
    }
    return InitResult::Continue;
}

void PhoneInfoDialog::FillValues()
{
    HWND dialog = Window();
    SetFormatted(dialog, IDC_INFO_CAPACITY, IDS_INFO_CAPACITY, m_info.capacity);
    SetFormatted(dialog, IDC_INFO_NAME_LENGTH, IDS_INFO_NAME_LENGTH, m_info.nameLength);
    SetFormatted(dialog, IDC_INFO_NUMBER_LENGTH, IDS_INFO_NUMBER_LENGTH, m_info.numberLength);
    SetDlgItemTextW(dialog, IDC_INFO_SERIAL, m_info.serial.value_or(L"").c_str());
    SetDlgItemTextW(dialog, IDC_INFO_SMSC, m_info.smsc.c_str());
    SetDlgItemTextW(dialog, IDC_INFO_SUBSCRIBER, m_info.subscriber.value_or(L"").c_str());
    if (m_info.provider) {
        SetDlgItemTextW(dialog, IDC_INFO_PROVIDER, m_info.provider->c_str());
    } else {
        String none;
        none.LoadResourceText(IDS_NO_PROVIDER);
        SetDlgItemTextW(dialog, IDC_INFO_PROVIDER, none.Chars());
    }
}

void PhoneInfoDialog::PlaceLines()
{
    HWND dialog = Window();
    const std::vector<InfoLine> shown = ShownLines(m_info);
    const auto isShown = [&](InfoLine line) { return std::find(shown.begin(), shown.end(), line) != shown.end(); };

    // Line height and label widths in the dialog's own font.
    HDC dc = GetDC(dialog);
    const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    int labelWidth = 0;
    for (const LineControls& controls : Lines) {
        if (!isShown(controls.line))
            continue;
        const String label = ControlText(dialog, controls.label);
        SIZE extent{};
        GetTextExtentPoint32W(dc, label.Chars(), label.Length(), &extent);
        labelWidth = std::max(labelWidth, static_cast<int>(extent.cx));
    }
    SelectObject(dc, oldFont);
    ReleaseDC(dialog, dc);

    int valueLines = 0;
    for (InfoLine line : shown)
        valueLines += ValueCount(line);
    const int lineHeight = metrics.tmHeight;
    m_pitch = lineHeight + 4 + (IsLargeFontSet(false) ? 0 : NormalFontSpacing);
    m_contentHeight = m_pitch * valueLines;
    m_offset = 0;
    if (valueLines > MaxUnscrolledLines) {
        ShowScrollBar(dialog, SB_VERT, TRUE);
        RECT client{};
        GetClientRect(dialog, &client);
        // Shown even when the lines fit after all, greyed then.
        SCROLLINFO scroll{sizeof scroll, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL};
        scroll.nMax = m_contentHeight;
        scroll.nPage = static_cast<UINT>(client.bottom);
        SetScrollInfo(dialog, SB_VERT, &scroll, TRUE);
    }

    RECT client{};
    GetClientRect(dialog, &client);
    const int valueLeft = Margin + labelWidth + LabelGap;
    const int valueWidth = std::max(0, static_cast<int>(client.right) - valueLeft - Margin);
    int top = Margin;
    for (const LineControls& controls : Lines) {
        const bool visible = isShown(controls.line);
        const int show = visible ? SW_SHOW : SW_HIDE;
        ShowWindow(GetDlgItem(dialog, controls.label), show);
        if (visible)
            MoveWindow(GetDlgItem(dialog, controls.label), Margin, top, labelWidth, lineHeight, FALSE);
        for (int index = 0; index < ValueCount(controls.line); ++index) {
            HWND value = GetDlgItem(dialog, controls.values[index]);
            ShowWindow(value, show);
            if (!visible)
                continue;
            MoveWindow(value, valueLeft, top, valueWidth, lineHeight, FALSE);
            top += m_pitch;
        }
    }
    InvalidateRect(dialog, nullptr, TRUE);
}

void PhoneInfoDialog::ScrollTo(int offset)
{
    RECT client{};
    GetClientRect(Window(), &client);
    offset = std::clamp(offset, 0, std::max(0, m_contentHeight - static_cast<int>(client.bottom)));
    if (offset == m_offset)
        return;
    ScrollWindowEx(Window(), 0, m_offset - offset, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    m_offset = offset;
    SetScrollPos(Window(), SB_VERT, m_offset, TRUE);
    UpdateWindow(Window());
}

bool PhoneInfoDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_VSCROLL) {
        switch (LOWORD(wParam)) {
        case SB_LINEUP:
            ScrollTo(m_offset - m_pitch);
            break;
        case SB_LINEDOWN:
            ScrollTo(m_offset + m_pitch);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            ScrollTo(HIWORD(wParam));
            break;
        default:
            break;
        }
        result = 0;
        return true;
    }
    if (OnOkOrCancel(
            message, wParam, ID_DIALOG_DONE, IDCANCEL, [&] { EndDialog(window, IDOK); },
            [&] { EndDialog(window, IDCANCEL); })) {
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}

void PhoneInfoDialog::PaintPane(HWND pane)
{
    PAINTSTRUCT paint;
    BeginPaint(pane, &paint);
    EndPaint(pane, &paint);
}

void PhoneInfoDialog::PaneKey(UINT key)
{
    if (key == VK_DOWN)
        ScrollTo(m_offset + m_pitch);
    else if (key == VK_UP)
        ScrollTo(m_offset - m_pitch);
}
