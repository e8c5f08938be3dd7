// Checking and editing a device profile file for the vellumate tool. The
// platform's own parser (platform/DeviceProfile.h) judges every file and every
// edit: the editor only finds the lines to change, so the keys, ranges and
// defaults the programs obey are the only ones there are.
#pragma once

#include "platform/DeviceProfile.h"

#include <string>
#include <string_view>
#include <vector>

namespace vellumate::profiletool {

struct CheckedProblem {
    bool blocksEditing = false;  // the file's lines cannot be told apart safely
    int line = 0;                // 1-based; 0 for the file as a whole
    std::wstring text;
};

// What the platform finds wrong with the file, by line (the whole file first).
// A problem blocks editing when the line it is on is not a setting under a
// section, or names a card no folder can have, or the file is no profile text.
std::vector<CheckedProblem> CheckProfile(std::string_view bytes);

struct ProfileEdit {
    std::wstring section;  // "power", "card:Storage Card"
    std::wstring key;
    std::wstring value;
};

struct EditOutcome {
    std::string bytes;                   // the edited file; meaningful when refusals is empty
    std::vector<std::wstring> refusals;  // why the file must stay as it is
};

// Applies the edits: a setting that exists is changed where it stands (in
// every section of that name), a new one goes after the last setting of its
// section, a new section at the end. Comments, blanks and line ends are kept.
// Refused when the file blocks editing, or when the edited file would give the
// platform a problem it did not have (a value out of range, free above size).
EditOutcome EditProfile(std::string_view bytes, const std::vector<ProfileEdit>& edits);

// Whether the platform takes `name` as a card's folder name exactly as given.
bool IsCardName(std::wstring_view name);

// UTF-8 and the UTF-16 units the platform keeps its text in.
std::wstring WideFromUtf8(std::string_view bytes);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace vellumate::profiletool
