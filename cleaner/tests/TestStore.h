// A mail or phone store written through the handset's database interface
// the way the mail and phone programs keep it, for the cleaner's tests and
// benchmark: classes, folders, messages with their stored records, bodies and
// attachments.
#pragma once

#include "cleaner/MailStoreAccess.h"

#include "platform/database/Database.h"

#include <windows.h>

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace cleanertest {

constexpr DWORD MailClass = 7;
constexpr DWORD TextClass = 9;
constexpr DWORD MailService = 0x32000016;
constexpr DWORD TextService = 0x32000020;

inline CEPROPVAL Number(CEPROPID id, ULONG value)
{
    CEPROPVAL property{};
    property.propid = id;
    property.val.ulVal = value;
    return property;
}

inline CEPROPVAL Text(CEPROPID id, const wchar_t* value)
{
    CEPROPVAL property{};
    property.propid = id;
    property.val.lpwstr = const_cast<LPWSTR>(value);
    return property;
}

struct Message {
    DWORD id;
    int flags;  // -1: the record has no flags
    bool attachment = false;
    bool stored = true;  // has its record in the stored messages
};

// A mail store written the way the mail program keeps it.
class TestStore {
public:
    // A new volume, or (`existing`) the one a test made before.
    explicit TestStore(const std::filesystem::path& root, const wchar_t* volume = MailVolume, bool existing = false)
        : m_root(root)
    {
        std::wstring path = (root / volume).wstring();
        CREATE_INVALIDGUID(&m_volume);
        m_ok = CeMountDBVol(&m_volume, path.data(), existing ? OPEN_EXISTING : CREATE_NEW) != FALSE;
    }
    ~TestStore() { CeUnmountDBVol(&m_volume); }

    // Whether everything written so far was taken.
    bool Ok() const noexcept { return m_ok; }

    HANDLE Database(const wchar_t* name)
    {
        CEOID oid = 0;
        HANDLE opened =
            CeOpenDatabaseEx(&m_volume, &oid, const_cast<LPWSTR>(name), 0, CEDB_AUTOINCREMENT, nullptr);
        if (opened != INVALID_HANDLE_VALUE)
            return opened;
        CEDBASEINFO info{};
        info.dwFlags = CEDB_VALIDNAME;
        wcsncpy(info.szDbaseName, name, CEDB_MAXDBASENAMELEN - 1);
        oid = CeCreateDatabaseEx(&m_volume, &info);
        m_ok = m_ok && oid != 0;
        return CeOpenDatabaseEx(&m_volume, &oid, nullptr, 0, CEDB_AUTOINCREMENT, nullptr);
    }
    void Write(const wchar_t* database, std::vector<CEPROPVAL> values)
    {
        HANDLE opened = Database(database);
        m_ok = m_ok && CeWriteRecordProps(opened, 0, static_cast<WORD>(values.size()), values.data()) != 0;
        CloseHandle(opened);
    }
    void Classes()
    {
        Write(L"pmailMsgClasses", {Text(0x8300001F, L"IPM.Note"), Number(0x80010013, MailClass)});
        Write(L"pmailMsgClasses", {Text(0x8300001F, L"IPM.SMStext"), Number(0x80010013, TextClass)});
    }
    void Folder(const wchar_t* name, DWORD id, DWORD service, ULONG unread)
    {
        Write(L"pmailFolders", {Text(0x8003001F, name), Number(0x80040013, id), Number(0x0E090013, service),
                                Number(0x36030013, unread)});
        CloseHandle(Database(name));
    }
    void Put(const wchar_t* folder, DWORD classId, const Message& message)
    {
        std::vector<CEPROPVAL> values{Number(0x001A0013, classId), Number(0x80050013, message.id),
                                      Number(0x0E1B0013, message.attachment ? 1 : 0)};
        if (message.flags >= 0)
            values.push_back(Number(0x0E070013, static_cast<ULONG>(message.flags)));
        Write(folder, values);
        if (message.stored)
            Write(L"pmailMsgs", {Number(0x80010013, message.id), Text(0x0037001F, L"a subject")});
        if (classId == MailClass)
            MakeFile(L"MAPI\\" + Hex(message.id) + L"1000001f.mpb", 300);
        if (message.attachment) {
            Write(L"pmailAttachs", {Number(0x81000013, message.id), Number(0x80010013, 1)});
            MakeFile(L"MAPI\\ATTACHMENTS\\" + Hex(message.id) + L"-00000001.att", 1000);
        }
    }
    void MakeFile(const std::wstring& below, std::size_t size)
    {
        const std::filesystem::path path = m_root / below;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << std::string(size, 'x');
    }
    ULONG Unread(const wchar_t* folder)
    {
        HANDLE folders = Database(L"pmailFolders");
        ULONG unread = 0;
        LPBYTE buffer = nullptr;
        DWORD size = 0;
        WORD count = 0;
        while (CeReadRecordPropsEx(folders, CEDB_ALLOWREALLOC, &count, nullptr, &buffer, &size, nullptr)) {
            const auto* values = reinterpret_cast<const CEPROPVAL*>(buffer);
            bool match = false;
            ULONG value = 0;
            for (WORD index = 0; index < count; ++index) {
                if (values[index].propid == 0x8003001F && lstrcmpW(values[index].val.lpwstr, folder) == 0)
                    match = true;
                if (values[index].propid == 0x36030013)
                    value = values[index].val.ulVal;
            }
            if (match)
                unread = value;
        }
        LocalFree(buffer);
        CloseHandle(folders);
        return unread;
    }
    DWORD Records(const wchar_t* database)
    {
        CEOID oid = 0;
        HANDLE opened = CeOpenDatabaseEx(&m_volume, &oid, const_cast<LPWSTR>(database), 0, 0, nullptr);
        if (opened == INVALID_HANDLE_VALUE)
            return 0;
        CEOIDINFOEX info{};
        info.wVersion = CEOIDINFOEX_VERSION;
        CeOidGetInfoEx2(&m_volume, oid, &info);
        CloseHandle(opened);
        return info.infDatabase.dwNumRecords;
    }

private:
    static std::wstring Hex(DWORD value)
    {
        wchar_t text[16] = {};
        _snwprintf(text, 15, L"%.8x", static_cast<unsigned>(value));
        return text;
    }

    std::filesystem::path m_root;
    CEGUID m_volume{};
    bool m_ok = true;
};

}  // namespace cleanertest
