// The platform's database functions over mounted volumes (VolumeStore).
//
// A process's mounts and open handles live in two tables under one lock. A
// database handle is an unnamed event that keys its entry, so that the
// caller closes it with CloseHandle like any other; entries whose handle was
// closed are dropped when the next handle is made, and all of a volume's when
// it is unmounted.
#include "platform/database/Database.h"
#include "platform/database/RecordBuffer.h"
#include "platform/database/VolumeStore.h"
#include "platform/database/Win32VolumeFiles.h"

#include "platform/DevicePaths.h"

#include <cstring>
#include <map>
#include <mutex>
#include <new>
#include <optional>

using namespace vellumate::database;

namespace {

constexpr DWORD GuidMark = 0x42444D56;  // "VMDB"

struct MountedVolume {
    std::unique_ptr<VolumeStore> store;
    std::wstring key;
    int mounts = 0;
};

struct OpenHandle {
    DWORD volume = 0;
    bool isFind = false;
    // a database
    Cursor cursor;
    bool autoIncrement = false;
    // a database search
    std::vector<Oid> found;
    std::size_t next = 0;
};

std::mutex g_lock;
std::map<DWORD, MountedVolume> g_volumes;
std::map<HANDLE, OpenHandle> g_handles;
DWORD g_lastVolume = 0;

DWORD ErrorOf(DbStatus status) noexcept
{
    switch (status) {
    case DbStatus::Ok:
        return ERROR_SUCCESS;
    case DbStatus::NotFound:
        return ERROR_FILE_NOT_FOUND;
    case DbStatus::Exists:
        return ERROR_FILE_EXISTS;
    case DbStatus::InvalidParameter:
        return ERROR_INVALID_PARAMETER;
    case DbStatus::NoMoreItems:
        return ERROR_NO_MORE_ITEMS;
    case DbStatus::DiskFull:
        return ERROR_DISK_FULL;
    case DbStatus::AccessDenied:
        return ERROR_ACCESS_DENIED;
    case DbStatus::BadFormat:
        return ERROR_BAD_FORMAT;
    case DbStatus::Corrupt:
        return ERROR_FILE_CORRUPT;
    case DbStatus::Unsupported:
        return ERROR_NOT_SUPPORTED;
    case DbStatus::Io:
        break;
    }
    return ERROR_GEN_FAILURE;
}

template <typename T>
T Fail(DWORD error, T result)
{
    ::SetLastError(error);
    return result;
}

// The mounted volume a CEGUID names, refreshed with what others wrote.
VolumeStore* VolumeOf(const CEGUID* guid, DWORD& error)
{
    error = ERROR_INVALID_PARAMETER;
    if (!guid || guid->Data2 != GuidMark || guid->Data3 != ~guid->Data1)
        return nullptr;
    auto it = g_volumes.find(guid->Data1);
    if (it == g_volumes.end())
        return nullptr;
    const DbStatus status = it->second.store->Refresh();
    if (status != DbStatus::Ok) {
        error = ErrorOf(status);
        return nullptr;
    }
    return it->second.store.get();
}

OpenHandle* HandleOf(HANDLE handle, bool isFind, VolumeStore*& store, DWORD& error)
{
    error = ERROR_INVALID_HANDLE;
    auto it = g_handles.find(handle);
    if (it == g_handles.end() || it->second.isFind != isFind)
        return nullptr;
    auto volume = g_volumes.find(it->second.volume);
    if (volume == g_volumes.end())
        return nullptr;
    const DbStatus status = volume->second.store->Refresh();
    if (status != DbStatus::Ok) {
        error = ErrorOf(status);
        return nullptr;
    }
    store = volume->second.store.get();
    return &it->second;
}

// A new kernel handle keying `entry`; entries of handles closed since go.
HANDLE AddHandle(OpenHandle entry)
{
    for (auto it = g_handles.begin(); it != g_handles.end();) {
        DWORD flags = 0;
        it = ::GetHandleInformation(it->first, &flags) ? std::next(it) : g_handles.erase(it);
    }
    HANDLE handle = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!handle)
        return INVALID_HANDLE_VALUE;
    g_handles.insert_or_assign(handle, std::move(entry));
    return handle;
}

bool NameFrom(const WCHAR* name, std::u16string& out)
{
    const std::size_t length = ::wcsnlen(name, CEDB_MAXDBASENAMELEN);
    if (length == 0 || length >= CEDB_MAXDBASENAMELEN)
        return false;
    out.assign(reinterpret_cast<const char16_t*>(name), length);
    return true;
}

void CopyName(const std::u16string& name, WCHAR (&out)[CEDB_MAXDBASENAMELEN])
{
    const std::size_t n = name.size() < CEDB_MAXDBASENAMELEN ? name.size() : CEDB_MAXDBASENAMELEN - 1;
    for (std::size_t i = 0; i < n; ++i)
        out[i] = static_cast<WCHAR>(name[i]);
    out[n] = L'\0';
}

// Only the extended flags are the database's own; the valid-member bits
// describe a call.
constexpr DWORD StoredFlags = 0xFFFF0000;
constexpr DWORD ReportedValid = CEDB_VALIDNAME | CEDB_VALIDTYPE | CEDB_VALIDSORTSPEC;

CEOID CreateDatabase(PCEGUID guid, DatabaseInfo& wanted)
{
    DWORD error;
    VolumeStore* store = VolumeOf(guid, error);
    if (!store)
        return Fail(error, CEOID(0));
    Oid oid = 0;
    const DbStatus status = store->CreateDatabase(wanted, oid);
    if (status == DbStatus::Exists)
        return Fail(ERROR_DUP_NAME, CEOID(0));
    if (status != DbStatus::Ok)
        return Fail(ErrorOf(status), CEOID(0));
    return oid;
}

// A sort order of either information record: the older names one property,
// the newer up to three, of which the first is kept.
void AddSortOrder(DatabaseInfo& wanted, const SORTORDERSPEC& order)
{
    wanted.sorts.push_back({order.propid, order.dwFlags});
}

void AddSortOrder(DatabaseInfo& wanted, const SORTORDERSPECEX& order)
{
    if (order.wNumProps > 0)
        wanted.sorts.push_back({order.rgPropID[0], order.rgdwFlags[0]});
}

// Both create functions: the name, type, flags and sort orders the record
// marks as valid.
template <typename Info>
CEOID CreateDatabaseFrom(PCEGUID pceguid, Info* lpCEDBInfo)
{
    if (!lpCEDBInfo || !(lpCEDBInfo->dwFlags & CEDB_VALIDNAME))
        return Fail(ERROR_INVALID_PARAMETER, CEOID(0));
    try {
        std::lock_guard lock(g_lock);
        DatabaseInfo wanted;
        if (!NameFrom(lpCEDBInfo->szDbaseName, wanted.name))
            return Fail(ERROR_INVALID_PARAMETER, CEOID(0));
        wanted.type = (lpCEDBInfo->dwFlags & CEDB_VALIDTYPE) ? lpCEDBInfo->dwDbaseType : 0;
        wanted.flags = lpCEDBInfo->dwFlags & StoredFlags;
        if (lpCEDBInfo->dwFlags & CEDB_VALIDSORTSPEC) {
            if (lpCEDBInfo->wNumSortOrder > CEDB_MAXSORTORDER)
                return Fail(ERROR_INVALID_PARAMETER, CEOID(0));
            for (WORD i = 0; i < lpCEDBInfo->wNumSortOrder; ++i)
                AddSortOrder(wanted, lpCEDBInfo->rgSortSpecs[i]);
        }
        return CreateDatabase(pceguid, wanted);
    } catch (const std::bad_alloc&) {
        return Fail(ERROR_OUTOFMEMORY, CEOID(0));
    }
}

}  // namespace

extern "C" {

BOOL WINAPI CeMountDBVol(PCEGUID pceguid, LPWSTR lpszVol, DWORD dwFlags)
{
    if (!pceguid || !lpszVol || !*lpszVol)
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    MountMode mode;
    switch (dwFlags) {
    case CREATE_NEW:
        mode = MountMode::CreateNew;
        break;
    case CREATE_ALWAYS:
        mode = MountMode::CreateAlways;
        break;
    case OPEN_EXISTING:
        mode = MountMode::OpenExisting;
        break;
    case OPEN_ALWAYS:
        mode = MountMode::OpenAlways;
        break;
    case TRUNCATE_EXISTING:
        mode = MountMode::TruncateExisting;
        break;
    default:
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    try {
        std::lock_guard lock(g_lock);
        // A handset path ("\cemail.vol") lies below the device's root.
        const std::wstring path = vellumate::ToDevicePath(lpszVol);
        const std::wstring key = VolumeKey(path);
        DWORD id = 0;
        for (auto& [volumeId, volume] : g_volumes) {
            if (volume.key != key)
                continue;
            // Mounted here already: shared, but never emptied under the other mount.
            if (mode == MountMode::CreateNew)
                return Fail(ERROR_FILE_EXISTS, FALSE);
            if (mode == MountMode::CreateAlways || mode == MountMode::TruncateExisting)
                return Fail(ERROR_SHARING_VIOLATION, FALSE);
            ++volume.mounts;
            id = volumeId;
        }
        if (id == 0) {
            std::unique_ptr<VolumeStore> store;
            const DbStatus status =
                VolumeStore::Mount(std::make_unique<Win32VolumeFiles>(path), mode, VolumeStore::Options{}, store);
            if (status != DbStatus::Ok)
                return Fail(ErrorOf(status), FALSE);
            id = ++g_lastVolume;
            g_volumes[id] = MountedVolume{std::move(store), key, 1};
        }
        pceguid->Data1 = id;
        pceguid->Data2 = GuidMark;
        pceguid->Data3 = ~id;
        pceguid->Data4 = 0;
        return TRUE;
    } catch (const std::bad_alloc&) {
        return Fail(ERROR_OUTOFMEMORY, FALSE);
    }
}

BOOL WINAPI CeUnmountDBVol(PCEGUID pceguid)
{
    std::lock_guard lock(g_lock);
    if (!pceguid || pceguid->Data2 != GuidMark || pceguid->Data3 != ~pceguid->Data1)
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    auto it = g_volumes.find(pceguid->Data1);
    if (it == g_volumes.end())
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    if (--it->second.mounts == 0) {
        for (auto h = g_handles.begin(); h != g_handles.end();)
            h = h->second.volume == it->first ? g_handles.erase(h) : std::next(h);
        g_volumes.erase(it);
    }
    return TRUE;
}

BOOL WINAPI CeFlushDBVol(PCEGUID pceguid)
{
    std::lock_guard lock(g_lock);
    DWORD error;
    return VolumeOf(pceguid, error) ? TRUE : Fail(error, FALSE);
}

CEOID WINAPI CeCreateDatabaseEx(PCEGUID pceguid, CEDBASEINFO* lpCEDBInfo)
{
    return CreateDatabaseFrom(pceguid, lpCEDBInfo);
}

CEOID WINAPI CeCreateDatabaseEx2(PCEGUID pceguid, CEDBASEINFOEX* lpCEDBInfo)
{
    return CreateDatabaseFrom(pceguid, lpCEDBInfo);
}

BOOL WINAPI CeDeleteDatabaseEx(PCEGUID pceguid, CEOID oid)
{
    try {
        std::lock_guard lock(g_lock);
        DWORD error;
        VolumeStore* store = VolumeOf(pceguid, error);
        if (!store)
            return Fail(error, FALSE);
        const DbStatus status = store->DeleteDatabase(oid);
        if (status == DbStatus::NotFound)
            return Fail(ERROR_INVALID_PARAMETER, FALSE);
        return status == DbStatus::Ok ? TRUE : Fail(ErrorOf(status), FALSE);
    } catch (const std::bad_alloc&) {
        return Fail(ERROR_OUTOFMEMORY, FALSE);
    }
}

HANDLE WINAPI CeOpenDatabaseEx(PCEGUID pceguid, PCEOID poid, LPWSTR lpszName, CEPROPID propid, DWORD dwFlags,
                               CENOTIFYREQUEST* pRequest)
{
    (void)propid;
    (void)pRequest;
    if (!poid || (*poid == 0 && !lpszName))
        return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    try {
        std::lock_guard lock(g_lock);
        DWORD error;
        VolumeStore* store = VolumeOf(pceguid, error);
        if (!store)
            return Fail(error, INVALID_HANDLE_VALUE);
        Oid oid = *poid;
        DatabaseInfo info;
        if (oid == 0) {
            const std::size_t length = ::wcsnlen(lpszName, CEDB_MAXDBASENAMELEN);
            if (length >= CEDB_MAXDBASENAMELEN ||
                store->FindDatabase({reinterpret_cast<const char16_t*>(lpszName), length}, oid) != DbStatus::Ok)
                return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
        } else if (store->GetDatabase(oid, info) != DbStatus::Ok) {
            return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
        }
        OpenHandle entry;
        entry.volume = pceguid->Data1;
        entry.cursor.database = oid;
        entry.autoIncrement = (dwFlags & CEDB_AUTOINCREMENT) != 0;
        HANDLE handle = AddHandle(std::move(entry));
        if (handle == INVALID_HANDLE_VALUE)
            return Fail(::GetLastError(), INVALID_HANDLE_VALUE);
        *poid = oid;
        return handle;
    } catch (const std::bad_alloc&) {
        return Fail(ERROR_OUTOFMEMORY, INVALID_HANDLE_VALUE);
    }
}

HANDLE WINAPI CeFindFirstDatabaseEx(PCEGUID pceguid, DWORD dwDbaseType)
{
    try {
        std::lock_guard lock(g_lock);
        DWORD error;
        VolumeStore* store = VolumeOf(pceguid, error);
        if (!store)
            return Fail(error, INVALID_HANDLE_VALUE);
        OpenHandle entry;
        entry.volume = pceguid->Data1;
        entry.isFind = true;
        entry.found = store->Databases(dwDbaseType);
        HANDLE handle = AddHandle(std::move(entry));
        return handle != INVALID_HANDLE_VALUE ? handle : Fail(::GetLastError(), INVALID_HANDLE_VALUE);
    } catch (const std::bad_alloc&) {
        return Fail(ERROR_OUTOFMEMORY, INVALID_HANDLE_VALUE);
    }
}

CEOID WINAPI CeFindNextDatabaseEx(HANDLE hEnum, PCEGUID pceguid)
{
    (void)pceguid;
    std::lock_guard lock(g_lock);
    VolumeStore* store = nullptr;
    DWORD error;
    OpenHandle* entry = HandleOf(hEnum, true, store, error);
    if (!entry)
        return Fail(error, CEOID(0));
    DatabaseInfo info;
    while (entry->next < entry->found.size()) {
        const Oid oid = entry->found[entry->next++];
        if (store->GetDatabase(oid, info) == DbStatus::Ok)  // not deleted since
            return oid;
    }
    return Fail(ERROR_NO_MORE_ITEMS, CEOID(0));
}

CEOID WINAPI CeSeekDatabaseEx(HANDLE hDatabase, DWORD dwSeekType, DWORD_PTR dwValue, WORD wNumVals, LPDWORD lpdwIndex)
{
    try {
        std::lock_guard lock(g_lock);
        VolumeStore* store = nullptr;
        DWORD error;
        OpenHandle* entry = HandleOf(hDatabase, false, store, error);
        if (!entry)
            return Fail(error, CEOID(0));
        SeekKind kind;
        std::int64_t count = 0;
        std::optional<Property> value;
        const auto asDword = static_cast<DWORD>(dwValue);
        switch (dwSeekType) {
        case CEDB_SEEK_CEOID:
            kind = SeekKind::Oid;
            count = asDword;
            break;
        case CEDB_SEEK_BEGINNING:
            kind = SeekKind::Beginning;
            count = asDword;
            break;
        case CEDB_SEEK_END:
            kind = SeekKind::End;
            count = asDword;
            break;
        case CEDB_SEEK_CURRENT:
            kind = SeekKind::Current;
            count = static_cast<LONG>(asDword);  // backwards when negative
            break;
        case CEDB_SEEK_VALUEFIRSTEQUAL:
        case CEDB_SEEK_VALUENEXTEQUAL:
            kind = dwSeekType == CEDB_SEEK_VALUEFIRSTEQUAL ? SeekKind::FirstEqual : SeekKind::NextEqual;
            if (!dwValue || wNumVals == 0)
                return Fail(ERROR_INVALID_PARAMETER, CEOID(0));
            if (wNumVals > 1)  // keys of several properties: no sort orders here
                return Fail(ERROR_NOT_SUPPORTED, CEOID(0));
            value = PropertyFromValue(*reinterpret_cast<const CEPROPVAL*>(dwValue));
            if (!value)
                return Fail(ERROR_INVALID_PARAMETER, CEOID(0));
            break;
        default:
            return Fail(ERROR_NOT_SUPPORTED, CEOID(0));
        }
        Oid found = 0;
        std::uint32_t index = 0;
        const DbStatus status =
            store->Seek(entry->cursor, kind, count, value ? &*value : nullptr, found, lpdwIndex ? &index : nullptr);
        if (status == DbStatus::NotFound)
            return Fail(ERROR_INVALID_HANDLE, CEOID(0));  // the database was deleted
        if (status != DbStatus::Ok)
            return Fail(ErrorOf(status), CEOID(0));
        if (lpdwIndex)
            *lpdwIndex = index;
        return found;
    } catch (const std::bad_alloc&) {
        return Fail(ERROR_OUTOFMEMORY, CEOID(0));
    }
}

CEOID WINAPI CeSeekDatabase(HANDLE hDatabase, DWORD dwSeekType, DWORD_PTR dwValue, LPDWORD lpdwIndex)
{
    return CeSeekDatabaseEx(hDatabase, dwSeekType, dwValue, 1, lpdwIndex);
}

CEOID WINAPI CeReadRecordPropsEx(HANDLE hDbase, DWORD dwFlags, LPWORD lpcPropID, CEPROPID* rgPropID, LPBYTE* lplpBuffer,
                                 LPDWORD lpcbBuffer, HANDLE hHeap)
{
    if (!lpcPropID || !lplpBuffer || !lpcbBuffer)
        return Fail(ERROR_INVALID_PARAMETER, CEOID(0));
    try {
        std::lock_guard lock(g_lock);
        VolumeStore* store = nullptr;
        DWORD error;
        OpenHandle* entry = HandleOf(hDbase, false, store, error);
        if (!entry)
            return Fail(error, CEOID(0));
        const Record* record = nullptr;
        Cursor at = entry->cursor;
        const DbStatus status = store->Read(at, false, record);
        if (status == DbStatus::NotFound)
            return Fail(ERROR_INVALID_HANDLE, CEOID(0));
        if (status != DbStatus::Ok)
            return Fail(ErrorOf(status), CEOID(0));
        const auto picked = PickProperties(*record, rgPropID, *lpcPropID);
        const DWORD needed = LayoutSize(picked);
        if (!*lplpBuffer || *lpcbBuffer < needed) {
            if (!(dwFlags & CEDB_ALLOWREALLOC)) {
                *lpcbBuffer = needed;
                return Fail(ERROR_INSUFFICIENT_BUFFER, CEOID(0));
            }
            const SIZE_T bytes = needed ? needed : 1;
            void* grown;
            if (hHeap)
                grown = *lplpBuffer ? ::HeapReAlloc(hHeap, 0, *lplpBuffer, bytes) : ::HeapAlloc(hHeap, 0, bytes);
            else
                grown =
                    *lplpBuffer ? ::LocalReAlloc(*lplpBuffer, bytes, LMEM_MOVEABLE) : ::LocalAlloc(LMEM_FIXED, bytes);
            if (!grown)
                return Fail(ERROR_OUTOFMEMORY, CEOID(0));  // the caller's buffer is still theirs
            *lplpBuffer = static_cast<LPBYTE>(grown);
        }
        LayOut(picked, *lplpBuffer);
        *lpcbBuffer = needed;
        *lpcPropID = static_cast<WORD>(picked.size());
        entry->cursor = at;
        if (entry->autoIncrement)
            entry->cursor.position = record->oid + std::uint64_t(1);
        return record->oid;
    } catch (const std::bad_alloc&) {
        return Fail(ERROR_OUTOFMEMORY, CEOID(0));
    }
}

CEOID WINAPI CeReadRecordProps(HANDLE hDbase, DWORD dwFlags, LPWORD lpcPropID, CEPROPID* rgPropID, LPBYTE* lplpBuffer,
                               LPDWORD lpcbBuffer)
{
    return CeReadRecordPropsEx(hDbase, dwFlags, lpcPropID, rgPropID, lplpBuffer, lpcbBuffer, nullptr);
}

CEOID WINAPI CeWriteRecordProps(HANDLE hDbase, CEOID oidRecord, WORD cPropID, CEPROPVAL* rgPropVal)
{
    if (cPropID == 0 || !rgPropVal)
        return Fail(ERROR_INVALID_PARAMETER, CEOID(0));
    try {
        const auto changes = ChangesFromValues(rgPropVal, cPropID);
        if (!changes)
            return Fail(ERROR_INVALID_PARAMETER, CEOID(0));
        std::lock_guard lock(g_lock);
        VolumeStore* store = nullptr;
        DWORD error;
        OpenHandle* entry = HandleOf(hDbase, false, store, error);
        if (!entry)
            return Fail(error, CEOID(0));
        Oid written = 0;
        const DbStatus status = store->WriteRecord(entry->cursor.database, oidRecord, *changes, written);
        if (status == DbStatus::NotFound)
            return Fail(ERROR_INVALID_HANDLE, CEOID(0));
        return status == DbStatus::Ok ? written : Fail(ErrorOf(status), CEOID(0));
    } catch (const std::bad_alloc&) {
        return Fail(ERROR_OUTOFMEMORY, CEOID(0));
    }
}

BOOL WINAPI CeDeleteRecord(HANDLE hDatabase, CEOID oidRecord)
{
    try {
        std::lock_guard lock(g_lock);
        VolumeStore* store = nullptr;
        DWORD error;
        OpenHandle* entry = HandleOf(hDatabase, false, store, error);
        if (!entry)
            return Fail(error, FALSE);
        const DbStatus status = store->DeleteRecord(entry->cursor.database, oidRecord);
        if (status == DbStatus::NotFound)
            return Fail(ERROR_INVALID_HANDLE, FALSE);
        return status == DbStatus::Ok ? TRUE : Fail(ErrorOf(status), FALSE);
    } catch (const std::bad_alloc&) {
        return Fail(ERROR_OUTOFMEMORY, FALSE);
    }
}

BOOL WINAPI CeOidGetInfoEx(PCEGUID pceguid, CEOID oid, CEOIDINFO* oidInfo)
{
    if (!oidInfo || oid == 0)
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    try {
        std::lock_guard lock(g_lock);
        DWORD error;
        VolumeStore* store = VolumeOf(pceguid, error);
        if (!store)
            return Fail(error, FALSE);
        DatabaseInfo info;
        Oid parent = 0;
        std::memset(oidInfo, 0, sizeof *oidInfo);
        if (store->GetDatabase(oid, info) == DbStatus::Ok) {
            oidInfo->wObjType = OBJTYPE_DATABASE;
            CEDBASEINFO& out = oidInfo->infDatabase;
            out.dwFlags = ReportedValid | info.flags;
            CopyName(info.name, out.szDbaseName);
            out.dwDbaseType = info.type;
            out.wNumRecords = static_cast<WORD>(info.recordCount > 0xFFFF ? 0xFFFF : info.recordCount);
            out.wNumSortOrder = static_cast<WORD>(info.sorts.size());
            out.dwSize = static_cast<DWORD>(info.size > 0xFFFFFFFFu ? 0xFFFFFFFFu : info.size);
            for (std::size_t i = 0; i < info.sorts.size() && i < CEDB_MAXSORTORDER; ++i)
                out.rgSortSpecs[i] = {info.sorts[i].propid, info.sorts[i].flags};
            return TRUE;
        }
        if (store->RecordDatabase(oid, parent) == DbStatus::Ok) {
            oidInfo->wObjType = OBJTYPE_RECORD;
            oidInfo->infRecord.oidParent = parent;
            return TRUE;
        }
        return Fail(ERROR_INVALID_HANDLE, FALSE);
    } catch (const std::bad_alloc&) {
        return Fail(ERROR_OUTOFMEMORY, FALSE);
    }
}

BOOL WINAPI CeOidGetInfoEx2(PCEGUID pceguid, CEOID oid, CEOIDINFOEX* oidInfo)
{
    if (!oidInfo || oid == 0 || oidInfo->wVersion != CEOIDINFOEX_VERSION)
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    try {
        std::lock_guard lock(g_lock);
        DWORD error;
        VolumeStore* store = VolumeOf(pceguid, error);
        if (!store)
            return Fail(error, FALSE);
        DatabaseInfo info;
        Oid parent = 0;
        std::memset(oidInfo, 0, sizeof *oidInfo);
        oidInfo->wVersion = CEOIDINFOEX_VERSION;
        if (store->GetDatabase(oid, info) == DbStatus::Ok) {
            oidInfo->wObjType = OBJTYPE_DATABASE;
            CEDBASEINFOEX& out = oidInfo->infDatabase;
            out.wVersion = CEDBASEINFOEX_VERSION;
            out.dwFlags = ReportedValid | info.flags;
            CopyName(info.name, out.szDbaseName);
            out.dwDbaseType = info.type;
            out.dwNumRecords = info.recordCount;
            out.wNumSortOrder = static_cast<WORD>(info.sorts.size());
            out.dwSize = static_cast<DWORD>(info.size > 0xFFFFFFFFu ? 0xFFFFFFFFu : info.size);
            for (std::size_t i = 0; i < info.sorts.size() && i < CEDB_MAXSORTORDER; ++i) {
                out.rgSortSpecs[i].wVersion = 1;
                out.rgSortSpecs[i].wNumProps = 1;
                out.rgSortSpecs[i].rgPropID[0] = info.sorts[i].propid;
                out.rgSortSpecs[i].rgdwFlags[0] = info.sorts[i].flags;
            }
            return TRUE;
        }
        if (store->RecordDatabase(oid, parent) == DbStatus::Ok) {
            oidInfo->wObjType = OBJTYPE_RECORD;
            oidInfo->infRecord.oidParent = parent;
            return TRUE;
        }
        return Fail(ERROR_INVALID_HANDLE, FALSE);
    } catch (const std::bad_alloc&) {
        return Fail(ERROR_OUTOFMEMORY, FALSE);
    }
}

}  // extern "C"
