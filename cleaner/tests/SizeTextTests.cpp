// Byte counts as the cleaner shows them, at the edges of each unit.
#include "cleaner/SizeText.h"

#include <gtest/gtest.h>

namespace {

TEST(SizeText, EachUnitStartsAtItsPowerOf1024)
{
    EXPECT_EQ(SizeText(0, 0, 2), L"0 B");
    EXPECT_EQ(SizeText(0, 1023, 2), L"1023 B");
    EXPECT_EQ(SizeText(0, 1024, 2), L"1.00 KB");
    EXPECT_EQ(SizeText(0, 1536, 2), L"1.50 KB");
    EXPECT_EQ(SizeText(0, (1u << 20) - 1, 2), L"1024.00 KB");
    EXPECT_EQ(SizeText(0, 1u << 20, 2), L"1.00 MB");
    EXPECT_EQ(SizeText(0, 1u << 30, 2), L"1.00 GB");
    EXPECT_EQ(SizeText(1, 1u << 30, 2), L"5.00 GB");  // 2^32 + 2^30
    EXPECT_EQ(SizeText(0, 1u << 20, 0), L"1 MB");
    EXPECT_EQ(SizeText(std::uint64_t{3} << 30), L"3.00 GB");
}

}  // namespace
