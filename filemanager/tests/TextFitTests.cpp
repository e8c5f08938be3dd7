// Cutting names and paths to the width they are drawn in.
#include "filemanager/TextFit.h"
#include "framework/testsupport/StringPrinting.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Ten pixels a character, "W" twenty.
int Measure(const wchar_t* text, int length)
{
    int width = 0;
    for (int i = 0; i < length; ++i)
        width += text[i] == L'W' ? 20 : 10;
    return width;
}

TEST(TextFit, ATextThatFitsStaysWhole)
{
    EXPECT_EQ(FitText(String(L"Notes"), 50, Measure), String(L"Notes"));
    EXPECT_EQ(FitText(String(), 0, Measure), String());
}

TEST(TextFit, AWideTextKeepsTheProportionalEstimateLessThree)
{
    // 20 characters, 200 pixels, in 100: 20 x 100 / 200 - 3 = 7 characters.
    EXPECT_EQ(FitText(String(L"abcdefghijklmnopqrst"), 100, Measure), String(L"abcdefg..."));
    // 120 pixels would allow more, the estimate keeps 9.
    EXPECT_EQ(FitText(String(L"abcdefghijklmnopqrst"), 120, Measure), String(L"abcdefghi..."));
}

TEST(TextFit, WideLettersAreCutFurtherUntilTheTextFits)
{
    // 250 pixels: the estimate (20 x 100 / 250 - 3 = 5) would keep
    // "WWWWW..." at 130 pixels, too wide for 100.
    const String cut = FitText(String(L"WWWWWaaaaaaaaaaaaaaa"), 100, Measure);
    EXPECT_EQ(cut, String(L"WWW..."));
    EXPECT_LE(Measure(cut, cut.Length()), 100);
}

TEST(TextFit, NothingIsDrawnWhenNoCharacterRemains)
{
    EXPECT_EQ(FitText(String(L"abcdefghij"), 35, Measure), String());
    EXPECT_EQ(FitText(String(L"abcdefghij"), 0, Measure), String());
}

TEST(TextFit, ACutNeverSplitsASurrogatePair)
{
    // "ab", then five characters outside the basic plane (two units each).
    const String text(L"ab\U0001F600\U0001F601\U0001F602\U0001F603\U0001F604");
    ASSERT_EQ(text.Length(), 12);
    // 12 units, 120 pixels, in 100: 12 x 100 / 120 - 3 = 7 units would end
    // inside the third pair; six are kept.
    const String cut = FitText(text, 100, Measure);
    EXPECT_EQ(cut, String(L"ab\U0001F600\U0001F601..."));
}

}  // namespace
