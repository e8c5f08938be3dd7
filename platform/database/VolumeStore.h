// One mounted database volume: its journal replayed into memory (databases by
// oid and by name, records in the order they were written, an index per
// property that has been sought), kept up to date with what other processes
// append, and changed only by durable appends.
//
// Every change takes the volume's lock, reads what others appended since, is
// checked against that state, appended with its checksum, synced, and only
// then applied in memory. A torn entry at the journal's end (a writer killed
// half-way) is ignored and cut off before the next append; damage before the
// end makes the volume refuse to mount, leaving the file as it is. When most
// of the file is garbage the volume is rewritten into a side file, which
// takes the journal's place in one rename.
//
// Portable C++ over VolumeFiles; not thread-safe (the platform's functions
// hold a lock of their own around every call).
#pragma once

#include "platform/database/VolumeFiles.h"
#include "platform/database/VolumeJournal.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vellumate::database {

using Oid = std::uint32_t;

enum class MountMode { CreateNew, CreateAlways, OpenExisting, OpenAlways, TruncateExisting };

struct DatabaseInfo {
    Oid oid = 0;
    std::u16string name;
    std::uint32_t type = 0;
    std::uint32_t flags = 0;
    std::vector<SortSpec> sorts;
    std::uint32_t recordCount = 0;
    std::uint64_t size = 0;  // DatabaseOverhead plus its records' sizes
};

struct Record {
    Oid oid = 0;
    PropertySet properties;
    std::uint32_t size = 0;  // RecordSize(properties)
};

// One change of a record's property: a new value, or its removal.
struct PropertyChange {
    Property value;
    bool remove = false;
};

// Where a reader stands in one database.
struct Cursor {
    Oid database = 0;
    std::uint64_t position = 1;  // the next record read is the first at or after this sequence
    std::uint64_t anchor = 0;    // the record last sought or read: next-equal seeks start after it
};

enum class SeekKind { Oid, Beginning, Current, End, FirstEqual, NextEqual };

// Compares without regard to case, as database names are (ASCII, Latin-1,
// Greek and Cyrillic letters).
bool SameName(std::u16string_view a, std::u16string_view b) noexcept;

class VolumeStore {
public:
    struct Options {
        std::uint64_t compactMinBytes = 64 * 1024;  // never rewrite a file smaller than this
        bool sync = true;                           // flush every append to the disk
    };

    // Mounts through `files`, which the store keeps.
    static DbStatus Mount(std::unique_ptr<VolumeFiles> files, MountMode mode, const Options& options,
                          std::unique_ptr<VolumeStore>& store);
    ~VolumeStore();
    VolumeStore(const VolumeStore&) = delete;
    VolumeStore& operator=(const VolumeStore&) = delete;

    // Takes in what other processes appended. Cheap when nothing changed.
    DbStatus Refresh();

    // ---- databases
    std::vector<Oid> Databases(std::uint32_t type = 0) const;  // in creation order; 0: every type
    DbStatus FindDatabase(std::u16string_view name, Oid& oid) const;
    DbStatus GetDatabase(Oid oid, DatabaseInfo& info) const;
    DbStatus CreateDatabase(const DatabaseInfo& wanted, Oid& oid);  // name, type, flags, sorts
    DbStatus DeleteDatabase(Oid oid);

    // ---- records
    // Writes a new record (oid 0) or changes one; `written` receives its oid.
    DbStatus WriteRecord(Oid database, Oid record, const std::vector<PropertyChange>& changes, Oid& written);
    DbStatus DeleteRecord(Oid database, Oid record);
    DbStatus RecordDatabase(Oid record, Oid& database) const;

    // Moves the cursor; `found` receives the record there. `count` is a record
    // count (Beginning, Current, End) or an oid; `value` the property of the
    // value seeks. NoMoreItems leaves the cursor past the last record.
    DbStatus Seek(Cursor& cursor, SeekKind kind, std::int64_t count, const Property* value, Oid& found,
                  std::uint32_t* index = nullptr);
    // The record at the cursor, moving past it when `advance`. The pointer
    // lives until the next call that changes or refreshes the store.
    DbStatus Read(Cursor& cursor, bool advance, const Record*& record);

    // The oid the next created database or record gets.
    Oid NextOid() const noexcept { return m_nextOid; }
    // The journal's intact length and the bytes its live entries take.
    std::uint64_t JournalBytes() const noexcept { return m_validEnd; }
    std::uint64_t LiveBytes() const noexcept;

private:
    struct Index;
    struct Database;

    VolumeStore(std::unique_ptr<VolumeFiles> files, const Options& options);

    DbStatus Load(MountMode mode);
    DbStatus Replay(std::uint64_t from, bool mayCut, bool& moved);
    DbStatus ReadOn(bool mayCut);
    void Clear();
    DbStatus RefreshLocked(bool mayCut);
    DbStatus Commit(const Entry& entry);
    void Apply(const Entry& entry, std::size_t bytes);
    void MaybeCompact();
    DbStatus Compact();
    Database* Find(Oid database) noexcept;
    const Database* Find(Oid database) const noexcept;

    std::unique_ptr<VolumeFiles> m_files;
    std::unique_ptr<JournalFile> m_file;
    Options m_options;
    std::uint64_t m_validEnd = 0;  // the intact journal, header included; 0 before the header is written
    std::uint64_t m_seenSize = 0;  // the file's size when it was last read
    Oid m_nextOid = 1;
    std::map<Oid, std::unique_ptr<Database>> m_databases;
    std::unordered_map<Oid, Oid> m_recordDatabase;
    std::uint64_t m_liveEntryBytes = 0;
};

}  // namespace vellumate::database
