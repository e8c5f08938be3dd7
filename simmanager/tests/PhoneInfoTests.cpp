// The phone's figures as Pellory gathers them from a test device: the line
// it picks by name, the texts it takes out of the line's records, the
// provider's name out of the SIM's file, and the own number and message
// centre, whose failing service is told once while it lasts.
#include "simmanager/CellularLine.h"
#include "simmanager/PhoneInfo.h"
#include "simmanager/PhoneInfoResources.h"
#include "simmanager/PhoneNumbers.h"
#include "simmanager/SimAccess.h"
#include "simmanager/tests/RecordedMessages.h"

#include "framework/testsupport/TempDevice.h"

#include "platform/sim/SimCardFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

using vellumate::TempDevice;
using Names = std::vector<std::optional<std::wstring>>;

constexpr char Profile[] = "[phone]\n"
                           "own_number=+4416329607770123456789012345678901\n"
                           "smsc=+447958879879\n"
                           "serial=356938035643809\n"
                           "subscriber=234150999999999\n";

void InsertCard(const TempDevice& device, bool radioOn = true, std::uint32_t display = 0)
{
    vellumate::sim::SimCard card;
    card.minIndex = 1;
    card.maxIndex = 30;
    card.maxNameLength = 14;
    card.maxNumberLength = 20;
    card.radioOn = radioOn;
    card.provider = L"Vellum Mobile";
    card.providerDisplay = display;
    device.WriteSim(vellumate::sim::FormatSimCard(card));
}

TEST(CellularLineName, TheLastLineOfExactlyThatNameIsTaken)
{
    EXPECT_EQ(PickCellularLine({L"Cellular Line Data", L"Cellular Line", std::nullopt, L"Cellular Line", L"Modem"}), 3);
    EXPECT_EQ(PickCellularLine({L"Cellular Line", std::nullopt}), 0) << "a line that could not be asked is skipped";
    EXPECT_EQ(PickCellularLine({L"cellular line", L"Cellular Line ", L"Cellular Line Data"}), -1);
    EXPECT_EQ(PickCellularLine({}), -1);
}

TEST(CellularLineRecord, TextsAreTakenOnlyFromInsideTheRecord)
{
    std::vector<BYTE> record(40, 0);
    std::memcpy(record.data() + 20, L"4477\0zz", 14);
    EXPECT_EQ(RecordText(record, 20, 10), L"4477");
    EXPECT_EQ(RecordText(record, 20, 8), L"4477") << "a text filling its size without a terminator";
    EXPECT_EQ(RecordText(record, 20, 0), std::nullopt) << "size 0: the record has no such text";
    EXPECT_EQ(RecordText(record, 36, 8), std::nullopt);
    EXPECT_EQ(RecordText(record, 0xFFFFFFF0, 0x20), std::nullopt) << "an offset that wraps around";
}

TEST(CellularLineRecord, TheHandsetsLinesGiveTheProfilesNumbers)
{
    TempDevice device(Profile);
    LineNumbers numbers = ReadLineNumbers();
    EXPECT_EQ(numbers.serial, L"356938035643809");
    EXPECT_EQ(numbers.subscriber, L"234150999999999");

    device.WriteProfile("[phone]\nserial=\nsubscriber=310260000000001\n");
    numbers = ReadLineNumbers();
    EXPECT_EQ(numbers.serial, std::nullopt);
    EXPECT_EQ(numbers.subscriber, L"310260000000001");
}

TEST(ProviderName, IsTheNameBetweenTheDisplayByteAndTheFill)
{
    const BYTE file[] = {0x00, 'V', 0xE9, 'l', 'o', 0xFF, 0xFF, 'x'};
    EXPECT_EQ(ProviderName(file, sizeof file), L"V\u00e9lo");
    EXPECT_EQ(ProviderName(file, 3), L"V\u00e9");
    EXPECT_EQ(ProviderName(file, 1), L"");
}

class PhoneFiguresTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        m_sim.Close();
        SimCaps::Instance().Reset();
    }

    TempDevice m_device{Profile};
    SimAccess m_sim;
    RecordedMessages m_messages;
};

TEST_F(PhoneFiguresTest, TheDialogsFiguresComeFromTheCardTheLineAndTheMessageCentre)
{
    InsertCard(m_device);
    ASSERT_TRUE(m_sim.Open(m_messages));
    PhoneInfo info = GatherPhoneInfo(L"+447958879879");
    EXPECT_EQ(info.capacity, 30u);
    EXPECT_EQ(info.nameLength, 14u);
    EXPECT_EQ(info.numberLength, 20u);
    EXPECT_EQ(info.serial, L"356938035643809");
    EXPECT_EQ(info.provider, L"Vellum Mobile") << "whatever the display byte says";
    EXPECT_EQ(ShownLines(info).size(), 5u);

    // A card without a provider's file and a line without figures.
    vellumate::sim::SimCard card;
    card.minIndex = card.maxIndex = 1;
    m_device.WriteSim(vellumate::sim::FormatSimCard(card));
    m_device.WriteProfile("[phone]\nserial=\nsubscriber=\n");
    SimCaps::Instance().Refresh();
    info = GatherPhoneInfo(L"+447958879879");
    EXPECT_EQ(info.provider, std::nullopt);
    EXPECT_EQ(ShownLines(info), std::vector<InfoLine>{InfoLine::Smsc}) << "a card of one position has no capacity";
}

TEST_F(PhoneFiguresTest, OwnNumberAndMessageCentreAreReadAndAFailingServiceIsToldOnce)
{
    InsertCard(m_device);
    PhoneNumberReader reader;
    ASSERT_TRUE(reader.Refresh(m_sim, m_messages));
    EXPECT_STREQ(m_sim.OwnNumber(), L"+441632960777012345678901234567") << "cut to 31 characters";
    EXPECT_STREQ(m_sim.SmscNumber(), L"+447958879879");

    InsertCard(m_device, false);
    EXPECT_FALSE(reader.Refresh(m_sim, m_messages));
    EXPECT_FALSE(reader.Refresh(m_sim, m_messages));
    EXPECT_EQ(m_messages.Ids(), std::vector<UINT>{IDS_NO_TEXT_MESSAGES})
        << "the box closing activates the window again: no second box";
    EXPECT_STREQ(m_sim.SmscNumber(), L"+447958879879") << "the numbers stay as they were";

    InsertCard(m_device);
    m_device.WriteProfile("[phone]\nown_number=01632960123\nsmsc=\n");
    EXPECT_TRUE(reader.Refresh(m_sim, m_messages));
    EXPECT_STREQ(m_sim.OwnNumber(), L"01632960123");
    EXPECT_STREQ(m_sim.SmscNumber(), L"") << "a number the service lacks is not kept";
    InsertCard(m_device, false);
    reader.Refresh(m_sim, m_messages);
    EXPECT_EQ(m_messages.Ids().size(), 2u) << "a new failure after the service worked is told again";
}

}  // namespace
