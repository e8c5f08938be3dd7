// The volume file: a 16-byte header, then entries appended one after another,
// each [length u32][CRC-32 u32][payload], the CRC taken over the length field
// and the payload. All numbers little-endian. A payload is one change:
//
//   1 create database   oid, type, flags, sort orders (count u8; propid, flags), name
//   2 delete database   oid
//   3 put record        database oid, record oid, properties (count u16; each
//                       propid, then its value: u16, u32, u64, or count u32 and
//                       UTF-16 units / bytes)
//   4 delete record     database oid, record oid
//   5 next oid          the oid the volume hands out next, and a token that makes
//                       the rewritten file's first bytes its own (its first entry)
//   6 moved             the same token: the volume was rewritten into a new file;
//                       read the file at the volume's name (when that is still
//                       this one, the rename did not happen: read on)
//
// Strings are a u16 count of UTF-16 units. Portable C++: no Win32.
#pragma once

#include "platform/database/VolumeFiles.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vellumate::database {

// Value types: the low word of a property id.
enum ValueType : std::uint16_t {
    TypeI2 = 2,
    TypeUI2 = 18,
    TypeI4 = 3,
    TypeUI4 = 19,
    TypeFileTime = 64,
    TypeText = 31,
    TypeBlob = 65,
    TypeBool = 11,
    TypeR8 = 5,
};
bool IsValueType(std::uint16_t type) noexcept;

struct Property {
    std::uint32_t id = 0;             // property number << 16 | value type
    std::uint64_t bits = 0;           // numbers and booleans (their unsigned pattern), doubles, file times
    std::u16string text;              // TypeText
    std::vector<std::uint8_t> bytes;  // TypeBlob

    std::uint16_t Type() const noexcept { return static_cast<std::uint16_t>(id & 0xFFFF); }
    bool operator==(const Property&) const = default;
};
using PropertySet = std::vector<Property>;

// What the platform reports as sizes: per property one CEPROPVAL of the
// 64-bit platform, plus a string's bytes with its terminator, plus a blob's bytes.
inline constexpr std::uint32_t PropertyEntrySize = 24;
inline constexpr std::uint32_t DatabaseOverhead = 128;
std::uint32_t PropertyDataSize(const Property& property) noexcept;  // without the entry
std::uint32_t RecordSize(const PropertySet& properties) noexcept;

// Limits a write is checked against.
inline constexpr std::uint32_t MaxPropertyData = 4092 * 16;
inline constexpr std::uint32_t MaxRecordSize = 128 * 1024;
inline constexpr std::size_t MaxNameLength = 31;
inline constexpr std::size_t MaxSortOrders = 4;
inline constexpr std::uint32_t MaxEntrySize = 1u << 20;

inline constexpr std::size_t HeaderSize = 16;
inline constexpr std::size_t EntryFrameSize = 8;
std::vector<std::uint8_t> VolumeHeader();
// The header is whole, or the file is empty or a cut-off header (a volume
// whose creation was interrupted, which holds nothing).
enum class HeaderState { Valid, Unwritten, Foreign };
HeaderState CheckHeader(std::span<const std::uint8_t> start) noexcept;

struct SortSpec {
    std::uint32_t propid = 0;
    std::uint32_t flags = 0;
    bool operator==(const SortSpec&) const = default;
};

enum class EntryKind : std::uint8_t {
    CreateDatabase = 1,
    DeleteDatabase = 2,
    PutRecord = 3,
    DeleteRecord = 4,
    NextOid = 5,
    Moved = 6,
};

struct Entry {
    EntryKind kind = EntryKind::NextOid;
    std::uint32_t database = 0;  // its oid (or the next oid for NextOid)
    std::uint32_t record = 0;
    std::uint32_t type = 0;
    std::uint32_t flags = 0;
    std::uint64_t token = 0;  // NextOid, Moved
    std::vector<SortSpec> sorts;
    std::u16string name;
    PropertySet properties;
};

// One framed entry, ready to append.
std::vector<std::uint8_t> EncodeEntry(const Entry& entry);
void AppendEncodedEntry(std::vector<std::uint8_t>& out, const Entry& entry);

// Reads the entry framed at `at`. nullopt when the bytes there are no whole,
// intact entry; `size` then is unset.
std::optional<Entry> DecodeEntryAt(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t& size);

// After a bad entry at `at`: whether an intact entry starts anywhere later,
// which tells damage inside the journal from a torn tail.
bool IntactEntryAfter(std::span<const std::uint8_t> bytes, std::size_t at) noexcept;

}  // namespace vellumate::database
