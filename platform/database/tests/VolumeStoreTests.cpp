// The volume's journal over files in memory: what a remount sees after
// writes, rewrites, torn and damaged tails, a full disk and a second writer.
#include "platform/database/VolumeStore.h"
#include "platform/database/tests/MemoryVolumeFiles.h"
#include "platform/database/tests/VolumeTestSupport.h"

#include <gtest/gtest.h>

using namespace vellumate::database;
using namespace vellumate::database::testing;

namespace {

std::unique_ptr<VolumeStore> MountOn(MemoryDisk& disk, MountMode mode = MountMode::OpenAlways,
                                     DbStatus expected = DbStatus::Ok, std::uint64_t compactMin = 1u << 30)
{
    std::unique_ptr<VolumeStore> store;
    VolumeStore::Options options;
    options.compactMinBytes = compactMin;
    EXPECT_EQ(VolumeStore::Mount(std::make_unique<MemoryVolumeFiles>(disk), mode, options, store), expected);
    return store;
}

Oid NewDatabase(VolumeStore& store, const char16_t* name, std::uint32_t type = 0)
{
    DatabaseInfo info;
    info.name = name;
    info.type = type;
    Oid oid = 0;
    EXPECT_EQ(store.CreateDatabase(info, oid), DbStatus::Ok);
    return oid;
}

Oid Write(VolumeStore& store, Oid db, std::vector<PropertyChange> changes, Oid record = 0)
{
    Oid written = 0;
    EXPECT_EQ(store.WriteRecord(db, record, changes, written), DbStatus::Ok);
    return written;
}

// Every value type, an update that replaces, adds and removes properties, and
// deletions: all of it comes back in the same order after a remount.
TEST(VolumeStore, RemountSeesEveryChangeInOrder)
{
    MemoryDisk disk;
    std::string before;
    Oid msgs = 0, first = 0, second = 0;
    {
        auto store = MountOn(disk);
        msgs = NewDatabase(*store, u"pmailMsgs", 7);
        const Oid scratch = NewDatabase(*store, u"scratch");
        Property i2;
        i2.id = 1 << 16 | TypeI2;
        i2.bits = 0xFFFE;
        Property r8;
        r8.id = 2 << 16 | TypeR8;
        r8.bits = 0x400921FB54442D18ull;
        Property time;
        time.id = 3 << 16 | TypeFileTime;
        time.bits = 0x01D9000011112222ull;
        first = Write(*store, msgs, Set({U4(0x8001, 10), Text(0x8002, u"Hello"), i2, r8, time}));
        second = Write(*store, msgs, Set({U4(0x8001, 11), Blob(0x8003, {1, 2, 3, 4, 5})}));
        const Oid third = Write(*store, msgs, Set({U4(0x8001, 12)}));
        Write(*store, scratch, Set({U4(1, 1)}));

        // The first record changes but keeps its place before the second.
        std::vector<PropertyChange> update = Set({U4(0x8001, 20), Text(0x8004, u"added")});
        update.push_back({Text(0x8002, u""), true});
        EXPECT_EQ(Write(*store, msgs, update, first), first);
        EXPECT_EQ(store->DeleteRecord(msgs, third), DbStatus::Ok);
        EXPECT_EQ(store->DeleteDatabase(scratch), DbStatus::Ok);
        before = Dump(*store);
    }
    auto store = MountOn(disk, MountMode::OpenExisting);
    EXPECT_EQ(Dump(*store), before);
    EXPECT_NE(before.find("pmailMsgs type 7 records 2"), std::string::npos) << before;
    EXPECT_EQ(store->Databases().size(), 1u);

    Cursor cursor{msgs};
    const Record* record = nullptr;
    ASSERT_EQ(store->Read(cursor, true, record), DbStatus::Ok);
    EXPECT_EQ(record->oid, first);
    ASSERT_EQ(record->properties.size(), 5u);
    EXPECT_EQ(record->properties[0], U4(0x8001, 20));
    EXPECT_EQ(record->properties.back(), Text(0x8004, u"added"));
    ASSERT_EQ(store->Read(cursor, true, record), DbStatus::Ok);
    EXPECT_EQ(record->oid, second);
    EXPECT_EQ(record->properties[1].bytes, (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(store->Read(cursor, true, record), DbStatus::NoMoreItems);

    // Sizes: 24 per property, strings with their terminator, blob bytes.
    DatabaseInfo info;
    ASSERT_EQ(store->GetDatabase(msgs, info), DbStatus::Ok);
    const std::uint64_t firstSize = 5 * 24 + 2 * 6;
    const std::uint64_t secondSize = 2 * 24 + 5;
    EXPECT_EQ(info.size, DatabaseOverhead + firstSize + secondSize);

    // A new record never takes the oid of one deleted.
    const Oid next = Write(*store, msgs, Set({U4(1, 1)}));
    EXPECT_GT(next, second + 1);
}

TEST(VolumeStore, NamesAreUniqueWithoutRegardToCase)
{
    MemoryDisk disk;
    auto store = MountOn(disk);
    NewDatabase(*store, u"clog.db");
    DatabaseInfo info;
    info.name = u"CLOG.DB";
    Oid oid = 0;
    EXPECT_EQ(store->CreateDatabase(info, oid), DbStatus::Exists);
    info.name = u"";
    EXPECT_EQ(store->CreateDatabase(info, oid), DbStatus::InvalidParameter);
    info.name = std::u16string(32, u'x');
    EXPECT_EQ(store->CreateDatabase(info, oid), DbStatus::InvalidParameter);
    EXPECT_EQ(store->FindDatabase(u"Clog.Db", oid), DbStatus::Ok);
    EXPECT_EQ(store->FindDatabase(u"speed.db", oid), DbStatus::NotFound);
}

// The seeks a mail store's reader makes: by value (first, then next equal,
// with other records between), by position and by oid, while deleting.
TEST(VolumeStore, SeeksFindEqualValuesAcrossDeletions)
{
    MemoryDisk disk;
    auto store = MountOn(disk);
    const Oid attachs = NewDatabase(*store, u"pmailAttachs");
    std::vector<Oid> of7, all;
    for (std::uint32_t i = 0; i < 9; ++i) {
        const std::uint32_t owner = i % 3 == 0 ? 7 : 100 + i;
        all.push_back(Write(*store, attachs, Set({U4(0x8100, owner), U4(0x8001, i)})));
        if (owner == 7)
            of7.push_back(all.back());
    }
    const Property key = U4(0x8100, 7);
    Cursor cursor{attachs};
    Oid found = 0;
    ASSERT_EQ(store->Seek(cursor, SeekKind::FirstEqual, 0, &key, found), DbStatus::Ok);
    EXPECT_EQ(found, of7[0]);
    // A read with advance moves on; next-equal still starts after the record read.
    const Record* record = nullptr;
    ASSERT_EQ(store->Read(cursor, true, record), DbStatus::Ok);
    EXPECT_EQ(record->oid, of7[0]);
    ASSERT_EQ(store->Seek(cursor, SeekKind::NextEqual, 0, &key, found), DbStatus::Ok);
    EXPECT_EQ(found, of7[1]);
    ASSERT_EQ(store->Seek(cursor, SeekKind::NextEqual, 0, &key, found), DbStatus::Ok);
    EXPECT_EQ(found, of7[2]);
    EXPECT_EQ(store->Seek(cursor, SeekKind::NextEqual, 0, &key, found), DbStatus::NoMoreItems);
    EXPECT_EQ(store->Read(cursor, true, record), DbStatus::NoMoreItems);

    // Deleting what first-equal finds, again and again, ends.
    int deleted = 0;
    while (store->Seek(cursor, SeekKind::FirstEqual, 0, &key, found) == DbStatus::Ok) {
        ASSERT_EQ(store->DeleteRecord(attachs, found), DbStatus::Ok);
        ASSERT_LT(++deleted, 10);
    }
    EXPECT_EQ(deleted, 3);
    // An index built before a write follows it.
    const Oid late = Write(*store, attachs, Set({U4(0x8100, 7)}));
    ASSERT_EQ(store->Seek(cursor, SeekKind::FirstEqual, 0, &key, found), DbStatus::Ok);
    EXPECT_EQ(found, late);
    Write(*store, attachs, Set({U4(0x8100, 8)}), late);
    EXPECT_EQ(store->Seek(cursor, SeekKind::FirstEqual, 0, &key, found), DbStatus::NoMoreItems);

    // Positions: 6 records remain of the 9, then the late one.
    std::uint32_t index = 99;
    ASSERT_EQ(store->Seek(cursor, SeekKind::Beginning, 1, nullptr, found, &index), DbStatus::Ok);
    EXPECT_EQ(found, all[2]);
    EXPECT_EQ(index, 1u);
    ASSERT_EQ(store->Seek(cursor, SeekKind::Current, 2, nullptr, found), DbStatus::Ok);
    EXPECT_EQ(found, all[5]);
    ASSERT_EQ(store->Seek(cursor, SeekKind::Current, -1, nullptr, found), DbStatus::Ok);
    EXPECT_EQ(found, all[4]);
    ASSERT_EQ(store->Seek(cursor, SeekKind::End, 0, nullptr, found), DbStatus::Ok);
    EXPECT_EQ(found, late);
    ASSERT_EQ(store->Seek(cursor, SeekKind::Oid, all[7], nullptr, found), DbStatus::Ok);
    EXPECT_EQ(found, all[7]);
    EXPECT_EQ(store->Seek(cursor, SeekKind::Oid, of7[1], nullptr, found), DbStatus::NoMoreItems);
    EXPECT_EQ(store->Seek(cursor, SeekKind::Beginning, 7, nullptr, found), DbStatus::NoMoreItems);

    // Delete while reading: read a record, delete it, read on.
    cursor = Cursor{attachs};
    int seen = 0;
    while (store->Read(cursor, true, record) == DbStatus::Ok) {
        ASSERT_EQ(store->DeleteRecord(attachs, record->oid), DbStatus::Ok);
        ++seen;
    }
    EXPECT_EQ(seen, 7);
    DatabaseInfo info;
    store->GetDatabase(attachs, info);
    EXPECT_EQ(info.recordCount, 0u);
    EXPECT_EQ(info.size, DatabaseOverhead);
}

TEST(VolumeStore, MountModesAndForeignFiles)
{
    MemoryDisk disk;
    MountOn(disk, MountMode::OpenExisting, DbStatus::NotFound);
    EXPECT_FALSE(disk.journal);
    {
        auto store = MountOn(disk, MountMode::CreateNew);
    }
    MountOn(disk, MountMode::CreateNew, DbStatus::Exists);
    {
        auto store = MountOn(disk, MountMode::OpenExisting);
        NewDatabase(*store, u"kept");
    }
    {
        auto store = MountOn(disk, MountMode::OpenAlways);
        EXPECT_EQ(store->Databases().size(), 1u);
    }
    {
        auto store = MountOn(disk, MountMode::CreateAlways);
        EXPECT_TRUE(store->Databases().empty());
    }

    // A file that is no volume is refused and left as it was.
    const Bytes foreign = {'P', 'K', 3, 4, 0, 0, 0, 0, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
    disk.journal = std::make_shared<Bytes>(foreign);
    MountOn(disk, MountMode::OpenAlways, DbStatus::BadFormat);
    EXPECT_EQ(*disk.journal, foreign);

    // An empty file, or a header cut short, is a volume with nothing in it.
    const Bytes header = VolumeHeader();
    for (std::size_t cut = 0; cut <= header.size(); ++cut) {
        disk.journal = std::make_shared<Bytes>(header.begin(), header.begin() + cut);
        auto store = MountOn(disk, MountMode::OpenExisting);
        ASSERT_TRUE(store) << cut;
        EXPECT_TRUE(store->Databases().empty());
        NewDatabase(*store, u"after");
        auto again = MountOn(disk, MountMode::OpenExisting);
        EXPECT_EQ(again->Databases().size(), 1u) << cut;
    }
}

// A journal cut at every byte of its last entry (a writer killed half-way)
// mounts with everything before that entry; the next write cuts the torn
// bytes off, and its record survives the next remount.
TEST(VolumeStore, TornTailIsIgnoredAndCutAtTheNextWrite)
{
    MemoryDisk disk;
    std::string beforeLast, afterLast;
    Oid db = 0;
    {
        auto store = MountOn(disk);
        db = NewDatabase(*store, u"clog.db");
        for (std::uint32_t i = 0; i < 5; ++i)
            Write(*store, db, Set({U4(1, i), Text(2, u"+441632960" + std::u16string(1, char16_t(u'0' + i)))}));
        beforeLast = Dump(*store);
        Write(*store, db, Set({U4(1, 99), Blob(3, Bytes(40, 0xAB))}));
        afterLast = Dump(*store);
    }
    const Bytes whole = *disk.journal;
    const std::size_t lastEntry = whole.size() - (EntryFrameSize + 1 + 4 + 4 + 2 + 8 + 8 + 40);
    for (std::size_t cut = lastEntry; cut < whole.size(); ++cut) {
        disk.journal = std::make_shared<Bytes>(whole.begin(), whole.begin() + cut);
        auto store = MountOn(disk, MountMode::OpenExisting);
        ASSERT_TRUE(store) << cut;
        ASSERT_EQ(Dump(*store), beforeLast) << cut;
        EXPECT_EQ(disk.journal->size(), cut) << "a mount alone changes nothing";
        const Oid written = Write(*store, db, Set({U4(1, 7)}));
        auto again = MountOn(disk, MountMode::OpenExisting);
        Cursor cursor{db};
        Oid found = 0;
        EXPECT_EQ(again->Seek(cursor, SeekKind::End, 0, nullptr, found), DbStatus::Ok);
        EXPECT_EQ(found, written) << cut;
        EXPECT_EQ(again->Databases().size(), 1u);
    }
    // A flipped byte in the last entry loses that entry only.
    for (std::size_t at = lastEntry; at < whole.size(); ++at) {
        Bytes flipped = whole;
        flipped[at] ^= 0x20;
        disk.journal = std::make_shared<Bytes>(flipped);
        auto store = MountOn(disk, MountMode::OpenExisting);
        ASSERT_TRUE(store) << at;
        EXPECT_EQ(Dump(*store), beforeLast) << at;
    }
    // Damage before the last entry is no torn tail: the volume stays as it is.
    for (std::size_t at : {HeaderSize + 3, HeaderSize + 30, lastEntry - 5}) {
        Bytes flipped = whole;
        flipped[at] ^= 0x01;
        disk.journal = std::make_shared<Bytes>(flipped);
        MountOn(disk, MountMode::OpenAlways, DbStatus::Corrupt);
        EXPECT_EQ(*disk.journal, flipped);
    }
    disk.journal = std::make_shared<Bytes>(whole);
    EXPECT_EQ(Dump(*MountOn(disk)), afterLast);
}

TEST(VolumeStore, FullDiskFailsTheWriteAndKeepsTheVolume)
{
    MemoryDisk disk;
    auto store = MountOn(disk);
    const Oid db = NewDatabase(*store, u"speed.db");
    Write(*store, db, Set({U4(1, 1)}));
    const std::string before = Dump(*store);
    const Bytes kept = *disk.journal;
    disk.freeBytes = kept.size() + 10;  // room for part of the next entry
    Oid written = 0;
    EXPECT_EQ(store->WriteRecord(db, 0, Set({Text(2, u"a name that does not fit")}), written), DbStatus::DiskFull);
    EXPECT_EQ(*disk.journal, kept) << "the part written is taken back";
    EXPECT_EQ(Dump(*store), before);
    EXPECT_EQ(Dump(*MountOn(disk)), before);
    disk.freeBytes = SIZE_MAX;
    EXPECT_EQ(store->WriteRecord(db, 0, Set({Text(2, u"now it fits")}), written), DbStatus::Ok);
    EXPECT_NE(Dump(*MountOn(disk)).find("now it fits"), std::string::npos);
}

TEST(VolumeStore, WritesAreCheckedAgainstTheLimits)
{
    MemoryDisk disk;
    auto store = MountOn(disk);
    const Oid db = NewDatabase(*store, u"db");
    Oid written = 0;
    EXPECT_EQ(store->WriteRecord(db, 0, {}, written), DbStatus::InvalidParameter);
    Property bad;
    bad.id = 1 << 16 | 77;
    EXPECT_EQ(store->WriteRecord(db, 0, Set({bad}), written), DbStatus::InvalidParameter);
    EXPECT_EQ(store->WriteRecord(db, 0, Set({Blob(1, Bytes(MaxPropertyData + 1))}), written),
              DbStatus::InvalidParameter);
    EXPECT_EQ(store->WriteRecord(db, 0,
                                 Set({Blob(1, Bytes(MaxPropertyData)), Blob(2, Bytes(MaxPropertyData)),
                                      Blob(3, Bytes(MaxPropertyData))}),
                                 written),
              DbStatus::InvalidParameter);
    EXPECT_EQ(store->WriteRecord(db, 12345, Set({U4(1, 1)}), written), DbStatus::InvalidParameter);
    EXPECT_EQ(store->WriteRecord(db + 1000, 0, Set({U4(1, 1)}), written), DbStatus::NotFound);
    EXPECT_EQ(store->DeleteRecord(db, 12345), DbStatus::InvalidParameter);
    EXPECT_EQ(Dump(*MountOn(disk)), "db 1 db type 0 records 0 size 128\n");
}

// A file mostly garbage is rewritten: smaller, the same content, oids going on
// from where they were, and a second mount of it follows to the new file.
TEST(VolumeStore, CompactionKeepsEverythingAndOthersFollow)
{
    MemoryDisk disk;
    auto store = MountOn(disk, MountMode::OpenAlways, DbStatus::Ok, 4096);
    auto other = MountOn(disk, MountMode::OpenExisting, DbStatus::Ok, 1u << 30);
    const Oid db = NewDatabase(*store, u"pmailFolders");
    std::vector<Oid> kept;
    Oid highest = 0;
    std::size_t largest = 0;
    for (std::uint32_t i = 0; i < 400; ++i) {
        const Oid oid =
            Write(*store, db, Set({U4(0x3603, i), Text(0x8003, u"Inbox folder " + std::u16string(i % 7, u'x'))}));
        highest = std::max(highest, oid);
        if (i % 10 == 0)
            kept.push_back(oid);
        else
            ASSERT_EQ(store->DeleteRecord(db, oid), DbStatus::Ok);
        largest = std::max(largest, disk.journal->size());
    }
    EXPECT_LT(disk.journal->size(), largest) << "rewritten at least once";
    EXPECT_LE(store->JournalBytes(), 2 * store->LiveBytes() + 4096);
    const std::string content = Dump(*store);
    ASSERT_EQ(other->Refresh(), DbStatus::Ok);
    EXPECT_EQ(Dump(*other), content);
    EXPECT_EQ(Dump(*MountOn(disk)), content);
    // The other mount writes into the new file, and the first sees it.
    const Oid later = Write(*other, db, Set({U4(0x3603, 1000)}));
    EXPECT_GT(later, highest);
    ASSERT_EQ(store->Refresh(), DbStatus::Ok);
    EXPECT_EQ(Dump(*store), Dump(*other));
    EXPECT_EQ(Dump(*MountOn(disk)), Dump(*other));
    DatabaseInfo info;
    store->GetDatabase(db, info);
    EXPECT_EQ(info.recordCount, kept.size() + 1);
}

// Two mounts of one volume (two processes) write in turn; each write is made
// against what the other wrote, and oids never collide.
TEST(VolumeStore, TwoMountsSeeEachOthersWrites)
{
    MemoryDisk disk;
    auto a = MountOn(disk);
    auto b = MountOn(disk);
    const Oid db = NewDatabase(*a, u"pmailMsgs");
    Oid oid = 0;
    EXPECT_EQ(b->FindDatabase(u"pmailMsgs", oid), DbStatus::NotFound) << "not before a refresh";
    ASSERT_EQ(b->Refresh(), DbStatus::Ok);
    ASSERT_EQ(b->FindDatabase(u"pmailMsgs", oid), DbStatus::Ok);
    const Oid fromB = Write(*b, db, Set({U4(1, 2)}));
    const Oid fromA = Write(*a, db, Set({U4(1, 1)}));
    EXPECT_NE(fromA, fromB);
    EXPECT_EQ(a->DeleteRecord(db, fromB), DbStatus::Ok);
    ASSERT_EQ(b->Refresh(), DbStatus::Ok);
    EXPECT_EQ(Dump(*a), Dump(*b));
    EXPECT_EQ(b->DeleteRecord(db, fromB), DbStatus::InvalidParameter);
    DatabaseInfo dup;
    dup.name = u"PMAILMSGS";
    EXPECT_EQ(b->CreateDatabase(dup, oid), DbStatus::Exists);
}

}  // namespace
