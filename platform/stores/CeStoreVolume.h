// A store volume over the platform's database functions (CeMountDBVol and
// the rest): what the handset's programs and tests use. Mounted for the
// object's lifetime.
#pragma once

#include "platform/database/Database.h"
#include "platform/stores/StoreVolume.h"

#include <windows.h>

namespace vellumate::stores {

class CeStoreVolume final : public StoreVolume {
public:
    // `path` is a handset path ("\cemail.vol"); `how` is OPEN_EXISTING or
    // OPEN_ALWAYS.
    CeStoreVolume(const wchar_t* path, DWORD how) noexcept;
    ~CeStoreVolume() override;
    CeStoreVolume(const CeStoreVolume&) = delete;
    CeStoreVolume& operator=(const CeStoreVolume&) = delete;

    bool Mounted() const noexcept { return m_mounted; }
    // The platform's error of the last failure.
    DWORD LastErrorCode() const noexcept { return m_errorCode; }

    std::optional<std::vector<StoredRecord>> ReadDatabase(std::wstring_view name) override;
    std::optional<Usage> DatabaseUsage(std::wstring_view name) override;
    std::optional<std::uint32_t> EmptyDatabaseBytes() override;
    bool RecreateDatabase(std::wstring_view name) override;
    bool Append(std::wstring_view name, const std::vector<Record>& records) override;

    // Makes the database when the volume has none of that name.
    bool EnsureDatabase(std::wstring_view name);

private:
    HANDLE Open(std::wstring_view name, DWORD flags, CEOID& oid);
    CEOID Create(std::wstring_view name);
    bool Fail(const char* what, std::wstring_view name);

    CEGUID m_volume{};
    bool m_mounted = false;
    DWORD m_errorCode = 0;
};

}  // namespace vellumate::stores
