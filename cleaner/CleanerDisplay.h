// What Corvane's window draws: the panel of the main storage (its name, a bar
// of the used part, total, used and free) and the status text under it, with
// the pens, brushes and fonts they are drawn with.
#pragma once

#include "cleaner/CategoryDeletion.h"

#include "platform/Handles.h"

#include <windows.h>

#include <cstdint>
#include <string>

// The main storage's figures as the panel shows them.
struct StorageFigures {
    std::wstring volumeName;  // the base directory's last component; empty for "\"
    std::uint64_t total = 0;
    std::uint64_t free = 0;

    std::uint64_t Used() const noexcept { return total > free ? total - free : 0; }
    // Whole percent of the total that is used; 0 for a volume that reports no
    // size at all (nothing to divide by).
    int UsedPercent() const noexcept;
};

// The figures of the base directory's volume now.
StorageFigures ReadStorageFigures();

class CleanerDisplay {
public:
    static constexpr int Inset = 6;
    static constexpr int RowHeight = 18;
    static constexpr int BarHeight = 20;

    // False when a pen, brush or font cannot be made.
    bool Create();

    // The status text: string `id` formatted with `count` (when it takes one).
    void SetStatus(UINT id, StatusStyle style, unsigned count = 0);
    void SetStatusText(std::wstring text, StatusStyle style);
    const std::wstring& Status() const noexcept { return m_status; }
    bool StatusIsError() const noexcept { return m_error; }

    void Paint(HDC dc, const RECT& client, const StorageFigures& figures) const;
    // The same as lines of text, for the session driver.
    std::wstring ScreenText(const StorageFigures& figures) const;

    HFONT NormalFont() const noexcept { return m_normal.Get(); }
    HFONT BoldFont() const noexcept { return m_bold.Get(); }
    HBRUSH YellowBrush() const noexcept { return m_yellow.Get(); }

private:
    vellumate::PenHandle m_navy;
    vellumate::BrushHandle m_blue;
    vellumate::BrushHandle m_yellow;
    vellumate::FontHandle m_normal;
    vellumate::FontHandle m_bold;
    std::wstring m_status;
    StatusStyle m_style = StatusStyle::Normal;
    bool m_error = false;
};
