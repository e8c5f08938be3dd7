// Reads and sorts a folder of 10,000 files by each sort key and compares the
// time with a bare FindFirstFileW/FindNextFileW loop over the same folder.
// The bare loop runs right beside each read, round after round, first before
// and then after it in turns, so that the machine's ups and downs (the
// machine is shared) fall on both sides. Each round gives one ratio, the read
// over the bare loop beside it; a key's ratio is the median of its rounds.
// The target is a worst ratio below 1.2.
#include "filemanager/DeviceFiles.h"
#include "filemanager/FolderList.h"
#include "framework/testsupport/BenchTiming.h"
#include "framework/testsupport/TempDevice.h"
#include "framework/testsupport/TempFolder.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <utility>
#include <vector>

namespace {

constexpr int Files = 10000;
constexpr int Rounds = 21;
constexpr ULONGLONG Day = 24ull * 60 * 60 * 10000000;
constexpr ULONGLONG Year2020 = 132223104000000000ull;

const wchar_t* const Extensions[] = {L"txt", L"doc", L"jpg", L"mp3", L"zip", L"xls", L"wav", L"htm", L"lnk", L"pdf"};

// How long one run takes, in milliseconds.
double Time(const std::function<void()>& run)
{
    const double start = vellumate::bench::NowMs();
    run();
    return vellumate::bench::NowMs() - start;
}

// Names, sizes and times spread so that no order is given by the creation.
bool MakeFiles(const String& folder)
{
    for (int i = 0; i < Files; ++i) {
        const unsigned mixed = static_cast<unsigned>(i) * 2654435761u;
        String name;
        name.FormatText(L"%s%.5u report %d.%s", (mixed & 1) ? L"Item " : L"item ", mixed % 99991u, i,
                        Extensions[mixed % 10]);
        HANDLE file = CreateFileW(folder + L"\\" + name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        LARGE_INTEGER size;
        size.QuadPart = (mixed >> 8) % 300000;
        SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        const ULONGLONG time = Year2020 + (mixed % 2000) * Day;
        FILETIME written{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
        SetFileTime(file, nullptr, nullptr, &written);
        CloseHandle(file);
    }
    return true;
}

}  // namespace

int wmain()
{
    const vellumate::TempFolder rootFolder(L"vellumate-folderbench");
    const vellumate::ScopedVariable rootVariable(L"VELLUMATE_ROOT", rootFolder.Path().c_str());
    const String folder = String(rootFolder.Path().c_str()) + L"\\Bench";
    CreateDirectoryW(folder, nullptr);

    std::wprintf(L"creating %d files...\n", Files);
    if (!MakeFiles(folder)) {
        std::wprintf(L"could not create the files\n");
        return 1;
    }

    int baselineCount = 0;
    const auto bareLoop = [&] {
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW(folder + L"\\*", &entry);
        int count = 0;
        if (find != INVALID_HANDLE_VALUE) {
            do
                ++count;
            while (FindNextFileW(find, &entry));
            FindClose(find);
        }
        baselineCount = count;
    };

    struct Case {
        const wchar_t* key;
        bool descending;
        DWORD state;
        std::vector<double> bare;  // the bare loops run beside this case
        std::vector<double> times;
        std::vector<double> sortTimes;
        std::vector<double> ratios;  // each round's read over its bare loop
    };
    std::vector<Case> cases;
    // The read alone, to tell its cost from the sort's.
    cases.push_back({L"none", false, 0, {}, {}, {}, {}});
    for (auto [name, key] : {std::pair{L"name", SortKey::Name}, std::pair{L"size", SortKey::Size},
                             std::pair{L"date", SortKey::Date}, std::pair{L"type", SortKey::Type}})
        for (bool descending : {false, true})
            cases.push_back({name, descending, WithDescending(WithSortKey(0, key), descending), {}, {}, {}, {}});

    FolderList list;
    double sortTime = 0;
    const auto readAndSort = [&](const Case& c) {
        list.SetSortState(c.state);
        list.ReadFolder(L"\\Bench", nullptr);
        sortTime = 0;
        if (std::wcscmp(c.key, L"none") == 0)
            return;
        const double start = vellumate::bench::NowMs();
        list.EnsureSorted();
        sortTime = vellumate::bench::NowMs() - start;
    };
    // Warm the caches (and the type names) first.
    bareLoop();
    for (const Case& c : cases)
        readAndSort(c);
    for (int round = 0; round < Rounds; ++round) {
        for (Case& c : cases) {
            double bare;
            double time;
            if (round % 2 == 0) {
                bare = Time(bareLoop);
                time = Time([&] { readAndSort(c); });
            } else {
                time = Time([&] { readAndSort(c); });
                bare = Time(bareLoop);
            }
            c.bare.push_back(bare);
            c.times.push_back(time);
            c.sortTimes.push_back(sortTime);
            c.ratios.push_back(time / bare);
        }
    }

    std::vector<double> allBare;
    for (const Case& c : cases)
        allBare.insert(allBare.end(), c.bare.begin(), c.bare.end());
    std::wprintf(L"bare FindFirstFileW/FindNextFileW loop: median %.2f ms (%d entries, %d rounds)\n",
                 vellumate::bench::Median(allBare), baselineCount, Rounds);
    double worst = 0;
    for (const Case& c : cases) {
        if (std::wcscmp(c.key, L"none") == 0) {
            std::wprintf(L"read alone, not sorted          : %8.2f ms (bare beside it %6.2f ms)  ratio %.2f\n",
                         vellumate::bench::Median(c.times), vellumate::bench::Median(c.bare),
                         vellumate::bench::Median(c.ratios));
            continue;
        }
        const double bare = vellumate::bench::Median(c.bare);
        const double time = vellumate::bench::Median(c.times);
        const double ratio = vellumate::bench::Median(c.ratios);
        worst = std::max(worst, ratio);
        std::wprintf(L"read and sort by %-4ls %-10ls: %8.2f ms (sort %6.2f ms, bare beside it %6.2f ms)  ratio %.2f\n",
                     c.key, c.descending ? L"descending" : L"ascending", time, vellumate::bench::Median(c.sortTimes),
                     bare, ratio);
    }
    std::wprintf(L"worst ratio %.2f (target below 1.2)\n", worst);
    return 0;
}
