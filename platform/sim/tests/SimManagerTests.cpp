// The SIM manager's calls against card files of a device of the test's own.
#include "platform/sim/SimManager.h"

#include "platform/sim/tests/SimTestSupport.h"

#include "framework/testsupport/ChildProcess.h"
#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

using namespace vellumate;
using namespace vellumate::sim;
using namespace vellumate::sim::testing;

namespace {

std::string FileBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The card as the file on disk says now.
SimCard CardOnDisk(const TempDevice& device)
{
    const SimCardReading reading = ParseSimCard(FileBytes(device.SimPath()));
    EXPECT_TRUE(reading.card) << reading.problem.line;
    return reading.card.value_or(SimCard{});
}

SIMPHONEBOOKENTRY ReadBack(HSIM sim, DWORD storage, DWORD index, HRESULT expected = S_OK)
{
    SIMPHONEBOOKENTRY record{};
    record.cbSize = sizeof record;
    EXPECT_EQ(SimReadPhonebookEntry(sim, storage, index, &record), expected) << "position " << index;
    return record;
}

std::vector<std::wstring> FilesBeside(const TempDevice& device)
{
    std::vector<std::wstring> names;
    for (const auto& item : std::filesystem::directory_iterator(std::filesystem::path(device.SimPath()).parent_path()))
        names.push_back(item.path().filename().wstring());
    return names;
}

}  // namespace

TEST(SimManagerTest, CardStatesAnswerAsAHandsetDoes)
{
    TempDevice device;
    OpenSim sim;  // opens without a card, as a handset's SIM manager does
    SIMCAPS caps{};
    caps.cbSize = sizeof caps;
    DWORD used = 0, total = 0;
    EXPECT_EQ(SimGetDevCaps(sim.Get(), SIM_CAPSTYPE_ALL, &caps), SIM_E_NOSIM);
    EXPECT_EQ(SimGetPhonebookStatus(sim.Get(), SIM_PBSTORAGE_SIM, &used, &total), SIM_E_NOSIM);
    SIMPHONEBOOKENTRY record = EntryRecord(L"1", L"a");
    EXPECT_EQ(SimWritePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 1, &record), SIM_E_NOSIM);
    EXPECT_FALSE(std::filesystem::exists(device.SimPath()));

    SimCard card = SmallCard();
    card.present = false;
    device.WriteSim(FormatSimCard(card));
    EXPECT_EQ(SimGetDevCaps(sim.Get(), SIM_CAPSTYPE_ALL, &caps), SIM_E_NOSIM);

    card.present = true;
    card.radioOn = false;
    device.WriteSim(FormatSimCard(card));
    const std::string radioOff = FileBytes(device.SimPath());
    EXPECT_EQ(SimGetDevCaps(sim.Get(), SIM_CAPSTYPE_ALL, &caps), SIM_E_RADIOOFF);
    EXPECT_EQ(SimGetPhonebookStatus(sim.Get(), SIM_PBSTORAGE_SIM, &used, &total), SIM_E_RADIOOFF);
    ReadBack(sim.Get(), SIM_PBSTORAGE_SIM, 2, SIM_E_RADIOOFF);
    EXPECT_EQ(SimWritePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 1, &record), SIM_E_RADIOOFF);
    EXPECT_EQ(SimDeletePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 2), SIM_E_RADIOOFF);
    EXPECT_EQ(FileBytes(device.SimPath()), radioOff);

    // A damaged file is no card, and no call rewrites it.
    const std::string whole = FormatSimCard(SmallCard());
    const std::string damaged = whole.substr(0, whole.size() / 2);
    device.WriteSim(damaged);
    EXPECT_EQ(SimGetDevCaps(sim.Get(), SIM_CAPSTYPE_ALL, &caps), SIM_E_SIMFAILURE);
    ReadBack(sim.Get(), SIM_PBSTORAGE_SIM, 2, SIM_E_SIMFAILURE);
    EXPECT_EQ(SimWritePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 1, &record), SIM_E_SIMFAILURE);
    EXPECT_EQ(SimDeletePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 2), SIM_E_SIMFAILURE);
    EXPECT_EQ(FileBytes(device.SimPath()), damaged);

    // VELLUMATE_SIM names a card of its own.
    const std::wstring elsewhere = device.SimPath() + L".other";
    std::ofstream(std::filesystem::path(elsewhere), std::ios::binary) << whole;
    ScopedVariable named(L"VELLUMATE_SIM", elsewhere.c_str());
    EXPECT_EQ(SimGetDevCaps(sim.Get(), SIM_CAPSTYPE_ALL, &caps), S_OK);
}

TEST(SimManagerTest, CapabilitiesAndArgumentsAreChecked)
{
    TempDevice device;
    device.WriteSim(FormatSimCard(SmallCard()));
    OpenSim sim;

    SIMCAPS caps;
    std::memset(&caps, 0xCD, sizeof caps);
    caps.cbSize = sizeof caps;
    ASSERT_EQ(SimGetDevCaps(sim.Get(), SIM_CAPSTYPE_ALL, &caps), S_OK);
    EXPECT_EQ(caps.cbSize, 124u);
    EXPECT_EQ(caps.dwParams, static_cast<DWORD>(SIM_PARAM_CAPS_PBSTORAGES | SIM_PARAM_CAPS_PBEMAXADDRESSLENGTH |
                                                SIM_PARAM_CAPS_PBEMAXTEXTLENGTH | SIM_PARAM_CAPS_PBEMININDEX |
                                                SIM_PARAM_CAPS_PBEMAXINDEX));
    EXPECT_EQ(caps.dwPBStorages, 0x1Fu);
    EXPECT_EQ(caps.dwMinPBIndex, 1u);
    EXPECT_EQ(caps.dwMaxPBIndex, 10u);
    EXPECT_EQ(caps.dwMaxPBEAddressLength, 12u);
    EXPECT_EQ(caps.dwMaxPBETextLength, 8u);
    EXPECT_EQ(caps.dwLockFacilities, 0u);
    EXPECT_EQ(caps.dwNumLockingPwdLengths, 0u);
    EXPECT_EQ(caps.rgLockingPwdLengths[SIM_NUMLOCKFACILITIES - 1].dwPasswordLength, 0u);

    SIMCAPS untouched;
    std::memset(&untouched, 0xCD, sizeof untouched);
    untouched.cbSize = sizeof untouched - 4;
    EXPECT_EQ(SimGetDevCaps(sim.Get(), SIM_CAPSTYPE_ALL, &untouched), SIM_E_INVALIDPARAMETER);
    EXPECT_EQ(untouched.dwMaxPBIndex, 0xCDCDCDCDu);
    EXPECT_EQ(SimGetDevCaps(sim.Get(), 0x40, &caps), SIM_E_INVALIDPARAMETER);
    EXPECT_EQ(SimGetDevCaps(sim.Get(), SIM_CAPSTYPE_ALL, nullptr), SIM_E_INVALIDPARAMETER);
    EXPECT_EQ(SimGetDevCaps(nullptr, SIM_CAPSTYPE_ALL, &caps), SIM_E_INVALIDPARAMETER);
    EXPECT_EQ(SimGetDevCaps(reinterpret_cast<HSIM>(&caps), SIM_CAPSTYPE_ALL, &caps), SIM_E_INVALIDPARAMETER);

    DWORD used = 0, total = 0;
    ASSERT_EQ(SimGetPhonebookStatus(sim.Get(), SIM_PBSTORAGE_SIM, &used, &total), S_OK);
    EXPECT_EQ(used, 2u);
    EXPECT_EQ(total, 10u);
    ASSERT_EQ(SimGetPhonebookStatus(sim.Get(), SIM_PBSTORAGE_EMERGENCY, &used, &total), S_OK);
    EXPECT_EQ(used, 1u);
    EXPECT_EQ(total, 2u);
    EXPECT_EQ(SimGetPhonebookStatus(sim.Get(), 3, &used, &total), SIM_E_INVALIDPARAMETER);
    EXPECT_EQ(SimGetPhonebookStatus(sim.Get(), SIM_PBSTORAGE_SIM, nullptr, &total), SIM_E_INVALIDPARAMETER);

    SIMPHONEBOOKENTRY record = EntryRecord(L"1", L"a");
    record.cbSize = 1036;
    EXPECT_EQ(SimWritePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 1, &record), SIM_E_INVALIDPARAMETER);
    EXPECT_EQ(SimReadPhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 2, &record), SIM_E_INVALIDPARAMETER);
    EXPECT_EQ(SimWritePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 1, nullptr), SIM_E_INVALIDPARAMETER);
    EXPECT_EQ(SimInitialize(SIM_INIT_SIMCARD_NOTIFICATIONS, nullptr, 0, nullptr), SIM_E_INVALIDPARAMETER);
    HSIM other = reinterpret_cast<HSIM>(1);
    EXPECT_EQ(SimInitialize(SIM_INIT_SIMCARD_NOTIFICATIONS, nullptr, 0, &other), SIM_E_INVALIDPARAMETER);
    EXPECT_EQ(other, nullptr);

    // A closed handle is refused, not followed.
    ASSERT_EQ(SimInitialize(SIM_INIT_NONE, nullptr, 0, &other), S_OK);
    EXPECT_EQ(SimDeinitialize(other), S_OK);
    EXPECT_EQ(SimGetDevCaps(other, SIM_CAPSTYPE_ALL, &caps), SIM_E_INVALIDPARAMETER);
    EXPECT_EQ(SimDeinitialize(other), SIM_E_INVALIDPARAMETER);
}

TEST(SimManagerTest, EntriesRoundTripThroughTheFile)
{
    TempDevice device;
    device.WriteSim(FormatSimCard(SmallCard()));
    OpenSim sim;

    SIMPHONEBOOKENTRY record = ReadBack(sim.Get(), SIM_PBSTORAGE_SIM, 2);
    EXPECT_STREQ(record.lpszAddress, L"+4416329");
    EXPECT_EQ(record.dwAddressType, static_cast<DWORD>(SIM_ADDRTYPE_INTERNATIONAL));
    EXPECT_EQ(record.dwNumPlan, static_cast<DWORD>(SIM_NUMPLAN_TELEPHONE));
    EXPECT_EQ(record.dwParams, static_cast<DWORD>(SIM_PARAM_PBE_ALL));
    EXPECT_STREQ(record.lpszText, L"Ånna");
    ReadBack(sim.Get(), SIM_PBSTORAGE_SIM, 3, SIM_E_NOTFOUND);
    ReadBack(sim.Get(), SIM_PBSTORAGE_SIM, 0, SIM_E_INVALIDINDEX);
    ReadBack(sim.Get(), SIM_PBSTORAGE_SIM, 11, SIM_E_INVALIDINDEX);
    ReadBack(sim.Get(), SIM_PBSTORAGE_EMERGENCY, 3, SIM_E_INVALIDINDEX);

    // Written with the program's own address types, read back as written.
    SIMPHONEBOOKENTRY plus = EntryRecord(L"+30210555", L"Γιώργος", SIM_PARAM_PBE_ALL);
    ASSERT_EQ(SimWritePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 10, &plus), S_OK);
    SIMPHONEBOOKENTRY national = EntryRecord(L"0555p1w2#*", L"王小明", SIM_PARAM_PBE_ALL);
    ASSERT_EQ(SimWritePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 2, &national), S_OK);
    SIMPHONEBOOKENTRY noType = EntryRecord(L"+1555", L"");  // the "+" gives the type
    ASSERT_EQ(SimWritePhonebookEntry(sim.Get(), SIM_PBSTORAGE_FIXEDDIALING, 1, &noType), S_OK);

    record = ReadBack(sim.Get(), SIM_PBSTORAGE_SIM, 10);
    EXPECT_STREQ(record.lpszAddress, L"+30210555");
    EXPECT_EQ(record.dwAddressType, static_cast<DWORD>(SIM_ADDRTYPE_INTERNATIONAL));
    EXPECT_STREQ(record.lpszText, L"Γιώργος");
    record = ReadBack(sim.Get(), SIM_PBSTORAGE_SIM, 2);
    EXPECT_STREQ(record.lpszAddress, L"0555p1w2#*");
    EXPECT_EQ(record.dwAddressType, static_cast<DWORD>(SIM_ADDRTYPE_NATIONAL));
    record = ReadBack(sim.Get(), SIM_PBSTORAGE_FIXEDDIALING, 1);
    EXPECT_EQ(record.dwAddressType, static_cast<DWORD>(SIM_ADDRTYPE_INTERNATIONAL));
    EXPECT_STREQ(record.lpszText, L"");

    // The change is in the file, replaced whole, with nothing left beside it.
    const SimCard onDisk = CardOnDisk(device);
    EXPECT_EQ(onDisk.Phonebook(GeneralStorage)->entries.at(10), (SimEntry{L"+30210555", 1, L"Γιώργος"}));
    EXPECT_EQ(onDisk.Phonebook(GeneralStorage)->entries.at(2), (SimEntry{L"0555p1w2#*", 2, L"王小明"}));
    EXPECT_EQ(onDisk.Phonebook(GeneralStorage)->entries.at(5), (SimEntry{L"0123", 2, L"Boris"}));
    EXPECT_EQ(FilesBeside(device), (std::vector<std::wstring>{L"profile.ini", L"root", L"sim.txt"}));

    // The first free position, and a full phonebook.
    SIMPHONEBOOKENTRY any = EntryRecord(L"999", L"x");
    ASSERT_EQ(SimWritePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, SIM_PBINDEX_FIRSTAVAILABLE, &any), S_OK);
    EXPECT_STREQ(ReadBack(sim.Get(), SIM_PBSTORAGE_SIM, 1).lpszAddress, L"999");
    EXPECT_EQ(SimWritePhonebookEntry(sim.Get(), SIM_PBSTORAGE_OWNNUMBERS, SIM_PBINDEX_FIRSTAVAILABLE, &any), S_OK);
    EXPECT_EQ(SimWritePhonebookEntry(sim.Get(), SIM_PBSTORAGE_OWNNUMBERS, SIM_PBINDEX_FIRSTAVAILABLE, &any),
              SIM_E_MEMORYFULL);

    // Deleting: the entry goes; an empty position is deleted already.
    ASSERT_EQ(SimDeletePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 5), S_OK);
    ReadBack(sim.Get(), SIM_PBSTORAGE_SIM, 5, SIM_E_NOTFOUND);
    EXPECT_EQ(SimDeletePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 5), S_OK);
    EXPECT_EQ(SimDeletePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 11), SIM_E_INVALIDINDEX);
    EXPECT_FALSE(CardOnDisk(device).Phonebook(GeneralStorage)->entries.contains(5));

    DWORD used = 0, total = 0;
    ASSERT_EQ(SimGetPhonebookStatus(sim.Get(), SIM_PBSTORAGE_SIM, &used, &total), S_OK);
    EXPECT_EQ(used, 3u);
}

TEST(SimManagerTest, WritesOutsideTheCardsLimitsChangeNothing)
{
    TempDevice device;
    SimCard card = SmallCard();
    card.Phonebook(GeneralStorage)->faulty = {7};
    card.Phonebook(GeneralStorage)->entries[7] = {L"777", 2, L"stuck"};
    device.WriteSim(FormatSimCard(card));
    OpenSim sim;

    struct Case {
        std::wstring number, name;
        DWORD index;
        HRESULT result;
    };
    const Case cases[] = {
        {L"123456789012", L"12345678", 3, S_OK},  // both at their limits
        {L"1234567890123", L"a", 3, SIM_E_DIALSTRINGTOOLONG},
        {L"1", L"123456789", 3, SIM_E_TEXTSTRINGTOOLONG},
        {L"12a", L"a", 3, SIM_E_INVALIDDIALSTRING},
        {L"1+2", L"a", 3, SIM_E_INVALIDDIALSTRING},
        {L"1 2", L"a", 3, SIM_E_INVALIDDIALSTRING},
        {L"1", L"tab\there", 3, SIM_E_INVALIDPARAMETER},
        {L"", L"", 3, SIM_E_INVALIDPARAMETER},
        {L"1", L"a", 0, SIM_E_INVALIDINDEX},
        {L"1", L"a", 11, SIM_E_INVALIDINDEX},
        {L"1", L"a", 7, SIM_E_SIMFAILURE},  // a broken position
    };
    for (const Case& c : cases) {
        SIMPHONEBOOKENTRY record = EntryRecord(c.number, c.name);
        EXPECT_EQ(SimWritePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, c.index, &record), c.result) << c.index;
        if (c.result == S_OK) {
            EXPECT_EQ(SimDeletePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, c.index), S_OK);
        }
    }
    EXPECT_EQ(SimDeletePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 7), SIM_E_SIMFAILURE);
    SIMPHONEBOOKENTRY unending = EntryRecord(L"1", L"a");
    std::fill(std::begin(unending.lpszText), std::end(unending.lpszText), L'a');
    EXPECT_EQ(SimWritePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 3, &unending), SIM_E_INVALIDPARAMETER);
    SIMPHONEBOOKENTRY badType = EntryRecord(L"1", L"a", SIM_PARAM_PBE_ALL);
    badType.dwAddressType = 9;
    EXPECT_EQ(SimWritePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 3, &badType), SIM_E_INVALIDPARAMETER);
    EXPECT_EQ(CardOnDisk(device), card);
    EXPECT_EQ(ReadBack(sim.Get(), SIM_PBSTORAGE_SIM, 7).lpszText, std::wstring(L"stuck"));

    // A new file that cannot be made: the write fails and the card stays.
    std::filesystem::create_directory(device.SimPath() + L"." + std::to_wstring(::GetCurrentProcessId()) + L".new");
    SIMPHONEBOOKENTRY record = EntryRecord(L"1", L"a");
    EXPECT_EQ(SimWritePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 3, &record), SIM_E_SIMFAILURE);
    EXPECT_EQ(CardOnDisk(device), card);
}

TEST(SimManagerTest, ChangesOfOthersAreSeenAtOnce)
{
    TempDevice device;
    SimCard card = SmallCard();
    device.WriteSim(FormatSimCard(card));
    OpenSim sim;
    EXPECT_STREQ(ReadBack(sim.Get(), SIM_PBSTORAGE_SIM, 5).lpszText, L"Boris");
    // The same size, written at once: only the file's identity tells.
    card.Phonebook(GeneralStorage)->entries[5].name = L"Doris";
    device.WriteSim(FormatSimCard(card));
    EXPECT_STREQ(ReadBack(sim.Get(), SIM_PBSTORAGE_SIM, 5).lpszText, L"Doris");
    std::filesystem::remove(device.SimPath());
    ReadBack(sim.Get(), SIM_PBSTORAGE_SIM, 5, SIM_E_NOSIM);
}

TEST(SimManagerTest, ConcurrentWritersKeepEveryChange)
{
    TempDevice device;
    SimCard card = SmallCard();
    card.maxIndex = 80;
    card.Phonebook(GeneralStorage)->entries.clear();
    device.WriteSim(FormatSimCard(card));

    // Two handles, as two programs would have, writing alternate positions.
    const auto writer = [](DWORD first) {
        OpenSim sim;
        for (DWORD index = first; index <= 80; index += 2) {
            SIMPHONEBOOKENTRY record = EntryRecord(std::to_wstring(index), L"w" + std::to_wstring(first));
            EXPECT_EQ(SimWritePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, index, &record), S_OK);
        }
    };
    std::thread odd(writer, 1), even(writer, 2);
    odd.join();
    even.join();

    const SimCard onDisk = CardOnDisk(device);
    const auto& entries = onDisk.Phonebook(GeneralStorage)->entries;
    ASSERT_EQ(entries.size(), 80u);
    for (DWORD index = 1; index <= 80; ++index)
        EXPECT_EQ(entries.at(index).number, std::to_wstring(index));
}

TEST(SimManagerTest, AWriterKilledAtAnyMomentLeavesAWholeCard)
{
    TempDevice device;
    SimCard card = SmallCard();
    device.WriteSim(FormatSimCard(card));
    for (DWORD lifetime : {DWORD{0}, DWORD{15}, DWORD{40}, DWORD{90}}) {
        SCOPED_TRACE(lifetime);
        {
            ChildProcess writer(CommandBesideThisProgram(L"sim_probe.exe", L"churn 16"));
            ASSERT_EQ(writer.NextLine(30000).value_or(""), "ready");
            ::Sleep(lifetime);
            writer.Kill();
            writer.WaitForExit();
        }
        // Whatever the writer was doing, the file is a card with whole entries...
        const SimCard onDisk = CardOnDisk(device);
        for (const auto& [position, entry] : onDisk.Phonebook(GeneralStorage)->entries)
            EXPECT_TRUE(entry.name.starts_with(L"W") || entry.name == L"After" ||
                        entry == card.Phonebook(GeneralStorage)->entries.at(position))
                << position;
        // ...and the card mutex it may have held is free for the next writer.
        OpenSim sim;
        SIMPHONEBOOKENTRY record = EntryRecord(L"555", L"After");
        ASSERT_EQ(SimWritePhonebookEntry(sim.Get(), SIM_PBSTORAGE_SIM, 6, &record), S_OK);
        EXPECT_EQ(CardOnDisk(device).Phonebook(GeneralStorage)->entries.at(6).name, L"After");
    }
}

TEST(SimManagerTest, ProviderNameIsReadAsTheCardStoresIt)
{
    TempDevice device;
    SimCard card = SmallCard();
    device.WriteSim(FormatSimCard(card));
    OpenSim sim;

    BYTE data[80];
    std::memset(data, 0, sizeof data);
    DWORD read = 0;
    ASSERT_EQ(SimReadRecord(sim.Get(), EF_SPN, SIM_RECORDTYPE_TRANSPARENT, 0, data, sizeof data, &read), S_OK);
    ASSERT_EQ(read, 17u);
    const BYTE expected[17] = {3,    'N',  'e',  't',  'z',  0xE9, 0xFF, 0xFF, 0xFF,
                               0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(std::memcmp(data, expected, sizeof expected), 0);
    EXPECT_EQ(data[17], 0);

    EXPECT_EQ(SimReadRecord(sim.Get(), 0x6F3A, SIM_RECORDTYPE_TRANSPARENT, 0, data, sizeof data, &read),
              SIM_E_NOTFOUND);
    EXPECT_EQ(SimReadRecord(sim.Get(), EF_SPN, SIM_RECORDTYPE_TRANSPARENT, 0, data, 16, &read), SIM_E_INVALIDPARAMETER);
    EXPECT_EQ(SimReadRecord(sim.Get(), EF_SPN, SIM_RECORDTYPE_LINEAR, 0, data, sizeof data, &read),
              SIM_E_INVALIDPARAMETER);

    card.provider.clear();
    device.WriteSim(FormatSimCard(card));
    EXPECT_EQ(SimReadRecord(sim.Get(), EF_SPN, SIM_RECORDTYPE_TRANSPARENT, 0, data, sizeof data, &read),
              SIM_E_NOTFOUND);
}
