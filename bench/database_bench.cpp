// Finding a message's record by its id in a store of 10,000 messages: a
// first-equal seek on the id against reading the database from its beginning
// until the record comes, as a reader without the seek would. Also the cost
// of one durable write, of mounting the volume, and how deleting every record
// (each found by its id) grows from 1,000 to 10,000 records: linear work
// keeps the time per record.
#include "platform/database/Database.h"

#include "framework/testsupport/BenchTiming.h"
#include "framework/testsupport/TempFolder.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

using namespace vellumate;

namespace {

constexpr CEPROPID MessageId = PROPID(0x8001, CEVT_UI4);
constexpr CEPROPID Subject = PROPID(0x8002, CEVT_LPWSTR);
constexpr ULONG Messages = 10000;

CEOID ReadUntil(HANDLE h, ULONG id, LPBYTE& buffer, DWORD& size)
{
    CeSeekDatabase(h, CEDB_SEEK_BEGINNING, 0, nullptr);
    WORD count = 0;
    for (CEOID oid; (oid = CeReadRecordPropsEx(h, CEDB_ALLOWREALLOC, &count, nullptr, &buffer, &size, nullptr));) {
        const auto* values = reinterpret_cast<const CEPROPVAL*>(buffer);
        for (WORD i = 0; i < count; ++i)
            if (values[i].propid == MessageId && values[i].val.ulVal == id)
                return oid;
    }
    return 0;
}

bool Fill(HANDLE h, ULONG messages)
{
    for (ULONG i = 0; i < messages; ++i) {
        std::wstring subject = L"Message number " + std::to_wstring(i);
        CEPROPVAL values[2]{};
        values[0].propid = MessageId;
        values[0].val.ulVal = 0x100000 + i;
        values[1].propid = Subject;
        values[1].val.lpwstr = subject.data();
        if (!CeWriteRecordProps(h, 0, 2, values))
            return false;
    }
    return true;
}

// Microseconds per record to delete `messages` records, each found first by
// a seek on its id; negative when the volume failed.
double DeleteEach(const std::wstring& path, ULONG messages)
{
    CEGUID guid;
    if (!CeMountDBVol(&guid, const_cast<LPWSTR>(path.c_str()), CREATE_ALWAYS))
        return -1;
    CEDBASEINFO info{};
    info.dwFlags = CEDB_VALIDNAME;
    wcscpy(info.szDbaseName, L"pmailMsgs");
    CEOID db = CeCreateDatabaseEx(&guid, &info);
    HANDLE h = CeOpenDatabaseEx(&guid, &db, nullptr, 0, CEDB_AUTOINCREMENT, nullptr);
    double perRecord = -1;
    if (h != INVALID_HANDLE_VALUE && Fill(h, messages)) {
        const bench::Stopwatch deleting;
        ULONG deleted = 0;
        for (ULONG i = 0; i < messages; ++i) {
            CEPROPVAL key{};
            key.propid = MessageId;
            key.val.ulVal = 0x100000 + i;
            const CEOID oid = CeSeekDatabase(h, CEDB_SEEK_VALUEFIRSTEQUAL, reinterpret_cast<DWORD_PTR>(&key), nullptr);
            if (oid && CeDeleteRecord(h, oid))
                ++deleted;
        }
        if (deleted == messages)
            perRecord = deleting.Microseconds() / messages;
    }
    if (h != INVALID_HANDLE_VALUE)
        ::CloseHandle(h);
    CeUnmountDBVol(&guid);
    return perRecord;
}

}  // namespace

int wmain()
{
    TempFolder folder(L"vmdbbench");
    std::wstring path = (folder / L"cemail.vol").wstring();
    CEGUID guid;
    if (!CeMountDBVol(&guid, path.data(), CREATE_NEW))
        return 1;
    CEDBASEINFO info{};
    info.dwFlags = CEDB_VALIDNAME;
    wcscpy(info.szDbaseName, L"pmailMsgs");
    CEOID db = CeCreateDatabaseEx(&guid, &info);
    HANDLE h = CeOpenDatabaseEx(&guid, &db, nullptr, 0, CEDB_AUTOINCREMENT, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 1;

    const bench::Stopwatch filling;
    if (!Fill(h, Messages))
        return 1;
    const double writeUs = filling.Microseconds() / Messages;

    std::mt19937 random(7);
    std::vector<ULONG> wanted(200);
    for (auto& id : wanted)
        id = 0x100000 + random() % Messages;
    LPBYTE buffer = nullptr;
    DWORD size = 0;
    int missed = 0;
    const bench::Stopwatch seeking;
    for (ULONG id : wanted) {
        CEPROPVAL key{};
        key.propid = MessageId;
        key.val.ulVal = id;
        WORD count = 0;
        if (!CeSeekDatabase(h, CEDB_SEEK_VALUEFIRSTEQUAL, reinterpret_cast<DWORD_PTR>(&key), nullptr) ||
            !CeReadRecordPropsEx(h, CEDB_ALLOWREALLOC, &count, nullptr, &buffer, &size, nullptr))
            ++missed;
    }
    const double seekUs = seeking.Microseconds() / wanted.size();
    const bench::Stopwatch scanning;
    for (ULONG id : wanted)
        if (!ReadUntil(h, id, buffer, size))
            ++missed;
    const double scanUs = scanning.Microseconds() / wanted.size();
    ::LocalFree(buffer);
    ::CloseHandle(h);
    CeUnmountDBVol(&guid);

    const bench::Stopwatch mounting;
    CeMountDBVol(&guid, path.data(), OPEN_EXISTING);
    const double mountMs = mounting.Milliseconds();
    CeUnmountDBVol(&guid);

    std::printf("%lu messages: durable write %.1f us, mount %.1f ms\n", Messages, writeUs, mountMs);
    std::printf("find by message id: seek %.1f us, read from the beginning %.1f us, ratio %.0f\n", seekUs, scanUs,
                scanUs / seekUs);

    const std::wstring deletions = (folder / L"deletions.vol").wstring();
    const double fewUs = DeleteEach(deletions, Messages / 10);
    const double manyUs = DeleteEach(deletions, Messages);
    std::printf("delete each record: %lu records %.1f us, %lu records %.1f us per record, ratio %.1f (1.0 is linear)\n",
                Messages / 10, fewUs, Messages, manyUs, manyUs / fewUs);
    return missed == 0 && fewUs > 0 && manyUs > 0 ? 0 : 1;
}
