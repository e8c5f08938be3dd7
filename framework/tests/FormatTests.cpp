#include "framework/String.h"
#include "framework/TextFormat.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdarg>
#include <vector>

namespace {

int Measure(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    int bound = MeasureFormat(format, args);
    va_end(args);
    return bound;
}

// FormatText must give what the C runtime's own routine gives with room to
// spare, and the walked bound must hold that output.
template <typename... Args>
void ExpectLikeRuntime(const wchar_t* format, Args... args)
{
    std::vector<wchar_t> reference(1 << 20);
    int length = _snwprintf(reference.data(), reference.size() - 1, format, args...);
    ASSERT_GE(length, 0) << "reference output too long";
    reference[length] = L'\0';

    String text;
    text.FormatText(format, args...);
    EXPECT_EQ(text.Length(), length) << ::testing::PrintToString(format);
    EXPECT_STREQ(text, reference.data());

    int bound = Measure(format, args...);
    EXPECT_NE(bound, -1) << ::testing::PrintToString(format);
    EXPECT_GE(bound, length) << ::testing::PrintToString(format);
}

TEST(FormatText, WindowsConventionsForTextsAndCharacters)
{
    String text;
    text.FormatText(L"%s|%S|%hs|%ls|%ws|%c|%C|%hc|%lc", L"wide", "narrow", "short", L"long", L"w", L'x', 'y', 'z',
                    L'q');
    EXPECT_STREQ(text, L"wide|narrow|short|long|w|x|y|z|q");

    text.FormatText(L"[%s]", nullptr);
    EXPECT_STREQ(text, L"[(null)]");
}

TEST(FormatText, StringArgumentsPassAsTheirCharacters)
{
    String name(L"Storage Card");
    String text;
    text.FormatText(L"%s: %d%%", name, 42);
    EXPECT_STREQ(text, L"Storage Card: 42%");

    // The String's own text as its argument.
    String self(L"abc");
    self.FormatText(L"%s-%s", self, self);
    EXPECT_STREQ(self, L"abc-abc");
}

TEST(FormatText, IntegerConversions)
{
    ExpectLikeRuntime(L"%d %i %u", INT_MIN, -1, 4000000000u);
    ExpectLikeRuntime(L"%I64d|%I64u|%I64x", LLONG_MIN, ULLONG_MAX, 0x1234567890ABCDEFULL);
    ExpectLikeRuntime(L"%lld|%Id|%ld|%hd", -5LL, static_cast<intptr_t>(-7), 70000L, 70000);
    ExpectLikeRuntime(L"%#x|%#X|%#o|%o|%X", 255, 255, 8, 8, 0xABCu);
    ExpectLikeRuntime(L"%+.20d|%.22d|% d", -5, 5, 3);
    ExpectLikeRuntime(L"%*d|%-*d|", 5000, 7, -12, 7);
    ExpectLikeRuntime(L"%0*I64d", 300, -99LL);
    ExpectLikeRuntime(L"%#.20I64x", ULLONG_MAX);
    ExpectLikeRuntime(L"%p|%20p", reinterpret_cast<void*>(0x1234), nullptr);
}

// Wine's msvcrt overflows a buffer of its own for integer precisions from 23
// up, so these bounds are checked against the lengths the conversions have
// by definition: a sign or "0x", then the precision's digits.
TEST(FormatText, BoundsOfLargeIntegerPrecisions)
{
    EXPECT_GE(Measure(L"%+.40d", -5), 1 + 40);
    EXPECT_GE(Measure(L"%#.60I64x", ULLONG_MAX), 2 + 60);
    EXPECT_GE(Measure(L"%.200Iu", static_cast<intptr_t>(1)), 200);
}

TEST(FormatText, FloatingConversions)
{
    ExpectLikeRuntime(L"%f", 1e300);
    ExpectLikeRuntime(L"%f", -1.7976931348623157e308);
    ExpectLikeRuntime(L"%.300f|%.0f", -1e300, 0.5);
    ExpectLikeRuntime(L"%*.*f", 400, 3, 3.14159);
    ExpectLikeRuntime(L"%+#08.2f", 2.5);
    ExpectLikeRuntime(L"%e|%E", 1.5e-300, -2.25e300);
    ExpectLikeRuntime(L"%.200e", -1.5e300);
    ExpectLikeRuntime(L"%g|%G|%g", 1e-5, 1e20, 123.456);
    ExpectLikeRuntime(L"%#.60g|%.150g", 1.0 / 3.0, -1e300);
    ExpectLikeRuntime(L"%300e|%-200g|", 1.0, 2.0);
}

TEST(FormatText, TextWidthAndPrecision)
{
    const wchar_t unterminated[3] = {L'a', L'b', L'c'};
    const char narrowUnterminated[2] = {'x', 'y'};
    ExpectLikeRuntime(L"[%.*s]", 3, unterminated);
    ExpectLikeRuntime(L"[%.2S]", narrowUnterminated);
    ExpectLikeRuntime(L"[%-10S|%10s|%.2hs]", "left", L"right", "cut");
    ExpectLikeRuntime(L"[%*s]", 100000, L"wide");
    ExpectLikeRuntime(L"[%s|%.3s|%10s]", static_cast<const wchar_t*>(nullptr), L"", static_cast<const char*>(nullptr));
    ExpectLikeRuntime(L"%5c|%-5C|%%|%5%", L'a', 'b');
}

TEST(FormatText, CountConversionWritesTheCountSoFar)
{
    int count = -1;
    String text;
    text.FormatText(L"12345%n678", &count);
    EXPECT_STREQ(text, L"12345678");
    EXPECT_EQ(count, 5);

    count = -1;
    text.FormatText(L"%n", &count);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(count, 0);
}

TEST(FormatText, UnknownConversionsFallBackToAGrowingBuffer)
{
    EXPECT_EQ(Measure(L"%y"), -1);
    std::vector<wchar_t> reference(4096);
    int length = _snwprintf(reference.data(), reference.size() - 1, L"%y and %d", 5);
    ASSERT_GE(length, 0);
    reference[length] = L'\0';
    String text;
    text.FormatText(L"%y and %d", 5);
    EXPECT_STREQ(text, reference.data());
}

TEST(FormatText, LongOutputWithoutConversions)
{
    String format(L'x', 5000);
    String text;
    text.FormatText(format);
    EXPECT_EQ(text, format);
    EXPECT_EQ(Measure(format), 5000);
}

}  // namespace
