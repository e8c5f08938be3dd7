// The applications the user never wants listed: "InvisApp.txt" beside the
// program, one identity path a line, in the system's 8-bit code page.
//
// Each line is trimmed of spaces, tabs and carriage returns at both ends;
// nothing else in it is interpreted. The last line needs no line feed. A line
// that cannot be a path is left out rather than guessed at: one longer than
// MaxHiddenEntryLength characters (cutting it would make it another path,
// which could hide an application the user never named), and one holding
// control characters other than tabs (a binary file).
#pragma once

#include "framework/String.h"

#include <string>
#include <string_view>
#include <vector>

inline constexpr wchar_t HiddenAppsFileName[] = L"InvisApp.txt";
// The longest entry kept, in characters: a path with its terminator fits
// MAX_PATH.
inline constexpr int MaxHiddenEntryLength = 259;
// More than this is not a list of paths; the rest of the file is not read.
inline constexpr std::size_t MaxHiddenFileBytes = 256 * 1024;

// What splitting the file's bytes found: the trimmed entries in file order
// and how many lines were left out for each reason (blank lines are simply
// not entries).
struct HiddenFileLines {
    std::vector<std::string> entries;
    int tooLong = 0;
    int notText = 0;
};

// Splits and trims the file's bytes. Lengths are judged in bytes here; an
// entry whose wide form is longer is left out when it is converted.
HiddenFileLines SplitHiddenLines(std::string_view bytes);

class HiddenList {
public:
    // The entries of the file's bytes, each converted from the system's
    // code page. Entries that do not convert are left out.
    static HiddenList FromBytes(std::string_view bytes);
    // The file at `path`; a missing or unreadable file is an empty list.
    static HiddenList FromFile(const std::wstring& path);

    void Add(const String& entry);
    // Whether `identityPath` equals an entry, without regard to case.
    bool Contains(const wchar_t* identityPath) const noexcept;

    int Count() const noexcept { return static_cast<int>(m_entries.size()); }
    // Last line first, as the file is read.
    const std::vector<String>& Entries() const noexcept { return m_entries; }
    // Lines of the file that were not taken (too long, not text, not
    // convertible).
    int Skipped() const noexcept { return m_skipped; }

private:
    std::vector<String> m_entries;
    int m_skipped = 0;
};

// "InvisApp.txt" in the folder of the module `module` (null: the program).
std::wstring HiddenAppsPathBeside(void* module);
