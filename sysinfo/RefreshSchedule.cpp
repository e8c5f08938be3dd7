#include "sysinfo/RefreshSchedule.h"

unsigned RefreshSchedule::Interval(DWORD period) noexcept
{
    const unsigned ticks = period / TimerPeriod;
    return ticks ? ticks : 1;
}

bool RefreshSchedule::IsDue(DWORD period) const noexcept
{
    return m_tick % Interval(period) == 0;
}

bool RefreshSchedule::IsAnimationDue() const noexcept
{
    return m_tick % 2 == 0;
}
