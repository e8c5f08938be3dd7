// The platform's database functions on real volume files, as the storage
// cleaner and the stores' writers call them.
#include "platform/database/Database.h"

#include "framework/testsupport/ChildProcess.h"
#include "framework/testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace vellumate;

namespace {

constexpr CEPROPID MessageId = PROPID(0x8001, CEVT_UI4);
constexpr CEPROPID Owner = PROPID(0x8100, CEVT_UI4);
constexpr CEPROPID Subject = PROPID(0x8002, CEVT_LPWSTR);
constexpr CEPROPID Flags = PROPID(0x0E07, CEVT_UI4);

CEPROPVAL U4(CEPROPID id, ULONG value)
{
    CEPROPVAL v{};
    v.propid = id;
    v.val.ulVal = value;
    return v;
}

CEPROPVAL Str(CEPROPID id, const wchar_t* text)
{
    CEPROPVAL v{};
    v.propid = id;
    v.val.lpwstr = const_cast<LPWSTR>(text);
    return v;
}

class Volume : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = (folder / L"cemail.vol").wstring();
        ASSERT_TRUE(CeMountDBVol(&guid, path.data(), OPEN_ALWAYS)) << ::GetLastError();
    }
    void TearDown() override
    {
        if (!CHECK_INVALIDGUID(&guid))
            CeUnmountDBVol(&guid);
    }

    CEOID Create(const wchar_t* name, DWORD type = 0)
    {
        CEDBASEINFO info{};
        info.dwFlags = CEDB_VALIDNAME | CEDB_VALIDTYPE;
        wcscpy(info.szDbaseName, name);
        info.dwDbaseType = type;
        return CeCreateDatabaseEx(&guid, &info);
    }
    HANDLE Open(const wchar_t* name, CEOID* oid = nullptr, DWORD flags = CEDB_AUTOINCREMENT)
    {
        CEOID none = 0;
        CEOID& id = oid ? *oid : none;
        return CeOpenDatabaseEx(&guid, &id, const_cast<LPWSTR>(name), 0, flags, nullptr);
    }
    CEOIDINFO Info(CEOID oid)
    {
        CEOIDINFO info{};
        EXPECT_TRUE(CeOidGetInfoEx(&guid, oid, &info)) << ::GetLastError();
        return info;
    }

    TempFolder folder{L"vmdb"};
    std::wstring path;
    CEGUID guid{};
};

TEST(DatabaseVolume, MountModesAndTheirErrors)
{
    TempFolder folder(L"vmdb");
    std::wstring path = (folder / L"mxip_initdb.vol").wstring();
    CEGUID guid;
    ::SetLastError(0);
    EXPECT_FALSE(CeMountDBVol(&guid, path.data(), OPEN_EXISTING));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing is created";

    ASSERT_TRUE(CeMountDBVol(&guid, path.data(), CREATE_NEW));
    EXPECT_FALSE(CHECK_SYSTEMGUID(&guid));
    EXPECT_FALSE(CHECK_INVALIDGUID(&guid));
    // A second mount of the same file is the same volume, one more unmount.
    CEGUID again;
    std::wstring other = folder.Path() + L"\\.\\MXIP_INITDB.VOL";
    ASSERT_TRUE(CeMountDBVol(&again, other.data(), OPEN_EXISTING));
    EXPECT_EQ(std::memcmp(&again, &guid, sizeof guid), 0);
    EXPECT_FALSE(CeMountDBVol(&again, path.data(), CREATE_NEW));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_TRUE(CeUnmountDBVol(&guid));
    EXPECT_TRUE(CeFlushDBVol(&guid));
    EXPECT_TRUE(CeUnmountDBVol(&guid));
    EXPECT_FALSE(CeUnmountDBVol(&guid));
    EXPECT_FALSE(CeFlushDBVol(&guid));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    // A file that is no volume is refused and kept.
    const std::wstring foreign = folder.Write(L"notes.vol", "PK\x03\x04 this is a zip archive, not a volume");
    EXPECT_FALSE(CeMountDBVol(&guid, const_cast<LPWSTR>(foreign.c_str()), OPEN_ALWAYS));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_BAD_FORMAT));
    std::ifstream kept(std::filesystem::path(foreign), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "PK\x03\x04 this is a zip archive, not a volume");
}

// A folder's records read one after another with a buffer the platform
// grows, every value as written, and the end reported as no more items.
TEST_F(Volume, ReadsAllPropertiesWithAGrowingBuffer)
{
    const CEOID db = Create(L"Inbox");
    ASSERT_NE(db, 0u);
    HANDLE h = Open(L"inbox");
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    std::vector<CEOID> written;
    for (ULONG i = 0; i < 3; ++i) {
        std::wstring subject = L"Subject " + std::wstring(i * 40, L'x');
        CEPROPVAL values[6] = {U4(MessageId, 100 + i), Str(Subject, subject.c_str())};
        values[2].propid = PROPID(0x10, CEVT_I2);
        values[2].val.iVal = -5;
        values[3].propid = PROPID(0x11, CEVT_FILETIME);
        values[3].val.filetime = {0x11112222, 0x01D90000};
        values[4].propid = PROPID(0x12, CEVT_R8);
        values[4].val.dblVal = 2.5;
        static BYTE bytes[] = {9, 8, 7};
        values[5].propid = PROPID(0x13, CEVT_BLOB);
        values[5].val.blob = {i, bytes};
        written.push_back(CeWriteRecordProps(h, 0, 6, values));
        ASSERT_NE(written.back(), 0u) << ::GetLastError();
    }
    LPBYTE buffer = nullptr;
    DWORD size = 0;
    for (ULONG i = 0; i < 3; ++i) {
        WORD count = 0;
        const CEOID oid = CeReadRecordPropsEx(h, CEDB_ALLOWREALLOC, &count, nullptr, &buffer, &size, nullptr);
        ASSERT_EQ(oid, written[i]) << ::GetLastError();
        ASSERT_EQ(count, 6);
        const auto* v = reinterpret_cast<const CEPROPVAL*>(buffer);
        EXPECT_EQ(v[0].propid, MessageId);
        EXPECT_EQ(v[0].val.ulVal, 100 + i);
        EXPECT_EQ(std::wstring(v[1].val.lpwstr), L"Subject " + std::wstring(i * 40, L'x'));
        EXPECT_GE(reinterpret_cast<LPBYTE>(v[1].val.lpwstr), buffer);
        EXPECT_LT(reinterpret_cast<LPBYTE>(v[1].val.lpwstr), buffer + size);
        EXPECT_EQ(v[2].val.iVal, -5);
        EXPECT_EQ(v[3].val.filetime.dwHighDateTime, 0x01D90000u);
        EXPECT_EQ(v[4].val.dblVal, 2.5);
        EXPECT_EQ(v[5].val.blob.dwCount, i);
        if (i > 0) {
            EXPECT_EQ(v[5].val.blob.lpb[i - 1], 10 - i);
        }
        // The record's size: a CEPROPVAL a property, the string with its end, the blob.
        EXPECT_EQ(size, 6 * sizeof(CEPROPVAL) + (9 + i * 40) * sizeof(WCHAR) + i);
    }
    WORD count = 0;
    EXPECT_EQ(CeReadRecordPropsEx(h, CEDB_ALLOWREALLOC, &count, nullptr, &buffer, &size, nullptr), 0u);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_ITEMS));
    EXPECT_EQ(::LocalFree(buffer), nullptr);

    // A buffer too small without leave to grow: the size needed, and the
    // position stays, so that the next read with a big buffer gets the record.
    ASSERT_EQ(CeSeekDatabase(h, CEDB_SEEK_BEGINNING, 0, nullptr), written[0]);
    BYTE small[16];
    LPBYTE fixed = small;
    size = sizeof small;
    EXPECT_EQ(CeReadRecordPropsEx(h, 0, &count, nullptr, &fixed, &size, nullptr), 0u);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(size, 6 * sizeof(CEPROPVAL) + 9 * sizeof(WCHAR));
    std::vector<BYTE> big(size);
    fixed = big.data();
    EXPECT_EQ(CeReadRecordPropsEx(h, 0, &count, nullptr, &fixed, &size, nullptr), written[0]);

    // Chosen properties, one the record lacks; the record's database knows its size.
    CEPROPID wanted[2] = {Flags, MessageId};
    count = 2;
    buffer = nullptr;
    ASSERT_EQ(CeReadRecordPropsEx(h, CEDB_ALLOWREALLOC, &count, wanted, &buffer, &size, nullptr), written[1]);
    const auto* v = reinterpret_cast<const CEPROPVAL*>(buffer);
    EXPECT_EQ(v[0].wFlags, CEDB_PROPNOTFOUND);
    EXPECT_EQ(v[1].val.ulVal, 101u);
    ::LocalFree(buffer);
    EXPECT_TRUE(::CloseHandle(h));

    // Without CEDB_AUTOINCREMENT a read stays on its record.
    h = Open(L"Inbox", nullptr, 0);
    buffer = nullptr;
    EXPECT_EQ(CeReadRecordPropsEx(h, CEDB_ALLOWREALLOC, &count, nullptr, &buffer, &size, nullptr), written[0]);
    EXPECT_EQ(CeReadRecordPropsEx(h, CEDB_ALLOWREALLOC, &count, nullptr, &buffer, &size, nullptr), written[0]);
    ::LocalFree(buffer);
    ::CloseHandle(h);
}

// The attachments of one message, found by value among others', read and
// then deleted while seeking; the counts and sizes follow.
TEST_F(Volume, SeeksByValueAndDeletesWhileIterating)
{
    CEOID db = Create(L"pmailAttachs");
    HANDLE h = Open(L"pmailAttachs");
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    std::vector<CEOID> ofMessage;
    for (ULONG i = 0; i < 12; ++i) {
        CEPROPVAL values[2] = {U4(Owner, i % 4 == 1 ? 0x4711 : i), U4(MessageId, i)};
        const CEOID oid = CeWriteRecordProps(h, 0, 2, values);
        if (i % 4 == 1)
            ofMessage.push_back(oid);
    }
    CEPROPVAL key = U4(Owner, 0x4711);
    DWORD index = 0;
    EXPECT_EQ(CeSeekDatabase(h, CEDB_SEEK_VALUEFIRSTEQUAL, reinterpret_cast<DWORD_PTR>(&key), &index), ofMessage[0]);
    EXPECT_EQ(index, 1u);
    EXPECT_EQ(CeSeekDatabase(h, CEDB_SEEK_VALUENEXTEQUAL, reinterpret_cast<DWORD_PTR>(&key), &index), ofMessage[1]);
    EXPECT_EQ(index, 5u);
    EXPECT_EQ(CeSeekDatabase(h, CEDB_SEEK_VALUENEXTEQUAL, reinterpret_cast<DWORD_PTR>(&key), nullptr), ofMessage[2]);
    EXPECT_EQ(CeSeekDatabase(h, CEDB_SEEK_VALUENEXTEQUAL, reinterpret_cast<DWORD_PTR>(&key), nullptr), 0u);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_ITEMS));
    EXPECT_EQ(CeSeekDatabase(h, CEDB_SEEK_VALUESMALLER, reinterpret_cast<DWORD_PTR>(&key), nullptr), 0u);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));

    const DWORD before = Info(db).infDatabase.dwSize;
    EXPECT_EQ(before, vellumate::database::EmptyDatabaseSize + 12 * 2 * sizeof(CEPROPVAL));
    int deleted = 0;
    for (CEOID oid; (oid = CeSeekDatabase(h, CEDB_SEEK_VALUEFIRSTEQUAL, reinterpret_cast<DWORD_PTR>(&key), nullptr));) {
        ASSERT_TRUE(CeDeleteRecord(h, oid));
        ASSERT_LT(++deleted, 4);
    }
    EXPECT_EQ(deleted, 3);
    CEOIDINFO info = Info(db);
    EXPECT_EQ(info.wObjType, OBJTYPE_DATABASE);
    EXPECT_EQ(info.infDatabase.wNumRecords, 9);
    EXPECT_EQ(info.infDatabase.dwSize, before - 3 * 2 * sizeof(CEPROPVAL));
    EXPECT_FALSE(CeDeleteRecord(h, ofMessage[0]));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    // Read and delete every record in turn: none is skipped.
    ASSERT_NE(CeSeekDatabase(h, CEDB_SEEK_BEGINNING, 0, nullptr), 0u);
    LPBYTE buffer = nullptr;
    DWORD size = 0;
    WORD count = 0;
    int read = 0;
    for (CEOID oid; (oid = CeReadRecordPropsEx(h, CEDB_ALLOWREALLOC, &count, nullptr, &buffer, &size, nullptr));) {
        ASSERT_TRUE(CeDeleteRecord(h, oid));
        ++read;
    }
    ::LocalFree(buffer);
    EXPECT_EQ(read, 9);
    EXPECT_EQ(Info(db).infDatabase.wNumRecords, 0);
    EXPECT_EQ(Info(db).infDatabase.dwSize, static_cast<DWORD>(vellumate::database::EmptyDatabaseSize));
    ::CloseHandle(h);
}

// The cleaner's measure of an empty database: a scratch database made, opened
// by its oid, measured and deleted; names are unique and found without case.
TEST_F(Volume, ScratchDatabaseMeasuresTheOverheadAndGoes)
{
    ASSERT_NE(Create(L"clog.db", 7), 0u);
    CEDBASEINFO scratch{};
    scratch.dwFlags = CEDB_VALIDNAME;
    wcscpy(scratch.szDbaseName, L"CorvaneTemp");
    CEOID oid = CeCreateDatabaseEx(&guid, &scratch);
    ASSERT_NE(oid, 0u);
    EXPECT_EQ(CeCreateDatabaseEx(&guid, &scratch), 0u);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_DUP_NAME));
    CEOID byOid = oid;
    HANDLE h = CeOpenDatabaseEx(&guid, &byOid, nullptr, 0, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CEOIDINFO info = Info(oid);
    EXPECT_EQ(std::wstring(info.infDatabase.szDbaseName), L"CorvaneTemp");
    EXPECT_EQ(info.infDatabase.wNumRecords, 0);
    EXPECT_EQ(info.infDatabase.dwSize, static_cast<DWORD>(vellumate::database::EmptyDatabaseSize));
    CEOIDINFOEX infoEx{};
    infoEx.wVersion = CEOIDINFOEX_VERSION;
    ASSERT_TRUE(CeOidGetInfoEx2(&guid, oid, &infoEx));
    EXPECT_EQ(infoEx.infDatabase.dwSize, info.infDatabase.dwSize);
    EXPECT_TRUE(::CloseHandle(h));
    EXPECT_TRUE(CeDeleteDatabaseEx(&guid, oid));
    EXPECT_FALSE(CeDeleteDatabaseEx(&guid, oid));

    CEOID gone = 0;
    EXPECT_EQ(Open(L"CorvaneTemp", &gone), INVALID_HANDLE_VALUE);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Open(L"speed.db"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    // A record's information names its database.
    CEOID clog = 0;
    h = Open(L"CLOG.DB", &clog);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CEPROPVAL number = Str(PROPID(2, CEVT_LPWSTR), L"+441632960001");
    const CEOID record = CeWriteRecordProps(h, 0, 1, &number);
    info = Info(record);
    EXPECT_EQ(info.wObjType, OBJTYPE_RECORD);
    EXPECT_EQ(info.infRecord.oidParent, clog);
    EXPECT_EQ(Info(clog).infDatabase.dwDbaseType, 7u);
    ::CloseHandle(h);

    // Only clog.db is left to find.
    HANDLE find = CeFindFirstDatabaseEx(&guid, 0);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_EQ(CeFindNextDatabaseEx(find, &guid), clog);
    EXPECT_EQ(CeFindNextDatabaseEx(find, &guid), 0u);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_ITEMS));
    ::CloseHandle(find);
}

// An update replaces, adds and removes properties in place; bad values are
// refused without a change.
TEST_F(Volume, UpdatesAndRefusals)
{
    Create(L"pmailFolders");
    HANDLE h = Open(L"pmailFolders", nullptr, 0);
    CEPROPVAL values[3] = {Str(PROPID(0x8003, CEVT_LPWSTR), L"Inbox"), U4(PROPID(0x3603, CEVT_UI4), 3),
                           U4(PROPID(0x8302, CEVT_UI4), 3)};
    const CEOID folder = CeWriteRecordProps(h, 0, 3, values);
    ASSERT_NE(folder, 0u);
    CEPROPVAL update[2] = {U4(PROPID(0x3603, CEVT_UI4), 1), U4(PROPID(0x8302, CEVT_UI4), 0)};
    update[1].wFlags = CEDB_PROPDELETE;
    EXPECT_EQ(CeWriteRecordProps(h, folder, 2, update), folder);
    LPBYTE buffer = nullptr;
    DWORD size = 0;
    WORD count = 0;
    ASSERT_EQ(CeReadRecordPropsEx(h, CEDB_ALLOWREALLOC, &count, nullptr, &buffer, &size, nullptr), folder);
    ASSERT_EQ(count, 2);
    const auto* v = reinterpret_cast<const CEPROPVAL*>(buffer);
    EXPECT_EQ(std::wstring(v[0].val.lpwstr), L"Inbox");
    EXPECT_EQ(v[1].val.ulVal, 1u);
    ::LocalFree(buffer);

    CEPROPVAL bad = Str(Subject, nullptr);
    EXPECT_EQ(CeWriteRecordProps(h, folder, 1, &bad), 0u);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    bad = U4(PROPID(1, 99), 1);
    EXPECT_EQ(CeWriteRecordProps(h, 0, 1, &bad), 0u);
    EXPECT_EQ(CeWriteRecordProps(h, 0x7FFFFFF0, 1, update), 0u);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(CeWriteRecordProps(h, 0, 0, update), 0u);
    EXPECT_EQ(CeReadRecordPropsEx(nullptr, 0, &count, nullptr, &buffer, &size, nullptr), 0u);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    ::CloseHandle(h);
    EXPECT_EQ(Info(Info(folder).infRecord.oidParent).infDatabase.wNumRecords, 1);
}

// Another process sees this one's writes, and this one sees the other's,
// while both have the volume mounted.
TEST_F(Volume, TwoProcessesSeeEachOthersWrites)
{
    Create(L"pmailMsgs");
    HANDLE h = Open(L"pmailMsgs");
    CEPROPVAL mine = U4(MessageId, 1001);
    const CEOID first = CeWriteRecordProps(h, 0, 1, &mine);
    ASSERT_NE(first, 0u);

    auto probe = [&](const std::wstring& command, const std::wstring& rest) {
        ChildProcess child(
            CommandBesideThisProgram(L"database_probe.exe", command + L" \"" + path + L"\" pmailMsgs " + rest));
        auto line = child.NextLine(30000);
        child.WaitForExit();
        return line.value_or("(nothing)");
    };
    EXPECT_EQ(probe(L"find", L"1001"), "found " + std::to_string(first));
    const std::string written = probe(L"write", L"2002");
    ASSERT_EQ(written.rfind("written ", 0), 0u) << written;
    CEPROPVAL theirs = U4(MessageId, 2002);
    EXPECT_EQ(
        std::to_string(CeSeekDatabase(h, CEDB_SEEK_VALUEFIRSTEQUAL, reinterpret_cast<DWORD_PTR>(&theirs), nullptr)),
        written.substr(8));
    // Oids never collide: this process's next record comes after theirs.
    CEPROPVAL next = U4(MessageId, 3003);
    EXPECT_GT(CeWriteRecordProps(h, 0, 1, &next), std::stoul(written.substr(8)));
    EXPECT_EQ(probe(L"count", L""), "count 3");
    ::CloseHandle(h);

    // Both writes are on disk: a fresh mount after this one goes sees them.
    CeUnmountDBVol(&guid);
    ASSERT_TRUE(CeMountDBVol(&guid, path.data(), OPEN_EXISTING));
    CEOID oid = 0;
    h = Open(L"pmailMsgs", &oid);
    EXPECT_EQ(Info(oid).infDatabase.wNumRecords, 3);
    ::CloseHandle(h);
}

}  // namespace
