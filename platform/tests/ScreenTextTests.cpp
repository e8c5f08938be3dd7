#include "platform/ScreenText.h"

#include "platform/Handles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

using namespace vellumate;

namespace {

// Window handles are only keys here; these values belong to no real window.
HWND FakeWindow(std::uintptr_t value)
{
    return reinterpret_cast<HWND>(value);
}

class ScreenTextTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (HWND window : published_)
            WithdrawScreenText(window);
    }

    HWND Publish(std::uintptr_t value, std::wstring_view text)
    {
        HWND window = FakeWindow(value);
        EXPECT_TRUE(PublishScreenText(window, text));
        published_.push_back(window);
        return window;
    }

    std::vector<HWND> published_;
};

TEST_F(ScreenTextTest, ReadsWhatWasLastPublishedUntilWithdrawn)
{
    HWND window = Publish(0x10A2, L"> Tarnwell\n  Pellory\n  Corvane");
    EXPECT_EQ(ReadScreenText(window), L"> Tarnwell\n  Pellory\n  Corvane");

    PublishScreenText(window, L"  Tarnwell");  // shorter: nothing of the old text may remain
    EXPECT_EQ(ReadScreenText(window), L"  Tarnwell");

    PublishScreenText(window, L"");
    EXPECT_EQ(ReadScreenText(window), L"");

    WithdrawScreenText(window);
    EXPECT_EQ(ReadScreenText(window), std::nullopt);
}

TEST_F(ScreenTextTest, KeepsTheTextsOfSeveralWindowsApart)
{
    HWND first = Publish(0x20B4, L"first");
    HWND second = Publish(0x20B8, L"second \u00E9\u4E2D");
    EXPECT_EQ(ReadScreenText(first), L"first");
    EXPECT_EQ(ReadScreenText(second), L"second \u00E9\u4E2D");
    EXPECT_EQ(ReadScreenText(FakeWindow(0x20BC)), std::nullopt);
    EXPECT_FALSE(PublishScreenText(nullptr, L"nobody"));
}

TEST_F(ScreenTextTest, CutsOverlongTextAtALineBreak)
{
    std::wstring text;
    const std::wstring line(99, L'x');
    while (text.size() <= ScreenTextCapacity)
        text += line + L'\n';
    HWND window = Publish(0x30C0, text);

    const std::optional<std::wstring> read = ReadScreenText(window);
    ASSERT_TRUE(read);
    EXPECT_LE(read->size(), ScreenTextCapacity);
    EXPECT_EQ(read->size() % 100, 99u) << "the cut must fall just before a line break";
    EXPECT_EQ(text.compare(0, read->size(), *read), 0);
}

// Readers in other processes know only the name and the layout.
TEST_F(ScreenTextTest, IsFoundUnderTheDocumentedNameWithTheDocumentedLayout)
{
    Publish(0x0000ABCD12, L"row one\nrow two");

    wchar_t name[64];
    std::swprintf(name, 64, L"Local\\VellumateScreenText.%016I64X", 0x0000ABCD12ULL);
    KernelHandle mapping(::OpenFileMappingW(FILE_MAP_READ, FALSE, name));
    ASSERT_TRUE(mapping) << "no mapping named " << testing::PrintToString(std::wstring(name));
    MappedView view(::MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
    ASSERT_TRUE(view);

    const auto* header = static_cast<const ScreenTextHeader*>(view.Get());
    EXPECT_EQ(header->magic, 0x54534D56u);
    EXPECT_EQ(header->sequence % 2, 0) << "an even sequence means no write is under way";
    EXPECT_EQ(header->capacity, ScreenTextCapacity);
    ASSERT_EQ(header->length, 15u);
    EXPECT_EQ(std::wstring_view(reinterpret_cast<const wchar_t*>(header + 1), header->length), L"row one\nrow two");
}

TEST_F(ScreenTextTest, ReaderNeverSeesAHalfWrittenText)
{
    HWND window = Publish(0x40D0, L"");
    const std::wstring shortText(40, L'a');
    const std::wstring longText(4000, L'b');

    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int i = 0; !stop; ++i) {
            PublishScreenText(window, i % 2 ? shortText : longText);
            std::this_thread::yield();  // a window repaints far less often; let readers in
        }
    });
    int mixed = 0;
    for (int i = 0; i < 500; ++i) {
        const std::optional<std::wstring> read = ReadScreenText(window);
        if (read && !read->empty() && *read != shortText && *read != longText)
            ++mixed;
    }
    stop = true;
    writer.join();
    EXPECT_EQ(mixed, 0);
}

}  // namespace
