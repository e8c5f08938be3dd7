#include "sysinfo/InfoPage.h"

RowContent RowContent::LabelValue(const String& label, const String& value)
{
    RowContent row;
    row.kind = Kind::LabelValue;
    row.label = label;
    row.value = value;
    return row;
}

RowContent RowContent::Label(const String& label)
{
    RowContent row;
    row.kind = Kind::Label;
    row.label = label;
    return row;
}

RowContent RowContent::Text(const String& text)
{
    RowContent row;
    row.kind = Kind::Text;
    row.label = text;
    return row;
}

RowContent RowContent::Bar(const BarLook& bar, int startPercent)
{
    RowContent row;
    row.kind = Kind::Bar;
    row.bar = bar;
    row.barStart = startPercent;
    return row;
}

InfoPage::InfoPage(UINT titleId, UINT iconId, DWORD period) noexcept
    : m_titleId(titleId), m_iconId(iconId), m_period(period)
{
}

void InfoPage::Animate(PageHost&)
{
}

std::wstring InfoPage::ScreenText() const
{
    const String title(MAKEINTRESOURCEW(m_titleId));
    std::wstring text(title.Chars(), title.Length());
    for (int index = 0; index < RowCount(); ++index) {
        const RowContent row = Row(index);
        text += L"\n  ";
        switch (row.kind) {
        case RowContent::Kind::Empty:
            break;
        case RowContent::Kind::LabelValue:
            text.append(row.label.Chars()).append(L"  ").append(row.value.Chars());
            break;
        case RowContent::Kind::Label:
        case RowContent::Kind::Text:
            text.append(row.label.Chars());
            break;
        case RowContent::Kind::Bar:
            text.append(L"[").append(row.bar.text.Chars()).append(L"]");
            break;
        }
    }
    return text;
}
