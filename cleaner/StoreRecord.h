// Reading the records of the handset's databases: one record's properties in
// a buffer the platform allocates and this object frees, and an open
// database that closes itself.
#pragma once

#include "platform/Handles.h"
#include "platform/database/Database.h"

#include <windows.h>

#include <optional>

// CeOpenDatabaseEx reports failure as INVALID_HANDLE_VALUE, as CreateFileW does.
using DatabaseHandle = vellumate::FileHandle;

// Opens a database of the mounted volume by name, reading forward record by
// record; an invalid handle when it cannot (GetLastError says why).
DatabaseHandle OpenDatabase(CEGUID& volume, const wchar_t* name);

class StoreRecord {
public:
    StoreRecord() noexcept = default;
    ~StoreRecord();
    StoreRecord(const StoreRecord&) = delete;
    StoreRecord& operator=(const StoreRecord&) = delete;

    // Reads every property of the record at the database's position (which
    // then moves on); false past the last record or on failure.
    bool Read(HANDLE database);
    // Whether the last Read stopped for another reason than the end of the
    // records: a listing cut short must not pass for a whole one.
    bool Failed() const noexcept { return m_failed; }

    CEOID Oid() const noexcept { return m_oid; }
    // The size of the record's data, as the platform measures it.
    DWORD Size() const noexcept { return m_size; }

    const CEPROPVAL* Property(CEPROPID id) const noexcept;
    // An unsigned 32-bit property, or nothing when the record lacks it.
    std::optional<ULONG> Number(CEPROPID id) const noexcept;
    // A string property, or null.
    const wchar_t* Text(CEPROPID id) const noexcept;

private:
    LPBYTE m_buffer = nullptr;
    DWORD m_capacity = 0;
    WORD m_count = 0;
    CEOID m_oid = 0;
    DWORD m_size = 0;
    bool m_failed = false;
};
