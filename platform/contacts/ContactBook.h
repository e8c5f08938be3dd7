// The handset's Contacts database as a file of the device folder
// ("contacts.txt"): its contacts with their properties, and its text form,
// which a person can read.
//
//   # comment lines at the top are kept when the file is written again
//   next_oid=43                    the number the next new contact gets
//   [contact 7]                    one section per contact, by its number
//   FirstName=Ann                  property=value, the contact's non-empty
//   MobileTelephoneNumber=(0161) 555-0101    properties only
//   Body=first line\nsecond        "\n", "\r", "\t" and "\\" stand for themselves
//   end 42 1c291ca3                contacts in all, CRC-32 of every byte before
//
// The end line tells a truncated or damaged file from a database: a file
// without it, or whose count or checksum do not match, is refused whole.
//
// Portable C++ without Win32, so that the host's tool shares it; text is kept
// as UTF-16 code units in wchar_t on every system, as the platform counts it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vellumate::contacts {

inline constexpr std::size_t MaxPropertyLength = 4096;
inline constexpr std::size_t MaxContacts = 20000;
inline constexpr std::size_t MaxContactsFileBytes = 16u << 20;
inline constexpr std::uint32_t MaxOid = 0x7FFFFFFF;

// Every property a contact has, by its name; the two dates hold the days
// since 30 December 1899 as a decimal number (the platform's DATE).
std::span<const std::wstring_view> ContactPropertyNames() noexcept;
// The property's name as the list spells it, found without regard to case.
std::optional<std::wstring_view> PropertyNamed(std::wstring_view name) noexcept;
bool IsDateProperty(std::wstring_view name) noexcept;

// Why a value cannot be a property's: empty when it can.
std::wstring CheckPropertyValue(std::wstring_view name, std::wstring_view value);

struct Contact {
    std::uint32_t oid = 0;                            // 0 until it is stored
    std::map<std::wstring, std::wstring> properties;  // non-empty values, by list name

    std::wstring Get(std::wstring_view name) const;
    // An empty value removes the property. `name` must be a list name.
    void Set(std::wstring_view name, std::wstring_view value);

    bool operator==(const Contact&) const = default;
};

struct ContactBook {
    std::vector<std::wstring> notes;  // the comment lines at the top, verbatim
    std::uint32_t nextOid = 1;
    std::vector<Contact> contacts;  // in the database's order

    Contact* Find(std::uint32_t oid) noexcept;
    const Contact* Find(std::uint32_t oid) const noexcept;
    // Stores a new contact (oid 0) under the next number, or replaces the
    // contact of its number (one deleted meanwhile comes back). False when the
    // database is full.
    bool Store(Contact& contact);
    bool Remove(std::uint32_t oid);

    bool operator==(const ContactBook&) const = default;
};

struct ContactsReading {
    std::optional<ContactBook> book;  // empty when `line` and `problem` say why
    int line = 0;                     // 1-based; 0 for the file as a whole
    std::wstring problem;
};

// Reads a contacts file (UTF-8, CRLF or LF line ends). Never throws; the first
// problem found makes the whole file no database.
ContactsReading ParseContactBook(std::string_view bytes) noexcept;

// The database's text, sealed with its end line.
std::string FormatContactBook(const ContactBook& book);

// A contact's name as a person reads it: first, middle and last name, else
// the filing name, else "(no name)".
std::wstring DisplayName(const Contact& contact);

}  // namespace vellumate::contacts
