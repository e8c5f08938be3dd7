// Saving and restoring over a real card file and a storage card of a test
// device: the same positions back on a SIM of the same size, packing onto a
// smaller one, a damaged file that leaves the SIM as it was, and a save that
// fails without losing the backup it was to replace.
#include "simmanager/BackupFile.h"
#include "simmanager/BackupFolders.h"
#include "simmanager/BackupResources.h"
#include "simmanager/tests/RecordedMessages.h"
#include "simmanager/tests/ViewFixtures.h"

#include "framework/testsupport/StringPrinting.h"
#include "framework/testsupport/TempDevice.h"

#include "platform/sim/SimCardFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using vellumate::TempDevice;
using vellumate::sim::SimCard;
using vellumate::sim::SimEntry;

constexpr std::uint32_t General = SIM_PBSTORAGE_SIM;
constexpr char CardProfile[] = "[card:Storage Card]\nstate=inserted\nsize=1000000\nfree=500000\n";

SimCard CardOf(std::uint32_t positions)
{
    SimCard card;
    card.minIndex = 1;
    card.maxIndex = positions;
    card.maxNameLength = 12;
    card.maxNumberLength = 16;
    return card;
}

void Put(SimCard& card, std::uint32_t position, const wchar_t* name, const wchar_t* number)
{
    card.Phonebook(General)->entries[position] = {number, number[0] == L'+' ? 1u : 2u, name};
}

std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class BackupFileTest : public ::testing::Test {
protected:
    BackupFileTest() : m_device(CardProfile) { m_device.MakeFolder(L"Storage Card"); }

    // The card in the handset, read as the program reads it at start-up.
    void UseCard(const SimCard& card)
    {
        m_device.WriteSim(vellumate::sim::FormatSimCard(card));
        m_sim.Close();
        ASSERT_TRUE(m_sim.Open(m_messages));
        m_sim.LoadAll(m_options);
        m_messages.messages.clear();
    }
    std::map<std::uint32_t, SimEntry> OnCard() const
    {
        auto reading = vellumate::sim::ParseSimCard(FileBytes(m_device.SimPath()));
        return reading.card ? reading.card->Phonebook(General)->entries : std::map<std::uint32_t, SimEntry>{};
    }
    std::filesystem::path OnStorageCard(const wchar_t* name) const { return m_device.Root() / L"Storage Card" / name; }

    bool Save(const wchar_t* name)
    {
        BackupFile file(m_sim, m_messages);
        return file.Save(L"Storage Card", name);
    }
    BackupFile::State Restore(const wchar_t* fileName)
    {
        BackupFile file(m_sim, m_messages);
        file.Restore(L"Storage Card", fileName, m_options);
        return file.ErrorState();
    }

    TempDevice m_device;
    SimAccess m_sim;
    RecordedMessages m_messages;
    ViewOptions m_options = Options(4);
};

}  // namespace

TEST_F(BackupFileTest, ARestoreOnTheSameSimPutsEveryEntryBackAtItsPosition)
{
    SimCard card = CardOf(10);
    Put(card, 2, L"Zoe", L"+4930123");
    Put(card, 5, L"Anna", L"0123");
    Put(card, 10, L"", L"112");
    UseCard(card);
    // A filter shown does not narrow what is saved.
    ASSERT_EQ(m_sim.CurrentStore()->ShowDuplicates(m_options), FilterResult::Shown);
    ASSERT_TRUE(Save(L"Before"));
    EXPECT_TRUE(m_messages.messages.empty());
    EXPECT_EQ(FileBytes(OnStorageCard(L"Before.ztc")).size(), 148u + 3 * (2 + 24 + 32));

    // The card changes; the backup brings back what it was.
    SimCard changed = CardOf(10);
    Put(changed, 1, L"Stranger", L"999");
    Put(changed, 5, L"Other", L"0456");
    UseCard(changed);
    EXPECT_EQ(Restore(L"Before.ztc"), BackupFile::State::None);
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_RESTORE_QUESTION}));
    EXPECT_EQ(m_messages.busyChanges, 0);
    EXPECT_EQ(OnCard(), card.Phonebook(General)->entries);
    EXPECT_EQ(RowNames(*m_sim.CurrentView()), L"|Anna|Zoe");

    // A position that refuses its entry after the card was cleared: the
    // user is told that entry is gone.
    SimCard refusing = CardOf(10);
    refusing.Phonebook(General)->faulty = {5};
    UseCard(refusing);
    EXPECT_EQ(Restore(L"Before.ztc"), BackupFile::State::None);
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_RESTORE_QUESTION, IDS_PACKED_SOME}));
    EXPECT_EQ(OnCard().size(), 2u);

    // A file of the same name asks before it is replaced; Cancel keeps it.
    m_messages.messages.clear();
    m_messages.answer = false;
    EXPECT_FALSE(Save(L"Before"));
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_BACKUP_EXISTS}));
    // Listed for the restore dialog, without its extension.
    const auto found = FindBackups(ListBackupFolders());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(BackupDisplayName(found[0].fileName), L"Before");
}

TEST_F(BackupFileTest, ALargerSimsBackupIsPackedIntoTheFirstPositionsOfASmallerOne)
{
    SimCard large = CardOf(20);
    Put(large, 3, L"Anna", L"0123");
    Put(large, 8, L"Nameless", L"");
    Put(large, 12, L"Bert", L"0456");
    Put(large, 19, L"Cleo", L"0789");
    Put(large, 20, L"Dora", L"0111");
    UseCard(large);
    ASSERT_TRUE(Save(L"Large"));

    UseCard(CardOf(3));
    EXPECT_EQ(Restore(L"Large.ztc"), BackupFile::State::None);
    // Four records with numbers for three positions: one does not fit.
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_RESTORE_QUESTION, IDS_BACKUP_FROM_LARGER, IDS_PACKED_SOME}));
    const auto entries = OnCard();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries.at(1).name, L"Anna");
    EXPECT_EQ(entries.at(2).name, L"Bert");
    EXPECT_EQ(entries.at(3).name, L"Cleo");

    // Declining leaves the smaller card as it is; a smaller SIM's file on a
    // larger card keeps its positions.
    m_messages.messages.clear();
    m_messages.answer = false;
    const std::string before = FileBytes(m_device.SimPath());
    EXPECT_EQ(Restore(L"Large.ztc"), BackupFile::State::None);  // the first question declined
    EXPECT_EQ(FileBytes(m_device.SimPath()), before);
    m_messages.answer = true;
    ASSERT_TRUE(Save(L"Small"));
    UseCard(CardOf(20));
    EXPECT_EQ(Restore(L"Small.ztc"), BackupFile::State::None);
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_RESTORE_QUESTION, IDS_BACKUP_FROM_SMALLER}));
    EXPECT_EQ(OnCard().size(), 3u);
    EXPECT_EQ(OnCard().at(3).name, L"Cleo");
}

TEST_F(BackupFileTest, ADamagedBackupLeavesTheSimUntouched)
{
    SimCard card = CardOf(10);
    Put(card, 4, L"Anna", L"0123");
    Put(card, 6, L"Bert", L"0456");
    UseCard(card);
    ASSERT_TRUE(Save(L"Good"));
    const std::string good = FileBytes(OnStorageCard(L"Good.ztc"));
    const std::string cardBefore = FileBytes(m_device.SimPath());

    const std::string damaged[] = {good.substr(0, good.size() - 1), good.substr(0, 100), good + "x",
                                   std::string(good.size(), '\0')};
    for (const std::string& bytes : damaged) {
        std::ofstream(OnStorageCard(L"Bad.ztc"), std::ios::binary | std::ios::trunc) << bytes;
        m_messages.messages.clear();
        EXPECT_EQ(Restore(L"Bad.ztc"), BackupFile::State::NotBackup);
        EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_RESTORE_QUESTION, IDS_NOT_A_BACKUP}));
        EXPECT_EQ(FileBytes(m_device.SimPath()), cardBefore);
        EXPECT_EQ(m_sim.CurrentStore()->FilledCount(), 2);
    }
    // A file that is gone: nothing said, nothing changed.
    m_messages.messages.clear();
    EXPECT_EQ(Restore(L"Missing.ztc"), BackupFile::State::CannotOpen);
    EXPECT_EQ(FileBytes(m_device.SimPath()), cardBefore);
}

TEST_F(BackupFileTest, ASaveThatCannotBeCompletedKeepsTheEarlierBackup)
{
    SimCard card = CardOf(10);
    Put(card, 1, L"Anna", L"0123");
    UseCard(card);
    ASSERT_TRUE(Save(L"Weekly"));
    const std::string earlier = FileBytes(OnStorageCard(L"Weekly.ztc"));

    // More entries, and a card that has no room left for them.
    Put(card, 2, L"Bert", L"0456");
    UseCard(card);
    m_device.WriteProfile("[card:Storage Card]\nstate=inserted\nsize=1000000\nfree=100\n");
    EXPECT_FALSE(Save(L"Weekly"));
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_BACKUP_EXISTS, IDS_BACKUP_NOT_WRITTEN}));
    EXPECT_EQ(FileBytes(OnStorageCard(L"Weekly.ztc")), earlier);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_device.Root() / L"Storage Card"), {}), 1);

    // The card taken out: nothing is written anywhere.
    m_device.WriteProfile("[card:Storage Card]\nstate=removed\n");
    std::filesystem::rename(m_device.Root() / L"Storage Card", m_device.Root() / L"parked");
    m_messages.messages.clear();
    EXPECT_FALSE(Save(L"Weekly"));
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_BACKUP_NOT_WRITTEN}));
    EXPECT_EQ(FileBytes(m_device.Root() / L"parked" / L"Weekly.ztc"), earlier);

    // A name the file system cannot take.
    m_messages.messages.clear();
    EXPECT_FALSE(Save(L"a?b"));
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{IDS_BACKUP_BAD_NAME}));
}
