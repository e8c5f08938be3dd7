// Stepping round the ring with the keys is tested on the window; here the
// ring's own edges.
#include "sysinfo/PageRing.h"

#include "sysinfo/DevicePage.h"
#include "sysinfo/MemoryPage.h"
#include "sysinfo/PowerPage.h"

#include <gtest/gtest.h>

TEST(PageRingTest, HoldsFourPagesAndSelectsByIdentity)
{
    MemoryPage memory;
    PowerPage power;
    DevicePage device;
    MemoryPage another;
    PageRing ring;
    for (InfoPage* page : {static_cast<InfoPage*>(&memory), static_cast<InfoPage*>(&power),
                           static_cast<InfoPage*>(&device), static_cast<InfoPage*>(&another)})
        ASSERT_TRUE(ring.Add(page));
    PowerPage fifth;
    EXPECT_FALSE(ring.Add(&fifth));
    EXPECT_EQ(ring.Count(), 4);

    EXPECT_TRUE(ring.Select(&device));
    EXPECT_EQ(ring.CurrentIndex(), 2);
    EXPECT_FALSE(ring.Select(&device));
    PowerPage stranger;
    EXPECT_FALSE(ring.Select(&stranger));
    EXPECT_EQ(ring.Current(), &device);
}

TEST(PageRingTest, FewerThanTwoPagesDoNotMove)
{
    PageRing empty;
    empty.Next();
    empty.Previous();
    EXPECT_EQ(empty.Current(), nullptr);
    EXPECT_EQ(empty.Following(), nullptr);

    MemoryPage memory;
    PageRing single;
    ASSERT_TRUE(single.Add(&memory));
    single.Next();
    single.Previous();
    EXPECT_EQ(single.Current(), &memory);
    EXPECT_EQ(single.Following(), &memory);
}
