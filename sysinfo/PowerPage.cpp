#include "sysinfo/PowerPage.h"

#include "sysinfo/SystemFigures.h"
#include "sysinfo/resource.h"

namespace {

constexpr DWORD PowerPeriod = 2000;

}  // namespace

PowerPage::PowerPage()
    : InfoPage(IDS_POWER, IDI_POWER_PAGE, PowerPeriod), m_labels{String(MAKEINTRESOURCEW(IDS_MAIN_BATTERY)),
                                                                 String(MAKEINTRESOURCEW(IDS_BACKUP_BATTERY))}
{
}

UINT PowerPage::ShortNameId() const noexcept
{
    return IDS_POWER;
}

BatteryState PowerPage::State(Battery battery) const noexcept
{
    // A status without the main battery's voltage and temperature carries no
    // figures for either battery.
    const bool noFigures = m_status.BatteryVoltage == 0 && m_status.BatteryTemperature == 0;
    if (battery == Main)
        return {m_status.BatteryFlag, m_status.BatteryLifePercent, noFigures};
    return {m_status.BackupBatteryFlag, m_status.BackupBatteryLifePercent, noFigures};
}

BarLook PowerPage::Bar(Battery battery) const
{
    return BatteryBar(State(battery), m_animatedFill[battery]);
}

void PowerPage::Update(PageHost* redraw)
{
    if (!redraw) {
        ReadPowerStatus(m_status);
        return;
    }
    const std::array<BarLook, 2> old{Bar(Main), Bar(Backup)};
    if (!ReadPowerStatus(m_status))
        return;
    for (Battery battery : {Main, Backup}) {
        // A bar that animates is repainted by the animation.
        if (!m_animating[battery] && !(Bar(battery) == old[battery]))
            redraw->InvalidateRow(BarRow(battery));
    }
}

void PowerPage::Animate(PageHost& host)
{
    for (Battery battery : {Main, Backup}) {
        if (IsCharging(State(battery))) {
            int& fill = m_animatedFill[battery];
            fill = battery == Main ? NextMainBatteryFill(fill) : NextBackupBatteryFill(fill);
            m_animating[battery] = true;
            host.InvalidateRow(BarRow(battery));
        } else if (m_animating[battery]) {
            // Charging ended: once more, to show the charge as it is.
            m_animating[battery] = false;
            m_animatedFill[battery] = 0;
            host.InvalidateRow(BarRow(battery));
        }
    }
}

RowContent PowerPage::Row(int row) const
{
    if (row < 0 || row >= RowCount())
        return {};
    const Battery battery = row < 2 ? Main : Backup;
    if (row % 2 == 0)
        return RowContent::Label(m_labels[battery]);
    return RowContent::Bar(Bar(battery));
}
