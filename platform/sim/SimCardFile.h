// The handset's SIM card as a file of the device folder ("sim.txt"): what the
// card holds, and its text form, which a person can read and edit.
//
//   # comment lines at the top are kept when the card is written again
//   [card]
//   present=yes                 yes | no (no card in the handset)
//   radio=on                    on | off
//   min_index=1                 the first position of every phonebook
//   max_index=250               the last position of the general phonebook
//   number_length=40            characters of a number
//   name_length=16              characters of a name
//   provider=Vellum Mobile      the service provider name (Latin-1, 16 at most)
//   provider_display=1          the display byte stored before it
//
//   [phonebook:16]              one section per storage: 1, 2, 4, 8, 16
//   size=5                      positions of a storage other than 16
//   faulty=7,9                  positions whose changes fail, as on a broken card
//   1<TAB>+441632960001<TAB>1<TAB>Anna /m       position, number, address type, name
//
//   end 42 1c291ca3             entries in all, CRC-32 of every byte before
//
// The end line is how a truncated or damaged file is told from a card: a file
// without it, or whose checksum or count do not match, is no card at all.
// Comments elsewhere (lines beginning with '#' or ';') are read over and not
// written back.
//
// Portable C++ without Win32, so that the host's tool shares it; text is kept
// as UTF-16 code units in wchar_t on every system, as the platform counts it.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vellumate::sim {

// Storage codes, one bit each, in the order the card keeps them.
inline constexpr std::array<std::uint32_t, 5> StorageCodes{1, 2, 4, 8, 16};
inline constexpr std::uint32_t GeneralStorage = 16;

// Ranges the file may describe: what a card's 256-character records and a
// realistic card can hold.
inline constexpr std::uint32_t MaxTextLength = 255;
inline constexpr std::uint32_t MaxPositions = 10000;
inline constexpr std::uint32_t MaxIndex = 65535;
inline constexpr std::size_t MaxProviderLength = 16;
inline constexpr std::uint32_t MaxAddressType = 6;
inline constexpr std::size_t MaxCardFileBytes = 4u << 20;

struct SimEntry {
    std::wstring number;
    std::uint32_t addressType = 2;  // 1 international ("+..."), 2 national
    std::wstring name;

    bool operator==(const SimEntry&) const = default;
};

struct SimPhonebook {
    std::uint32_t size = 0;  // positions; the general phonebook's follow from the index range
    std::map<std::uint32_t, SimEntry> entries;
    std::set<std::uint32_t> faulty;

    bool operator==(const SimPhonebook&) const = default;
};

struct SimCard {
    std::vector<std::wstring> notes;  // the comment lines at the top, verbatim
    bool present = true;
    bool radioOn = true;
    std::uint32_t minIndex = 1;
    std::uint32_t maxIndex = 250;
    std::uint32_t maxNumberLength = 40;
    std::uint32_t maxNameLength = 16;
    std::wstring provider;
    std::uint32_t providerDisplay = 0;
    std::array<SimPhonebook, StorageCodes.size()> phonebooks;

    bool operator==(const SimCard&) const = default;

    // The phonebook of a storage code, or nullptr for a code that is none.
    SimPhonebook* Phonebook(std::uint32_t storage) noexcept;
    const SimPhonebook* Phonebook(std::uint32_t storage) const noexcept;
    // Positions of a storage: minIndex to minIndex + PositionCount - 1.
    std::uint32_t PositionCount(std::uint32_t storage) const noexcept;
    bool HasPosition(std::uint32_t storage, std::uint32_t position) const noexcept;
    std::size_t EntryCount() const noexcept;
};

// Why an entry cannot be stored on a card.
enum class EntryFault {
    None,
    Empty,           // neither number nor name
    NumberTooLong,   // more characters than the card's number length
    NameTooLong,     // more characters than the card's name length
    BadNumber,       // characters outside 0-9 + # * p w, or a '+' not first
    BadName,         // control characters, or no valid UTF-16
    BadAddressType,  // not 0 to 6
};
EntryFault CheckEntry(const SimCard& card, const SimEntry& entry) noexcept;
// What the fault means to a person ("the name is longer than 16 characters").
std::wstring DescribeEntryFault(const SimCard& card, EntryFault fault);

// Digits, '#', '*', 'p' (pause) and 'w' (wait), with an optional leading '+'.
bool IsDialString(std::wstring_view number) noexcept;

struct SimProblem {
    int line = 0;  // 1-based; 0 for the file as a whole
    std::wstring text;
};

struct SimCardReading {
    std::optional<SimCard> card;  // empty when `problem` says why
    SimProblem problem;
};

enum class SealCheck { Require, Ignore };

// Reads a card file (UTF-8, CRLF or LF line ends). Never throws; the first
// problem found makes the whole file no card. With SealCheck::Ignore the end
// line may be missing or stale (for sealing a hand-edited file).
SimCardReading ParseSimCard(std::string_view bytes, SealCheck seal = SealCheck::Require) noexcept;

// The card's text, sealed with its end line. The card must pass CheckSimCard.
std::string FormatSimCard(const SimCard& card);

// Whether the card's values can be written as they are: limits, ranges,
// entries within their phonebooks and their lengths.
std::optional<std::wstring> CheckSimCard(const SimCard& card);

// `bytes` without an end line, sealed with a new one (the layout as it is).
// The caller has checked the rest with SealCheck::Ignore.
std::string SealSimCardText(std::string_view bytes, std::size_t entryCount);

// UTF-8 and UTF-16 of this format, strict both ways: nothing for invalid input.
std::optional<std::wstring> Utf16FromUtf8(std::string_view bytes);
std::optional<std::string> Utf8FromUtf16(std::wstring_view text);

std::uint32_t Crc32(std::string_view bytes) noexcept;

}  // namespace vellumate::sim
