// What the profile tool prints for the vellumate tool to read: tab-separated
// lines in UTF-8, one fact a line, with the values the programs see.
#pragma once

#include "platform/DeviceProfile.h"
#include "platform/profiletool/ProfileEditor.h"

#include <string>
#include <vector>

namespace vellumate::profiletool {

// "S" (blocks editing) or "V" (a value the programs ignore), the line and the
// text: "V<TAB>12<TAB>[power] main_flag must be 0 to 255, not 300".
std::string DescribeProblems(const std::vector<CheckedProblem>& problems);

// "SECTION.KEY<TAB>VALUE" for every value of the fixed sections, then each card
// as DescribeCard gives it.
std::string DescribeProfile(const DeviceProfile& profile);

// "card<TAB>NAME<TAB>inserted|removed<TAB>SIZE<TAB>FREE".
std::string DescribeCard(const CardProfile& card);

}  // namespace vellumate::profiletool
