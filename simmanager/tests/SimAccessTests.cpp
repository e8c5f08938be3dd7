// SIM access over a real card file of a test device: start-up, loading, and
// every write and delete the commands make, with cards that refuse changes
// at chosen positions.
#include "simmanager/NumberRules.h"
#include "simmanager/PrefixChanges.h"
#include "simmanager/SimAccess.h"
#include "simmanager/SimNotify.h"
#include "simmanager/resource.h"
#include "simmanager/tests/RecordedMessages.h"
#include "simmanager/tests/ViewFixtures.h"

#include "framework/testsupport/StringPrinting.h"
#include "framework/testsupport/TempDevice.h"

#include "platform/phone/LastCall.h"
#include "platform/sim/SimCardFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using vellumate::TempDevice;
using vellumate::sim::SimCard;
using vellumate::sim::SimEntry;
using Message = RecordedMessages::Message;

constexpr std::uint32_t General = SIM_PBSTORAGE_SIM;

// Ten general positions, names of 8 and numbers of 12 characters.
SimCard TenPositions()
{
    SimCard card;
    card.minIndex = 1;
    card.maxIndex = 10;
    card.maxNameLength = 8;
    card.maxNumberLength = 12;
    card.Phonebook(SIM_PBSTORAGE_EMERGENCY)->size = 2;
    card.Phonebook(SIM_PBSTORAGE_EMERGENCY)->entries[1] = {L"112", 2, L"SOS"};
    return card;
}

void Put(SimCard& card, std::uint32_t position, const wchar_t* name, const wchar_t* number)
{
    card.Phonebook(General)->entries[position] = {number, number[0] == L'+' ? 1u : 2u, name};
}

class SimAccessTest : public ::testing::Test {
protected:
    void WriteCard(const SimCard& card) { m_device.WriteSim(vellumate::sim::FormatSimCard(card)); }
    std::string CardBytes() const
    {
        std::ifstream file(std::filesystem::path(m_device.SimPath()), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    SimCard ReadCard() const
    {
        auto reading = vellumate::sim::ParseSimCard(CardBytes());
        EXPECT_TRUE(reading.card.has_value());
        return reading.card.value_or(SimCard{});
    }
    std::map<std::uint32_t, SimEntry> GeneralEntries() const { return ReadCard().Phonebook(General)->entries; }

    // Opens and loads; false when the card was not opened.
    bool Start()
    {
        if (!m_sim.Open(m_messages))
            return false;
        m_sim.LoadAll(m_options);
        return true;
    }
    PhonebookStore& Store() { return *m_sim.CurrentStore(); }
    EntryView& Current() { return *m_sim.CurrentView(); }

    TempDevice m_device;
    SimAccess m_sim;
    RecordedMessages m_messages;
    ViewOptions m_options = Options(4);
};

TEST_F(SimAccessTest, StartUpBuildsFiveStoresAndLoadsEverySlot)
{
    SimCard card = TenPositions();
    Put(card, 2, L"Zoe", L"+4416329");
    Put(card, 5, L"Anna", L"0123");
    WriteCard(card);

    ASSERT_TRUE(Start());
    EXPECT_TRUE(m_messages.messages.empty());
    EXPECT_TRUE(SimCaps::Instance().Ready());
    EXPECT_TRUE(SimCaps::Instance().PhonebooksLoaded());
    EXPECT_EQ(SimCaps::Instance().Capacity(), 10u);
    EXPECT_EQ(m_sim.CurrentStoreIndex(), GenericStore);

    const DWORD codes[] = {1, 2, 4, 8, 16};
    for (int index = 0; index < SimAccess::StoreCount; ++index) {
        ASSERT_NE(m_sim.Store(index), nullptr);
        EXPECT_EQ(m_sim.Store(index)->StorageCode(), codes[index]);
    }
    EXPECT_EQ(m_sim.Store(EmergencyStore)->SlotCount(), 2);
    EXPECT_EQ(m_sim.Store(EmergencyStore)->Slot(0).Number(), L"112");

    ASSERT_EQ(Store().SlotCount(), 10);
    EXPECT_EQ(Store().Slot(1).SimIndex(), 2u);
    EXPECT_EQ(Store().Slot(1).Number(), L"+4416329");
    EXPECT_EQ(Store().NameLimit(), 8);
    EXPECT_EQ(Store().FilledCount(), 2);
    EXPECT_EQ(RowNames(Current()), L"Anna|Zoe");
    EXPECT_EQ(Current().FocusedRow(), 0);
}

TEST_F(SimAccessTest, ACardThatCannotBeUsedIsReportedAndLeftAsItWas)
{
    // No card file at all.
    EXPECT_FALSE(m_sim.Open(m_messages));
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_NO_SIM}));
    EXPECT_FALSE(m_sim.IsOpen());
    EXPECT_EQ(m_sim.CurrentStore(), nullptr);

    SimCard card = TenPositions();
    card.present = false;
    WriteCard(card);
    m_messages.messages.clear();
    EXPECT_FALSE(m_sim.Open(m_messages));
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_NO_SIM}));

    card.present = true;
    card.radioOn = false;
    WriteCard(card);
    m_messages.messages.clear();
    EXPECT_FALSE(m_sim.Open(m_messages));
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_RADIO_OFF}));
    EXPECT_FALSE(SimCaps::Instance().Ready());

    // A damaged file: one character of an entry changed after sealing.
    card.radioOn = true;
    Put(card, 3, L"Anna", L"0123");
    WriteCard(card);
    std::string damaged = CardBytes();
    size_t at = damaged.find("Anna");
    ASSERT_NE(at, std::string::npos);
    damaged[at] = 'B';
    m_device.WriteSim(damaged);
    m_messages.messages.clear();
    EXPECT_FALSE(m_sim.Open(m_messages));
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_NO_SIM}));
    EXPECT_EQ(CardBytes(), damaged);
}

TEST_F(SimAccessTest, ACardOfOnePositionShowsNoCapacity)
{
    SimCard card = TenPositions();
    card.minIndex = 5;
    card.maxIndex = 5;
    card.Phonebook(SIM_PBSTORAGE_EMERGENCY)->entries.clear();  // its position 1 is gone
    WriteCard(card);
    ASSERT_TRUE(Start());
    EXPECT_EQ(SimCaps::Instance().Capacity(), 0u);
    EXPECT_EQ(Store().SlotCount(), 1);
    EXPECT_EQ(Store().Slot(0).SimIndex(), 5u);
}

TEST_F(SimAccessTest, NewEntriesKeepTheirPlusRecordItAndAreCutToTheCard)
{
    WriteCard(TenPositions());
    ASSERT_TRUE(Start());
    ASSERT_TRUE(m_sim.AddEntry(L"Zoe", L"+4930123", m_options, m_messages));
    ASSERT_TRUE(m_sim.AddEntry(L"Bartholomew", L"0301234567890", m_options, m_messages));
    EXPECT_TRUE(m_messages.messages.empty());

    auto entries = GeneralEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].number, L"+4930123");
    EXPECT_EQ(entries[1].addressType, 1u);
    EXPECT_EQ(entries[2].name, L"Bartholo");
    EXPECT_EQ(entries[2].number, L"030123456789");
    EXPECT_EQ(entries[2].addressType, 2u);

    // The newest entry is focused, sorted into place.
    EXPECT_EQ(RowNames(Current()), L"Bartholo|Zoe");
    EXPECT_EQ(Current().FocusedSlot(), &Store().Slot(1));
    EXPECT_EQ(Current().MarkedCount(), 1);

    // Names of the full length in other scripts; a cut never halves a
    // character beyond the first plane (the card would refuse the half).
    ASSERT_TRUE(m_sim.AddEntry(L"Ελένη Πα", L"0302", m_options, m_messages));
    ASSERT_TRUE(m_sim.AddEntry(L"田中さくら様x\U0001D11E", L"0303", m_options, m_messages));
    EXPECT_TRUE(m_messages.messages.empty());
    entries = GeneralEntries();
    EXPECT_EQ(entries[3].name, L"Ελένη Πα");
    EXPECT_EQ(entries[4].name, L"田中さくら様x");
}

TEST_F(SimAccessTest, ANewEntryOnAFullCardTouchesNothing)
{
    SimCard card = TenPositions();
    card.maxIndex = 3;
    Put(card, 1, L"A", L"1");
    Put(card, 2, L"B", L"2");
    Put(card, 3, L"C", L"3");
    WriteCard(card);
    ASSERT_TRUE(Start());
    const std::string before = CardBytes();
    EXPECT_FALSE(m_sim.HasEmptySlot());
    EXPECT_FALSE(m_sim.AddEntry(L"D", L"4", m_options, m_messages));
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_SIM_FULL}));
    EXPECT_EQ(m_sim.StoreIntoFirstEmpty(L"D", L"4"), nullptr);
    EXPECT_FALSE(m_sim.StoreIntoNextEmpty(L"D", L"4"));
    EXPECT_EQ(CardBytes(), before);
    EXPECT_EQ(Current().RowCount(), 3);
}

TEST_F(SimAccessTest, FailedWritesLeaveSlotsAsTheCardHasThem)
{
    SimCard card = TenPositions();
    Put(card, 1, L"Anna", L"0301");
    Put(card, 2, L"Boris", L"0302");
    card.Phonebook(General)->faulty = {2, 3, 5};
    WriteCard(card);
    ASSERT_TRUE(Start());
    const std::string before = CardBytes();

    // A new entry whose first empty position refuses it: that slot stays empty.
    EXPECT_FALSE(m_sim.AddEntry(L"Carl", L"0303", m_options, m_messages));
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_WRITE_FAILED}));
    EXPECT_TRUE(Store().Slot(2).IsEmpty());
    EXPECT_EQ(Current().RowCount(), 2);

    // An edit that fails gets its old texts back.
    m_messages.messages.clear();
    EXPECT_FALSE(m_sim.EditSlot(Store().Slot(1), L"Bob", L"0399", m_options, m_messages));
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_WRITE_FAILED}));
    EXPECT_EQ(Store().Slot(1).Name(), L"Boris");
    EXPECT_EQ(Store().Slot(1).Number(), L"0302");

    // A restore that fails leaves the slot empty; one outside the slots fails.
    EXPECT_FALSE(m_sim.RewriteSlotAt(4, L"Dora", L"0305"));
    EXPECT_TRUE(Store().Slot(4).IsEmpty());
    EXPECT_FALSE(m_sim.RewriteSlotAt(10, L"Dora", L"0305"));
    EXPECT_FALSE(m_sim.RewriteSlotAt(-1, L"Dora", L"0305"));
    EXPECT_EQ(CardBytes(), before);

    // The next empty slot that takes it does.
    ASSERT_TRUE(m_sim.StoreIntoNextEmpty(L"Eve", L"0306"));
    EXPECT_TRUE(Store().Slot(2).IsEmpty());
    EXPECT_EQ(Store().Slot(3).Name(), L"Eve");
    EXPECT_EQ(GeneralEntries()[4].name, L"Eve");
    EXPECT_EQ(Current().FindSlot(&Store().Slot(3)), 2);

    // A working edit resets the views and sorts the base.
    const KeyLetters letters = [] {
        KeyLetters l;
        l.Load(GetModuleHandleW(nullptr));
        return l;
    }();
    ASSERT_TRUE(Store().TypeKey(2, letters, m_options));
    m_messages.messages.clear();
    ASSERT_TRUE(m_sim.EditSlot(Store().Slot(0), L"Zora", L"0301", m_options, m_messages));
    EXPECT_TRUE(m_messages.messages.empty());
    EXPECT_EQ(Store().ViewCount(), 1);
    EXPECT_EQ(Store().KeyCount(), 0);
    EXPECT_EQ(RowNames(Current()), L"Boris|Eve|Zora");
    EXPECT_EQ(GeneralEntries()[1].name, L"Zora");
}

TEST_F(SimAccessTest, DeletingThreeMarkedWithOneRefusedEmptiesTwoInEveryView)
{
    SimCard card = TenPositions();
    Put(card, 1, L"Ann", L"01");
    Put(card, 2, L"Abe", L"02");
    Put(card, 3, L"Amy", L"03");
    Put(card, 4, L"Kim", L"04");
    card.Phonebook(General)->faulty = {2};
    WriteCard(card);
    ASSERT_TRUE(Start());
    KeyLetters letters;
    letters.Load(GetModuleHandleW(nullptr));
    ASSERT_TRUE(Store().TypeKey(2, letters, m_options));  // the three "A" names
    ASSERT_EQ(RowNames(Current()), L"Abe|Amy|Ann");
    Current().MarkAll();

    m_messages.answer = false;
    m_sim.DeleteMarked(m_options, m_messages);
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_DELETE_QUESTION}));
    EXPECT_EQ(Store().FilledCount(), 4);

    m_messages.messages.clear();
    m_messages.answer = true;
    m_sim.DeleteMarked(m_options, m_messages);
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_DELETE_QUESTION, IDS_DELETE_FAILED}));
    EXPECT_EQ(m_messages.busyChanges, 0);
    EXPECT_EQ(RowNames(Current()), L"Abe");
    EXPECT_EQ(RowNames(*Store().BaseView()), L"Abe|Kim");
    EXPECT_EQ(Store().FilledCount(), 2);
    auto entries = GeneralEntries();
    EXPECT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries.count(2), 1u);
    EXPECT_EQ(entries.count(4), 1u);

    // Without any view there is nothing to delete.
    SimAccess closed;
    m_messages.messages.clear();
    closed.DeleteMarked(m_options, m_messages);
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_NO_FOCUSED_ENTRY}));
}

TEST_F(SimAccessTest, DuplicatingNeedsRoomAndReportsWhatFailed)
{
    SimCard card = TenPositions();
    card.maxIndex = 6;
    Put(card, 1, L"Ann", L"01");
    Put(card, 2, L"Bob", L"02");
    Put(card, 3, L"Cid", L"03");
    card.Phonebook(General)->faulty = {4};
    WriteCard(card);
    ASSERT_TRUE(Start());

    Current().MarkAll();
    m_sim.DuplicateMarked(m_options, m_messages);
    // Three marked, three empty, one of them refuses: one copy fails.
    EXPECT_EQ(m_messages.messages, (std::vector<Message>{{IDS_SOME_DUPLICATES_FAILED, -1}}));
    EXPECT_EQ(Store().FilledCount(), 5);
    EXPECT_EQ(GeneralEntries().size(), 5u);
    EXPECT_EQ(GeneralEntries()[5].name, L"Ann");
    EXPECT_EQ(GeneralEntries()[6].name, L"Bob");
    EXPECT_EQ(RowNames(Current()), L"Ann|Ann|Bob|Bob|Cid");

    m_messages.messages.clear();
    Current().MarkAll();
    m_sim.DuplicateMarked(m_options, m_messages);
    EXPECT_EQ(m_messages.messages, (std::vector<Message>{{IDS_TOO_FEW_EMPTY_SLOTS, 1}}));
    EXPECT_EQ(Store().FilledCount(), 5);
}

TEST_F(SimAccessTest, PrefixCommandsChangeOnlyTheMarkedNumbers)
{
    SimCard card = TenPositions();
    Put(card, 1, L"Ann", L"+030111");
    Put(card, 2, L"Bob", L"030222");
    Put(card, 3, L"Cid", L"030333333333");  // a prefix makes it too long
    Put(card, 4, L"Dan", L"030444");
    card.Phonebook(General)->faulty = {4};
    WriteCard(card);
    ASSERT_TRUE(Start());
    Current().MarkAll();

    AddPrefix(m_sim, L"49", true, m_options, m_messages);
    EXPECT_EQ(m_messages.messages, (std::vector<Message>{{IDS_ADD_PREFIX_FAILED, 3}, {IDS_ADD_PREFIX_FAILED, 4}}));
    auto entries = GeneralEntries();
    EXPECT_EQ(entries[1].number, L"+4930111");
    EXPECT_EQ(entries[1].addressType, 1u);
    EXPECT_EQ(entries[2].number, L"4930222");
    EXPECT_EQ(entries[3].number, L"030333333333");
    EXPECT_EQ(entries[4].number, L"030444");
    EXPECT_EQ(Store().Slot(3).Number(), L"030444");

    m_messages.messages.clear();
    Current().MarkAll();
    RemovePrefix(m_sim, L"49", false, m_options, m_messages);
    EXPECT_EQ(m_messages.messages, (std::vector<Message>{}));
    entries = GeneralEntries();
    EXPECT_EQ(entries[1].number, L"+30111");
    EXPECT_EQ(entries[2].number, L"30222");

    // Replace: one row has no "30", one would grow too long, one is refused.
    m_messages.messages.clear();
    Current().MarkAll();
    EXPECT_FALSE(ReplaceText(m_sim, L"", L"1", m_options, m_messages));
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_REPLACE_NEEDS_TEXTS}));
    m_messages.messages.clear();
    EXPECT_TRUE(ReplaceText(m_sim, L"3", L"777", m_options, m_messages));
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_WRITE_FAILED, IDS_SOME_NOT_REPLACED}));
    entries = GeneralEntries();
    EXPECT_EQ(entries[1].number, L"+7770111");
    EXPECT_EQ(entries[2].number, L"7770222");
    EXPECT_EQ(entries[3].number, L"030333333333");  // 14 characters would not fit
    EXPECT_EQ(Store().Slot(3).Number(), L"030444");
}

TEST_F(SimAccessTest, PrefixCommandsNeverMakeANumberOutOfNothingOrAnEmptyEntry)
{
    SimCard card = TenPositions();
    Put(card, 1, L"Ann", L"");   // a name alone
    Put(card, 2, L"", L"0049");  // a number that is the prefix alone
    Put(card, 3, L"Cid", L"0049");
    WriteCard(card);
    ASSERT_TRUE(Start());
    Current().MarkAll();

    RemovePrefix(m_sim, L"0049", false, m_options, m_messages);
    // Row order by name: "" (position 2) first, then Ann, then Cid.
    EXPECT_EQ(m_messages.messages, (std::vector<Message>{{IDS_REMOVE_PREFIX_FAILED, 1}}));
    auto entries = GeneralEntries();
    EXPECT_EQ(entries[2].number, L"0049");
    EXPECT_EQ(entries[3].number, L"");
    EXPECT_EQ(entries[3].name, L"Cid");
    EXPECT_EQ(Current().RowCount(), 3);

    m_messages.messages.clear();
    Current().MarkAll();
    AddPrefix(m_sim, L"49", false, m_options, m_messages);
    entries = GeneralEntries();
    EXPECT_EQ(entries[1].number, L"");
    EXPECT_EQ(entries[3].number, L"");
    EXPECT_EQ(entries[2].number, L"490049");
}

TEST_F(SimAccessTest, DeleteAllEmptiesTheCardAndReportsARefusal)
{
    SimCard card = TenPositions();
    Put(card, 1, L"Ann", L"01");
    Put(card, 7, L"Bob", L"02");
    WriteCard(card);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(m_sim.DeleteAll());
    EXPECT_TRUE(GeneralEntries().empty());
    EXPECT_EQ(Store().FilledCount(), 0);

    card.Phonebook(General)->faulty = {7};
    WriteCard(card);
    ASSERT_TRUE(Start());
    EXPECT_FALSE(m_sim.DeleteAll());
    EXPECT_EQ(GeneralEntries().size(), 1u);
    EXPECT_EQ(Store().FilledCount(), 1);
}

TEST_F(SimAccessTest, NotificationsReachTheWindowAndRefreshTheFigures)
{
    WriteCard(TenPositions());
    ASSERT_TRUE(Start());
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    SetSimNotifyWindow(window);

    SimNotificationCallback(SIM_NOTIFY_PBE_STORED, nullptr, 0, 0);
    SimNotificationCallback(0x10B, nullptr, 0, 0);
    SimNotificationCallback(0xFF, nullptr, 0, 0);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, window, SIM_NOTIFY_MESSAGE, SIM_NOTIFY_MESSAGE, PM_REMOVE));
    EXPECT_EQ(message.wParam, static_cast<WPARAM>(SIM_NOTIFY_PBE_STORED));
    EXPECT_EQ(message.lParam, 0);
    EXPECT_FALSE(PeekMessageW(&message, window, SIM_NOTIFY_MESSAGE, SIM_NOTIFY_MESSAGE, PM_REMOVE));

    // 263 reads the figures again before it is posted (the platform's own
    // watch may post it as well).
    SimCard off = TenPositions();
    off.radioOn = false;
    WriteCard(off);
    SimNotificationCallback(SIM_NOTIFY_RADIOOFF, nullptr, 0, 0);
    EXPECT_FALSE(SimCaps::Instance().Ready());
    ASSERT_TRUE(PeekMessageW(&message, window, SIM_NOTIFY_MESSAGE, SIM_NOTIFY_MESSAGE, PM_REMOVE));
    EXPECT_EQ(message.wParam, static_cast<WPARAM>(SIM_NOTIFY_RADIOOFF));
    m_sim.Close();
    while (PeekMessageW(&message, window, SIM_NOTIFY_MESSAGE, SIM_NOTIFY_MESSAGE, PM_REMOVE)) {
    }

    // Without a window nothing is posted.
    SetSimNotifyWindow(nullptr);
    SimNotificationCallback(SIM_NOTIFY_CARD_REMOVED, nullptr, 0, 0);
    EXPECT_FALSE(PeekMessageW(&message, window, SIM_NOTIFY_MESSAGE, SIM_NOTIFY_MESSAGE, PM_REMOVE));
    DestroyWindow(window);
}

// The platform's own watch: the radio switched off on the card file reaches
// the window as 263, with the ready flag already cleared.
TEST_F(SimAccessTest, TheRadioGoingOffOnTheCardReachesTheWindow)
{
    WriteCard(TenPositions());
    ASSERT_TRUE(Start());
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    SetSimNotifyWindow(window);

    SimCard off = TenPositions();
    off.radioOn = false;
    WriteCard(off);
    std::vector<WPARAM> codes;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 10000;) {
        MSG message;
        while (PeekMessageW(&message, window, SIM_NOTIFY_MESSAGE, SIM_NOTIFY_MESSAGE, PM_REMOVE))
            codes.push_back(message.wParam);
        if (std::find(codes.begin(), codes.end(), SIM_NOTIFY_RADIOOFF) != codes.end())
            break;
        Sleep(20);
    }
    SetSimNotifyWindow(nullptr);
    m_sim.Close();
    DestroyWindow(window);
    EXPECT_NE(std::find(codes.begin(), codes.end(), SIM_NOTIFY_RADIOOFF), codes.end());
    EXPECT_FALSE(SimCaps::Instance().Ready());
}

TEST_F(SimAccessTest, DialCallsTheFocusedNumberOnlyWithAtMostOneMark)
{
    SimCard card = TenPositions();
    Put(card, 1, L"Ann", L"+4416329600");
    Put(card, 2, L"Bob", L"0302");
    WriteCard(card);
    ASSERT_TRUE(Start());

    Current().MarkAll();
    EXPECT_FALSE(m_sim.CanDial());
    EXPECT_FALSE(m_sim.Dial());
    EXPECT_FALSE(vellumate::phone::ReadLastCall().has_value());

    Current().FocusRow(0, m_options.rowsPerPage);
    ASSERT_TRUE(m_sim.Dial());
    auto call = vellumate::phone::ReadLastCall();
    ASSERT_TRUE(call.has_value());
    EXPECT_EQ(call->number, L"+4416329600");

    Store().Slot(0).Clear();
    Store().Slot(1).Clear();
    Store().RemoveEmptiedRows(m_options);
    EXPECT_FALSE(m_sim.CanDial());
}

}  // namespace
