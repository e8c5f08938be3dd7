// The Power page: the main and the backup battery, each a label and a bar;
// a charging battery's bar animates.
#pragma once

#include "sysinfo/BatteryBar.h"
#include "sysinfo/InfoPage.h"

#include "platform/HandsetHardware.h"

#include <array>

class PowerPage : public InfoPage {
public:
    enum Battery { Main = 0, Backup = 1 };

    PowerPage();

    UINT ShortNameId() const noexcept override;
    void Update(PageHost* redraw) override;
    void Animate(PageHost& host) override;
    int RowCount() const noexcept override { return 4; }
    RowContent Row(int row) const override;

    BatteryState State(Battery battery) const noexcept;
    // What the battery's bar shows now, animation included.
    BarLook Bar(Battery battery) const;

private:
    static int BarRow(Battery battery) noexcept { return 2 * battery + 1; }

    SYSTEM_POWER_STATUS_EX2 m_status{};
    std::array<bool, 2> m_animating{};
    std::array<int, 2> m_animatedFill{};
    std::array<String, 2> m_labels;
};
