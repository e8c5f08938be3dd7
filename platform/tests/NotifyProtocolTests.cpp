#include "platform/ShellNotifyProtocol.h"
#include "platform/shell/NotifyRelay.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace vellumate;

namespace {

std::optional<NotifyPacket> Decode(ULONG_PTR kind, std::vector<std::byte> data)
{
    COPYDATASTRUCT copy{kind, static_cast<DWORD>(data.size()), data.empty() ? nullptr : data.data()};
    return DecodeNotifyPacket(&copy);
}

}  // namespace

TEST(NotifyProtocolTest, PacketsSurviveTheirWay)
{
    NotifyPacket sent;
    sent.kind = NotifyKind::Register;
    sent.window = reinterpret_cast<HWND>(0x1234ABCDull);
    sent.client = reinterpret_cast<HWND>(0x20030ull);
    sent.value = 0x180;
    sent.recursive = true;
    sent.text = L"\\My Documents\\\u00C9t\u00E9";

    const std::optional<NotifyPacket> received = Decode(static_cast<ULONG_PTR>(sent.kind), EncodeNotifyPacket(sent));
    ASSERT_TRUE(received);
    EXPECT_EQ(received->kind, NotifyKind::Register);
    EXPECT_EQ(received->window, sent.window);
    EXPECT_EQ(received->client, sent.client);
    EXPECT_EQ(received->value, 0x180u);
    EXPECT_TRUE(received->recursive);
    EXPECT_EQ(received->text, sent.text);

    sent.text.clear();
    sent.recursive = false;
    const std::optional<NotifyPacket> empty = Decode(static_cast<ULONG_PTR>(sent.kind), EncodeNotifyPacket(sent));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->text, L"");
    EXPECT_FALSE(empty->recursive);
}

TEST(NotifyProtocolTest, MalformedMessagesAreRefused)
{
    NotifyPacket packet;
    packet.kind = NotifyKind::Event;
    packet.text = L"\\Storage Card";
    const std::vector<std::byte> good = EncodeNotifyPacket(packet);
    const auto kind = static_cast<ULONG_PTR>(NotifyKind::Event);
    ASSERT_TRUE(Decode(kind, good));

    EXPECT_FALSE(DecodeNotifyPacket(nullptr));
    EXPECT_FALSE(Decode(0x12345, good)) << "unknown kind";
    EXPECT_FALSE(Decode(kind, {})) << "no data";
    EXPECT_FALSE(Decode(kind, std::vector<std::byte>(good.begin(), good.begin() + 23))) << "short header";
    EXPECT_FALSE(Decode(kind, std::vector<std::byte>(good.begin(), good.end() - 1))) << "half a character";

    std::vector<std::byte> withNul = good;
    std::memset(withNul.data() + 24, 0, 2);
    EXPECT_FALSE(Decode(kind, withNul)) << "a terminator inside the text";

    std::vector<std::byte> huge(24 + (MaxNotifyText + 1) * sizeof(wchar_t), std::byte{'a'});
    EXPECT_FALSE(Decode(kind, huge)) << "longer than any path";

    COPYDATASTRUCT noPointer{kind, 40, nullptr};
    EXPECT_FALSE(DecodeNotifyPacket(&noPointer));
}

TEST(NotifyRelayTest, WatchedFoldersCoverThemselvesTheirEntriesAndWithRecursionAllBelow)
{
    struct Case {
        const wchar_t* watch;
        bool recursive;
        const wchar_t* path;
        bool covered;
    };
    const Case cases[] = {
        {L"", false, L"\\Storage Card", true},
        {L"\\", false, L"\\Storage Card", true},
        {L"\\", false, L"\\Storage Card\\DCIM", false},
        {L"\\", true, L"\\Storage Card\\DCIM", true},
        {L"\\Storage Card", false, L"\\storage card", true},
        {L"\\Storage Card\\", false, L"\\Storage Card\\x.jpg", true},
        {L"\\Storage Card", false, L"\\Storage Cards", false},
        {L"\\Storage Card", true, L"\\Storage", false},
        {L"\\My Documents", true, L"\\Storage Card", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WatchCovers(c.watch, c.recursive, c.path), c.covered)
            << testing::PrintToString(c.watch) << (c.recursive ? " recursive " : " ") << testing::PrintToString(c.path);
}
