// The results of a file search (dialog 118): a virtual list of the names and
// sizes found, filled by the search on a worker thread while the dialog is
// open. Its commands open a result (a folder is shown in the main window
// once both find dialogs have closed), delete one, stop the search and run
// it again, go back to the find dialog or close both.
#pragma once

#include "filemanager/FileSearch.h"
#include "framework/Dialogs.h"
#include "framework/String.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

// How the results dialog ended.
enum class ResultsEnd {
    BackToFind,  // the find dialog shows again
    CloseAll,    // the find dialog closes too
    OpenFolder,  // the find dialog closes and the main window shows the folder
};

// What deleting from the results changed for the main window.
struct FoundDeletions {
    bool inCurrentFolder = false;  // something in (or holding) the main window's folder is gone
    bool folders = false;          // a folder is gone, so tree nodes may be too

    void Add(const FoundDeletions& other) noexcept
    {
        inCurrentFolder = inCurrentFolder || other.inCurrentFolder;
        folders = folders || other.folders;
    }
};

class FindResultsDialog : public DialogCore {
public:
    // Posted by the search: a batch of results (lParam, owned by the message
    // from then on), and the end of the search.
    static constexpr UINT WM_SEARCH_RESULTS = WM_APP + 40;
    static constexpr UINT WM_SEARCH_FINISHED = WM_APP + 41;

    // `currentFolder` is the main window's folder, for the deletions it is
    // told about.
    FindResultsDialog(HWND parent, const SearchQuery& query, DWORD preferences, const String& currentFolder);
    ~FindResultsDialog() override;

    ResultsEnd End() const noexcept { return m_end; }
    // The folder to show for ResultsEnd::OpenFolder.
    const String& FolderToOpen() const noexcept { return m_folderToOpen; }
    const FoundDeletions& Deletions() const noexcept { return m_deletions; }

    // What the dialog holds now (on the dialog's thread).
    int ResultCount() const noexcept { return static_cast<int>(m_results.size()); }
    const SearchResult& Result(int index) const { return m_results[static_cast<size_t>(index)]; }
    bool IsSearching() const noexcept { return m_searching; }

protected:
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    InitResult InitDialog() override;

private:
    // Hands the results to the dialog's thread by posted messages.
    class Poster : public SearchSink {
    public:
        void SetWindow(HWND window) noexcept { m_window = window; }
        void OnResults(std::vector<SearchResult>&& batch, int total) override;
        void OnFinished(int total, bool stopped) override;

    private:
        HWND m_window = nullptr;
    };

    bool OnCommand(int command);
    void LayOut();
    // Clears the list and starts the search; false (with a message) when the
    // worker cannot be started.
    bool StartSearch();
    // Stops the search, waits for it and drops what it still posted.
    void StopSearch();
    void OnResults(std::vector<SearchResult>& batch);
    void OnFinished();
    void ShowBar(bool searching);
    void ShowCount();
    void OnGetDisplayInfo(NMLVDISPINFOW& info);
    void OnMenuPopup(HMENU menu);

    // The selected result, or -1.
    int ChosenIndex() const;
    // Whether the chosen result is still there; when it is not, the user is
    // told and the result removed (a folder: the search runs again).
    bool StillExists(int index);
    void RemoveResult(int index);
    void OpenChosen();
    void DeleteChosen();
    void ShowChosenProperties();
    void Leave(ResultsEnd end);

    HWND List() const noexcept;

    SearchQuery m_query;
    DWORD m_preferences;
    String m_currentFolder;
    std::vector<SearchResult> m_results;
    Poster m_poster;
    FileSearch m_search;
    bool m_searching = false;
    HWND m_finishedBar = nullptr;
    ResultsEnd m_end = ResultsEnd::BackToFind;
    String m_folderToOpen;
    FoundDeletions m_deletions;
};
