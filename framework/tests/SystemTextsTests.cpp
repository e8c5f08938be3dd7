// The texts of the device information panels from the platform's numbers.
#include "framework/SystemTexts.h"

#include "framework/testsupport/StringPrinting.h"

#include <gtest/gtest.h>

namespace {

BatteryStateNames WithMedium(BatteryStateNames names)
{
    names[MediumBatteryState] = L"Medium";
    return names;
}

const BatteryStateNames Names = WithMedium(SplitBatteryStates(L" High | Low |Critical|Charging | No battery|Unknown "));

}  // namespace

TEST(SystemTexts, ProcessorAndSystemNames)
{
    const String unknown = L"?";
    EXPECT_EQ(ProcessorName(2577, unknown), String(L"ARM"));
    EXPECT_EQ(ProcessorName(1824, unknown), String(L"ARM 720"));
    EXPECT_EQ(ProcessorName(10005, unknown), String(L"SH4"));
    EXPECT_EQ(ProcessorName(12345, unknown), unknown);
    EXPECT_EQ(SystemName(3, 20, unknown), String(L"Windows CE"));
    EXPECT_EQ(SystemName(1, 10, unknown), String(L"Windows 98"));
    EXPECT_EQ(SystemName(1, 0, unknown), String(L"Windows 95"));
    EXPECT_EQ(SystemName(9, 0, unknown), unknown);
}

TEST(SystemTexts, VersionReadsTheMinorVersionAsTwoDigits)
{
    EXPECT_EQ(VersionNumberText(4, 2), String(L"4.20"));
    EXPECT_EQ(VersionNumberText(4, 20), String(L"4.20"));
    EXPECT_EQ(VersionNumberText(4, 0), String(L"4.00"));
    EXPECT_EQ(VersionNumberText(5, 1), String(L"5.10"));
    EXPECT_EQ(VersionNumberText(5, 21), String(L"5.21"));
}

TEST(SystemTexts, BatteryStatesWithTheirPercentage)
{
    EXPECT_EQ(Names[0], String(L"High"));
    EXPECT_EQ(Names[5], String(L"Unknown"));
    EXPECT_EQ(BatteryText(2, 5, Names), String(L"Low (05%)"));
    EXPECT_EQ(BatteryText(1, 100, Names), String(L"High (100%)"));
    EXPECT_EQ(BatteryText(128, 0, Names), String(L"No battery"));
    EXPECT_EQ(BatteryText(255, 50, Names), String(L"Unknown"));
    // High and charging together: charging; a percentage the platform does
    // not know is not shown.
    EXPECT_EQ(BatteryText(9, 80, Names), String(L"Charging (80%)"));
    EXPECT_EQ(BatteryText(4, 255, Names), String(L"Critical"));
    // Between low and high.
    EXPECT_EQ(BatteryText(0, 40, Names), String(L"Medium (40%)"));
    EXPECT_EQ(BatteryText(0, 40, SplitBatteryStates(L"H|L|C|Ch|N|U")), String(L"U (40%)"));
    // A resource text with fewer names leaves the rest empty.
    EXPECT_EQ(SplitBatteryStates(L"A|B")[2], String());
}

TEST(SystemTexts, MainVolumeIsTheFolderAboveThePersonalFolder)
{
    EXPECT_EQ(MainVolumeName(L"\\My Documents"), String());
    EXPECT_EQ(MainVolumeName(L"\\Storage\\My Documents"), String(L"Storage"));
    EXPECT_EQ(MainVolumeName(L"\\A\\Storage\\My Documents\\"), String(L"Storage"));
    EXPECT_EQ(MainVolumeName(L""), String());
}

TEST(SystemTexts, VolumeGroups)
{
    const VolumeSizes card{L"Storage Card", 1000, 400};
    const VolumeSizes other{L"SD Card", 2000, 2500};
    EXPECT_EQ(other.Used(), 0u);  // more free than total
    EXPECT_EQ(card.Used(), 600u);
    EXPECT_FALSE(IsShownVolume(L"release", 100));
    EXPECT_FALSE(IsShownVolume(L"Card", 0));
    EXPECT_TRUE(IsShownVolume(L"Card", 1));

    VolumeGroups none = ChooseVolumeGroups({}, L"");
    EXPECT_FALSE(none.first || none.second || none.secondUnknown);

    VolumeGroups one = ChooseVolumeGroups({card}, L"");
    EXPECT_EQ(one.first, 0u);
    EXPECT_FALSE(one.second);
    EXPECT_TRUE(one.secondUnknown);

    // The personal folder in the root: every volume matches, the first group
    // shows the last one.
    VolumeGroups root = ChooseVolumeGroups({card, other}, L"");
    EXPECT_EQ(root.first, 1u);
    EXPECT_EQ(root.second, 0u);
    // No later volume matches: in enumeration order.
    VolumeGroups plain = ChooseVolumeGroups({card, other, card}, L"Storage Card");
    EXPECT_EQ(plain.first, 2u);
    VolumeGroups firstOnly = ChooseVolumeGroups({card, other}, L"storage");
    EXPECT_EQ(firstOnly.first, 0u);
    EXPECT_EQ(firstOnly.second, 1u);
}

TEST(SystemTexts, MatchingVolumeFirstShowsTheMatchingVolumeItself)
{
    const VolumeSizes a{L"SD Card", 1000, 400};
    const VolumeSizes main{L"Storage", 2000, 500};
    const VolumeSizes b{L"Other", 3000, 100};
    // The main storage's own volume, wherever it stands, comes first.
    VolumeGroups groups = ChooseMatchingVolumeFirst({a, main, b}, L"storage");
    EXPECT_EQ(groups.first, 1u);
    EXPECT_EQ(groups.second, 0u);
    EXPECT_EQ(ChooseVolumeGroups({a, main, b}, L"storage").first, 2u);
    // Only the first matches: it fills both groups.
    groups = ChooseMatchingVolumeFirst({main, a, b}, L"Storage");
    EXPECT_EQ(groups.first, 0u);
    EXPECT_EQ(groups.second, 0u);
    // None matches: the first, then the last.
    groups = ChooseMatchingVolumeFirst({a, main, b}, L"Compact");
    EXPECT_EQ(groups.first, 0u);
    EXPECT_EQ(groups.second, 2u);
    groups = ChooseMatchingVolumeFirst({a}, L"");
    EXPECT_EQ(groups.first, 0u);
    EXPECT_TRUE(groups.secondUnknown);
}
