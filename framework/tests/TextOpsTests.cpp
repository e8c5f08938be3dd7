#include "framework/TextOps.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(TextOps, ExtractField)
{
    String field;
    EXPECT_TRUE(ExtractField(field, L"a;b;c", 2, L';'));
    EXPECT_STREQ(field, L"c");
    EXPECT_TRUE(ExtractField(field, L"a;b;c", 0, L';'));
    EXPECT_STREQ(field, L"a");
    EXPECT_TRUE(ExtractField(field, L"a;;c", 1, L';'));
    EXPECT_STREQ(field, L"");
    EXPECT_TRUE(ExtractField(field, L"a;b", 1, L';'));
    EXPECT_STREQ(field, L"b");

    field = L"stale";
    EXPECT_FALSE(ExtractField(field, L"a;b", 3, L';'));
    EXPECT_TRUE(field.IsEmpty());
    field = L"stale";
    EXPECT_FALSE(ExtractField(field, nullptr, 0, L';'));
    EXPECT_TRUE(field.IsEmpty());
}

TEST(TextOps, SplitTokensDropsEmptyPieces)
{
    StringArray tokens;
    SplitTokens(L";;a;;b;", L";", tokens, false);
    ASSERT_EQ(tokens.GetSize(), 2);
    EXPECT_STREQ(tokens[0], L"a");
    EXPECT_STREQ(tokens[1], L"b");

    SplitTokens(L" one , two,  ,three ", L",", tokens, true);
    ASSERT_EQ(tokens.GetSize(), 5);
    EXPECT_STREQ(tokens[2], L"one");
    EXPECT_STREQ(tokens[3], L"two");
    EXPECT_STREQ(tokens[4], L"three");

    StringArray untrimmed;
    SplitTokens(L" x ;y", L";", untrimmed, false);
    ASSERT_EQ(untrimmed.GetSize(), 2);
    EXPECT_STREQ(untrimmed[0], L" x ");
}

TEST(TextOps, JoinTokensPutsTheSeparatorBetweenOnly)
{
    StringArray tokens;
    tokens.Add(L"a");
    tokens.Add(L"b");
    tokens.Add(L"c");
    String text(L">");
    JoinTokens(text, tokens, L", ");
    EXPECT_STREQ(text, L">a, b, c");
    String empty;
    JoinTokens(empty, StringArray(), L",");
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(TextOps, StripChars)
{
    EXPECT_STREQ(StripChars(L"(555) 123-4567", L"()- "), L"5551234567");
    EXPECT_STREQ(StripChars(L"---", L"-"), L"");
    EXPECT_STREQ(StripChars(L"abc", nullptr), L"abc");
}

TEST(TextOps, Abbreviate)
{
    EXPECT_STREQ(Abbreviate(L"abcdefghij", 8, true), L"abcde...");
    EXPECT_STREQ(Abbreviate(L"abcdefghij", 8, false), L"...fghij");
    EXPECT_STREQ(Abbreviate(L"abcdefghij", 10, true), L"abcdefghij");
    EXPECT_STREQ(Abbreviate(L"abcdefghij", 2, true), L"..");
    EXPECT_STREQ(Abbreviate(L"abcdefghij", -1, false), L"");
}

}  // namespace
