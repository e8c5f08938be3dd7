// Finds a text in a tree of 10,000 files with the file search and compares
// the time with a bare loop that lists the same tree and reads and searches
// every file. The two run alternately, round by round, so that the machine's
// moods fall on both; the ratio of their medians has a target of at most 1.5.
#include "framework/testsupport/BenchTiming.h"
#include "framework/testsupport/TempDevice.h"
#include "framework/testsupport/TempFolder.h"

#include "filemanager/FileSearch.h"
#include "filemanager/SearchScope.h"
#include "framework/String.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int TopFolders = 10;
constexpr int SubFolders = 10;
constexpr int FilesPerFolder = 100;
constexpr int Rounds = 11;
constexpr char Needle[] = "mislaid receipt";

// Files of 200 to 4,000 bytes of text; one in seven holds the needle,
// somewhere, block boundaries included.
bool MakeTree(const String& root)
{
    int made = 0;
    for (int top = 0; top < TopFolders; ++top) {
        String topFolder;
        topFolder.FormatText(L"%s\\Folder %d", root.Chars(), top);
        CreateDirectoryW(topFolder, nullptr);
        for (int sub = 0; sub < SubFolders; ++sub) {
            String folder;
            folder.FormatText(L"%s\\Part %d", topFolder.Chars(), sub);
            CreateDirectoryW(folder, nullptr);
            for (int i = 0; i < FilesPerFolder; ++i, ++made) {
                const unsigned mixed = static_cast<unsigned>(made) * 2654435761u;
                std::string text(200 + mixed % 3800, 'a');
                for (size_t at = 0; at < text.size(); at += 1 + (mixed >> 5) % 13)
                    text[at] = static_cast<char>('a' + (at * 7 + made) % 26);
                if (made % 7 == 0) {
                    const size_t at = (made % 3 == 0) ? 505 % (text.size() - sizeof Needle)
                                                      : (mixed >> 3) % (text.size() - sizeof Needle);
                    text.replace(at, sizeof Needle - 1, Needle);
                }
                String name;
                name.FormatText(L"%s\\note %d.txt", folder.Chars(), i);
                HANDLE file =
                    CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
                if (file == INVALID_HANDLE_VALUE)
                    return false;
                DWORD written = 0;
                WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
                CloseHandle(file);
            }
        }
    }
    return true;
}

// The bare loop: every file of the tree read whole and searched as bytes.
int BareSearch(const String& folder, std::vector<char>& buffer)
{
    int found = 0;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(folder + L"\\*", &entry);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        const std::wstring_view name(entry.cFileName);
        if (name == L"." || name == L"..")
            continue;
        const String path = folder + L"\\" + entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            found += BareSearch(path, buffer);
            continue;
        }
        HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            continue;
        DWORD read = 0;
        if (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) &&
            std::string_view(buffer.data(), read).find(Needle) != std::string_view::npos)
            ++found;
        CloseHandle(file);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return found;
}

struct Counter : SearchSink {
    void OnResults(std::vector<SearchResult>&& batch, int) override { count += static_cast<int>(batch.size()); }
    int count = 0;
};

}  // namespace

int wmain()
{
    const vellumate::TempFolder root(L"vellumate-findbench");
    const vellumate::ScopedVariable rootVariable(L"VELLUMATE_ROOT", root.Path().c_str());
    const String tree = String(root.Path().c_str()) + L"\\Tree";
    CreateDirectoryW(tree, nullptr);

    const int files = TopFolders * SubFolders * FilesPerFolder;
    std::wprintf(L"creating %d files...\n", files);
    if (!MakeTree(tree)) {
        std::wprintf(L"could not create the files\n");
        return 1;
    }

    SearchQuery query;
    query.folder = L"\\Tree";
    query.patterns = SplitPatterns(L"*.*");
    query.text = String(Needle);
    std::vector<char> buffer(64 * 1024);
    int bareFound = 0;
    int searchFound = 0;
    const auto bare = [&] { bareFound = BareSearch(tree, buffer); };
    const auto search = [&] {
        Counter counter;
        std::atomic<bool> stop{false};
        RunSearch(query, counter, stop);
        searchFound = counter.count;
    };
    // Warm the caches on both sides first.
    bare();
    search();
    std::vector<double> bareTimes, searchTimes;
    for (int round = 0; round < Rounds; ++round) {
        const vellumate::bench::Stopwatch bareTime;
        bare();
        bareTimes.push_back(bareTime.Milliseconds());
        const vellumate::bench::Stopwatch searchTime;
        search();
        searchTimes.push_back(searchTime.Milliseconds());
    }
    const double bareMedian = vellumate::bench::Median(bareTimes);
    const double searchMedian = vellumate::bench::Median(searchTimes);
    std::wprintf(L"bare read-and-search loop: %8.2f ms (%d files hold the text)\n", bareMedian, bareFound);
    std::wprintf(L"file search:               %8.2f ms (%d results)\n", searchMedian, searchFound);
    std::wprintf(L"ratio %.2f (target at most 1.5), medians of %d alternating rounds\n", searchMedian / bareMedian,
                 Rounds);
    if (bareFound != searchFound)
        std::wprintf(L"the two found different numbers of files!\n");

    return bareFound == searchFound ? 0 : 1;
}
