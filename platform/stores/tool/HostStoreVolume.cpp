#include "platform/stores/tool/HostStoreVolume.h"

#include "platform/stores/MailStoreSchema.h"

#include "platform/database/VolumeFiles.h"
#include "platform/database/VolumeJournal.h"
#include "platform/database/VolumeStore.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace fs = std::filesystem;
namespace db = vellumate::database;

namespace vellumate::stores {

namespace {

db::DbStatus FromErrno() noexcept
{
    switch (errno) {
    case ENOENT:
        return db::DbStatus::NotFound;
    case ENOSPC:
    case EDQUOT:
        return db::DbStatus::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return db::DbStatus::AccessDenied;
    default:
        return db::DbStatus::Io;
    }
}

// A journal file by its descriptor; synced once more when it closes, because
// the tool writes with the volume's per-entry sync off (a generated store of
// thousands of records would otherwise take a sync each).
class PosixJournalFile final : public db::JournalFile {
public:
    explicit PosixJournalFile(int fd) noexcept : m_fd(fd) {}
    ~PosixJournalFile() override
    {
        if (m_written)
            ::fsync(m_fd);
        ::close(m_fd);
    }
    PosixJournalFile(const PosixJournalFile&) = delete;
    PosixJournalFile& operator=(const PosixJournalFile&) = delete;

    db::DbStatus Size(std::uint64_t& size) override
    {
        struct stat info {};
        if (::fstat(m_fd, &info) != 0)
            return FromErrno();
        size = static_cast<std::uint64_t>(info.st_size);
        return db::DbStatus::Ok;
    }
    db::DbStatus Read(std::uint64_t offset, std::uint8_t* data, std::size_t count) override
    {
        while (count > 0) {
            const ssize_t got = ::pread(m_fd, data, count, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return FromErrno();
            if (got == 0)
                return db::DbStatus::Io;  // shorter than asked
            data += got;
            offset += static_cast<std::uint64_t>(got);
            count -= static_cast<std::size_t>(got);
        }
        return db::DbStatus::Ok;
    }
    db::DbStatus Write(std::uint64_t offset, const std::uint8_t* data, std::size_t count) override
    {
        m_written = true;
        while (count > 0) {
            const ssize_t put = ::pwrite(m_fd, data, count, static_cast<off_t>(offset));
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                return put == 0 ? db::DbStatus::Io : FromErrno();
            data += put;
            offset += static_cast<std::uint64_t>(put);
            count -= static_cast<std::size_t>(put);
        }
        return db::DbStatus::Ok;
    }
    db::DbStatus Sync() override { return ::fsync(m_fd) == 0 ? db::DbStatus::Ok : FromErrno(); }
    db::DbStatus Truncate(std::uint64_t size) override
    {
        return ::ftruncate(m_fd, static_cast<off_t>(size)) == 0 ? db::DbStatus::Ok : FromErrno();
    }

private:
    int m_fd;
    bool m_written = false;
};

// The volume file, its side file beside it ("NAME.new"), and a lock on the
// folder they lie in, which every vmstores of the device takes.
class PosixVolumeFiles final : public db::VolumeFiles {
public:
    explicit PosixVolumeFiles(fs::path file) : m_file(std::move(file)), m_side(m_file.string() + ".new") {}
    ~PosixVolumeFiles() override
    {
        if (m_lock >= 0)
            ::close(m_lock);
    }
    PosixVolumeFiles(const PosixVolumeFiles&) = delete;
    PosixVolumeFiles& operator=(const PosixVolumeFiles&) = delete;

    db::DbStatus Open(bool create, std::unique_ptr<db::JournalFile>& file) override
    {
        const int fd = ::open(m_file.c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0644);
        if (fd < 0)
            return FromErrno();
        file = std::make_unique<PosixJournalFile>(fd);
        return db::DbStatus::Ok;
    }
    db::DbStatus CreateReplacement(std::unique_ptr<db::JournalFile>& file) override
    {
        const int fd = ::open(m_side.c_str(), O_RDWR | O_CLOEXEC | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return FromErrno();
        file = std::make_unique<PosixJournalFile>(fd);
        return db::DbStatus::Ok;
    }
    db::DbStatus CommitReplacement() override
    {
        return ::rename(m_side.c_str(), m_file.c_str()) == 0 ? db::DbStatus::Ok : FromErrno();
    }
    void DiscardReplacement() noexcept override { ::unlink(m_side.c_str()); }
    void Lock() noexcept override
    {
        if (m_lock < 0)
            m_lock = ::open(m_file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (m_lock >= 0)
            while (::flock(m_lock, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    void Unlock() noexcept override
    {
        if (m_lock >= 0)
            ::flock(m_lock, LOCK_UN);
    }

private:
    fs::path m_file;
    std::string m_side;
    int m_lock = -1;
};

std::string StatusText(db::DbStatus status)
{
    switch (status) {
    case db::DbStatus::Ok:
        return "done";
    case db::DbStatus::NotFound:
        return "not found";
    case db::DbStatus::Exists:
        return "exists already";
    case db::DbStatus::InvalidParameter:
        return "a value the volume refuses";
    case db::DbStatus::NoMoreItems:
        return "no more items";
    case db::DbStatus::DiskFull:
        return "the disk is full";
    case db::DbStatus::AccessDenied:
        return "access denied";
    case db::DbStatus::BadFormat:
        return "the file is no database volume";
    case db::DbStatus::Corrupt:
        return "the volume is damaged";
    case db::DbStatus::Unsupported:
        return "not supported";
    case db::DbStatus::Io:
        return "the file cannot be read or written";
    }
    return "failed";
}

std::u16string Units(std::wstring_view text)
{
    return std::u16string(text.begin(), text.end());
}

Record ToRecord(const db::PropertySet& properties)
{
    Record record;
    record.reserve(properties.size());
    for (const db::Property& property : properties) {
        switch (property.Type()) {
        case db::TypeUI4:
        case db::TypeI4:
            record.push_back(Prop{property.id, static_cast<std::uint32_t>(property.bits)});
            break;
        case db::TypeFileTime:
            record.push_back(Prop{property.id, FileTimeValue{property.bits}});
            break;
        case db::TypeText:
            record.push_back(Prop{property.id, std::wstring(property.text.begin(), property.text.end())});
            break;
        default:
            break;  // types the stores do not use
        }
    }
    return record;
}

std::vector<db::PropertyChange> ToChanges(const Record& record)
{
    std::vector<db::PropertyChange> changes(record.size());
    for (std::size_t i = 0; i < record.size(); ++i) {
        db::Property& property = changes[i].value;
        property.id = record[i].id;
        if (const auto* number = std::get_if<std::uint32_t>(&record[i].value))
            property.bits = *number;
        else if (const auto* time = std::get_if<FileTimeValue>(&record[i].value))
            property.bits = time->ticks;
        else
            property.text = Units(std::get<std::wstring>(record[i].value));
    }
    return changes;
}

class HostStoreVolume final : public StoreVolume {
public:
    explicit HostStoreVolume(std::unique_ptr<db::VolumeStore> store) : m_store(std::move(store)) {}

    std::optional<std::vector<StoredRecord>> ReadDatabase(std::wstring_view name) override
    {
        db::Oid oid = 0;
        if (!Check(m_store->FindDatabase(Units(name), oid), "cannot open", name))
            return std::nullopt;
        db::Cursor cursor{oid};
        db::Oid found = 0;
        db::DbStatus status = m_store->Seek(cursor, db::SeekKind::Beginning, 0, nullptr, found);
        std::vector<StoredRecord> records;
        if (status == db::DbStatus::NoMoreItems)
            return records;
        if (!Check(status, "cannot read", name))
            return std::nullopt;
        for (;;) {
            const db::Record* record = nullptr;
            status = m_store->Read(cursor, true, record);
            if (status == db::DbStatus::NoMoreItems)
                return records;
            if (!Check(status, "cannot read", name))
                return std::nullopt;
            records.push_back({record->oid, record->size, ToRecord(record->properties)});
        }
    }

    std::optional<Usage> DatabaseUsage(std::wstring_view name) override
    {
        db::Oid oid = 0;
        db::DatabaseInfo info;
        if (!Check(m_store->FindDatabase(Units(name), oid), "cannot open", name) ||
            !Check(m_store->GetDatabase(oid, info), "cannot measure", name))
            return std::nullopt;
        return Usage{info.recordCount, static_cast<std::uint32_t>(info.size)};
    }

    std::optional<std::uint32_t> EmptyDatabaseBytes() override
    {
        static constexpr wchar_t Scratch[] = L"StoreScanTemp";
        if (!RecreateDatabase(Scratch))
            return std::nullopt;
        const std::optional<Usage> usage = DatabaseUsage(Scratch);
        db::Oid oid = 0;
        if (m_store->FindDatabase(Units(Scratch), oid) == db::DbStatus::Ok)
            m_store->DeleteDatabase(oid);
        if (!usage)
            return std::nullopt;
        return usage->bytes;
    }

    bool RecreateDatabase(std::wstring_view name) override
    {
        db::Oid oid = 0;
        const db::DbStatus found = m_store->FindDatabase(Units(name), oid);
        if (found == db::DbStatus::Ok) {
            if (!Check(m_store->DeleteDatabase(oid), "cannot drop", name))
                return false;
        } else if (!Check(found == db::DbStatus::NotFound ? db::DbStatus::Ok : found, "cannot open", name)) {
            return false;
        }
        db::DatabaseInfo wanted;
        wanted.name = Units(name);
        return Check(m_store->CreateDatabase(wanted, oid), "cannot make", name);
    }

    bool Append(std::wstring_view name, const std::vector<Record>& records) override
    {
        db::Oid oid = 0;
        if (!Check(m_store->FindDatabase(Units(name), oid), "cannot open", name))
            return false;
        for (const Record& record : records) {
            db::Oid written = 0;
            if (!Check(m_store->WriteRecord(oid, 0, ToChanges(record), written), "cannot write to", name))
                return false;
        }
        return true;
    }

private:
    bool Check(db::DbStatus status, const char* what, std::wstring_view name)
    {
        if (status == db::DbStatus::Ok)
            return true;
        m_lastError = std::string(what) + " \"" + AsciiText(name) + "\": " + StatusText(status);
        return false;
    }

    std::unique_ptr<db::VolumeStore> m_store;
};

}  // namespace

std::unique_ptr<StoreVolume> MountHostVolume(const fs::path& file, bool create, std::string& error)
{
    db::VolumeStore::Options options;
    options.sync = false;  // the journal file syncs once when it closes
    std::unique_ptr<db::VolumeStore> store;
    const db::DbStatus status =
        db::VolumeStore::Mount(std::make_unique<PosixVolumeFiles>(file),
                               create ? db::MountMode::OpenAlways : db::MountMode::OpenExisting, options, store);
    if (status != db::DbStatus::Ok) {
        error = status == db::DbStatus::NotFound ? "there is no such file" : StatusText(status);
        return nullptr;
    }
    return std::make_unique<HostStoreVolume>(std::move(store));
}

void HideAsSystemFolder(const fs::path& folder) noexcept
{
    // Wine's own spelling of FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM.
    static constexpr char Attributes[] = "0x6";
    ::setxattr(folder.c_str(), "user.DOSATTRIB", Attributes, sizeof Attributes - 1, 0);
}

}  // namespace vellumate::stores
