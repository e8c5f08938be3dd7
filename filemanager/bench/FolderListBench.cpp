// Reads and sorts a folder of 10,000 files by each sort key and compares the
// time with a bare FindFirstFileW/FindNextFileW loop over the same folder.
// The target is a ratio below 2.
#include "filemanager/DeviceFiles.h"
#include "filemanager/FolderList.h"

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

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The median time of `rounds` runs, in milliseconds.
double Median(const std::function<void()>& run)
{
    run();  // warm the caches first
    std::vector<double> times;
    for (int i = 0; i < Rounds; ++i) {
        double start = Now();
        run();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
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

void DeleteFolder(const String& folder)
{
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(folder + L"\\*", &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW(folder + L"\\" + entry.cFileName);
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(folder);
}

}  // namespace

int wmain()
{
    wchar_t temp[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH)
        return 1;
    String root(temp, static_cast<int>(length));
    root.TrimRight(L'\\');
    String unique;
    unique.FormatText(L"\\vellumate-folderbench-%lu", GetCurrentProcessId());
    root += unique;
    const String folder = root + L"\\Bench";
    CreateDirectoryW(root, nullptr);
    CreateDirectoryW(folder, nullptr);
    SetEnvironmentVariableW(L"VELLUMATE_ROOT", root);

    std::wprintf(L"creating %d files...\n", Files);
    if (!MakeFiles(folder)) {
        std::wprintf(L"could not create the files\n");
        DeleteFolder(folder);
        RemoveDirectoryW(root);
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
                double start = Now();
                list.EnsureSorted();
                sortTimes.push_back(Now() - start);
            });
            std::sort(sortTimes.begin(), sortTimes.end());
            const double ratio = time / baseline;
            worst = std::max(worst, ratio);
            std::wprintf(L"read and sort by %-4ls %-10ls: %8.2f ms (sort %6.2f ms)  ratio %.2f  (%d items)\n", key.name,
                         descending ? L"descending" : L"ascending", time, sortTimes[sortTimes.size() / 2], ratio,
                         list.ItemCount());
        }
    }
    std::wprintf(L"worst ratio %.2f (target below 2)\n", worst);

    DeleteFolder(folder);
    RemoveDirectoryW(root);
    return 0;
}
