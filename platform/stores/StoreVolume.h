// What the store generator and the scan need of a mounted database volume:
// whole databases read in record order, records appended in batches,
// databases made and dropped. Two kinds of volume provide it: the platform's
// database functions on the handset (CeStoreVolume) and the volume's portable
// core on the host, so that the tool fills and shows stores without Wine and
// the handset's tests check the same code over the real interface.
//
// Portable C++ without Win32.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vellumate::stores {

// A property's value: an unsigned number, a file time, or a string.
struct FileTimeValue {
    std::uint64_t ticks = 0;
    bool operator==(const FileTimeValue&) const = default;
};
using PropValue = std::variant<std::uint32_t, FileTimeValue, std::wstring>;

struct Prop {
    std::uint32_t id = 0;
    PropValue value;
    bool operator==(const Prop&) const = default;
};
using Record = std::vector<Prop>;

// The property of that id, or nullptr.
const Prop* FindProp(const Record& record, std::uint32_t id) noexcept;
// The number of that id, or nothing (no such property, or not a number).
std::optional<std::uint32_t> NumberProp(const Record& record, std::uint32_t id) noexcept;
// The text of that id, or nothing.
const std::wstring* TextProp(const Record& record, std::uint32_t id) noexcept;

// What a record measures on the handset: the buffer that reading all its
// properties fills (one 24-byte property value each, plus each string's
// UTF-16 bytes with the terminator).
inline constexpr std::uint32_t PropValueBytes = 24;
std::uint32_t RecordBytes(const Record& record) noexcept;

struct StoredRecord {
    std::uint32_t oid = 0;
    std::uint32_t bytes = 0;  // as the volume measures it
    Record props;
};

class StoreVolume {
public:
    virtual ~StoreVolume() = default;

    // The database's records in order; nothing when there is no database of
    // that name (or it cannot be read).
    virtual std::optional<std::vector<StoredRecord>> ReadDatabase(std::wstring_view name) = 0;
    // The database's record count and size (the sum of its records' sizes
    // plus what an empty database measures); nothing when there is none.
    struct Usage {
        std::uint32_t records = 0;
        std::uint32_t bytes = 0;
    };
    virtual std::optional<Usage> DatabaseUsage(std::wstring_view name) = 0;
    // What an empty database measures in this volume.
    virtual std::optional<std::uint32_t> EmptyDatabaseBytes() = 0;
    // Drops the database when there is one, and makes it empty again.
    virtual bool RecreateDatabase(std::wstring_view name) = 0;
    // Appends the records to the database, in order; false (with the
    // platform's reason in LastError) when one could not be written.
    virtual bool Append(std::wstring_view name, const std::vector<Record>& records) = 0;

    const std::string& LastError() const noexcept { return m_lastError; }

protected:
    std::string m_lastError;
};

}  // namespace vellumate::stores
