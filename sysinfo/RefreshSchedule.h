// When the pages refresh: a window timer ticks every TimerPeriod
// milliseconds, and a page whose refresh period spans n ticks is updated on
// every tick whose number n divides. Animations step on every second tick.
#pragma once

#include <windows.h>

inline constexpr UINT TimerPeriod = 220;  // milliseconds

class RefreshSchedule {
public:
    // The number of ticks between two updates of a page with `period`
    // milliseconds (a period shorter than one tick: every tick).
    static unsigned Interval(DWORD period) noexcept;

    // The number of the tick under way; the window's creation is tick 0.
    unsigned Tick() const noexcept { return m_tick; }

    // Whether a page with `period` is updated on this tick.
    bool IsDue(DWORD period) const noexcept;
    // Whether the current page's animation steps on this tick.
    bool IsAnimationDue() const noexcept;

    // On to the next tick.
    void Advance() noexcept { ++m_tick; }

private:
    unsigned m_tick = 0;
};
