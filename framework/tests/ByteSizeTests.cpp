#include "framework/ByteSize.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct SizeCase {
    DWORD high;
    DWORD low;
    const wchar_t* text;
};

void PrintTo(const SizeCase& c, std::ostream* out)
{
    *out << c.high << ":" << c.low;
}

class ByteSizeTexts : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ByteSizeTexts, WithTwoDecimalsAndDivisor1024)
{
    const SizeCase& c = GetParam();
    EXPECT_EQ(FormatByteSize(c.high, c.low, 2, 1024), String(c.text)) << c.high << ":" << c.low;
}

INSTANTIATE_TEST_SUITE_P(UnitBoundaries, ByteSizeTexts,
                         ::testing::Values(SizeCase{0, 0, L"0 bytes"}, SizeCase{0, 1023, L"1023 bytes"},
                                           SizeCase{0, 1024, L"1.00 KB"}, SizeCase{0, 1536, L"1.50 KB"},
                                           SizeCase{0, 0xFFFFF, L"1024.00 KB"}, SizeCase{0, 0x100000, L"1.00 MB"},
                                           SizeCase{0, 0x180000, L"1.50 MB"}, SizeCase{0, 0x3FFFFFFF, L"1024.00 MB"},
                                           SizeCase{0, 0x40000000, L"1.00 GB"}, SizeCase{0, 0xFFFFFFFF, L"4.00 GB"},
                                           SizeCase{1, 0, L"4.00 GB"}, SizeCase{1, 0x80000000, L"6.00 GB"},
                                           // Below a MiB the low bits do not count in gigabytes.
                                           SizeCase{0, 0x400FFFFF, L"1.00 GB"}, SizeCase{0xFF, 0, L"1020.00 GB"}));

TEST(ByteSize, DecimalsArePartOfTheFormat)
{
    EXPECT_EQ(FormatByteSize(0, 1536, 0, 1024), String(L"2 KB"));
    EXPECT_EQ(FormatByteSize(0, 1536, 3, 1024), String(L"1.500 KB"));
    EXPECT_EQ(FormatByteSize(0, 0x155555, 1, 1024), String(L"1.3 MB"));
    // Another divisor divides the same shifted counts.
    EXPECT_EQ(FormatByteSize(0, 2000, 2, 1000), String(L"2.00 KB"));
}

}  // namespace
