#include "framework/ResourceModule.h"
#include "framework/String.h"

#include "TestSupport.h"
#include "test_resources.h"

#include <gtest/gtest.h>

namespace {

TEST(ResourceText, APointerBelow0x10000IsAResourceNumber)
{
    String byNumber(MAKEINTRESOURCEW(IDS_BY_NUMBER));
    EXPECT_STREQ(byNumber, L"Loaded by number");
    String fromNull(static_cast<const wchar_t*>(nullptr));
    EXPECT_TRUE(fromNull.IsEmpty());
    String assigned(L"old");
    assigned = MAKEINTRESOURCEW(IDS_BY_NUMBER);
    EXPECT_STREQ(assigned, L"Loaded by number");
}

TEST(ResourceText, MissingResourceLeavesTheStringEmpty)
{
    String text(L"previous contents");
    EXPECT_FALSE(text.LoadResourceText(IDS_MISSING));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_TRUE(text.LoadResourceText(IDS_BY_NUMBER));
}

TEST(ResourceText, TextBeyondAsciiArrivesIntact)
{
    String text;
    ASSERT_TRUE(text.LoadResourceText(IDS_NON_ASCII));
    EXPECT_STREQ(text, L"Gr\u00FC\u00DFe, \u6771\u4EAC \u20AC");
}

// The first try holds 256 characters; a result of 255 or 256 may have been
// cut, so the text is loaded again into its own buffer with room for 512,
// then 768 and so on, until the loaded length is at least 2 below the room.
// The capacity that remains shows which room the final load had.
struct LengthCase {
    UINT id;
    int length;
    int finalRoom;  // 0: the first try sufficed (capacity is the length)
};

class ResourceTextLength : public ::testing::TestWithParam<LengthCase> {};

TEST_P(ResourceTextLength, LoadsTheWholeTextWithTheDocumentedRetries)
{
    const LengthCase& c = GetParam();
    String text;
    ASSERT_TRUE(text.LoadResourceText(c.id));
    EXPECT_EQ(text.Length(), c.length);
    EXPECT_EQ(text, AlphabetText(c.length));
    EXPECT_EQ(text.Capacity(), c.finalRoom == 0 ? c.length : c.finalRoom);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, ResourceTextLength,
                         ::testing::Values(LengthCase{IDS_LENGTH_254, 254, 0}, LengthCase{IDS_LENGTH_255, 255, 512},
                                           LengthCase{IDS_LENGTH_256, 256, 512}, LengthCase{IDS_LENGTH_257, 257, 512},
                                           LengthCase{IDS_LENGTH_510, 510, 512}, LengthCase{IDS_LENGTH_511, 511, 768},
                                           LengthCase{IDS_LENGTH_512, 512, 768}, LengthCase{IDS_LENGTH_513, 513, 768},
                                           LengthCase{IDS_LENGTH_700, 700, 768}));

TEST(ResourceText, LongTextConstructedByNumber)
{
    String text(MAKEINTRESOURCEW(IDS_LENGTH_700));
    EXPECT_EQ(text, AlphabetText(700));
}

TEST(ResourceText, FormatResourceLoadsTheFormatFirst)
{
    String text;
    text.FormatResource(IDS_FORMAT, String(L"Storage Card"), 12, 1234567890123ULL);
    EXPECT_STREQ(text, L"Storage Card holds 12 files (1234567890123 bytes)");
}

TEST(ResourceText, TheResourceModuleDefaultsToTheExecutable)
{
    EXPECT_EQ(ResourceModule(), GetModuleHandleW(nullptr));
}

}  // namespace
