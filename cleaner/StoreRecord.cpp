#include "cleaner/StoreRecord.h"

DatabaseHandle OpenDatabase(CEGUID& volume, const wchar_t* name)
{
    CEOID oid = 0;
    return DatabaseHandle(CeOpenDatabaseEx(&volume, &oid, const_cast<LPWSTR>(name), 0, CEDB_AUTOINCREMENT, nullptr));
}

StoreRecord::~StoreRecord()
{
    if (m_buffer)
        LocalFree(m_buffer);
}

bool StoreRecord::Read(HANDLE database)
{
    m_count = 0;
    m_size = 0;
    DWORD size = m_capacity;
    m_oid = CeReadRecordPropsEx(database, CEDB_ALLOWREALLOC, &m_count, nullptr, &m_buffer, &size, nullptr);
    if (m_oid == 0) {
        m_failed = GetLastError() != ERROR_NO_MORE_ITEMS;
        m_count = 0;
        return false;
    }
    m_failed = false;
    m_size = size;
    if (size > m_capacity)
        m_capacity = size;
    return true;
}

const CEPROPVAL* StoreRecord::Property(CEPROPID id) const noexcept
{
    const auto* values = reinterpret_cast<const CEPROPVAL*>(m_buffer);
    for (WORD index = 0; values && index < m_count; ++index) {
        if (values[index].propid == id && !(values[index].wFlags & CEDB_PROPNOTFOUND))
            return &values[index];
    }
    return nullptr;
}

std::optional<ULONG> StoreRecord::Number(CEPROPID id) const noexcept
{
    const CEPROPVAL* value = Property(id);
    if (!value)
        return std::nullopt;
    return value->val.ulVal;
}

const wchar_t* StoreRecord::Text(CEPROPID id) const noexcept
{
    const CEPROPVAL* value = Property(id);
    return value ? value->val.lpwstr : nullptr;
}
