#include "platform/stores/CeStoreVolume.h"

#include "platform/stores/MailStoreSchema.h"

#include "platform/Handles.h"

#include <algorithm>
#include <cwchar>
#include <string>

namespace vellumate::stores {

namespace {

using KernelHandle = UniqueHandle<handle_traits::Kernel>;

// Databases are opened as real kernel handles; a failed open is INVALID_HANDLE_VALUE.
KernelHandle Held(HANDLE database) noexcept
{
    return KernelHandle(database == INVALID_HANDLE_VALUE ? nullptr : database);
}

// The buffer CeReadRecordPropsEx allocates, freed once after every read.
class RecordBuffer {
public:
    RecordBuffer() = default;
    ~RecordBuffer()
    {
        if (m_bytes)
            ::LocalFree(m_bytes);
    }
    RecordBuffer(const RecordBuffer&) = delete;
    RecordBuffer& operator=(const RecordBuffer&) = delete;
    LPBYTE* Address() noexcept { return &m_bytes; }

private:
    LPBYTE m_bytes = nullptr;
};

Record ToRecord(const CEPROPVAL* values, WORD count)
{
    Record record;
    record.reserve(count);
    for (WORD i = 0; i < count; ++i) {
        const CEPROPVAL& value = values[i];
        if (value.wFlags & CEDB_PROPNOTFOUND)
            continue;
        switch (TypeFromPropID(value.propid)) {
        case CEVT_UI4:
        case CEVT_I4:
            record.push_back(Prop{value.propid, static_cast<std::uint32_t>(value.val.ulVal)});
            break;
        case CEVT_FILETIME:
            record.push_back(Prop{value.propid, FileTimeValue{(std::uint64_t{value.val.filetime.dwHighDateTime} << 32) |
                                                              value.val.filetime.dwLowDateTime}});
            break;
        case CEVT_LPWSTR:
            record.push_back(Prop{value.propid, std::wstring(value.val.lpwstr ? value.val.lpwstr : L"")});
            break;
        default:
            break;  // types the stores do not use
        }
    }
    return record;
}

// The record as property values; strings point into `record`.
std::vector<CEPROPVAL> ToValues(const Record& record)
{
    std::vector<CEPROPVAL> values(record.size());
    for (std::size_t i = 0; i < record.size(); ++i) {
        CEPROPVAL& value = values[i];
        value.propid = record[i].id;
        if (const auto* number = std::get_if<std::uint32_t>(&record[i].value)) {
            value.val.ulVal = *number;
        } else if (const auto* time = std::get_if<FileTimeValue>(&record[i].value)) {
            value.val.filetime.dwLowDateTime = static_cast<DWORD>(time->ticks);
            value.val.filetime.dwHighDateTime = static_cast<DWORD>(time->ticks >> 32);
        } else {
            value.val.lpwstr = const_cast<LPWSTR>(std::get<std::wstring>(record[i].value).c_str());
        }
    }
    return values;
}

}  // namespace

CeStoreVolume::CeStoreVolume(const wchar_t* path, DWORD how) noexcept
{
    std::wstring name = path;
    m_mounted = ::CeMountDBVol(&m_volume, name.data(), how) != FALSE;
    if (!m_mounted) {
        m_errorCode = ::GetLastError();
        m_lastError = "cannot mount " + AsciiText(path) + " (error " + std::to_string(m_errorCode) + ")";
    }
}

CeStoreVolume::~CeStoreVolume()
{
    if (m_mounted)
        ::CeUnmountDBVol(&m_volume);
}

bool CeStoreVolume::Fail(const char* what, std::wstring_view name)
{
    m_errorCode = ::GetLastError();
    m_lastError = std::string(what) + " \"" + AsciiText(name) + "\" (error " + std::to_string(m_errorCode) + ")";
    return false;
}

HANDLE CeStoreVolume::Open(std::wstring_view name, DWORD flags, CEOID& oid)
{
    oid = 0;
    std::wstring text(name);
    return ::CeOpenDatabaseEx(&m_volume, &oid, text.data(), 0, flags, nullptr);
}

CEOID CeStoreVolume::Create(std::wstring_view name)
{
    CEDBASEINFO info{};
    info.dwFlags = CEDB_VALIDNAME;
    const std::size_t length = std::min<std::size_t>(name.size(), CEDB_MAXDBASENAMELEN - 1);
    std::wmemcpy(info.szDbaseName, name.data(), length);
    return ::CeCreateDatabaseEx(&m_volume, &info);
}

std::optional<std::vector<StoredRecord>> CeStoreVolume::ReadDatabase(std::wstring_view name)
{
    if (!m_mounted)
        return std::nullopt;
    CEOID oid = 0;
    const KernelHandle database = Held(Open(name, CEDB_AUTOINCREMENT, oid));
    if (!database) {
        Fail("cannot open", name);
        return std::nullopt;
    }
    std::vector<StoredRecord> records;
    RecordBuffer buffer;
    for (;;) {
        WORD count = 0;
        DWORD bytes = 0;
        const CEOID record = ::CeReadRecordPropsEx(database.Get(), CEDB_ALLOWREALLOC, &count, nullptr, buffer.Address(),
                                                   &bytes, nullptr);
        if (record == 0) {
            if (::GetLastError() == ERROR_NO_MORE_ITEMS)
                return records;
            Fail("cannot read", name);
            return std::nullopt;
        }
        records.push_back({record, bytes, ToRecord(reinterpret_cast<const CEPROPVAL*>(*buffer.Address()), count)});
    }
}

std::optional<StoreVolume::Usage> CeStoreVolume::DatabaseUsage(std::wstring_view name)
{
    if (!m_mounted)
        return std::nullopt;
    CEOID oid = 0;
    const KernelHandle database = Held(Open(name, 0, oid));
    CEOIDINFO info{};
    if (!database || !::CeOidGetInfoEx(&m_volume, oid, &info) || info.wObjType != OBJTYPE_DATABASE) {
        Fail("cannot measure", name);
        return std::nullopt;
    }
    return Usage{info.infDatabase.wNumRecords, info.infDatabase.dwSize};
}

std::optional<std::uint32_t> CeStoreVolume::EmptyDatabaseBytes()
{
    // Measured as the cleaner measures it: a scratch database made and dropped.
    static constexpr wchar_t Scratch[] = L"StoreScanTemp";
    if (!RecreateDatabase(Scratch))
        return std::nullopt;
    const std::optional<Usage> usage = DatabaseUsage(Scratch);
    CEOID oid = 0;
    Held(Open(Scratch, 0, oid));  // its object id; the handle closes at once
    if (oid != 0)
        ::CeDeleteDatabaseEx(&m_volume, oid);
    if (!usage)
        return std::nullopt;
    return usage->bytes;
}

bool CeStoreVolume::RecreateDatabase(std::wstring_view name)
{
    if (!m_mounted)
        return false;
    CEOID oid = 0;
    if (KernelHandle database = Held(Open(name, 0, oid)); database) {
        database.Reset();
        if (!::CeDeleteDatabaseEx(&m_volume, oid))
            return Fail("cannot drop", name);
    }
    return Create(name) != 0 || Fail("cannot make", name);
}

bool CeStoreVolume::EnsureDatabase(std::wstring_view name)
{
    if (!m_mounted)
        return false;
    CEOID oid = 0;
    if (Held(Open(name, 0, oid)))
        return true;
    if (::GetLastError() != ERROR_FILE_NOT_FOUND)
        return Fail("cannot open", name);
    return Create(name) != 0 || Fail("cannot make", name);
}

bool CeStoreVolume::Append(std::wstring_view name, const std::vector<Record>& records)
{
    if (!m_mounted)
        return false;
    CEOID oid = 0;
    const KernelHandle database = Held(Open(name, 0, oid));
    if (!database)
        return Fail("cannot open", name);
    for (const Record& record : records) {
        std::vector<CEPROPVAL> values = ToValues(record);
        if (::CeWriteRecordProps(database.Get(), 0, static_cast<WORD>(values.size()), values.data()) == 0)
            return Fail("cannot write to", name);
    }
    return true;
}

}  // namespace vellumate::stores
