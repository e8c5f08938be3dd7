// The file search behind the find dialog: names matching patterns, and
// optionally holding a text, in a folder and all its subfolders. No window
// code: results reach a SearchSink in batches, and a FileSearch runs the
// search on a worker thread of its own that a stop flag ends.
#pragma once

#include "framework/String.h"

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

struct SearchQuery {
    // The handset folder to search ("" for the root).
    String folder;
    // File-system patterns, already widened; each folder is listed once per pattern.
    std::vector<String> patterns;
    // Looked for inside the files, case-sensitive; empty: names alone decide.
    String text;
    // Hidden files and folders are no results.
    bool skipHidden = false;
};

struct SearchResult {
    String name;
    // The handset folder that holds it.
    String folder;
    // Short units, 4 digits, divisor 1024; empty for a folder.
    String sizeText;
    DWORD attributes = 0;

    bool IsFolder() const noexcept { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    // Its handset path.
    String Path() const;
};

// Where the results go, on the searching thread.
class SearchSink {
public:
    virtual ~SearchSink() = default;
    // New results: the first one alone, then a batch at every hundredth
    // result, and what is left at the end. `total` counts every result so far.
    virtual void OnResults(std::vector<SearchResult>&& batch, int total) = 0;
    // The search is over: done, or stopped by the flag.
    virtual void OnFinished(int total, bool stopped) {}
};

// Runs the search on the calling thread until it is done or `stop` is set;
// returns the number of results. OnFinished is left to the caller.
int RunSearch(const SearchQuery& query, SearchSink& sink, const std::atomic<bool>& stop);

// One search at a time on a worker thread.
class FileSearch {
public:
    FileSearch() = default;
    // Stops a running search and waits for it.
    ~FileSearch();
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;

    // Starts the search; the sink must outlive it (Wait, or the destructor).
    // A search still running is stopped and waited for first. False when the
    // thread cannot be started.
    bool Start(const SearchQuery& query, SearchSink& sink);
    // Sets the stop flag: the search ends after the entry or block at hand.
    void Stop() noexcept { m_stop.store(true); }
    bool IsRunning() const noexcept { return m_running.load(); }
    // Waits until the worker has ended.
    void Wait();

private:
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};
    std::thread m_worker;
};
