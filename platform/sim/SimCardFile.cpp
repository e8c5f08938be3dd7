#include "platform/sim/SimCardFile.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <utility>

namespace vellumate::sim {
namespace {

constexpr std::size_t StorageSlot(std::uint32_t storage) noexcept
{
    for (std::size_t i = 0; i < StorageCodes.size(); ++i)
        if (StorageCodes[i] == storage)
            return i;
    return StorageCodes.size();
}

bool IsBlank(wchar_t c) noexcept
{
    return c == L' ' || c == L'\t';
}

std::wstring_view Trim(std::wstring_view text) noexcept
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool SameAscii(std::wstring_view a, std::wstring_view b) noexcept
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        wchar_t x = a[i], y = b[i];
        if (x >= L'A' && x <= L'Z')
            x = static_cast<wchar_t>(x - L'A' + L'a');
        if (y >= L'A' && y <= L'Z')
            y = static_cast<wchar_t>(y - L'A' + L'a');
        if (x != y)
            return false;
    }
    return true;
}

// Decimal digits only, at most the 32-bit range.
std::optional<std::uint32_t> ParseNumber(std::wstring_view text) noexcept
{
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    if (value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

std::wstring Decimal(std::uint64_t value)
{
    return std::to_wstring(value);
}

// Whether the text is valid UTF-16 without control characters: what a name,
// a note or the provider name may hold.
bool IsPrintableText(std::wstring_view text) noexcept
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<std::uint32_t>(text[i]);
        if (c < 0x20 || c == 0x7F || c > 0xFFFF)
            return false;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= text.size())
                return false;
            const auto next = static_cast<std::uint32_t>(text[i + 1]);
            if (next < 0xDC00 || next > 0xDFFF)
                return false;
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

// One code point from UTF-8, strictly: no overlong forms, no surrogates,
// nothing past U+10FFFF. The bytes taken, 0 for an invalid sequence.
std::size_t DecodePoint(std::string_view bytes, std::size_t at, char32_t& point) noexcept
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        point = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, point = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, point = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, point = lead & 0x07u;
    } else {
        return 0;
    }
    if (bytes.size() - at < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[at + i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        point = (point << 6) | (next & 0x3Fu);
    }
    if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return 0;
    return length;
}

void AppendPoint(std::string& out, char32_t point)
{
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

// UTF-8 of valid UTF-16; false at the first unpaired surrogate.
bool AppendUtf8(std::string& out, std::wstring_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        if (c > 0xFFFF)
            return false;  // not a UTF-16 unit
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= text.size())
                return false;
            const auto next = static_cast<char32_t>(text[i + 1]);
            if (next < 0xDC00 || next > 0xDFFF)
                return false;
            c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return false;
        }
        AppendPoint(out, c);
    }
    return true;
}

std::string Hex8(std::uint32_t value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(value));
    return text;
}

// Where the end line begins, or npos: the first line that is the word "end"
// or begins with "end ".
std::size_t FindEndLine(std::string_view bytes) noexcept
{
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t stop = bytes.find('\n', at);
        std::string_view line = bytes.substr(at, stop == std::string_view::npos ? std::string_view::npos : stop - at);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line == "end" || line.starts_with("end "))
            return at;
        if (stop == std::string_view::npos)
            break;
        at = stop + 1;
    }
    return std::string_view::npos;
}

// A value that breaks the card's rules, with what it belongs to so that the
// parser can name its line.
struct CardFault {
    std::wstring text;
    std::wstring key;            // a [card] key, or a phonebook's "size" or "faulty"
    std::uint32_t storage = 0;   // the phonebook, 0 for [card]
    std::optional<std::uint32_t> position;  // an entry of that phonebook
};

std::wstring SectionName(std::uint32_t storage)
{
    return L"[phonebook:" + Decimal(storage) + L"]";
}

std::optional<CardFault> FindCardFault(const SimCard& card)
{
    for (const std::wstring& note : card.notes)
        if (note.empty() || (note.front() != L'#' && note.front() != L';') || !IsPrintableText(note))
            return CardFault{L"a note must be one comment line beginning with '#' or ';'"};
    if (card.minIndex > MaxIndex)
        return CardFault{L"min_index must be at most " + Decimal(MaxIndex), L"min_index"};
    if (card.maxIndex > MaxIndex)
        return CardFault{L"max_index must be at most " + Decimal(MaxIndex), L"max_index"};
    if (card.maxIndex < card.minIndex)
        return CardFault{L"max_index must not be less than min_index", L"max_index"};
    if (card.maxIndex - card.minIndex + 1 > MaxPositions)
        return CardFault{L"the general phonebook may have at most " + Decimal(MaxPositions) + L" positions",
                         L"max_index"};
    if (card.maxNumberLength < 1 || card.maxNumberLength > MaxTextLength)
        return CardFault{L"number_length must be 1 to " + Decimal(MaxTextLength), L"number_length"};
    if (card.maxNameLength < 1 || card.maxNameLength > MaxTextLength)
        return CardFault{L"name_length must be 1 to " + Decimal(MaxTextLength), L"name_length"};
    if (card.provider.size() > MaxProviderLength)
        return CardFault{L"the provider name may have at most " + Decimal(MaxProviderLength) + L" characters",
                         L"provider"};
    if (Trim(card.provider) != card.provider || !IsPrintableText(card.provider) ||
        std::any_of(card.provider.begin(), card.provider.end(),
                    [](wchar_t c) { return static_cast<std::uint32_t>(c) > 0xFF; }))
        return CardFault{L"the provider name must be Latin-1 characters without blanks around them", L"provider"};
    if (card.providerDisplay > 0xFF)
        return CardFault{L"provider_display must be 0 to 255", L"provider_display"};

    for (std::uint32_t storage : StorageCodes) {
        const SimPhonebook& book = *card.Phonebook(storage);
        if (storage != GeneralStorage && book.size > MaxPositions)
            return CardFault{SectionName(storage) + L" may have at most " + Decimal(MaxPositions) + L" positions",
                             L"size", storage};
        if (storage == GeneralStorage && book.size != 0)
            return CardFault{L"the general phonebook's size is that of the index range", L"size", storage};
        for (std::uint32_t position : book.faulty)
            if (!card.HasPosition(storage, position))
                return CardFault{L"faulty position " + Decimal(position) + L" is not a position of " +
                                     SectionName(storage),
                                 L"faulty", storage};
        for (const auto& [position, entry] : book.entries) {
            if (!card.HasPosition(storage, position))
                return CardFault{L"position " + Decimal(position) + L" is outside " + SectionName(storage) +
                                     L" (positions " + Decimal(card.minIndex) + L" to " +
                                     Decimal(std::uint64_t{card.minIndex} + card.PositionCount(storage) - 1) + L")",
                                 {}, storage, position};
            if (const EntryFault fault = CheckEntry(card, entry); fault != EntryFault::None)
                return CardFault{L"position " + Decimal(position) + L": " + DescribeEntryFault(card, fault), {}, storage,
                                 position};
        }
    }
    return std::nullopt;
}

class Parser {
public:
    SimCardReading Run(std::string_view bytes, SealCheck seal)
    {
        if (bytes.size() > MaxCardFileBytes)
            return Fail(0, L"the file is too large to be a SIM card");
        if (bytes.find('\0') != std::string_view::npos)
            return Fail(0, L"the file is not text");

        std::string_view content = bytes;
        std::optional<std::pair<std::uint64_t, std::uint32_t>> sealed;  // count, checksum
        int endLine = 0;
        const std::size_t end = FindEndLine(bytes);
        if (end != std::string_view::npos) {
            content = bytes.substr(0, end);
            endLine = 1 + static_cast<int>(std::count(content.begin(), content.end(), '\n'));
            std::string_view rest = bytes.substr(end);
            const std::size_t stop = rest.find('\n');
            std::string_view line = rest.substr(0, stop);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            if (stop != std::string_view::npos &&
                rest.substr(stop + 1).find_first_not_of(" \t\r\n") != std::string_view::npos)
                return Fail(endLine + 1, L"there is text after the end line");
            sealed = ParseEndLine(line);
            if (!sealed && seal == SealCheck::Require)
                return Fail(endLine, L"the end line must be \"end COUNT CRC32\" (COUNT entries, 8 hex digits)");
        } else if (seal == SealCheck::Require) {
            const int lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
            return Fail(lines, L"the file has no end line: it is truncated, or not a SIM card file");
        }
        if (seal == SealCheck::Require && sealed->second != Crc32(content))
            return Fail(endLine, L"the checksum of the end line does not match the file: it is damaged, "
                                 L"or was changed without sealing it again");

        if (content.starts_with("\xEF\xBB\xBF"))
            content.remove_prefix(3);
        int number = 0;
        for (std::size_t at = 0; at < content.size();) {
            const std::size_t stop = content.find('\n', at);
            std::string_view line =
                content.substr(at, stop == std::string_view::npos ? std::string_view::npos : stop - at);
            at = stop == std::string_view::npos ? content.size() : stop + 1;
            ++number;
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            const std::optional<std::wstring> text = Utf16FromUtf8(line);
            if (!text)
                return Fail(number, L"the line is not UTF-8 text");
            if (!Line(number, *text))
                return std::move(m_reading);
        }
        if (const std::optional<CardFault> fault = FindCardFault(m_card))
            return Fail(LineOf(*fault), fault->text);
        if (seal == SealCheck::Require && sealed->first != m_card.EntryCount())
            return Fail(endLine, L"the end line counts " + Decimal(sealed->first) + L" entries, the file has " +
                                     Decimal(m_card.EntryCount()));
        m_reading.card = std::move(m_card);
        return std::move(m_reading);
    }

private:
    enum class Section { Top, Card, Phonebook };

    static std::optional<std::pair<std::uint64_t, std::uint32_t>> ParseEndLine(std::string_view line)
    {
        // "end COUNT CRC": single spaces, as written.
        line.remove_prefix(std::min<std::size_t>(4, line.size()));
        const std::size_t space = line.find(' ');
        if (space == std::string_view::npos || space == 0 || space > 10 || line.size() - space - 1 != 8)
            return std::nullopt;
        std::uint64_t count = 0;
        for (char c : line.substr(0, space)) {
            if (c < '0' || c > '9')
                return std::nullopt;
            count = count * 10 + static_cast<unsigned>(c - '0');
        }
        std::uint32_t crc = 0;
        for (char c : line.substr(space + 1)) {
            unsigned digit;
            if (c >= '0' && c <= '9')
                digit = static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                digit = static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                digit = static_cast<unsigned>(c - 'A' + 10);
            else
                return std::nullopt;
            crc = (crc << 4) | digit;
        }
        return std::pair{count, crc};
    }

    SimCardReading Fail(int line, std::wstring text)
    {
        m_reading.card.reset();
        m_reading.problem = {line, std::move(text)};
        return std::move(m_reading);
    }

    bool Problem(std::wstring text)
    {
        m_reading.problem = {m_line, std::move(text)};
        return false;
    }

    int LineOf(const CardFault& fault) const
    {
        if (fault.position) {
            const auto found = m_entryLines.find({fault.storage, *fault.position});
            return found == m_entryLines.end() ? 0 : found->second;
        }
        const auto found = m_keyLines.find({fault.storage, fault.key});
        if (found != m_keyLines.end())
            return found->second;
        const auto section = m_sectionLines.find(fault.storage);
        return section == m_sectionLines.end() ? 0 : section->second;
    }

    // False with the problem when the line is wrong.
    bool Line(int number, std::wstring_view raw)
    {
        m_line = number;
        std::wstring_view line = raw;
        while (!line.empty() && IsBlank(line.front()))
            line.remove_prefix(1);
        if (line.empty())
            return true;
        if (line.front() == L'#' || line.front() == L';') {
            if (m_section == Section::Top)
                m_card.notes.emplace_back(Trim(line));
            return true;
        }
        if (line.front() == L'[')
            return SectionLine(Trim(line));
        if (line.front() >= L'0' && line.front() <= L'9')
            return EntryLine(line);
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos)
            return Problem(L"not a setting (name=value) nor an entry: " + std::wstring(Trim(line)));
        return Setting(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
    }

    bool SectionLine(std::wstring_view line)
    {
        if (line.back() != L']')
            return Problem(L"a section header must end with ']'");
        const std::wstring_view name = Trim(line.substr(1, line.size() - 2));
        std::uint32_t storage = 0;
        if (SameAscii(name, L"card")) {
            m_section = Section::Card;
        } else if (name.size() > 10 && SameAscii(name.substr(0, 10), L"phonebook:")) {
            const std::optional<std::uint32_t> code = ParseNumber(Trim(name.substr(10)));
            if (!code || StorageSlot(*code) == StorageCodes.size())
                return Problem(L"a phonebook's storage is 1, 2, 4, 8 or 16: " + std::wstring(line));
            storage = *code;
            m_section = Section::Phonebook;
        } else {
            return Problem(L"not a section of a SIM card: " + std::wstring(line) +
                           L" (expected [card] or [phonebook:N])");
        }
        if (!m_sectionLines.emplace(storage, m_line).second)
            return Problem(L"the section " + std::wstring(line) + L" appears twice");
        m_storage = storage;
        return true;
    }

    bool Setting(std::wstring_view key, std::wstring_view value)
    {
        if (m_section == Section::Top)
            return Problem(L"a setting before the first section: " + std::wstring(key));
        std::wstring lower(key);
        for (wchar_t& c : lower)
            if (c >= L'A' && c <= L'Z')
                c = static_cast<wchar_t>(c - L'A' + L'a');
        if (!m_keyLines.emplace(std::pair{m_storage, lower}, m_line).second)
            return Problem(L"the setting " + lower + L" appears twice in its section");
        if (m_section == Section::Phonebook)
            return PhonebookSetting(lower, value);

        if (lower == L"present" || lower == L"radio") {
            const bool present = lower == L"present";
            const std::wstring_view yes = present ? L"yes" : L"on", no = present ? L"no" : L"off";
            bool& flag = present ? m_card.present : m_card.radioOn;
            if (SameAscii(value, yes))
                flag = true;
            else if (SameAscii(value, no))
                flag = false;
            else
                return Problem(lower + L" must be " + std::wstring(yes) + L" or " + std::wstring(no));
            return true;
        }
        if (lower == L"provider") {
            m_card.provider = value;
            return true;
        }
        std::uint32_t* target = nullptr;
        if (lower == L"min_index")
            target = &m_card.minIndex;
        else if (lower == L"max_index")
            target = &m_card.maxIndex;
        else if (lower == L"number_length")
            target = &m_card.maxNumberLength;
        else if (lower == L"name_length")
            target = &m_card.maxNameLength;
        else if (lower == L"provider_display")
            target = &m_card.providerDisplay;
        else
            return Problem(L"not a setting of [card]: " + lower);
        const std::optional<std::uint32_t> number = ParseNumber(value);
        if (!number)
            return Problem(lower + L" must be a decimal number, not \"" + std::wstring(value) + L"\"");
        *target = *number;
        return true;
    }

    bool PhonebookSetting(const std::wstring& key, std::wstring_view value)
    {
        SimPhonebook& book = *m_card.Phonebook(m_storage);
        if (key == L"size") {
            const std::optional<std::uint32_t> number = ParseNumber(value);
            if (!number)
                return Problem(L"size must be a decimal number, not \"" + std::wstring(value) + L"\"");
            book.size = *number;
            return true;
        }
        if (key != L"faulty")
            return Problem(L"not a setting of a phonebook: " + key);
        while (!value.empty()) {
            const std::size_t comma = value.find(L',');
            const std::wstring_view item = Trim(value.substr(0, comma));
            const std::optional<std::uint32_t> position = ParseNumber(item);
            if (!position)
                return Problem(L"faulty lists positions separated by commas, not \"" + std::wstring(item) + L"\"");
            book.faulty.insert(*position);
            value = comma == std::wstring_view::npos ? std::wstring_view() : value.substr(comma + 1);
        }
        return true;
    }

    bool EntryLine(std::wstring_view line)
    {
        if (m_section != Section::Phonebook)
            return Problem(L"an entry outside a [phonebook:N] section");
        std::array<std::wstring_view, 4> fields;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::size_t tab = i + 1 < fields.size() ? line.find(L'\t') : std::wstring_view::npos;
            if (i + 1 < fields.size() && tab == std::wstring_view::npos)
                return Problem(L"an entry is position, number, address type and name, separated by tabs");
            fields[i] = line.substr(0, tab);
            line = tab == std::wstring_view::npos ? std::wstring_view() : line.substr(tab + 1);
        }
        if (fields[3].find(L'\t') != std::wstring_view::npos)
            return Problem(L"an entry has four fields; a name cannot hold a tab");
        const std::optional<std::uint32_t> position = ParseNumber(fields[0]);
        if (!position)
            return Problem(L"an entry's position must be a decimal number, not \"" + std::wstring(fields[0]) + L"\"");
        const std::optional<std::uint32_t> type = ParseNumber(fields[2]);
        if (!type)
            return Problem(L"an entry's address type must be a decimal number, not \"" + std::wstring(fields[2]) +
                           L"\"");
        SimPhonebook& book = *m_card.Phonebook(m_storage);
        if (!book.entries.emplace(*position, SimEntry{std::wstring(fields[1]), *type, std::wstring(fields[3])}).second)
            return Problem(L"position " + Decimal(*position) + L" of " + SectionName(m_storage) + L" appears twice");
        m_entryLines.emplace(std::pair{m_storage, *position}, m_line);
        return true;
    }

    SimCardReading m_reading;
    SimCard m_card;
    Section m_section = Section::Top;
    std::uint32_t m_storage = 0;
    int m_line = 0;
    std::map<std::uint32_t, int> m_sectionLines;  // storage (0 for [card]) to line
    std::map<std::pair<std::uint32_t, std::wstring>, int> m_keyLines;
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> m_entryLines;
};

}  // namespace

SimPhonebook* SimCard::Phonebook(std::uint32_t storage) noexcept
{
    const std::size_t slot = StorageSlot(storage);
    return slot < phonebooks.size() ? &phonebooks[slot] : nullptr;
}

const SimPhonebook* SimCard::Phonebook(std::uint32_t storage) const noexcept
{
    const std::size_t slot = StorageSlot(storage);
    return slot < phonebooks.size() ? &phonebooks[slot] : nullptr;
}

std::uint32_t SimCard::PositionCount(std::uint32_t storage) const noexcept
{
    if (storage == GeneralStorage)
        return maxIndex >= minIndex ? maxIndex - minIndex + 1 : 0;
    const SimPhonebook* book = Phonebook(storage);
    return book ? book->size : 0;
}

bool SimCard::HasPosition(std::uint32_t storage, std::uint32_t position) const noexcept
{
    return position >= minIndex && std::uint64_t{position} - minIndex < PositionCount(storage);
}

std::size_t SimCard::EntryCount() const noexcept
{
    std::size_t count = 0;
    for (const SimPhonebook& book : phonebooks)
        count += book.entries.size();
    return count;
}

bool IsDialString(std::wstring_view number) noexcept
{
    for (std::size_t i = 0; i < number.size(); ++i) {
        const wchar_t c = number[i];
        if ((c >= L'0' && c <= L'9') || c == L'#' || c == L'*' || c == L'p' || c == L'w')
            continue;
        if (c == L'+' && i == 0)
            continue;
        return false;
    }
    return true;
}

EntryFault CheckEntry(const SimCard& card, const SimEntry& entry) noexcept
{
    if (entry.number.empty() && entry.name.empty())
        return EntryFault::Empty;
    if (entry.addressType > MaxAddressType)
        return EntryFault::BadAddressType;
    if (!IsDialString(entry.number))
        return EntryFault::BadNumber;
    if (entry.number.size() > card.maxNumberLength)
        return EntryFault::NumberTooLong;
    if (!IsPrintableText(entry.name))
        return EntryFault::BadName;
    if (entry.name.size() > card.maxNameLength)
        return EntryFault::NameTooLong;
    return EntryFault::None;
}

std::wstring DescribeEntryFault(const SimCard& card, EntryFault fault)
{
    switch (fault) {
    case EntryFault::None:
        return L"the entry can be stored";
    case EntryFault::Empty:
        return L"an entry needs a number or a name";
    case EntryFault::NumberTooLong:
        return L"the number is longer than " + Decimal(card.maxNumberLength) + L" characters";
    case EntryFault::NameTooLong:
        return L"the name is longer than " + Decimal(card.maxNameLength) + L" characters";
    case EntryFault::BadNumber:
        return L"a number holds only 0-9 # * p w, and '+' only first";
    case EntryFault::BadName:
        return L"a name cannot hold tabs, line ends or other control characters";
    case EntryFault::BadAddressType:
        return L"the address type must be 0 to " + Decimal(MaxAddressType);
    }
    return {};
}

SimCardReading ParseSimCard(std::string_view bytes, SealCheck seal) noexcept
{
    try {
        return Parser().Run(bytes, seal);
    } catch (...) {
        SimCardReading reading;
        reading.problem = {0, L"the file is too large to read"};
        return reading;
    }
}

std::optional<std::wstring> CheckSimCard(const SimCard& card)
{
    if (const std::optional<CardFault> fault = FindCardFault(card))
        return fault->text;
    return std::nullopt;
}

std::string FormatSimCard(const SimCard& card)
{
    std::string out;
    const auto text = [&out](std::wstring_view value) { AppendUtf8(out, value); };
    const auto number = [&out](std::uint64_t value) { out += std::to_string(value); };
    for (const std::wstring& note : card.notes) {
        text(note);
        out += '\n';
    }
    if (!card.notes.empty())
        out += '\n';
    out += "[card]\n";
    out += card.present ? "present=yes\n" : "present=no\n";
    out += card.radioOn ? "radio=on\n" : "radio=off\n";
    out += "min_index=", number(card.minIndex), out += '\n';
    out += "max_index=", number(card.maxIndex), out += '\n';
    out += "number_length=", number(card.maxNumberLength), out += '\n';
    out += "name_length=", number(card.maxNameLength), out += '\n';
    out += "provider=", text(card.provider), out += '\n';
    out += "provider_display=", number(card.providerDisplay), out += '\n';
    for (std::uint32_t storage : StorageCodes) {
        const SimPhonebook& book = *card.Phonebook(storage);
        out += "\n[phonebook:", number(storage), out += "]\n";
        if (storage != GeneralStorage)
            out += "size=", number(book.size), out += '\n';
        if (!book.faulty.empty()) {
            out += "faulty=";
            bool first = true;
            for (std::uint32_t position : book.faulty) {
                if (!std::exchange(first, false))
                    out += ',';
                number(position);
            }
            out += '\n';
        }
        for (const auto& [position, entry] : book.entries) {
            number(position), out += '\t', text(entry.number), out += '\t';
            number(entry.addressType), out += '\t', text(entry.name), out += '\n';
        }
    }
    out += '\n';
    return SealSimCardText(out, card.EntryCount());
}

std::string SealSimCardText(std::string_view bytes, std::size_t entryCount)
{
    std::string out(bytes.substr(0, FindEndLine(bytes)));
    if (!out.empty() && out.back() != '\n')
        out += '\n';
    const std::uint32_t crc = Crc32(out);
    out += "end " + std::to_string(entryCount) + " " + Hex8(crc) + "\n";
    return out;
}

std::optional<std::wstring> Utf16FromUtf8(std::string_view bytes)
{
    std::wstring text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        char32_t point = 0;
        const std::size_t taken = DecodePoint(bytes, at, point);
        if (taken == 0)
            return std::nullopt;
        at += taken;
        if (point >= 0x10000) {
            point -= 0x10000;
            text += static_cast<wchar_t>(0xD800 + (point >> 10));
            text += static_cast<wchar_t>(0xDC00 + (point & 0x3FF));
        } else {
            text += static_cast<wchar_t>(point);
        }
    }
    return text;
}

std::optional<std::string> Utf8FromUtf16(std::wstring_view text)
{
    std::string out;
    if (!AppendUtf8(out, text))
        return std::nullopt;
    return out;
}

std::uint32_t Crc32(std::string_view bytes) noexcept
{
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (char byte : bytes)
        crc = table[(crc ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

}  // namespace vellumate::sim
