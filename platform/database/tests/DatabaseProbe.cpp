// Another process on a volume, for the tests of what one process sees of
// another's changes. One line on standard output:
//
//   database_probe write VOLUME DATABASE VALUE   written OID (a record with 0x80010013 = VALUE)
//   database_probe find VOLUME DATABASE VALUE    found OID, or none (a first-equal seek)
//   database_probe count VOLUME DATABASE         count RECORDS
//
// A failing call prints "error CODE" and ends with status 1.
#include "platform/database/Database.h"

#include "framework/testsupport/ConsoleLine.h"

#include <cwchar>
#include <string>

namespace {

constexpr CEPROPID MessageId = PROPID(0x8001, CEVT_UI4);

int Failed()
{
    vellumate::WriteConsoleLine(L"error " + std::to_wstring(::GetLastError()));
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4)
        return 2;
    const std::wstring command = argv[1];
    CEGUID volume;
    if (!CeMountDBVol(&volume, argv[2], OPEN_EXISTING))
        return Failed();
    CEOID oid = 0;
    HANDLE db = CeOpenDatabaseEx(&volume, &oid, argv[3], 0, CEDB_AUTOINCREMENT, nullptr);
    if (db == INVALID_HANDLE_VALUE)
        return Failed();
    int status = 0;
    if (command == L"write" && argc == 5) {
        CEPROPVAL value{};
        value.propid = MessageId;
        value.val.ulVal = std::wcstoul(argv[4], nullptr, 10);
        const CEOID written = CeWriteRecordProps(db, 0, 1, &value);
        status = written ? (vellumate::WriteConsoleLine(L"written " + std::to_wstring(written)), 0) : Failed();
    } else if (command == L"find" && argc == 5) {
        CEPROPVAL value{};
        value.propid = MessageId;
        value.val.ulVal = std::wcstoul(argv[4], nullptr, 10);
        const CEOID found = CeSeekDatabase(db, CEDB_SEEK_VALUEFIRSTEQUAL, reinterpret_cast<DWORD_PTR>(&value), nullptr);
        vellumate::WriteConsoleLine(found ? L"found " + std::to_wstring(found) : std::wstring(L"none"));
    } else if (command == L"count") {
        CEOIDINFO info{};
        status = CeOidGetInfoEx(&volume, oid, &info)
                     ? (vellumate::WriteConsoleLine(L"count " + std::to_wstring(info.infDatabase.wNumRecords)), 0)
                     : Failed();
    } else {
        status = 2;
    }
    ::CloseHandle(db);
    CeUnmountDBVol(&volume);
    return status;
}
