// The handset keys by the names the session tool uses, and the keystrokes
// they stand for.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumate {

struct KeyStroke {
    enum class Kind { VirtualKey, Character };
    Kind kind;
    WORD code;  // a virtual key, or a UTF-16 unit typed as it is

    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

// The virtual key of a handset key name ("up", "soft1", "star", "7", ...),
// without regard to case; nothing for an unknown name.
std::optional<WORD> HandsetKey(std::wstring_view name);

struct KeyParseResult {
    std::vector<KeyStroke> strokes;
    std::wstring unknownName;  // set when a name was not understood
};

// Turns the arguments of `press` into keystrokes: key names, and
// "text:WORDS" whose characters are typed one by one. Any unknown name makes
// the whole list invalid, so that nothing half-done is sent.
KeyParseResult ParseKeys(const std::vector<std::wstring>& arguments);

}  // namespace vellumate
