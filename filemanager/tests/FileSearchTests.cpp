// The file search: how patterns are widened, which folders are refused, the
// text search across block boundaries, and the search itself over a real
// tree (recursion, hidden files, batches, stopping).
#include "DeviceRootFixture.h"

#include "filemanager/FileSearch.h"
#include "filemanager/SearchScope.h"
#include "filemanager/TextFinder.h"

#include "platform/Handles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::wstring Widened(const wchar_t* pattern)
{
    return WidenPattern(pattern).Chars();
}

TEST(SearchPatterns, WideningFollowsTheNameAndTheExtension)
{
    // No "." and no wildcard: the text may stand anywhere in the name.
    EXPECT_EQ(Widened(L"report"), L"*report*");
    // A non-empty extension may go on.
    EXPECT_EQ(Widened(L"*.txt"), L"*.txt*");
    EXPECT_EQ(Widened(L"a.b.c"), L"a.b.c*");
    EXPECT_EQ(Widened(L"*.*"), L"*.**");
    // An empty extension becomes "*", unless the name holds a "?".
    EXPECT_EQ(Widened(L"notes."), L"notes.*");
    EXPECT_EQ(Widened(L"rep*"), L"rep*.*");
    EXPECT_EQ(Widened(L"n?tes."), L"n?tes.");
    EXPECT_EQ(Widened(L"n?tes"), L"n?tes");
}

TEST(SearchPatterns, TheFieldSplitsAtBlanks)
{
    const std::vector<String> patterns = SplitPatterns(L"  *.txt   report a?. ");
    ASSERT_EQ(patterns.size(), 3u);
    EXPECT_EQ(patterns[0], L"*.txt*");
    EXPECT_EQ(patterns[1], L"*report*");
    EXPECT_EQ(patterns[2], L"a?.");
    EXPECT_TRUE(SplitPatterns(L"   ").empty());
}

class SearchTest : public DeviceRootFixture {
protected:
    // Collects what the search hands over.
    struct Collector : SearchSink {
        void OnResults(std::vector<SearchResult>&& batch, int total) override
        {
            batchSizes.push_back(static_cast<int>(batch.size()));
            totals.push_back(total);
            for (SearchResult& result : batch)
                results.push_back(std::move(result));
            if (stopAfterFirst)
                stop->store(true);
        }
        void OnFinished(int total, bool wasStopped) override
        {
            finishedTotal = total;
            stopped = wasStopped;
            finished = true;
        }

        std::vector<SearchResult> results;
        std::vector<int> batchSizes;
        std::vector<int> totals;
        bool stopAfterFirst = false;
        std::atomic<bool>* stop = nullptr;
        bool finished = false;
        int finishedTotal = -1;
        bool stopped = false;
    };

    static void WriteFile(const wchar_t* handsetPath, const std::string& bytes)
    {
        HANDLE file = CreateFileW(ToFileSystemPath(handsetPath), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }

    // `text` at byte `offset` of a file of `size` filler bytes.
    static std::string Placed(const std::string& text, size_t offset, size_t size)
    {
        std::string bytes(size, '.');
        bytes.replace(offset, text.size(), text);
        return bytes;
    }

    std::vector<std::wstring> Search(const wchar_t* folder, const wchar_t* patterns, const wchar_t* text = L"",
                                     bool skipHidden = false)
    {
        SearchQuery query;
        query.folder = folder;
        query.patterns = SplitPatterns(patterns);
        query.text = text;
        query.skipHidden = skipHidden;
        m_found = Collector();
        std::atomic<bool> stop{false};
        RunSearch(query, m_found, stop);
        std::vector<std::wstring> paths;
        for (const SearchResult& result : m_found.results)
            paths.emplace_back(result.Path().Chars());
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    using Paths = std::vector<std::wstring>;
    Collector m_found;
};

TEST_F(SearchTest, TheFolderComesFromEitherFieldAndMustExist)
{
    MakeFolder(L"\\Docs\\Sub");
    MakeFile(L"\\Docs\\a.txt");

    SearchScope scope = ResolveSearchScope(L"*.txt", L"\\Docs\\");
    EXPECT_EQ(scope.refusal, ScopeRefusal::None);
    EXPECT_EQ(scope.folder, L"\\Docs");
    ASSERT_EQ(scope.patterns.size(), 1u);
    EXPECT_EQ(scope.patterns[0], L"*.txt*");
    // The root's field is "\", and a folder in the pattern field wins.
    EXPECT_EQ(ResolveSearchScope(L"*.*", L"\\").folder, L"");
    scope = ResolveSearchScope(L"\\Docs\\Sub\\x*", L"\\");
    EXPECT_EQ(scope.refusal, ScopeRefusal::None);
    EXPECT_EQ(scope.folder, L"\\Docs\\Sub");
    EXPECT_EQ(scope.patterns[0], L"x*.*");
    EXPECT_EQ(ResolveSearchScope(L"\\*.txt", L"\\Docs").folder, L"");
}

TEST_F(SearchTest, FoldersThatCannotBeSearchedAreRefusedWithTheirText)
{
    MakeFolder(L"\\Docs");
    MakeFile(L"\\Docs\\a.txt");
    struct Case {
        const wchar_t* patterns;
        const wchar_t* folder;
        ScopeRefusal refusal;
        const wchar_t* quoted;
    };
    const Case cases[] = {
        {L"Docs\\*.txt", L"\\", ScopeRefusal::BadFolder, L"Docs"},        // not from the root
        {L"*.txt", L"Docs\\", ScopeRefusal::BadFolder, L"Docs"},          // the folder field alike
        {L"*.txt", L"\\Do|cs", ScopeRefusal::BadFolder, L"\\Do|cs"},      // no valid name
        {L"*.txt", L"\\Docs\\\\", ScopeRefusal::BadFolder, L"\\Docs\\"},  // an empty component
        {L"*.txt", L"\\Missing", ScopeRefusal::BadFolder, L"\\Missing"},
        {L"*.txt", L"\\Docs\\a.txt", ScopeRefusal::BadFolder, L"\\Docs\\a.txt"},  // a file
        {L"\\\\server\\share\\*.txt", L"\\", ScopeRefusal::NetworkPath, L"\\\\server\\share\\*.txt"},
    };
    for (const Case& c : cases) {
        const SearchScope scope = ResolveSearchScope(c.patterns, c.folder);
        EXPECT_EQ(scope.refusal, c.refusal) << std::wstring(c.patterns).size() << " " << std::wstring(c.folder).size();
        EXPECT_EQ(scope.refusedText, c.quoted);
    }
}

TEST(TextFinder, ATextAcrossTwoBlocksIsFound)
{
    const std::string needle = "needle";
    for (size_t offset : {size_t{0}, size_t{509}, size_t{510}, size_t{511}, size_t{1021}, size_t{1023}, size_t{1400}}) {
        std::string bytes(1500, '.');
        bytes.replace(offset, needle.size(), needle);
        TextFinder finder(L"needle");
        EXPECT_TRUE(finder.BytesContain(bytes.data(), bytes.size())) << "at " << offset;
    }
    // The tail kept from one block never joins with one from a file before.
    TextFinder finder(L"needle");
    std::string first(512, '.');
    first.replace(509, 3, "nee");
    EXPECT_FALSE(finder.BytesContain(first.data(), first.size()));
    EXPECT_FALSE(finder.BytesContain("dle", 3));
}

TEST(TextFinder, TheTextIsMatchedExactlyAndAfterZeroBytes)
{
    TextFinder finder(L"Needle");
    const std::string lower = "a needle here";
    EXPECT_FALSE(finder.BytesContain(lower.data(), lower.size()));
    const std::string binary("\x01\x00\x00Needle\x00", 10);
    EXPECT_TRUE(finder.BytesContain(binary.data(), binary.size()));
    // A text longer than a block, across three of them.
    const String longText(L'q', 700);
    TextFinder longFinder(longText);
    std::string bytes(2000, '.');
    bytes.replace(300, 700, std::string(700, 'q'));
    EXPECT_TRUE(longFinder.BytesContain(bytes.data(), bytes.size()));
    bytes[999] = '.';
    EXPECT_FALSE(longFinder.BytesContain(bytes.data(), bytes.size()));
}

TEST_F(SearchTest, TextsAtTheBlockBoundariesOfRealFilesAreFound)
{
    MakeFolder(L"\\T");
    WriteFile(L"\\T\\at512.txt", Placed("find me", 509, 900));
    WriteFile(L"\\T\\at1024.txt", Placed("find me", 1020, 1600));
    WriteFile(L"\\T\\inside.txt", Placed("find me", 100, 600));
    WriteFile(L"\\T\\split.txt", Placed("find  me", 509, 900));
    WriteFile(L"\\T\\case.txt", Placed("Find me", 509, 900));
    EXPECT_EQ(Search(L"\\T", L"*.*", L"find me"), (Paths{L"\\T\\at1024.txt", L"\\T\\at512.txt", L"\\T\\inside.txt"}));
}

TEST_F(SearchTest, SubfoldersAreSearchedAndFoldersMatchByName)
{
    MakeFolder(L"\\A\\B\\C");
    MakeFile(L"\\A\\one.txt", 2048);
    MakeFile(L"\\A\\B\\two.txt");
    MakeFile(L"\\A\\B\\C\\three.txt");
    MakeFile(L"\\A\\B\\C\\README");
    MakeFile(L"\\Elsewhere.txt");
    EXPECT_EQ(Search(L"\\A", L"*.txt"), (Paths{L"\\A\\B\\C\\three.txt", L"\\A\\B\\two.txt", L"\\A\\one.txt"}));
    // Everything, names without an extension and folders too.
    EXPECT_EQ(Search(L"\\A", L"*.*"), (Paths{L"\\A\\B", L"\\A\\B\\C", L"\\A\\B\\C\\README", L"\\A\\B\\C\\three.txt",
                                             L"\\A\\B\\two.txt", L"\\A\\one.txt"}));
    // A bare word matches inside names; a file two patterns match comes once.
    EXPECT_EQ(Search(L"\\A", L"thr one o"), (Paths{L"\\A\\B\\C\\three.txt", L"\\A\\B\\two.txt", L"\\A\\one.txt"}));

    Search(L"\\A", L"one.txt B");
    ASSERT_EQ(m_found.results.size(), 2u);
    for (const SearchResult& result : m_found.results) {
        if (result.IsFolder())
            EXPECT_TRUE(result.sizeText.IsEmpty());
        else
            EXPECT_EQ(result.sizeText, L"2.00K");
    }
    // With a text, folders are never results: they have no contents.
    MakeFolder(L"\\A\\hello");
    WriteFile(L"\\A\\B\\greeting.txt", "say hello");
    EXPECT_EQ(Search(L"\\A", L"*hello*", L"hello"), Paths{});
    EXPECT_EQ(Search(L"\\A", L"*.*", L"hello"), (Paths{L"\\A\\B\\greeting.txt"}));
}

TEST_F(SearchTest, HiddenMatchesAreSkippedOnlyWhenAsked)
{
    MakeFolder(L"\\H\\Sub");
    MakeFile(L"\\H\\shown.txt");
    MakeFile(L"\\H\\secret.txt");
    MakeFile(L"\\H\\Sub\\deep.txt");
    SetAttributes(L"\\H\\secret.txt", FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(L"\\H\\Sub", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(Search(L"\\H", L"*.txt", L"", false),
              (Paths{L"\\H\\Sub\\deep.txt", L"\\H\\secret.txt", L"\\H\\shown.txt"}));
    // A hidden folder is no result, but what it holds is searched.
    EXPECT_EQ(Search(L"\\H", L"*.*", L"", true), (Paths{L"\\H\\Sub\\deep.txt", L"\\H\\shown.txt"}));
}

TEST_F(SearchTest, ResultsArriveAtTheFirstAtEveryHundredthAndAtTheEnd)
{
    MakeFolder(L"\\Many");
    for (int i = 0; i < 250; ++i)
        MakeFile((L"\\Many\\f" + std::to_wstring(i) + L".dat").c_str());
    Search(L"\\Many", L"*.dat");
    EXPECT_EQ(m_found.batchSizes, (std::vector<int>{1, 99, 100, 50}));
    EXPECT_EQ(m_found.totals, (std::vector<int>{1, 100, 200, 250}));
}

TEST_F(SearchTest, TheStopFlagEndsTheSearch)
{
    MakeFolder(L"\\Many\\Sub");
    for (int i = 0; i < 50; ++i) {
        MakeFile((L"\\Many\\f" + std::to_wstring(i) + L".dat").c_str());
        MakeFile((L"\\Many\\Sub\\g" + std::to_wstring(i) + L".dat").c_str());
    }
    SearchQuery query;
    query.folder = L"\\Many";
    query.patterns = SplitPatterns(L"*.dat");

    std::atomic<bool> stop{false};
    Collector collector;
    collector.stopAfterFirst = true;
    collector.stop = &stop;
    EXPECT_EQ(RunSearch(query, collector, stop), 1);
    EXPECT_EQ(collector.results.size(), 1u);

    // On the worker: the first result holds the search until the stop flag
    // is set from this thread.
    struct Holding : Collector {
        void OnResults(std::vector<SearchResult>&& batch, int total) override
        {
            Collector::OnResults(std::move(batch), total);
            if (total == 1) {
                SetEvent(arrived.Get());
                WaitForSingleObject(release.Get(), 5000);
            }
        }
        vellumate::KernelHandle arrived{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        vellumate::KernelHandle release{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    };
    Holding watched;
    {
        FileSearch search;
        ASSERT_TRUE(search.Start(query, watched));
        ASSERT_EQ(WaitForSingleObject(watched.arrived.Get(), 5000), WAIT_OBJECT_0);
        EXPECT_TRUE(search.IsRunning());
        search.Stop();
        SetEvent(watched.release.Get());
        search.Wait();
        EXPECT_FALSE(search.IsRunning());
    }
    EXPECT_TRUE(watched.finished);
    EXPECT_TRUE(watched.stopped);
    EXPECT_EQ(watched.finishedTotal, 1);

    Collector whole;
    FileSearch search;
    ASSERT_TRUE(search.Start(query, whole));
    search.Wait();
    EXPECT_FALSE(whole.stopped);
    EXPECT_EQ(whole.finishedTotal, 100);
}

}  // namespace
