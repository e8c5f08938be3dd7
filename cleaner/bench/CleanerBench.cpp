// How the cleaner's scan and deletion grow with the mail store: all e-mail
// measured and deleted over 1,000 and 10,000 messages, and the ratio of the
// two times (linear work gives about 10).
#include "cleaner/CategoryDeletion.h"
#include "cleaner/ScanWorker.h"
#include "cleaner/resource.h"
#include "cleaner/tests/TestStore.h"

#include "framework/testsupport/BenchTiming.h"
#include "framework/testsupport/TempDevice.h"

#include <cstdio>

using namespace cleanertest;

namespace {

struct Timings {
    double scan = 0;
    double remove = 0;
    unsigned counted = 0;
    unsigned deleted = 0;
};

Timings Measure(DWORD messages)
{
    vellumate::TempDevice device;
    {
        TestStore store(device.Root());
        store.Classes();
        store.Folder(L"Inbox", 0x10000001, 0x32000016, messages / 2);
        store.Folder(L"Sent", 0x30000001, 0x32000016, 0);
        for (DWORD id = 1; id <= messages; ++id)
            store.Put(id % 3 ? L"Inbox" : L"Sent", MailClass, {id, static_cast<int>(id % 2), id % 10 == 0});
        if (!store.Ok())
            std::printf("the store of %lu messages could not be written\n", static_cast<unsigned long>(messages));
    }
    Timings timings;
    ScanProgress progress(*CategoryNamed(IDS_CATEGORY_ALL_MAIL));
    vellumate::bench::Stopwatch scan;
    RunScan(progress, [] {});
    timings.scan = scan.Milliseconds();
    timings.counted = progress.count.load();
    DeletionResult result;
    vellumate::bench::Stopwatch remove;
    result = DeleteCategory(*CategoryNamed(IDS_CATEGORY_ALL_MAIL));
    timings.remove = remove.Milliseconds();
    timings.deleted = result.count;
    return timings;
}

}  // namespace

int wmain()
{
    const Timings small = Measure(1000);
    const Timings large = Measure(10000);
    std::printf("all e-mail, 1,000 messages:  scan %8.1f ms, delete %8.1f ms (%u counted, %u deleted)\n", small.scan,
                small.remove, small.counted, small.deleted);
    std::printf("all e-mail, 10,000 messages: scan %8.1f ms, delete %8.1f ms (%u counted, %u deleted)\n", large.scan,
                large.remove, large.counted, large.deleted & 0xFFFF);
    std::printf("10,000 / 1,000: scan %.2f, delete %.2f (linear work: about 10)\n", large.scan / small.scan,
                large.remove / small.remove);
    return 0;
}
