#include "filemanager/FileSearch.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/FileFormats.h"
#include "filemanager/FolderFilter.h"
#include "filemanager/TextFinder.h"

#include "platform/Handles.h"

#include <string_view>
#include <unordered_set>

namespace {

// Results go to the sink at the first one and then at every hundredth.
constexpr int BatchSize = 100;

struct NoCaseHash {
    size_t operator()(const String& text) const noexcept
    {
        String lower = text;
        lower.MakeLower();
        return std::hash<std::wstring_view>()(std::wstring_view(lower.Chars(), static_cast<size_t>(lower.Length())));
    }
};

struct NoCaseEqual {
    bool operator()(const String& a, const String& b) const noexcept { return a.CompareNoCase(b) == 0; }
};

class Searcher {
public:
    Searcher(const SearchQuery& query, SearchSink& sink, const std::atomic<bool>& stop)
        : m_query(query), m_sink(sink), m_stop(stop), m_finder(query.text)
    {
    }

    int Run()
    {
        SearchFolder(m_query.folder, LongPathForm(ToFileSystemPath(m_query.folder)));
        Flush();
        return m_total;
    }

private:
    bool Stopped() const noexcept { return m_stop.load(std::memory_order_relaxed); }

    // The folder's matches for every pattern, then each subfolder in turn.
    void SearchFolder(const String& folder, const String& fileSystemFolder)
    {
        // A file that two patterns match is one result.
        std::unordered_set<String, NoCaseHash, NoCaseEqual> found;
        for (const String& pattern : m_query.patterns) {
            if (Stopped())
                return;
            ForEachEntry(fileSystemFolder, pattern, [&](const WIN32_FIND_DATAW& entry) {
                if (m_query.patterns.size() > 1 && !found.insert(String(entry.cFileName)).second)
                    return;
                Consider(folder, fileSystemFolder, entry);
            });
        }
        ForEachEntry(fileSystemFolder, L"*", [&](const WIN32_FIND_DATAW& entry) {
            // A link to a folder could lead back into the tree without end.
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                SearchFolder(JoinPath(folder, entry.cFileName), JoinFileSystemPath(fileSystemFolder, entry.cFileName));
        });
    }

    template <typename Visit>
    void ForEachEntry(const String& fileSystemFolder, const wchar_t* pattern, Visit&& visit)
    {
        WIN32_FIND_DATAW entry;
        vellumate::FindHandle find(FindFirstFileExW(JoinFileSystemPath(fileSystemFolder, pattern), FindExInfoBasic,
                                                    &entry, FindExSearchNameMatch, nullptr, 0));
        for (bool more = static_cast<bool>(find); more && !Stopped(); more = FindNextFileW(find.Get(), &entry)) {
            if (!IsDotEntry(entry.cFileName))
                visit(entry);
        }
    }

    void Consider(const String& folder, const String& fileSystemFolder, const WIN32_FIND_DATAW& entry)
    {
        if (m_query.skipHidden && (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN))
            return;
        const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (!m_query.text.IsEmpty()) {
            // Only a file has contents to hold the text.
            if (isFolder || !m_finder.FileContains(JoinFileSystemPath(fileSystemFolder, entry.cFileName), &m_stop))
                return;
        }
        SearchResult result;
        result.name = entry.cFileName;
        result.folder = folder;
        result.attributes = entry.dwFileAttributes;
        if (!isFolder)
            result.sizeText = FormatSize(entry.nFileSizeHigh, entry.nFileSizeLow, true, 4, 1024);
        m_pending.push_back(std::move(result));
        ++m_total;
        if (m_total == 1 || m_total % BatchSize == 0)
            Flush();
    }

    void Flush()
    {
        if (m_pending.empty())
            return;
        m_sink.OnResults(std::move(m_pending), m_total);
        m_pending.clear();
    }

    static String JoinFileSystemPath(const String& folder, const wchar_t* name)
    {
        String path = folder;
        if (path.IsEmpty() || path[path.Length() - 1] != L'\\')
            path += L'\\';
        path += name;
        return LongPathForm(path);
    }

    const SearchQuery& m_query;
    SearchSink& m_sink;
    const std::atomic<bool>& m_stop;
    TextFinder m_finder;
    std::vector<SearchResult> m_pending;
    int m_total = 0;
};

}  // namespace

String SearchResult::Path() const
{
    return JoinPath(folder, name);
}

int RunSearch(const SearchQuery& query, SearchSink& sink, const std::atomic<bool>& stop)
{
    return Searcher(query, sink, stop).Run();
}

FileSearch::~FileSearch()
{
    Stop();
    Wait();
}

bool FileSearch::Start(const SearchQuery& query, SearchSink& sink)
{
    Stop();
    Wait();
    m_stop.store(false);
    m_running.store(true);
    try {
        m_worker = std::thread([this, query, &sink] {
            int total = 0;
            try {
                total = RunSearch(query, sink, m_stop);
            } catch (...) {
                // A sink that failed ends the search; what it had is kept.
            }
            const bool stopped = m_stop.load();
            m_running.store(false);
            sink.OnFinished(total, stopped);
        });
    } catch (...) {
        m_running.store(false);
        return false;
    }
    return true;
}

void FileSearch::Wait()
{
    if (m_worker.joinable())
        m_worker.join();
}
