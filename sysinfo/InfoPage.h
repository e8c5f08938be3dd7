// A page of Obrel: a header (icon and title) above rows of labels, values and
// bars, refreshed at the page's own pace.
//
// A page keeps its values and says what each row shows (RowContent); the
// window paints the rows (RowPainter) and publishes them as screen text. On
// an update with redraw the page asks its host to repaint only the rows whose
// values changed.
#pragma once

#include "sysinfo/BarGraph.h"

#include "framework/String.h"

#include <windows.h>

#include <string>

// What one row shows.
struct RowContent {
    enum class Kind { Empty, LabelValue, Label, Text, Bar };

    Kind kind = Kind::Empty;
    String label;      // LabelValue, Label, Text
    String value;      // LabelValue: right-aligned
    BarLook bar;       // Bar
    int barStart = 0;  // Bar: where the bar begins, in percent of the row's width

    // A bold label on the left and a bold value on the right.
    static RowContent LabelValue(const String& label, const String& value);
    // A bold label alone.
    static RowContent Label(const String& label);
    // A value in the normal font, indented below its label.
    static RowContent Text(const String& text);
    // A bar from `startPercent` of the row's width to its right end.
    static RowContent Bar(const BarLook& bar, int startPercent = 0);
};

// The window showing a page: repaints rows on the page's behalf.
class PageHost {
public:
    virtual void InvalidateRow(int row) = 0;

protected:
    ~PageHost() = default;
};

class InfoPage {
public:
    InfoPage(UINT titleId, UINT iconId, DWORD period) noexcept;
    virtual ~InfoPage() = default;
    InfoPage(const InfoPage&) = delete;
    InfoPage& operator=(const InfoPage&) = delete;

    UINT TitleId() const noexcept { return m_titleId; }
    UINT IconId() const noexcept { return m_iconId; }
    // Milliseconds between two updates.
    DWORD Period() const noexcept { return m_period; }

    // The name the left soft key shows when this page comes next.
    virtual UINT ShortNameId() const noexcept = 0;

    // Re-reads the values. With a host (the page is on screen) the rows whose
    // values changed are repainted through it.
    virtual void Update(PageHost* redraw) = 0;

    // Advances an animation; called on every second tick while the page is on
    // screen.
    virtual void Animate(PageHost& host);

    virtual int RowCount() const noexcept = 0;
    virtual RowContent Row(int row) const = 0;

    // The title and the rows as text, for readers of the screen: the title on
    // the first line, then one line per row, each indented by two spaces.
    std::wstring ScreenText() const;

private:
    UINT m_titleId;
    UINT m_iconId;
    DWORD m_period;
};
