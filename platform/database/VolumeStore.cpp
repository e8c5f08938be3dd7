#include "platform/database/VolumeStore.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <limits>

namespace vellumate::database {

namespace {

constexpr std::uint64_t PastEnd = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint64_t MaxOidValue = std::numeric_limits<Oid>::max();

template <typename Map>
auto AtOrAfter(Map& records, std::uint64_t position)
{
    return position > MaxOidValue ? records.end() : records.lower_bound(static_cast<Oid>(position));
}

char16_t Fold(char16_t c) noexcept
{
    if (c >= u'a' && c <= u'z')
        return static_cast<char16_t>(c - 0x20);
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F))
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F)
        return static_cast<char16_t>(c - 0x50);
    return c;
}

// An index key: the value's type, then its bits, units or bytes.
std::string KeyOf(const Property& p)
{
    std::string key;
    key.push_back(static_cast<char>(p.Type() & 0xFF));
    key.push_back(static_cast<char>(p.Type() >> 8));
    if (p.Type() == TypeText) {
        for (char16_t unit : p.text) {
            key.push_back(static_cast<char>(unit & 0xFF));
            key.push_back(static_cast<char>(unit >> 8));
        }
    } else if (p.Type() == TypeBlob) {
        key.append(p.bytes.begin(), p.bytes.end());
    } else {
        for (int shift = 0; shift < 64; shift += 8)
            key.push_back(static_cast<char>(p.bits >> shift));
    }
    return key;
}

const Property* FindProperty(const PropertySet& set, std::uint32_t id) noexcept
{
    for (const auto& p : set)
        if (p.id == id)
            return &p;
    return nullptr;
}

class LockGuard {
public:
    explicit LockGuard(VolumeFiles& files) noexcept : m_files(files) { m_files.Lock(); }
    ~LockGuard() { m_files.Unlock(); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

private:
    VolumeFiles& m_files;
};

}  // namespace

bool SameName(std::u16string_view a, std::u16string_view b) noexcept
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i]))
            return false;
    return true;
}

// Records by property value, built on the first seek on that property and
// kept up to date from then on.
struct VolumeStore::Index {
    std::map<std::string, std::set<Oid>> byValue;

    void Add(const Record& r, std::uint32_t id)
    {
        if (const Property* p = FindProperty(r.properties, id))
            byValue[KeyOf(*p)].insert(r.oid);
    }
    void Remove(const Record& r, std::uint32_t id)
    {
        if (const Property* p = FindProperty(r.properties, id)) {
            auto it = byValue.find(KeyOf(*p));
            if (it != byValue.end()) {
                it->second.erase(r.oid);
                if (it->second.empty())
                    byValue.erase(it);
            }
        }
    }
};

// Records are kept by oid: oids only grow, so that is the order they were
// written in, and it survives a rewrite of the file.
struct VolumeStore::Database {
    DatabaseInfo info;  // recordCount and size are kept up to date below
    std::uint64_t dataSize = 0;
    std::map<Oid, Record> records;
    std::unordered_map<Oid, std::uint32_t> entryBytes;  // of each record's latest entry
    std::uint32_t ownBytes = 0;                         // of its create entry
    std::map<std::uint32_t, Index> indexes;

    Index& IndexFor(std::uint32_t id)
    {
        auto [it, added] = indexes.try_emplace(id);
        if (added)
            for (const auto& [oid, record] : records)
                it->second.Add(record, id);
        return it->second;
    }
    void Unindex(const Record& r)
    {
        for (auto& [id, index] : indexes)
            index.Remove(r, id);
    }
    void Reindex(const Record& r)
    {
        for (auto& [id, index] : indexes)
            index.Add(r, id);
    }
};

VolumeStore::VolumeStore(std::unique_ptr<VolumeFiles> files, const Options& options)
    : m_files(std::move(files)), m_options(options)
{
}

VolumeStore::~VolumeStore() = default;

DbStatus VolumeStore::Mount(std::unique_ptr<VolumeFiles> files, MountMode mode, const Options& options,
                            std::unique_ptr<VolumeStore>& store)
{
    if (!files)
        return DbStatus::InvalidParameter;
    std::unique_ptr<VolumeStore> mounted(new VolumeStore(std::move(files), options));
    const DbStatus status = mounted->Load(mode);
    if (status == DbStatus::Ok)
        store = std::move(mounted);
    return status;
}

DbStatus VolumeStore::Load(MountMode mode)
{
    LockGuard lock(*m_files);
    DbStatus status;
    switch (mode) {
    case MountMode::CreateNew:
        status = m_files->Open(false, m_file);
        if (status == DbStatus::Ok) {
            m_file.reset();
            return DbStatus::Exists;
        }
        if (status != DbStatus::NotFound)
            return status;
        status = m_files->Open(true, m_file);
        break;
    case MountMode::OpenExisting:
    case MountMode::TruncateExisting:
        status = m_files->Open(false, m_file);
        break;
    default:
        status = m_files->Open(true, m_file);
        break;
    }
    if (status != DbStatus::Ok)
        return status;
    if (mode == MountMode::CreateAlways || mode == MountMode::TruncateExisting) {
        if ((status = m_file->Truncate(0)) != DbStatus::Ok)
            return status;
    }
    return ReadOn(false);
}

// Reads the journal from where it was read to. After a moved entry the file
// now at the volume's name is read from its start, unless it is still this
// one (the rename never happened): a rewritten file starts with a token of
// its own, so two files with the same first bytes are the same file.
DbStatus VolumeStore::ReadOn(bool mayCut)
{
    for (int round = 0; round < 8; ++round) {
        bool moved = false;
        DbStatus status = Replay(m_validEnd, mayCut, moved);
        if (status != DbStatus::Ok || !moved)
            return status;
        std::unique_ptr<JournalFile> fresh;
        std::uint64_t size = 0, ownSize = 0;
        if (m_files->Open(false, fresh) != DbStatus::Ok || fresh->Size(size) != DbStatus::Ok ||
            m_file->Size(ownSize) != DbStatus::Ok)
            continue;  // nothing else to read: on past the entry
        std::uint8_t theirs[HeaderSize + 64], ours[HeaderSize + 64];
        const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(size, sizeof theirs));
        const bool same = size >= m_validEnd && ownSize >= count && fresh->Read(0, theirs, count) == DbStatus::Ok &&
                          m_file->Read(0, ours, count) == DbStatus::Ok && std::equal(theirs, theirs + count, ours);
        if (!same) {
            m_file = std::move(fresh);
            Clear();
        }
    }
    return DbStatus::Io;
}

void VolumeStore::Clear()
{
    m_databases.clear();
    m_recordDatabase.clear();
    m_nextOid = 1;
    m_liveEntryBytes = 0;
    m_validEnd = 0;
    m_seenSize = 0;
}

DbStatus VolumeStore::Replay(std::uint64_t from, bool mayCut, bool& moved)
{
    moved = false;
    std::uint64_t size = 0;
    DbStatus status = m_file->Size(size);
    if (status != DbStatus::Ok)
        return status;
    if (size < from)
        return DbStatus::Io;
    if (size - from > std::numeric_limits<std::size_t>::max() / 2)
        return DbStatus::Io;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size - from));
    if (!bytes.empty() && (status = m_file->Read(from, bytes.data(), bytes.size())) != DbStatus::Ok)
        return status;
    std::size_t at = 0;
    if (from == 0) {
        switch (CheckHeader(bytes)) {
        case HeaderState::Foreign:
            return DbStatus::BadFormat;
        case HeaderState::Unwritten:
            m_validEnd = 0;
            m_seenSize = size;
            if (mayCut && size > 0) {
                if ((status = m_file->Truncate(0)) != DbStatus::Ok)
                    return status;
                m_seenSize = 0;
            }
            return DbStatus::Ok;
        case HeaderState::Valid:
            at = HeaderSize;
            break;
        }
    }
    while (at < bytes.size()) {
        std::size_t length = 0;
        auto entry = DecodeEntryAt(bytes, at, length);
        if (!entry) {
            if (IntactEntryAfter(bytes, at))
                return DbStatus::Corrupt;
            break;  // a torn tail
        }
        at += length;
        if (entry->kind == EntryKind::Moved) {
            m_validEnd = from + at;
            m_seenSize = size;
            moved = true;
            return DbStatus::Ok;
        }
        Apply(*entry, length);
    }
    m_validEnd = from + at;
    m_seenSize = size;
    if (mayCut && m_validEnd < size) {
        if ((status = m_file->Truncate(m_validEnd)) != DbStatus::Ok)
            return status;
        m_seenSize = m_validEnd;
    }
    return DbStatus::Ok;
}

DbStatus VolumeStore::RefreshLocked(bool mayCut)
{
    if (!m_file) {
        const DbStatus status = m_files->Open(false, m_file);
        if (status != DbStatus::Ok)
            return status;
        Clear();
    }
    std::uint64_t size = 0;
    const DbStatus status = m_file->Size(size);
    if (status != DbStatus::Ok)
        return status;
    if (size == m_seenSize && (!mayCut || size == m_validEnd))
        return DbStatus::Ok;
    if (size < m_validEnd)
        Clear();  // cut short under us: read it again whole
    return ReadOn(mayCut);
}

DbStatus VolumeStore::Refresh()
{
    if (m_file) {
        std::uint64_t size = 0;
        if (m_file->Size(size) == DbStatus::Ok && size == m_seenSize)
            return DbStatus::Ok;
    }
    LockGuard lock(*m_files);
    return RefreshLocked(false);
}

void VolumeStore::Apply(const Entry& e, std::size_t bytes)
{
    const auto entryBytes = static_cast<std::uint32_t>(bytes);
    auto seen = [this](Oid oid) {
        if (oid != 0 && oid >= m_nextOid)
            m_nextOid = oid + 1;  // 0 after the last oid: the volume hands out no more
    };
    switch (e.kind) {
    case EntryKind::CreateDatabase: {
        seen(e.database);
        if (m_databases.count(e.database) || m_recordDatabase.count(e.database) || e.name.empty())
            return;
        for (const auto& [oid, db] : m_databases)
            if (SameName(db->info.name, e.name))
                return;
        auto db = std::make_unique<Database>();
        db->info.oid = e.database;
        db->info.name = e.name;
        db->info.type = e.type;
        db->info.flags = e.flags;
        db->info.sorts = e.sorts;
        db->ownBytes = entryBytes;
        m_liveEntryBytes += entryBytes;
        m_databases.emplace(e.database, std::move(db));
        return;
    }
    case EntryKind::DeleteDatabase: {
        auto it = m_databases.find(e.database);
        if (it == m_databases.end())
            return;
        Database& db = *it->second;
        m_liveEntryBytes -= db.ownBytes;
        for (const auto& [oid, record] : db.records) {
            m_recordDatabase.erase(oid);
            m_liveEntryBytes -= db.entryBytes[oid];
        }
        m_databases.erase(it);
        return;
    }
    case EntryKind::PutRecord: {
        seen(e.record);
        Database* db = Find(e.database);
        if (!db)
            return;
        auto owner = m_recordDatabase.find(e.record);
        if ((owner != m_recordDatabase.end() && owner->second != e.database) || m_databases.count(e.record))
            return;
        auto [it, added] = db->records.try_emplace(e.record);
        Record& record = it->second;
        if (!added) {
            db->Unindex(record);
            db->dataSize -= record.size;
            m_liveEntryBytes -= db->entryBytes[e.record];
        }
        record.oid = e.record;
        record.properties = e.properties;
        record.size = RecordSize(record.properties);
        db->Reindex(record);
        db->dataSize += record.size;
        db->entryBytes[e.record] = entryBytes;
        m_liveEntryBytes += entryBytes;
        m_recordDatabase[e.record] = e.database;
        return;
    }
    case EntryKind::DeleteRecord: {
        Database* db = Find(e.database);
        if (!db)
            return;
        auto it = db->records.find(e.record);
        if (it == db->records.end())
            return;
        db->Unindex(it->second);
        db->dataSize -= it->second.size;
        m_liveEntryBytes -= db->entryBytes[e.record];
        db->entryBytes.erase(e.record);
        m_recordDatabase.erase(e.record);
        db->records.erase(it);
        return;
    }
    case EntryKind::NextOid:
        if (e.database > m_nextOid || e.database == 0)
            m_nextOid = e.database;
        return;
    case EntryKind::Moved:
        return;
    }
}

DbStatus VolumeStore::Commit(const Entry& entry)
{
    if (!m_file)
        return DbStatus::Io;
    std::vector<std::uint8_t> bytes;
    if (m_validEnd == 0)
        bytes = VolumeHeader();
    const std::size_t headerBytes = bytes.size();
    AppendEncodedEntry(bytes, entry);
    DbStatus status = m_file->Write(m_validEnd, bytes.data(), bytes.size());
    if (status == DbStatus::Ok && m_options.sync)
        status = m_file->Sync();
    if (status != DbStatus::Ok) {
        // Whatever part reached the file must not come back at the next mount.
        if (m_file->Truncate(m_validEnd) == DbStatus::Ok)
            m_seenSize = m_validEnd;
        else
            m_seenSize = PastEnd;  // read the tail again next time
        return status;
    }
    m_validEnd += bytes.size();
    m_seenSize = m_validEnd;
    Apply(entry, bytes.size() - headerBytes);
    return DbStatus::Ok;
}

std::uint64_t VolumeStore::LiveBytes() const noexcept
{
    return HeaderSize + m_liveEntryBytes;
}

void VolumeStore::MaybeCompact()
{
    if (m_validEnd >= m_options.compactMinBytes && m_validEnd > 2 * LiveBytes())
        Compact();  // a failed rewrite leaves the journal as it was
}

DbStatus VolumeStore::Compact()
{
    std::vector<std::uint8_t> bytes = VolumeHeader();
    // Tells the new file from any other that may lie at the volume's name.
    static std::uint64_t rewrites = 0;
    const std::uint64_t token =
        (static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) *
         0x9E3779B97F4A7C15ull) ^
        (reinterpret_cast<std::uintptr_t>(this) << 16) ^ ++rewrites;
    Entry next;
    next.kind = EntryKind::NextOid;
    next.database = m_nextOid;
    next.token = token;
    AppendEncodedEntry(bytes, next);
    for (const auto& [oid, db] : m_databases) {
        Entry create;
        create.kind = EntryKind::CreateDatabase;
        create.database = oid;
        create.type = db->info.type;
        create.flags = db->info.flags;
        create.sorts = db->info.sorts;
        create.name = db->info.name;
        AppendEncodedEntry(bytes, create);
        for (const auto& [recordOid, record] : db->records) {
            Entry put;
            put.kind = EntryKind::PutRecord;
            put.database = oid;
            put.record = recordOid;
            put.properties = record.properties;
            AppendEncodedEntry(bytes, put);
        }
    }
    std::unique_ptr<JournalFile> side;
    DbStatus status = m_files->CreateReplacement(side);
    if (status == DbStatus::Ok)
        status = side->Write(0, bytes.data(), bytes.size());
    if (status == DbStatus::Ok)
        status = side->Sync();
    side.reset();
    if (status != DbStatus::Ok) {
        m_files->DiscardReplacement();
        return status;
    }
    // Others holding the old file learn from this entry to read the new one.
    Entry moved;
    moved.kind = EntryKind::Moved;
    moved.token = token;
    if ((status = Commit(moved)) != DbStatus::Ok || (status = m_files->CommitReplacement()) != DbStatus::Ok) {
        m_files->DiscardReplacement();
        return status;
    }
    m_file.reset();
    if ((status = m_files->Open(false, m_file)) != DbStatus::Ok) {
        m_file.reset();  // opened again by the next call
        return status;
    }
    m_validEnd = bytes.size();
    m_seenSize = bytes.size();
    return DbStatus::Ok;
}

VolumeStore::Database* VolumeStore::Find(Oid database) noexcept
{
    auto it = m_databases.find(database);
    return it == m_databases.end() ? nullptr : it->second.get();
}

const VolumeStore::Database* VolumeStore::Find(Oid database) const noexcept
{
    auto it = m_databases.find(database);
    return it == m_databases.end() ? nullptr : it->second.get();
}

// ---- databases -----------------------------------------------------------------

std::vector<Oid> VolumeStore::Databases(std::uint32_t type) const
{
    std::vector<Oid> oids;
    for (const auto& [oid, db] : m_databases)
        if (type == 0 || db->info.type == type)
            oids.push_back(oid);
    return oids;
}

DbStatus VolumeStore::FindDatabase(std::u16string_view name, Oid& oid) const
{
    for (const auto& [id, db] : m_databases) {
        if (SameName(db->info.name, name)) {
            oid = id;
            return DbStatus::Ok;
        }
    }
    return DbStatus::NotFound;
}

DbStatus VolumeStore::GetDatabase(Oid oid, DatabaseInfo& info) const
{
    const Database* db = Find(oid);
    if (!db)
        return DbStatus::NotFound;
    info = db->info;
    info.recordCount = static_cast<std::uint32_t>(db->records.size());
    info.size = DatabaseOverhead + db->dataSize;
    return DbStatus::Ok;
}

DbStatus VolumeStore::CreateDatabase(const DatabaseInfo& wanted, Oid& oid)
{
    if (wanted.name.empty() || wanted.name.size() > MaxNameLength || wanted.name.find(u'\0') != std::u16string::npos ||
        wanted.sorts.size() > MaxSortOrders)
        return DbStatus::InvalidParameter;
    LockGuard lock(*m_files);
    DbStatus status = RefreshLocked(true);
    if (status != DbStatus::Ok)
        return status;
    Oid existing;
    if (FindDatabase(wanted.name, existing) == DbStatus::Ok)
        return DbStatus::Exists;
    if (m_nextOid == 0)
        return DbStatus::DiskFull;
    Entry e;
    e.kind = EntryKind::CreateDatabase;
    e.database = m_nextOid;
    e.type = wanted.type;
    e.flags = wanted.flags;
    e.sorts = wanted.sorts;
    e.name = wanted.name;
    if ((status = Commit(e)) != DbStatus::Ok)
        return status;
    oid = e.database;
    MaybeCompact();
    return DbStatus::Ok;
}

DbStatus VolumeStore::DeleteDatabase(Oid oid)
{
    LockGuard lock(*m_files);
    DbStatus status = RefreshLocked(true);
    if (status != DbStatus::Ok)
        return status;
    if (!Find(oid))
        return DbStatus::NotFound;
    Entry e;
    e.kind = EntryKind::DeleteDatabase;
    e.database = oid;
    if ((status = Commit(e)) == DbStatus::Ok)
        MaybeCompact();
    return status;
}

// ---- records -------------------------------------------------------------------

DbStatus VolumeStore::WriteRecord(Oid database, Oid record, const std::vector<PropertyChange>& changes, Oid& written)
{
    if (changes.empty() || changes.size() > 0xFFFF)
        return DbStatus::InvalidParameter;
    for (const auto& c : changes) {
        if (!IsValueType(c.value.Type()))
            return DbStatus::InvalidParameter;
        if (!c.remove && PropertyDataSize(c.value) > MaxPropertyData)
            return DbStatus::InvalidParameter;
    }
    LockGuard lock(*m_files);
    DbStatus status = RefreshLocked(true);
    if (status != DbStatus::Ok)
        return status;
    Database* db = Find(database);
    if (!db)
        return DbStatus::NotFound;
    Entry e;
    e.kind = EntryKind::PutRecord;
    e.database = database;
    if (record != 0) {
        auto it = db->records.find(record);
        if (it == db->records.end())
            return DbStatus::InvalidParameter;
        e.properties = it->second.properties;
        e.record = record;
    } else {
        if (m_nextOid == 0)
            return DbStatus::DiskFull;
        e.record = m_nextOid;
    }
    for (const auto& c : changes) {
        auto same = std::find_if(e.properties.begin(), e.properties.end(),
                                 [&](const Property& p) { return p.id == c.value.id; });
        if (c.remove) {
            if (same != e.properties.end())
                e.properties.erase(same);
        } else if (same != e.properties.end()) {
            *same = c.value;
        } else {
            e.properties.push_back(c.value);
        }
    }
    if (e.properties.size() > 0xFFFF || RecordSize(e.properties) > MaxRecordSize)
        return DbStatus::InvalidParameter;
    if ((status = Commit(e)) != DbStatus::Ok)
        return status;
    written = e.record;
    MaybeCompact();
    return DbStatus::Ok;
}

DbStatus VolumeStore::DeleteRecord(Oid database, Oid record)
{
    LockGuard lock(*m_files);
    DbStatus status = RefreshLocked(true);
    if (status != DbStatus::Ok)
        return status;
    Database* db = Find(database);
    if (!db)
        return DbStatus::NotFound;
    if (!db->records.count(record))
        return DbStatus::InvalidParameter;
    Entry e;
    e.kind = EntryKind::DeleteRecord;
    e.database = database;
    e.record = record;
    if ((status = Commit(e)) == DbStatus::Ok)
        MaybeCompact();
    return status;
}

DbStatus VolumeStore::RecordDatabase(Oid record, Oid& database) const
{
    auto it = m_recordDatabase.find(record);
    if (it == m_recordDatabase.end())
        return DbStatus::NotFound;
    database = it->second;
    return DbStatus::Ok;
}

DbStatus VolumeStore::Seek(Cursor& cursor, SeekKind kind, std::int64_t count, const Property* value, Oid& found,
                           std::uint32_t* index)
{
    Database* db = Find(cursor.database);
    if (!db)
        return DbStatus::NotFound;
    auto& records = db->records;
    auto it = records.end();
    switch (kind) {
    case SeekKind::Oid:
        if (count > 0 && count <= std::numeric_limits<Oid>::max())
            it = records.find(static_cast<Oid>(count));
        break;
    case SeekKind::Beginning:
        if (count >= 0 && static_cast<std::uint64_t>(count) < records.size())
            it = std::next(records.begin(), static_cast<std::ptrdiff_t>(count));
        break;
    case SeekKind::End:
        if (count >= 0 && static_cast<std::uint64_t>(count) < records.size())
            it = std::prev(records.end(), static_cast<std::ptrdiff_t>(count) + 1);
        break;
    case SeekKind::Current: {
        auto from = AtOrAfter(records, cursor.position);
        const auto at = static_cast<std::int64_t>(std::distance(records.begin(), from));
        const std::int64_t to = at + count;
        if (to >= 0 && to < static_cast<std::int64_t>(records.size()))
            it = std::next(records.begin(), static_cast<std::ptrdiff_t>(to));
        break;
    }
    case SeekKind::FirstEqual:
    case SeekKind::NextEqual: {
        if (!value || !IsValueType(value->Type()))
            return DbStatus::InvalidParameter;
        const Index& ix = db->IndexFor(value->id);
        auto match = ix.byValue.find(KeyOf(*value));
        if (match != ix.byValue.end()) {
            const std::set<Oid>& oids = match->second;
            auto oid = kind == SeekKind::FirstEqual  ? oids.begin()
                       : cursor.anchor > MaxOidValue ? oids.end()
                                                     : oids.upper_bound(static_cast<Oid>(cursor.anchor));
            if (oid != oids.end())
                it = records.find(*oid);
        }
        break;
    }
    }
    if (it == records.end()) {
        cursor.position = PastEnd;
        cursor.anchor = PastEnd;
        return DbStatus::NoMoreItems;
    }
    cursor.position = cursor.anchor = it->first;
    found = it->first;
    if (index)
        *index = static_cast<std::uint32_t>(std::distance(records.begin(), it));
    return DbStatus::Ok;
}

DbStatus VolumeStore::Read(Cursor& cursor, bool advance, const Record*& record)
{
    Database* db = Find(cursor.database);
    if (!db)
        return DbStatus::NotFound;
    auto it = AtOrAfter(db->records, cursor.position);
    if (it == db->records.end()) {
        cursor.position = PastEnd;
        return DbStatus::NoMoreItems;
    }
    cursor.anchor = it->first;
    cursor.position = advance ? it->first + 1 : it->first;
    record = &it->second;
    return DbStatus::Ok;
}

}  // namespace vellumate::database
