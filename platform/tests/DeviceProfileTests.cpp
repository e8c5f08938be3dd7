#include "platform/DeviceProfile.h"
#include "platform/ProfileSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace vellumate;

namespace {

bool HasProblemOnLine(const ProfileReading& reading, int line)
{
    return std::any_of(reading.problems.begin(), reading.problems.end(),
                       [line](const ProfileProblem& problem) { return problem.line == line; });
}

}  // namespace

TEST(DeviceProfileTest, ShippedSampleProfileIsReadWithoutProblems)
{
    const ProfileReading reading = ReadDeviceProfileFile(VELLUMATE_SAMPLE_PROFILE);
    for (const ProfileProblem& problem : reading.problems)
        ADD_FAILURE() << "line " << problem.line << ": " << std::string(problem.text.begin(), problem.text.end());

    const DeviceProfile& profile = reading.profile;
    EXPECT_EQ(profile.oem, L"Vellumate VM-176 Reference Handset");
    EXPECT_EQ(profile.storeSize, 50331648u);
    EXPECT_EQ(profile.storeFree, 21495808u);
    EXPECT_EQ(profile.memoryTotal, 33554432u);
    EXPECT_EQ(profile.main.percent, 82);
    EXPECT_EQ(profile.main.temperature, 245u);
    ASSERT_EQ(profile.cards.size(), 1u);
    EXPECT_EQ(profile.cards[0].name, L"Storage Card");
    EXPECT_TRUE(profile.cards[0].inserted);
}

TEST(DeviceProfileTest, EmptyOrMissingProfileGivesAPlausibleHandset)
{
    const ProfileReading empty = ParseDeviceProfile("");
    EXPECT_TRUE(empty.problems.empty());
    const DeviceProfile& profile = empty.profile;
    EXPECT_FALSE(profile.oem.empty());
    EXPECT_EQ(profile.displayWidth, 176);
    EXPECT_EQ(profile.displayHeight, 220);
    EXPECT_GT(profile.storeSize, 0u);
    EXPECT_LE(profile.storeFree, profile.storeSize);
    EXPECT_GT(profile.memoryTotal, 0u);
    EXPECT_LE(profile.memoryAvailable, profile.memoryTotal);
    EXPECT_LE(profile.main.percent, 100);
    EXPECT_TRUE(profile.cards.empty());

    const ProfileReading missing = ReadDeviceProfileFile(L"Z:\\no\\such\\folder\\profile.ini");
    ASSERT_EQ(missing.problems.size(), 1u);
    EXPECT_EQ(missing.problems[0].line, 0);
    EXPECT_EQ(missing.profile.oem, profile.oem);
}

TEST(DeviceProfileTest, AcceptsBlanksCaseCommentsCrLfAndByteOrderMark)
{
    const ProfileReading reading = ParseDeviceProfile("\xEF\xBB\xBF; comment\r\n"
                                                      "# another\r\n"
                                                      "  [ Device ]  \r\n"
                                                      "  OEM =  Maker \xC3\xA9 Co  \r\n"
                                                      "Processor\t=\t4000\r\n"
                                                      "[power]\r\n"
                                                      "main_temperature=-55\r\n");
    EXPECT_TRUE(reading.problems.empty());
    EXPECT_EQ(reading.profile.oem, L"Maker \u00E9 Co");
    EXPECT_EQ(reading.profile.processorType, 4000u);
    EXPECT_EQ(static_cast<std::int32_t>(reading.profile.main.temperature), -55);
}

TEST(DeviceProfileTest, BadValuesKeepTheirDefaultsAndAreReportedByLine)
{
    const DeviceProfile defaults;
    const ProfileReading reading =
        ParseDeviceProfile("[power]\n"
                           "main_percent=eighty\n"  // 2: not a number
                           "main_flag=256\n"        // 3: out of range
                           "backup_percent=40\n"    // fine
                           "main_voltage=\n"        // 5: empty
                           "[store]\n"
                           "size=4294967296\n"  // 7: does not fit the record's 32 bits
                           "free=-1\n"          // 8: negative
                           "[memory]\n"
                           "total=99999999999999999999999\n"  // 10: overflow
                           "this line is no setting\n"        // 11
                           "[power]\n"
                           "backup_flag=200\n"     // any byte is a flag
                           "main_percent=101\n");  // 14: a percentage above 100 that does not mean unknown
    EXPECT_EQ(reading.profile.main.percent, defaults.main.percent);
    EXPECT_EQ(reading.profile.main.flag, defaults.main.flag);
    EXPECT_EQ(reading.profile.main.voltage, defaults.main.voltage);
    EXPECT_EQ(reading.profile.backup.percent, 40);
    EXPECT_EQ(reading.profile.storeSize, defaults.storeSize);
    EXPECT_EQ(reading.profile.storeFree, defaults.storeFree);
    EXPECT_EQ(reading.profile.memoryTotal, defaults.memoryTotal);
    EXPECT_EQ(reading.profile.backup.flag, 200);
    for (int line : {2, 3, 5, 7, 8, 10, 11, 14})
        EXPECT_TRUE(HasProblemOnLine(reading, line)) << "line " << line;
    EXPECT_EQ(reading.problems.size(), 8u);
}

TEST(DeviceProfileTest, UnknownSectionsAndSettingsAreReportedOnce)
{
    const ProfileReading reading = ParseDeviceProfile("oem=outside\n"  // 1: before any section
                                                      "[cards]\n"      // 2: unknown section
                                                      "Storage Card=inserted\n"
                                                      "Other=inserted\n"
                                                      "[device]\n"
                                                      "oem_text=typo\n"  // 6: unknown setting
                                                      "[display\n");     // 7: broken header
    EXPECT_EQ(reading.problems.size(), 4u);
    for (int line : {1, 2, 6, 7})
        EXPECT_TRUE(HasProblemOnLine(reading, line)) << "line " << line;
    EXPECT_TRUE(reading.profile.cards.empty());
}

TEST(DeviceProfileTest, FreeFiguresAboveTheirTotalsAreCutToTheTotal)
{
    const ProfileReading reading = ParseDeviceProfile("[store]\nfree=900\nsize=500\n"
                                                      "[memory]\ntotal=100\navailable=200\n"
                                                      "[card:SD]\nsize=10\nfree=11\n");
    EXPECT_EQ(reading.profile.storeFree, 500u);
    EXPECT_EQ(reading.profile.memoryAvailable, 100u);
    ASSERT_EQ(reading.profile.cards.size(), 1u);
    EXPECT_EQ(reading.profile.cards[0].free, 10u);
    EXPECT_TRUE(HasProblemOnLine(reading, 2));
    EXPECT_TRUE(HasProblemOnLine(reading, 6));
    EXPECT_TRUE(HasProblemOnLine(reading, 9));
}

TEST(DeviceProfileTest, CardsKeepFileOrderAndMergeSectionsOfOneName)
{
    const ProfileReading reading = ParseDeviceProfile("[card:Storage Card]\nstate=inserted\nsize=2000\nfree=1000\n"
                                                      "[card: Release ]\nstate=removed\n"
                                                      "[card:storage card]\nfree=500\n"
                                                      "[card:Odd]]Name]\nstate=inserted\n"
                                                      "[card:bad\\name]\nstate=inserted\n"  // 11: not a folder name
                                                      "[card:]\n"                           // 13
                                                      "[card:Broken]\nstate=ejected\n");    // 15: unknown state
    const auto& cards = reading.profile.cards;
    ASSERT_EQ(cards.size(), 4u);
    EXPECT_EQ(cards[0].name, L"Storage Card");
    EXPECT_EQ(cards[0].size, 2000u);
    EXPECT_EQ(cards[0].free, 500u);
    EXPECT_EQ(cards[1].name, L"Release");
    EXPECT_FALSE(cards[1].inserted);
    EXPECT_EQ(cards[2].name, L"Odd]]Name");
    EXPECT_EQ(cards[3].name, L"Broken");
    EXPECT_TRUE(cards[3].inserted);  // the default state stays
    EXPECT_EQ(reading.profile.FindCard(L"STORAGE CARD"), &cards[0]);
    EXPECT_EQ(reading.profile.FindCard(L"Storage"), nullptr);
    EXPECT_EQ(reading.problems.size(), 3u);
    for (int line : {11, 13, 15})
        EXPECT_TRUE(HasProblemOnLine(reading, line)) << "line " << line;
}

TEST(DeviceProfileTest, ContentThatIsNoTextGivesDefaultsAndOneProblem)
{
    const DeviceProfile defaults;
    for (const std::string& bytes : {std::string("[device]\noem=A\0B\n", 17), std::string("[device]\noem=\xC3\x28\n"),
                                     std::string(MaxProfileBytes + 1, 'x')}) {
        const ProfileReading reading = ParseDeviceProfile(bytes);
        ASSERT_EQ(reading.problems.size(), 1u);
        EXPECT_EQ(reading.problems[0].line, 0);
        EXPECT_EQ(reading.profile.oem, defaults.oem);
    }
}
