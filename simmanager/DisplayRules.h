// Display rules: templates that lay numbers out on screen ("xxx-xxxx" shows
// 5550100 as 555-0100) without changing what is stored.
#pragma once

#include "simmanager/SimMessages.h"

#include "framework/String.h"
#include "framework/StringArray.h"

#include <vector>

class DisplayRule {
public:
    explicit DisplayRule(const wchar_t* text);

    const String& Text() const noexcept { return m_text; }
    int Length() const noexcept { return m_text.Length(); }
    // Template characters that are not layout characters "()-#*pw".
    int PlaceholderCount() const noexcept { return m_placeholders; }

    // The laid-out number, when the rule fits it: as many characters as
    // placeholders, "x"/"X" taking any, other placeholders their own.
    bool Apply(const wchar_t* number, String& shown) const;

private:
    String m_text;
    int m_placeholders = 0;
};

class DisplayRuleList {
public:
    static constexpr int MaxRules = 32;
    static constexpr int MaxScan = 1024;

    // Replaces the list with the strings of a multi-string of `characters`
    // characters: at most 1024 are scanned, an empty string (the double
    // terminator) ends it, nothing past the buffer is read. Every rule after
    // the 32nd is dropped with error 40171.
    void Parse(const wchar_t* multiString, int characters, SimMessages& messages);
    void Clear() noexcept { m_rules.clear(); }

    int Count() const noexcept { return static_cast<int>(m_rules.size()); }
    const DisplayRule& Rule(int index) const noexcept { return m_rules[index]; }
    StringArray Texts() const;

    // The number as the first fitting rule lays it out, else unchanged.
    String Apply(const wchar_t* number) const;

private:
    std::vector<DisplayRule> m_rules;
};
