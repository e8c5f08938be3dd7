#include "sysinfo/PageRing.h"

#include "sysinfo/DevicePage.h"
#include "sysinfo/FlashPage.h"
#include "sysinfo/MemoryPage.h"
#include "sysinfo/PowerPage.h"

#include <gtest/gtest.h>

namespace {

class PageRingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (InfoPage* page : {static_cast<InfoPage*>(&memory), static_cast<InfoPage*>(&flash),
                               static_cast<InfoPage*>(&power), static_cast<InfoPage*>(&device)})
            ASSERT_TRUE(ring.Add(page));
    }

    MemoryPage memory;
    FlashPage flash;
    PowerPage power;
    DevicePage device;
    PageRing ring;
};

} // namespace

TEST_F(PageRingTest, FirstPageAddedIsCurrent)
{
    EXPECT_EQ(ring.Count(), 4);
    EXPECT_EQ(ring.Current(), &memory);
    EXPECT_EQ(ring.Following(), &flash);
}

TEST_F(PageRingTest, HoldsFourPages)
{
    MemoryPage another;
    EXPECT_FALSE(ring.Add(&another));
    EXPECT_EQ(ring.Count(), 4);
}

TEST_F(PageRingTest, NextWrapsFromLastToFirst)
{
    ring.Next();
    ring.Next();
    ring.Next();
    EXPECT_EQ(ring.Current(), &device);
    EXPECT_EQ(ring.Following(), &memory);
    ring.Next();
    EXPECT_EQ(ring.Current(), &memory);
    EXPECT_EQ(ring.Following(), &flash);
}

TEST_F(PageRingTest, PreviousWrapsFromFirstToLast)
{
    ring.Previous();
    EXPECT_EQ(ring.Current(), &device);
    EXPECT_EQ(ring.Following(), &memory);
    ring.Previous();
    EXPECT_EQ(ring.Current(), &power);
}

TEST_F(PageRingTest, SelectReportsWhetherThePageChanged)
{
    EXPECT_TRUE(ring.Select(&power));
    EXPECT_EQ(ring.Current(), &power);
    EXPECT_EQ(ring.CurrentIndex(), 2);
    EXPECT_FALSE(ring.Select(&power));

    PowerPage stranger;
    EXPECT_FALSE(ring.Select(&stranger));
    EXPECT_EQ(ring.Current(), &power);
}

TEST(PageRingSmallTest, FewerThanTwoPagesDoNotMove)
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
    EXPECT_EQ(single.CurrentIndex(), 0);
}
