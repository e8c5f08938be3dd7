// The profile tool's checks and edits. Built twice: under Wine against the
// real Win32 text functions, and on the host against host/windows.h, so that
// both builds must agree on every case below.
#include "platform/profiletool/ProfileEditor.h"
#include "platform/profiletool/ProfileReport.h"

#include <gtest/gtest.h>

#include <string>

using namespace vellumate;
using namespace vellumate::profiletool;

namespace {

std::string Joined(const std::vector<std::wstring>& texts)
{
    std::string joined;
    for (const std::wstring& text : texts)
        joined += Utf8FromWide(text) + "\n";
    return joined;
}

// The problems as the tool prints them, for readable comparisons.
std::string Checked(const std::string& bytes)
{
    return DescribeProblems(CheckProfile(bytes));
}

}  // namespace

TEST(ProfileToolTest, EditsChangeOnlyTheirLinesAndReadBackThroughThePlatform)
{
    const std::string original = "; a handset\r\n"
                                 "[power]\r\n"
                                 "Main_Percent = 82\r\n"
                                 "ac=0\r\n"
                                 "[ Card: Storage Card ]\r\n"
                                 "free=1000\r\n"
                                 "size=4000\r\n"
                                 "\r\n"
                                 "[POWER]\r\n"
                                 "main_percent=90\r\n"
                                 "; the next section's comment\r\n"
                                 "[store]\r\n"
                                 "size=5000";  // no line end at the end
    const EditOutcome outcome = EditProfile(original, {{L"power", L"main_percent", L"5"},
                                                       {L"power", L"main_voltage", L"3440"},
                                                       {L"card:storage card", L"FREE", L"2000"},
                                                       {L"store", L"free", L"100"},
                                                       {L"card:SD Two", L"size", L"1073741824"},
                                                       {L"card:SD Two", L"free", L"1"},
                                                       {L"power", L"main_voltage", L"3480"}});
    ASSERT_EQ(Joined(outcome.refusals), "");
    EXPECT_EQ(outcome.bytes, "; a handset\r\n"
                             "[power]\r\n"
                             "Main_Percent =5\r\n"
                             "ac=0\r\n"
                             "[ Card: Storage Card ]\r\n"
                             "free=2000\r\n"
                             "size=4000\r\n"
                             "\r\n"
                             "[POWER]\r\n"
                             "main_percent=5\r\n"
                             "main_voltage=3480\r\n"
                             "; the next section's comment\r\n"
                             "[store]\r\n"
                             "size=5000\r\n"
                             "free=100\r\n"
                             "\r\n"
                             "[card:SD Two]\r\n"
                             "size=1073741824\r\n"
                             "free=1\r\n");

    const ProfileReading reading = ParseDeviceProfile(outcome.bytes);
    EXPECT_TRUE(reading.problems.empty());
    EXPECT_EQ(reading.profile.main.percent, 5);
    EXPECT_EQ(reading.profile.main.voltage, 3480u);
    EXPECT_EQ(reading.profile.storeFree, 100u);
    ASSERT_EQ(reading.profile.cards.size(), 2u);
    EXPECT_EQ(reading.profile.cards[0].free, 2000u);
    EXPECT_EQ(reading.profile.cards[1].name, L"SD Two");

    // Settings into an empty file start it without a blank line.
    EXPECT_EQ(EditProfile("", {{L"display", L"bits", L"24"}}).bytes, "[display]\nbits=24\n");
}

TEST(ProfileToolTest, RefusesEditsThePlatformWouldIgnoreAndKeepsOldFaults)
{
    const std::string original = "[power]\n"
                                 "main_flag=300\n"  // out of range already
                                 "colour=blue\n"    // unknown already
                                 "[store]\n"
                                 "size=100\n"
                                 "free=200\n";  // more than the size already
    const auto refusals = [&](std::vector<ProfileEdit> edits) { return Joined(EditProfile(original, edits).refusals); };

    EXPECT_EQ(refusals({{L"store", L"size", L"4294967296"}}), "[store] size must be 0 to 4294967295, not 4294967296\n");
    EXPECT_EQ(refusals({{L"power", L"main_percent", L"101"}}),
              "[power] main_percent must be 0 to 100, or 255 for unknown, not 101\n");
    EXPECT_EQ(refusals({{L"memory", L"total", L"10"}, {L"memory", L"available", L"11"}}),
              "[memory] available is more than total; taken as total\n");
    EXPECT_EQ(refusals({{L"power", L"main_flag", L"400"}}), "[power] main_flag must be 0 to 255, not 400\n");
    // Writing a fault again is a new fault, even where the file had it.
    EXPECT_EQ(refusals({{L"store", L"free", L"300"}}), "[store] free is more than size; taken as size\n");
    EXPECT_EQ(refusals({{L"card:a/b", L"size", L"1"}}), "not a valid card folder name: [card:a/b]\n");
    EXPECT_EQ(refusals({{L"power", L"ac", L"1\n[device]"}}), "a setting must fit on one line: ac\n");
    EXPECT_EQ(refusals({{L"power", L"a=b", L"1"}}), "a setting's name cannot hold '=': a=b\n");
    EXPECT_EQ(refusals({{L" ", L"ac", L"1"}}), "a setting needs a section and a name\n");
    EXPECT_TRUE(EditProfile(original, {{L"store", L"size", L"-1"}}).bytes.empty());

    // Old faults elsewhere do not stop an edit, and an edit may mend one.
    const EditOutcome mended = EditProfile(original, {{L"power", L"main_flag", L"2"}, {L"store", L"free", L"50"}});
    ASSERT_EQ(Joined(mended.refusals), "");
    EXPECT_EQ(Checked(mended.bytes), "V\t3\tunknown setting colour in [power]\n");
}

TEST(ProfileToolTest, ProblemsThatMakeLinesAmbiguousBlockEditing)
{
    const std::string damaged = "oem=outside\n"  // 1: before any section
                                "[memory]\n"
                                "available=20\n"  // 3: more than total, found at the end
                                "total=10\n"
                                "this line is junk\n"  // 5
                                "[cards]\n"            // 6: unknown, ignored
                                "[card:bad|name]\n"    // 7: no folder can have that name
                                "[display\n"           // 8: broken header
                                "[power]\n"
                                "main_flag=x\n";  // 10: not a number
    EXPECT_EQ(Checked(damaged), "S\t1\tsetting outside a section: oem\n"
                                "V\t3\t[memory] available is more than total; taken as total\n"
                                "S\t5\tnot a setting (expected name=value): this line is junk\n"
                                "V\t6\tunknown section [cards]\n"
                                "S\t7\tnot a valid card folder name: [card:bad|name]\n"
                                "S\t8\ta section header must end with ']': [display\n"
                                "V\t10\t[power] main_flag is not a number: x\n");
    EXPECT_EQ(Joined(EditProfile(damaged, {{L"power", L"ac", L"1"}}).refusals),
              "line 1: setting outside a section: oem\n"
              "line 5: not a setting (expected name=value): this line is junk\n"
              "line 7: not a valid card folder name: [card:bad|name]\n"
              "line 8: a section header must end with ']': [display\n");

    // A free figure left at its default, above the file's size: named on line 0, yet the lines are sound.
    EXPECT_EQ(Checked("[card:SD]\nsize=10\n"), "V\t0\t[card:SD] free is more than size; taken as size\n");

    const std::string notText("[device]\noem=A\0B\n", 17);
    EXPECT_EQ(Checked(notText), "S\t0\tthe file is not text\n");
    EXPECT_EQ(Joined(EditProfile(notText, {{L"power", L"ac", L"1"}}).refusals), "the file is not text\n");
}

TEST(ProfileToolTest, TextIsReadAsTheSameUnitsOnWindowsAndOnTheHost)
{
    // A card's name matches without regard to case beyond ASCII.
    const EditOutcome edited = EditProfile("[card:\xC3\x84mter]\nsize=10\n", {{L"card:\u00E4MTER", L"size", L"20"}});
    ASSERT_EQ(Joined(edited.refusals), "");
    EXPECT_EQ(edited.bytes, "[card:\xC3\x84mter]\nsize=20\n");

    // A character outside the basic plane is a pair of units, and comes out as it went in.
    const std::string phone = "\xF0\x9F\x93\xB1";
    EXPECT_EQ(WideFromUtf8(phone).size(), 2u);
    const std::string shown = DescribeProfile(ParseDeviceProfile("[device]\noem=" + phone + " Co\n").profile);
    EXPECT_EQ(shown.substr(0, shown.find('\n') + 1), "device.oem\t" + phone + " Co\n");

    for (const char* invalid : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82", "\xFF"})
        EXPECT_EQ(Checked(std::string("[device]\noem=") + invalid + "\n"), "S\t0\tthe file is not UTF-8 text\n")
            << "bytes " << invalid;

    for (const wchar_t* name : {L"SD Two", L"\u00C4mter", L"Odd]Name"})
        EXPECT_TRUE(IsCardName(name)) << Utf8FromWide(name);
    for (const wchar_t* name : {L"", L"a/b", L"x.", L"x ", L" x", L"a\nb", L".."})
        EXPECT_FALSE(IsCardName(name)) << Utf8FromWide(name);
}

TEST(ProfileToolTest, ValuesAreThoseTheProgramsSee)
{
    const ProfileReading reading =
        ParseDeviceProfile("[power]\nmain_temperature=-55\nbackup_flag=128\n"
                           "[card:SD]\nstate=removed\nsize=10\n");  // free keeps its default, cut to the size
    const std::string shown = DescribeProfile(reading.profile);
    EXPECT_NE(shown.find("\npower.main_temperature\t-55\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("\npower.backup_flag\t128\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("\nmemory.total\t33554432\n"), std::string::npos) << shown;
    EXPECT_TRUE(shown.ends_with("\ncard\tSD\tremoved\t10\t10\n")) << shown;
}
