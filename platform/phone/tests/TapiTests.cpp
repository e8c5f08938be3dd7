// Call requests: kept as the device's last dialled call, shown by the shell.
#include "platform/phone/LastCall.h"
#include "platform/phone/Tapi.h"

#include "platform/stores/CeStoreVolume.h"
#include "platform/stores/MailStoreSchema.h"
#include "platform/stores/StorePlan.h"
#include "platform/stores/StoreRecords.h"
#include "platform/stores/StoreScan.h"

#include "platform/ShellNotifyProtocol.h"
#include "platform/shell/CallNotice.h"
#include "platform/shell/NotifyRelay.h"

#include "framework/testsupport/MessagePump.h"
#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace vellumate;
using namespace vellumate::phone;

namespace {

std::vector<std::wstring> FilesBeside(const TempDevice& device)
{
    std::vector<std::wstring> names;
    for (const auto& item : std::filesystem::directory_iterator(std::filesystem::path(device.ProfilePath()).parent_path()))
        names.push_back(item.path().filename().wstring());
    return names;
}

ULONGLONG Seconds(const SYSTEMTIME& time)
{
    FILETIME file{};
    ::SystemTimeToFileTime(&time, &file);
    return ((ULONGLONG{file.dwHighDateTime} << 32) | file.dwLowDateTime) / 10000000;
}

}  // namespace

TEST(TapiTest, ACallIsKeptAndShownAfterTheShellAnswered)
{
    TempDevice device;
    NotifyRelay relay;
    ASSERT_TRUE(relay.Create(::GetModuleHandleW(nullptr)));

    SYSTEMTIME before;
    ::GetSystemTime(&before);
    ASSERT_EQ(tapiRequestMakeCall(L"+441632960001", nullptr, L"Ånna /m", nullptr), 0);
    // The shell answered before it showed anything: the sender never waits for the notice.
    EXPECT_EQ(relay.ShownCallNotice(), nullptr);

    const std::optional<LastCall> kept = ReadLastCall();
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->number, L"+441632960001");
    EXPECT_EQ(kept->calledParty, L"Ånna /m");
    EXPECT_LE(Seconds(kept->time) - Seconds(before) + 1, 6u);
    EXPECT_EQ(FilesBeside(device), (std::vector<std::wstring>{L"lastcall.txt", L"profile.ini", L"root"}));

    ASSERT_TRUE(PumpUntil([&] { return relay.ShownCallNotice() != nullptr; }));
    const CallNotice& notice = *relay.ShownCallNotice();
    EXPECT_EQ(notice.Text(), L"Calling\n+441632960001\nÅnna /m");
    RECT rect{};
    ::GetWindowRect(notice.Window(), &rect);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.bottom, 220);
    ::SendMessageW(notice.Window(), WM_KEYDOWN, VK_F4, 0);  // End
    EXPECT_EQ(relay.ShownCallNotice(), nullptr);

    // A second call replaces the first as the last dialled one.
    ASSERT_EQ(tapiRequestMakeCall(L"112", nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(ReadLastCall()->number, L"112");
    EXPECT_EQ(ReadLastCall()->calledParty, L"");
    ASSERT_TRUE(PumpUntil([&] { return relay.ShownCallNotice() != nullptr; }));
    EXPECT_EQ(relay.ShownCallNotice()->Text(), L"Calling\n112");
}

TEST(TapiTest, WithoutAShellTheNumberIsStillKept)
{
    TempDevice device;
    ASSERT_EQ(FindShellNotifyWindow(), nullptr);
    EXPECT_EQ(tapiRequestMakeCall(L"0555 123-45 (6)", nullptr, nullptr, nullptr), TAPIERR_NOREQUESTRECIPIENT);
    ASSERT_TRUE(ReadLastCall());
    EXPECT_EQ(ReadLastCall()->number, L"0555 123-45 (6)");

    // Nothing that cannot be dialled is kept.
    for (const wchar_t* number : {static_cast<const wchar_t*>(nullptr), L"", L"+", L"12a", L"1+2", L"1\n2"})
        EXPECT_EQ(tapiRequestMakeCall(number, nullptr, nullptr, nullptr), TAPIERR_INVALDESTADDRESS);
    EXPECT_EQ(tapiRequestMakeCall(std::wstring(81, L'1').c_str(), nullptr, nullptr, nullptr),
              TAPIERR_INVALDESTADDRESS);
    EXPECT_EQ(ReadLastCall()->number, L"0555 123-45 (6)");
}

TEST(TapiTest, ADialledCallJoinsThePhonesCallLog)
{
    using namespace vellumate::stores;
    TempDevice device;
    // No phone store yet: the call makes it.
    ASSERT_EQ(tapiRequestMakeCall(L"+441632960001", nullptr, L"Anna", nullptr), TAPIERR_NOREQUESTRECIPIENT);
    {
        CeStoreVolume phone(PhoneVolumePath, OPEN_EXISTING);
        ASSERT_TRUE(phone.Mounted()) << phone.LastError();
        const auto calls = phone.ReadDatabase(CallLogDb);
        ASSERT_TRUE(calls);
        ASSERT_EQ(calls->size(), 1u);
        const Record& call = calls->front().props;
        EXPECT_EQ(*TextProp(call, PropCallNumber), L"+441632960001");
        EXPECT_EQ(*TextProp(call, PropCallName), L"Anna");
        EXPECT_EQ(NumberProp(call, PropCallDirection), CallOutgoing);
        EXPECT_EQ(NumberProp(call, PropCallDuration), 0u);
        EXPECT_NE(FindProp(call, PropCallTime), nullptr);
    }

    // A store with a call log already: the call joins it, after the others,
    // and the cleaner counts it with them.
    StoreRequest request;
    request.calls = 5;
    const StorePlan plan = MakeStorePlan(request);
    {
        CeStoreVolume phone(PhoneVolumePath, OPEN_EXISTING);
        ASSERT_TRUE(WriteDatabases(phone, PhoneDatabases(plan)));
    }
    ASSERT_EQ(tapiRequestMakeCall(L"112", nullptr, nullptr, nullptr), TAPIERR_NOREQUESTRECIPIENT);
    // Nothing that cannot be dialled is logged.
    EXPECT_EQ(tapiRequestMakeCall(L"12a", nullptr, nullptr, nullptr), TAPIERR_INVALDESTADDRESS);
    CeStoreVolume phone(PhoneVolumePath, OPEN_EXISTING);
    const auto calls = phone.ReadDatabase(CallLogDb);
    ASSERT_TRUE(calls);
    ASSERT_EQ(calls->size(), 6u);
    EXPECT_EQ(*TextProp(calls->back().props, PropCallNumber), L"112");
    EXPECT_EQ(TextProp(calls->back().props, PropCallName), nullptr);
    const PhoneReport report = ScanPhone(phone);
    EXPECT_EQ(report.calls.count, 6u);
    EXPECT_EQ(report.calls.bytes, RecordBytes(calls->back().props) + [&] {
        std::uint64_t bytes = 0;
        for (const PlannedCall& call : plan.calls)
            bytes += RecordBytes(CallRecord(call));
        return bytes;
    }());
}

TEST(TapiTest, TheNoticeGoesWithEndBackASoftKeyOrByItself)
{
    for (const WPARAM key : {WPARAM{VK_F4}, WPARAM{VK_ESCAPE}, WPARAM{VK_F1}, WPARAM{VK_F2}}) {
        CallNotice notice;
        ASSERT_TRUE(notice.Create(::GetModuleHandleW(nullptr), L"555", L""));
        ::SendMessageW(notice.Window(), WM_KEYDOWN, '5', 0);
        ::SendMessageW(notice.Window(), WM_KEYDOWN, VK_RETURN, 0);
        ASSERT_NE(notice.Window(), nullptr);
        ::SendMessageW(notice.Window(), WM_KEYDOWN, key, 0);
        EXPECT_EQ(notice.Window(), nullptr) << key;
    }
    CallNotice notice;
    ASSERT_TRUE(notice.Create(::GetModuleHandleW(nullptr), L"555", L"", 150));
    EXPECT_TRUE(PumpUntil([&] { return notice.Window() == nullptr; }, 3000));
}

TEST(LastCallTest, TheFileReadsBackAndRefusesWhatIsNoCall)
{
    LastCall call{L"+1 (555) 0100", L"Line\nbreak", SYSTEMTIME{2024, 2, 0, 29, 23, 59, 58, 0}};
    const std::string text = FormatLastCall(call);
    EXPECT_EQ(text, "number=+1 (555) 0100\ncalled_party=Line break\ntime=2024-02-29T23:59:58Z\n");
    const std::optional<LastCall> read = ParseLastCall(text);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->number, call.number);
    EXPECT_EQ(read->calledParty, L"Line break");
    EXPECT_EQ(read->time.wDay, 29);
    EXPECT_FALSE(ParseLastCall("number=12a\ntime=2024-02-29T23:59:58Z\n"));
    EXPECT_FALSE(ParseLastCall("number=12\ntime=2024-13-29T23:59:58Z\n"));
    EXPECT_FALSE(ParseLastCall("number=12\n"));
    EXPECT_FALSE(ParseLastCall("\xFF\xFE"));
}
