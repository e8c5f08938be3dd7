// Finding a message's record by its id in a store of 10,000 messages: a
// first-equal seek on the id against reading the database from its beginning
// until the record comes, as a reader without the seek would. Also the cost
// of one durable write, and of mounting the volume.
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
    for (ULONG i = 0; i < Messages; ++i) {
        std::wstring subject = L"Message number " + std::to_wstring(i);
        CEPROPVAL values[2]{};
        values[0].propid = MessageId;
        values[0].val.ulVal = 0x100000 + i;
        values[1].propid = Subject;
        values[1].val.lpwstr = subject.data();
        if (!CeWriteRecordProps(h, 0, 2, values))
            return 1;
    }
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
    return missed == 0 ? 0 : 1;
}
