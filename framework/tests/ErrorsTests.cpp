#include "framework/Errors.h"

#include "TestSupport.h"
#include "test_messages.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// An error record that tells when it is destroyed.
class TracedError : public ErrorInfo {
public:
    TracedError(UINT message, std::vector<UINT>& destroyed) : ErrorInfo(message), m_destroyed(destroyed) {}
    ~TracedError() override { m_destroyed.push_back(MessageNumber()); }

private:
    std::vector<UINT>& m_destroyed;
};

// The test string table's long texts: this 50-character piece repeated.
std::wstring RepeatedFifty(int count)
{
    std::wstring text;
    for (int i = 0; i < count; ++i)
        text += L"0123456789012345678901234567890123456789012345678|";
    return text;
}

std::wstring TextOf(ErrorInfo& error, int size = ErrorInfo::TextCapacity)
{
    std::vector<wchar_t> buffer(size, L'#');
    EXPECT_TRUE(error.GetErrorText(buffer.data(), size));
    return buffer.data();
}

TEST(ErrorText, ComposedWhenFirstAskedFor)
{
    ErrorInfo plain(IDS_TEST_PLAIN);
    EXPECT_STREQ(plain.Text(), L"");
    EXPECT_EQ(TextOf(plain), L"The folder cannot be read.");
    ErrorInfo withCodes(IDS_TEST_PLAIN, 10014, 100, 20, 0);
    EXPECT_EQ(TextOf(withCodes), L"The folder cannot be read.\n10014:100:20:0");
    ErrorInfo onlyLast(IDS_TEST_PLAIN, 0, 0, 0, 4294967295u);
    EXPECT_EQ(TextOf(onlyLast), L"The folder cannot be read.\n0:0:0:4294967295");
}

TEST(ErrorText, AMissingMessageBecomesTheGenericOne)
{
    ErrorInfo error(IDS_TEST_MISSING);
    EXPECT_EQ(TextOf(error), L"Something went wrong.");
    ErrorInfo withCodes(IDS_TEST_MISSING, 1, 2, 3, 4);
    EXPECT_EQ(TextOf(withCodes), L"Something went wrong.\n1:2:3:4");
}

TEST(ErrorText, IsCutToTheBuffer)
{
    ErrorInfo error(IDS_TEST_PLAIN, 1, 2, 3, 4);
    EXPECT_EQ(TextOf(error, 11), L"The folder");
    EXPECT_EQ(TextOf(error, 1), L"");
    EXPECT_FALSE(error.GetErrorText(nullptr, 10));
    wchar_t none[1] = {L'#'};
    EXPECT_FALSE(error.GetErrorText(none, 0));
    EXPECT_EQ(none[0], L'#');
}

TEST(ErrorText, ComposedAtOnceWithArguments)
{
    ErrorInfo error(IDS_TEST_FORMAT, 10014, 100, 20, 0, true, L"Storage Card", 12);
    EXPECT_STREQ(error.Text(), L"Storage Card holds 12 files.\n10014:100:20:0");
    EXPECT_TRUE(error.AutoDelete());

    ErrorInfo later(IDS_TEST_FORMAT, 0, 0, 0, 0, false, L"ignored", 1);
    EXPECT_STREQ(later.Text(), L"");
}

TEST(ErrorText, ComposedAtOnceWithoutArgumentsKeepsPercentSigns)
{
    ErrorInfo error(IDS_TEST_PERCENT, 0, 0, 0, 0, true);
    EXPECT_STREQ(error.Text(), L"Only 5% space left \u2013 100% sure");
}

TEST(ErrorText, ComposedAtOnceNeverEmpty)
{
    ErrorInfo missing(IDS_TEST_MISSING, 7, 0, 0, 0, true);
    EXPECT_STREQ(missing.Text(), L"Something went wrong.\n7:0:0:0");
    ErrorInfo emptyResult(IDS_TEST_EMPTY_FORMAT, 0, 0, 0, 0, true, L"");
    EXPECT_STREQ(emptyResult.Text(), L"Something went wrong.");
}

TEST(ErrorText, LongMessagesAreCut)
{
    // The message at 511 characters, the whole text at 519.
    ErrorInfo error(IDS_TEST_600, 4294967295u, 4294967295u, 4294967295u, 4294967295u, true);
    std::wstring text = error.Text();
    ASSERT_EQ(text.size(), 519u);
    EXPECT_EQ(text.substr(0, 511), RepeatedFifty(12).substr(0, 511));
    EXPECT_EQ(text.substr(511), L"\n4294967");

    ErrorInfo later(IDS_TEST_600);
    std::wstring composed = TextOf(later, 1000);
    EXPECT_EQ(composed.size(), 511u);
}

TEST(ErrorFrames, TryWithoutErrorRunsToTheEnd)
{
    ErrorFrame frame;
    bool ran = false;
    EXPECT_TRUE(frame.Try([&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_EQ(frame.Error(), nullptr);
}

TEST(ErrorFrames, TheInnermostFrameReceivesTheError)
{
    std::vector<UINT> destroyed;
    ErrorFrame outer;
    bool innerCaught = false;
    bool afterThrow = false;
    bool outerDone = outer.Try([&] {
        ErrorFrame inner;
        auto* error = new TracedError(101, destroyed);
        innerCaught = !inner.Try([&] {
            ThrowError(error);
            afterThrow = true;
        });
        EXPECT_EQ(inner.Error(), error);
        EXPECT_TRUE(destroyed.empty());
    });
    EXPECT_TRUE(outerDone);
    EXPECT_TRUE(innerCaught);
    EXPECT_FALSE(afterThrow);
    EXPECT_EQ(outer.Error(), nullptr);
    // The inner frame disposed of its record when it went.
    EXPECT_EQ(destroyed, std::vector<UINT>{101});
}

TEST(ErrorFrames, AnErrorWhileHandlingAnotherGoesOutward)
{
    std::vector<UINT> destroyed;
    ErrorFrame outer;
    ErrorInfo* second = nullptr;
    bool outerDone = outer.Try([&] {
        ErrorFrame inner;
        if (!inner.Try([&] { ThrowError(new TracedError(1, destroyed)); })) {
            second = new TracedError(2, destroyed);
            ThrowError(second);
        }
    });
    EXPECT_FALSE(outerDone);
    EXPECT_EQ(outer.Error(), second);
    // The first record went when its frame was given up; the second is held.
    EXPECT_EQ(destroyed, std::vector<UINT>{1});
}

TEST(ErrorFrames, ThrowingNullDeliversTheHandledErrorAgain)
{
    std::vector<UINT> destroyed;
    ErrorInfo* first = new TracedError(7, destroyed);
    {
        ErrorFrame outer;
        bool outerDone = outer.Try([&] {
            ErrorFrame inner;
            if (!inner.Try([&] { ThrowError(first); }))
                ThrowError();
        });
        EXPECT_FALSE(outerDone);
        EXPECT_EQ(outer.Error(), first);
        EXPECT_TRUE(destroyed.empty());
    }
    EXPECT_EQ(destroyed, std::vector<UINT>{7});
}

TEST(ErrorFrames, ThreeLevelsVisitedInnermostFirst)
{
    std::vector<UINT> destroyed;
    std::vector<int> handledBy;
    ErrorFrame level1;
    level1.Try([&] {
        ErrorFrame level2;
        if (!level2.Try([&] {
                ErrorFrame level3;
                if (!level3.Try([&] { ThrowError(new TracedError(3, destroyed)); })) {
                    handledBy.push_back(3);
                    ThrowError(new TracedError(2, destroyed));
                }
            })) {
            handledBy.push_back(2);
            EXPECT_EQ(level2.Error()->MessageNumber(), 2u);
            EXPECT_EQ(destroyed, std::vector<UINT>{3});
        }
    });
    EXPECT_EQ(handledBy, (std::vector<int>{3, 2}));
    EXPECT_EQ(level1.Error(), nullptr);
    EXPECT_EQ(destroyed, (std::vector<UINT>{3, 2}));
}

TEST(ErrorFrames, RecordsWithoutAutoDeleteStayWithTheirCreator)
{
    std::vector<UINT> destroyed;
    TracedError kept(5, destroyed);
    kept.SetAutoDelete(false);
    {
        ErrorFrame frame;
        EXPECT_FALSE(frame.Try([&] { ThrowError(&kept); }));
        EXPECT_EQ(frame.Error(), &kept);
    }
    EXPECT_TRUE(destroyed.empty());
}

TEST(ErrorFrames, AFrameOutsideItsTryIsPassedOver)
{
    std::vector<UINT> destroyed;
    ErrorFrame outer;
    bool outerDone = outer.Try([&] {
        ErrorFrame notRunning;
        ThrowError(new TracedError(9, destroyed));
    });
    EXPECT_FALSE(outerDone);
    ASSERT_NE(outer.Error(), nullptr);
    EXPECT_EQ(outer.Error()->MessageNumber(), 9u);

    // The chain is intact: a new frame still receives errors.
    ErrorFrame next;
    EXPECT_FALSE(next.Try([&] { ThrowError(new TracedError(10, destroyed)); }));
    EXPECT_EQ(next.Error()->MessageNumber(), 10u);
}

TEST(ErrorFrames, AFrameRunAgainDropsItsPreviousError)
{
    std::vector<UINT> destroyed;
    ErrorFrame frame;
    EXPECT_FALSE(frame.Try([&] { ThrowError(new TracedError(1, destroyed)); }));
    EXPECT_TRUE(frame.Try([] {}));
    EXPECT_EQ(frame.Error(), nullptr);
    EXPECT_EQ(destroyed, std::vector<UINT>{1});
}

TEST(ErrorFrames, OtherExceptionsPassThrough)
{
    std::vector<UINT> destroyed;
    ErrorFrame outer;
    EXPECT_THROW(outer.Try([] {
        ErrorFrame inner;
        inner.Try([] { throw std::runtime_error("not an error record"); });
    }),
                 std::runtime_error);
    // Both frames left the chain on the way: a new one is the innermost.
    EXPECT_TRUE(outer.Try([&] {
        ErrorFrame frame;
        EXPECT_FALSE(frame.Try([&] { ThrowError(new TracedError(4, destroyed)); }));
    }));
    EXPECT_EQ(destroyed, std::vector<UINT>{4});
}

}  // namespace
