#include "framework/String.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

// --- sharing, copy before write, pinning -----------------------------------

TEST(StringSharing, CopiesShareOneBlockUntilOneIsWritten)
{
    String a(L"shared text");
    String b = a;
    String c;
    c = b;
    EXPECT_EQ(a.Chars(), b.Chars());
    EXPECT_EQ(a.Chars(), c.Chars());
    EXPECT_EQ(RefCount(a), 3);

    b.SetAt(0, L'S');
    EXPECT_NE(a.Chars(), b.Chars());
    EXPECT_STREQ(a, L"shared text");
    EXPECT_STREQ(b, L"Shared text");
    EXPECT_EQ(RefCount(a), 2);
    EXPECT_EQ(RefCount(b), 1);
    EXPECT_EQ(b.Capacity(), b.Length());  // the private copy is exactly as long

    c.Clear();
    EXPECT_EQ(RefCount(a), 1);
}

TEST(StringSharing, EveryEditCopiesASharedBlockFirst)
{
    const String original(L"  Hello, World  ");
    auto edited = [&](auto edit) {
        String copy = original;
        edit(copy);
        return copy;
    };
    EXPECT_STREQ(edited([](String& s) { s.Delete(0, 2); }), L"Hello, World  ");
    EXPECT_STREQ(edited([](String& s) { s.Insert(0, L'>'); }), L">  Hello, World  ");
    EXPECT_STREQ(edited([](String& s) { s.Replace(L'o', L'0'); }), L"  Hell0, W0rld  ");
    EXPECT_STREQ(edited([](String& s) { s.Replace(L"World", L"There"); }), L"  Hello, There  ");
    EXPECT_STREQ(edited([](String& s) { s.Remove(L'l'); }), L"  Heo, Word  ");
    EXPECT_STREQ(edited([](String& s) { s.MakeUpper(); }), L"  HELLO, WORLD  ");
    EXPECT_STREQ(edited([](String& s) { s.MakeLower(); }), L"  hello, world  ");
    EXPECT_STREQ(edited([](String& s) { s.MakeReverse(); }), L"  dlroW ,olleH  ");
    EXPECT_STREQ(edited([](String& s) { s.Trim(); }), L"Hello, World");
    EXPECT_STREQ(edited([](String& s) { s.Reserve(64)[0] = L'#'; }), L"# Hello, World  ");
    EXPECT_STREQ(edited([](String& s) { s += L"!"; }), L"  Hello, World  !");
    EXPECT_STREQ(original, L"  Hello, World  ");
    EXPECT_EQ(RefCount(original), 1);
}

TEST(StringSharing, EmptyStringsNeverAllocate)
{
    String a;
    String b(L"");
    String c = String(L"abc").Left(0);
    String d(L"x");
    d.Clear();
    EXPECT_EQ(a.Chars(), b.Chars());
    EXPECT_EQ(a.Chars(), c.Chars());
    EXPECT_EQ(a.Chars(), d.Chars());
    EXPECT_EQ(a.Reserve(0), b.Chars());
    EXPECT_EQ(a.Capacity(), 0);
    EXPECT_STREQ(a, L"");
}

TEST(StringSharing, CountsStayExactWhenThreadsCopyAndDropShares)
{
    const String original(L"text shared by every thread");
    constexpr int threadCount = 4;
    constexpr int rounds = 20000;
    std::vector<std::thread> threads;
    std::vector<int> mismatches(threadCount, 0);
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            std::vector<String> held;
            for (int i = 0; i < rounds; ++i) {
                String copy = original;
                held.push_back(copy);
                if (held.size() > 16)
                    held.erase(held.begin());
                String edited = copy;
                edited += L'!';
                if (copy != original || edited.Length() != original.Length() + 1)
                    ++mismatches[t];
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (int t = 0; t < threadCount; ++t)
        EXPECT_EQ(mismatches[t], 0) << "thread " << t;
    EXPECT_EQ(RefCount(original), 1);
    EXPECT_STREQ(original, L"text shared by every thread");
}

TEST(StringPinning, APinnedBufferIsNeverShared)
{
    String pinned(L"pinned");
    wchar_t* raw = pinned.Pin();
    EXPECT_TRUE(pinned.IsPinned());
    EXPECT_EQ(RefCount(pinned), -1);

    String copy = pinned;
    String assigned;
    assigned = pinned;
    EXPECT_NE(copy.Chars(), raw);
    EXPECT_NE(assigned.Chars(), raw);
    EXPECT_STREQ(copy, L"pinned");

    raw[0] = L'P';  // the owner keeps writing through its pointer
    EXPECT_STREQ(pinned, L"Pinned");
    EXPECT_STREQ(copy, L"pinned");

    pinned.Unpin();
    String shared = pinned;
    EXPECT_EQ(shared.Chars(), pinned.Chars());
}

TEST(StringPinning, APinnedDestinationKeepsItsBuffer)
{
    String pinned(L"a fairly long pinned text");
    wchar_t* raw = pinned.Pin();
    pinned = String(L"short");
    EXPECT_EQ(pinned.Chars(), raw);
    EXPECT_STREQ(raw, L"short");
    pinned.Clear();
    EXPECT_EQ(pinned.Chars(), raw);
    EXPECT_TRUE(pinned.IsPinned());
    EXPECT_EQ(pinned.Length(), 0);
    pinned.Shrink();
    EXPECT_EQ(pinned.Chars(), raw);
}

// --- construction and conversion --------------------------------------------

TEST(StringConstruction, FromNarrowTextUsesTheAnsiCodePage)
{
    EXPECT_STREQ(String("plain"), L"plain");
    EXPECT_STREQ(String("abcdef", 3), L"abc");
    String embedded("ab\0cd", 5);
    EXPECT_EQ(embedded.Length(), 2);
    EXPECT_STREQ(String(static_cast<const char*>(nullptr)), L"");
    if (GetACP() == 1252) {
        EXPECT_STREQ(String("caf\xE9"), L"caf\u00E9");
    }
}

TEST(StringConstruction, RepeatedCharacter)
{
    EXPECT_STREQ(String(L'x', 4), L"xxxx");
    EXPECT_STREQ(String(L'x'), L"x");
    EXPECT_TRUE(String(L'x', 0).IsEmpty());
}

TEST(StringConversion, ToNarrowAlwaysTerminatesWithinTheBuffer)
{
    String text(L"abcdef");
    char buffer[8];
    EXPECT_EQ(text.ToNarrow(buffer, 4), 3);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(text.ToNarrow(buffer, 7), 6);
    EXPECT_STREQ(buffer, "abcdef");
    buffer[0] = 'z';
    EXPECT_EQ(text.ToNarrow(buffer, 0), 0);
    EXPECT_EQ(buffer[0], 'z');
    EXPECT_EQ(text.ToNarrow(buffer, 1), 0);
    EXPECT_STREQ(buffer, "");
}

// --- queries and comparison ------------------------------------------------

TEST(StringComparison, OrdinalAndCaseInsensitiveWithTextOnEitherSide)
{
    String b(L"B");
    EXPECT_LT(b, L"a");  // ordinal: 'B' (0x42) sorts before 'a' (0x61)
    EXPECT_LT(b.Compare(L"a"), 0);
    EXPECT_GT(b.CompareNoCase(L"a"), 0);
    EXPECT_EQ(String(L"\u00C4BC").CompareNoCase(L"\u00E4bc"), 0);
    EXPECT_GT(b.Compare(nullptr), 0);
    EXPECT_EQ(String().Compare(nullptr), 0);

    String apple(L"apple");
    EXPECT_TRUE(apple == L"apple");
    EXPECT_TRUE(L"apple" == apple);
    EXPECT_TRUE(apple != L"apples");
    EXPECT_TRUE(L"apples" != apple);
    EXPECT_TRUE(apple < L"apples");
    EXPECT_TRUE(L"apples" > apple);
    EXPECT_TRUE(L"apple" <= apple);
    EXPECT_TRUE(apple >= L"apple");
    EXPECT_TRUE(apple == String(L"apple"));
    EXPECT_TRUE(apple < String(L"b"));
}

TEST(StringQueries, CharacterAtIndex)
{
    String text(L"abc");
    EXPECT_EQ(text[0], L'a');
    EXPECT_EQ(text.CharAt(2), L'c');
    EXPECT_EQ(text.CharAt(3), L'\0');
    EXPECT_EQ(text.CharAt(-1), L'\0');
}

// --- editing ----------------------------------------------------------------

TEST(StringEditing, DeleteClampsItsArguments)
{
    String text(L"abcdef");
    EXPECT_EQ(text.Delete(2, 100), 2);
    EXPECT_STREQ(text, L"ab");
    EXPECT_EQ(text.Delete(2, 1), 2);
    EXPECT_EQ(text.Delete(0, 0), 2);
    EXPECT_EQ(text.Delete(0, -3), 2);
    EXPECT_EQ(text.Delete(-5, 1), 1);
    EXPECT_STREQ(text, L"b");
}

TEST(StringEditing, InsertClampsTheIndex)
{
    String text(L"ab");
    EXPECT_EQ(text.Insert(10, L'x'), 3);
    EXPECT_STREQ(text, L"abx");
    EXPECT_EQ(text.Insert(-4, L"<<"), 5);
    EXPECT_STREQ(text, L"<<abx");
    EXPECT_EQ(text.Insert(2, L""), 5);
    EXPECT_EQ(text.Insert(2, nullptr), 5);
    EXPECT_EQ(text.Insert(3, L"--"), 7);
    EXPECT_STREQ(text, L"<<a--bx");
}

TEST(StringEditing, ReplaceText)
{
    String text(L"aaaa");
    EXPECT_EQ(text.Replace(L"aa", L"b"), 2);
    EXPECT_STREQ(text, L"bb");
    EXPECT_EQ(text.Replace(L"b", L"xyz"), 2);
    EXPECT_STREQ(text, L"xyzxyz");
    EXPECT_EQ(text.Replace(L"", L"q"), 0);
    EXPECT_EQ(text.Replace(nullptr, L"q"), 0);
    EXPECT_EQ(text.Replace(L"y", nullptr), 2);
    EXPECT_STREQ(text, L"xzxz");
    EXPECT_EQ(text.Replace(L"none", L"q"), 0);

    String same(L"one two one");
    String before = same;
    EXPECT_EQ(same.Replace(L"one", L"one"), 2);
    EXPECT_STREQ(same, L"one two one");
    EXPECT_EQ(same.Chars(), before.Chars());
}

TEST(StringEditing, ReplaceAndRemoveCharacters)
{
    String text(L"a.b.c");
    EXPECT_EQ(text.Replace(L'.', L'.'), 0);
    EXPECT_EQ(text.Replace(L'.', L'/'), 2);
    EXPECT_STREQ(text, L"a/b/c");
    EXPECT_EQ(text.Remove(L'/'), 2);
    EXPECT_STREQ(text, L"abc");
    EXPECT_EQ(text.Remove(L'z'), 0);
}

TEST(StringEditing, TextsThatPointIntoTheStringItself)
{
    String text(L"abcd");
    text.Append(text);
    EXPECT_STREQ(text, L"abcdabcd");
    text.Insert(1, text.Chars() + 6);
    EXPECT_STREQ(text, L"acdbcdabcd");
    text = text.Chars() + 7;
    EXPECT_STREQ(text, L"bcd");

    String pattern(L"abab");
    EXPECT_EQ(pattern.Replace(pattern.Chars() + 2, L"xyz"), 2);
    EXPECT_STREQ(pattern, L"xyzxyz");

    String roomy(L"ab");
    roomy.Reserve(20);
    roomy.Insert(0, roomy.Chars() + 1);
    EXPECT_STREQ(roomy, L"bab");
}

TEST(StringEditing, AppendWorksInPlaceOnlyWhenPrivateWithRoom)
{
    String text(L"ab");
    wchar_t* roomy = text.Reserve(10);
    text += L"cd";
    text += L'e';
    EXPECT_EQ(text.Chars(), roomy);
    EXPECT_STREQ(text, L"abcde");

    String other = text;  // shared now: the next append builds a new block
    text += L"f";
    EXPECT_NE(text.Chars(), roomy);
    EXPECT_EQ(text.Capacity(), 6);
    EXPECT_STREQ(other, L"abcde");
}

TEST(StringEditing, Concatenation)
{
    String a(L"ab");
    EXPECT_STREQ(a + String(L"cd"), L"abcd");
    EXPECT_STREQ(a + L"cd", L"abcd");
    EXPECT_STREQ(L"cd" + a, L"cdab");
    EXPECT_STREQ(a + L'!', L"ab!");
    EXPECT_STREQ(L'!' + a, L"!ab");
}

TEST(StringParts, MidLeftRightClampAndShareWholeSpans)
{
    String text(L"abcdef");
    EXPECT_STREQ(text.Mid(-2, 3), L"abc");
    EXPECT_STREQ(text.Mid(4, 100), L"ef");
    EXPECT_STREQ(text.Mid(2, -1), L"");
    EXPECT_STREQ(text.Mid(10), L"");
    EXPECT_STREQ(text.Mid(3), L"def");
    EXPECT_STREQ(text.Left(-1), L"");
    EXPECT_STREQ(text.Left(2), L"ab");
    EXPECT_STREQ(text.Right(2), L"ef");
    EXPECT_EQ(text.Mid(0, 6).Chars(), text.Chars());
    EXPECT_EQ(text.Mid(-1).Chars(), text.Chars());
    EXPECT_EQ(text.Left(99).Chars(), text.Chars());
    EXPECT_EQ(text.Right(6).Chars(), text.Chars());
    EXPECT_STREQ(text.SpanIncluding(L"cba"), L"abc");
    EXPECT_STREQ(text.SpanExcluding(L"ed"), L"abc");
    EXPECT_STREQ(text.SpanExcluding(L"a"), L"");
}

TEST(StringSearch, FindLimitsAndMisses)
{
    String text(L"abcabc");
    EXPECT_EQ(text.Find(L'c'), 2);
    EXPECT_EQ(text.Find(L'c', 3), 5);
    EXPECT_EQ(text.Find(L'a', 6), -1);
    EXPECT_EQ(text.Find(L'a', -3), 0);
    EXPECT_EQ(text.Find(L"bc", 2), 4);
    EXPECT_EQ(text.Find(L"cab"), 2);
    EXPECT_EQ(text.Find(L"abcd"), -1);
    EXPECT_EQ(text.Find(L"", 6), 6);
    EXPECT_EQ(text.Find(L"", 7), -1);
    EXPECT_EQ(text.ReverseFind(L'a'), 3);
    EXPECT_EQ(text.ReverseFind(L'z'), -1);
    EXPECT_EQ(text.FindOneOf(L"xc"), 2);
    EXPECT_EQ(text.FindOneOf(L"xyz"), -1);
}

TEST(StringEditing, CaseAndTrimming)
{
    String text(L"\u00E4bc");
    text.MakeUpper();
    EXPECT_STREQ(text, L"\u00C4BC");

    String padded(L" \t\r\n text \t\n");
    padded.TrimLeft();
    EXPECT_STREQ(padded, L"text \t\n");
    padded.TrimRight();
    EXPECT_STREQ(padded, L"text");

    String marks(L"xxhixx");
    marks.TrimLeft(L'x');
    EXPECT_STREQ(marks, L"hixx");
    marks.TrimRight(L"xi");
    EXPECT_STREQ(marks, L"h");
    String blank(L"   ");
    blank.Trim();
    EXPECT_TRUE(blank.IsEmpty());
}

TEST(StringEditing, SetAtIgnoresIndexesOutsideTheText)
{
    String text(L"abc");
    text.SetAt(1, L'B');
    text.SetAt(3, L'X');
    text.SetAt(-1, L'X');
    EXPECT_STREQ(text, L"aBc");
    EXPECT_EQ(text.Length(), 3);
}

// --- raw buffer access -------------------------------------------------------

TEST(StringBuffer, ReserveKeepsContentsAndCommitSetsTheLength)
{
    String text(L"abc");
    String other = text;
    wchar_t* buffer = text.Reserve(100);
    EXPECT_GE(text.Capacity(), 100);
    EXPECT_STREQ(buffer, L"abc");
    wcscpy(buffer + 3, L"defgh");
    text.Commit();
    EXPECT_STREQ(text, L"abcdefgh");
    EXPECT_EQ(text.Length(), 8);
    text.Commit(2);
    EXPECT_STREQ(text, L"ab");
    EXPECT_STREQ(other, L"abc");

    text.Shrink();
    EXPECT_EQ(text.Capacity(), 2);
    EXPECT_STREQ(text, L"ab");

    wchar_t* exact = text.ReserveSetLength(5);
    EXPECT_EQ(text.Length(), 5);
    wmemcpy(exact, L"12345", 5);
    EXPECT_STREQ(text, L"12345");
}

TEST(StringBuffer, CommitWithoutTerminatorStopsAtTheCapacity)
{
    String text;
    wchar_t* buffer = text.Reserve(4);
    int capacity = text.Capacity();
    wmemset(buffer, L'z', capacity);  // no NUL written
    text.Commit(-1);
    EXPECT_EQ(text.Length(), capacity);
    text.Commit(capacity + 50);
    EXPECT_EQ(text.Length(), capacity);
}

}  // namespace
