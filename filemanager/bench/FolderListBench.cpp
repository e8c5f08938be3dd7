// Reads and sorts a folder of 10,000 files by each sort key and compares the
// time with a bare FindFirstFileW/FindNextFileW loop over the same folder.
// The target is a ratio below 2.
#include "filemanager/DeviceFiles.h"
#include "filemanager/FolderList.h"
#include "framework/testsupport/BenchTiming.h"
#include "framework/testsupport/TempDevice.h"
#include "framework/testsupport/TempFolder.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Files = 10000;
constexpr int Rounds = 15;
constexpr ULONGLONG Day = 24ull * 60 * 60 * 10000000;
constexpr ULONGLONG Year2020 = 132223104000000000ull;

const wchar_t* const Extensions[] = {L"txt", L"doc", L"jpg", L"mp3", L"zip", L"xls", L"wav", L"htm", L"lnk", L"pdf"};

// The median time of `Rounds` runs in milliseconds, after one that warms the
// caches.
double Median(const std::function<void()>& run)
{
    run();
    return vellumate::bench::MedianMs(Rounds, run);
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
    const vellumate::TempFolder root(L"vellumate-folderbench");
    const vellumate::ScopedVariable rootVariable(L"VELLUMATE_ROOT", root.Path().c_str());
    const String folder = (root / L"Bench").c_str();
    CreateDirectoryW(folder, nullptr);

    std::wprintf(L"creating %d files...\n", Files);
    if (!MakeFiles(folder)) {
        std::wprintf(L"could not create the files\n");
        return 1;
    }

    int baselineCount = 0;
    const double baseline = Median([&] {
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
    });
    std::wprintf(L"bare FindFirstFileW/FindNextFileW loop: %.2f ms (%d entries)\n", baseline, baselineCount);

    struct Key {
        const wchar_t* name;
        SortKey key;
    };
    const Key keys[] = {
        {L"name", SortKey::Name}, {L"size", SortKey::Size}, {L"date", SortKey::Date}, {L"type", SortKey::Type}};
    double worst = 0;
    FolderList list;
    for (const Key& key : keys) {
        for (bool descending : {false, true}) {
            list.SetSortState(WithDescending(WithSortKey(0, key.key), descending));
            std::vector<double> sortTimes;
            const double time = Median([&] {
                list.ReadFolder(L"\\Bench", nullptr);
                const vellumate::bench::Stopwatch sort;
                list.EnsureSorted();
                sortTimes.push_back(sort.Milliseconds());
            });
            const double ratio = time / baseline;
            worst = std::max(worst, ratio);
            std::wprintf(L"read and sort by %-4ls %-10ls: %8.2f ms (sort %6.2f ms)  ratio %.2f  (%d items)\n", key.name,
                         descending ? L"descending" : L"ascending", time, vellumate::bench::Median(sortTimes), ratio,
                         list.ItemCount());
        }
    }
    std::wprintf(L"worst ratio %.2f (target below 2)\n", worst);
    return 0;
}
