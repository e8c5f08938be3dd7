#include "sysinfo/RefreshSchedule.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The ticks out of the first `count` on which a page of `period` updates.
std::vector<unsigned> DueTicks(DWORD period, unsigned count)
{
    RefreshSchedule schedule;
    std::vector<unsigned> ticks;
    for (; schedule.Tick() < count; schedule.Advance()) {
        if (schedule.IsDue(period))
            ticks.push_back(schedule.Tick());
    }
    return ticks;
}

}  // namespace

TEST(RefreshScheduleTest, IntervalsInWholeTicks)
{
    EXPECT_EQ(RefreshSchedule::Interval(1000), 4u);       // Memory
    EXPECT_EQ(RefreshSchedule::Interval(3000), 13u);      // Flash
    EXPECT_EQ(RefreshSchedule::Interval(2000), 9u);       // Power
    EXPECT_EQ(RefreshSchedule::Interval(500000), 2272u);  // Device
    EXPECT_EQ(RefreshSchedule::Interval(100), 1u);        // shorter than a tick: every tick
}

TEST(RefreshScheduleTest, PagesUpdateOnTheMultiplesOfTheirInterval)
{
    EXPECT_EQ(DueTicks(1000, 20), (std::vector<unsigned>{0, 4, 8, 12, 16}));
    EXPECT_EQ(DueTicks(3000, 40), (std::vector<unsigned>{0, 13, 26, 39}));
    EXPECT_EQ(DueTicks(2000, 30), (std::vector<unsigned>{0, 9, 18, 27}));
    EXPECT_EQ(DueTicks(500000, 4545), (std::vector<unsigned>{0, 2272, 4544}));
}

TEST(RefreshScheduleTest, AnimationOnEverySecondTick)
{
    RefreshSchedule schedule;
    std::vector<unsigned> ticks;
    for (schedule.Advance(); schedule.Tick() < 9; schedule.Advance()) {
        if (schedule.IsAnimationDue())
            ticks.push_back(schedule.Tick());
    }
    EXPECT_EQ(ticks, (std::vector<unsigned>{2, 4, 6, 8}));
}
