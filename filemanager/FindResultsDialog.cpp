#include "filemanager/FindResultsDialog.h"

#include "filemanager/CaptionedMessage.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/FindResources.h"
#include "filemanager/FindResultsControls.h"
#include "filemanager/FileDeletion.h"
#include "filemanager/FolderTree.h"
#include "filemanager/PropertiesDialog.h"
#include "filemanager/OperationMessages.h"
#include "filemanager/PreferenceBits.h"
#include "filemanager/resource.h"
#include "framework/MenuBars.h"

#include "platform/SoftKeyBar.h"

#include <memory>

namespace {

// The name column takes three quarters of the list's width, the size the rest.
constexpr int NameShare = 3;
constexpr int ShareParts = 4;

bool IsReadOnly(const String& path)
{
    const DWORD attributes = GetFileAttributesW(LongPathForm(ToFileSystemPath(path)));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

}  // namespace

// ---- the search's messages --------------------------------------------------------

void FindResultsDialog::Poster::OnResults(std::vector<SearchResult>&& batch, int)
{
    auto posted = std::make_unique<std::vector<SearchResult>>(std::move(batch));
    if (PostMessageW(m_window, WM_SEARCH_RESULTS, 0, reinterpret_cast<LPARAM>(posted.get())))
        posted.release();
}

void FindResultsDialog::Poster::OnFinished(int, bool)
{
    PostMessageW(m_window, WM_SEARCH_FINISHED, 0, 0);
}

// ---- the dialog ---------------------------------------------------------------------

FindResultsDialog::FindResultsDialog(HWND parent, const SearchQuery& query, DWORD preferences,
                                     const String& currentFolder)
    : DialogCore(IDD_FIND_RESULTS, parent, IDM_RESULTS_SEARCHING, IDS_RESULTS_CAPTION, true), m_query(query),
      m_preferences(preferences), m_currentFolder(NormalizeFolderPath(currentFolder))
{
}

FindResultsDialog::~FindResultsDialog()
{
    // The worker posts to the window; it ends before anything it uses.
    m_search.Stop();
    m_search.Wait();
}

HWND FindResultsDialog::List() const noexcept
{
    return GetDlgItem(Window(), IDC_RESULTS_LIST);
}

InitResult FindResultsDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    m_finishedBar = CreateMenuBar(Window(), IDM_RESULTS_BAR, BackKey::ToProgram, true);
    if (!m_finishedBar) {
        EndDialog(Window(), EndMenuBarFailed);
        return InitResult::Stop;
    }
    HWND list = List();
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    ListView_InsertColumn(list, 0, &column);
    column.fmt = LVCFMT_RIGHT;
    column.iSubItem = 1;
    ListView_InsertColumn(list, 1, &column);
    LayOut();
    SetFocus(list);
    m_focusSet = true;
    if (!StartSearch())
        Leave(ResultsEnd::BackToFind);
    return InitResult::Continue;
}

void FindResultsDialog::LayOut()
{
    RECT client{};
    GetClientRect(Window(), &client);
    HWND count = GetDlgItem(Window(), IDC_RESULTS_COUNT);
    RECT countRect{};
    GetWindowRect(count, &countRect);
    MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&countRect), 2);
    const int top = countRect.bottom + 2;
    HWND list = List();
    MoveWindow(list, 0, top, client.right, client.bottom - top, TRUE);
    // The scroll bar's room is kept free, so that the size column stays in
    // view when the results grow beyond one page.
    RECT listClient{};
    GetClientRect(list, &listClient);
    const int width = listClient.right - GetSystemMetrics(SM_CXVSCROLL);
    const int nameWidth = width * NameShare / ShareParts;
    ListView_SetColumnWidth(list, 0, nameWidth);
    ListView_SetColumnWidth(list, 1, width - nameWidth);
}

bool FindResultsDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_SEARCH_RESULTS: {
        std::unique_ptr<std::vector<SearchResult>> batch(reinterpret_cast<std::vector<SearchResult>*>(lParam));
        if (batch)
            OnResults(*batch);
        result = 0;
        return true;
    }
    case WM_SEARCH_FINISHED:
        OnFinished();
        result = 0;
        return true;
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam))) {
            result = 0;
            return true;
        }
        break;
    case WM_HOTKEY:
        // Back goes back to the find dialog, also while the search runs.
        if (HIWORD(lParam) == VK_ESCAPE) {
            if (LOWORD(lParam) & MOD_KEYUP)
                Leave(ResultsEnd::BackToFind);
            result = 1;
            return true;
        }
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header && header->idFrom == IDC_RESULTS_LIST && header->code == LVN_GETDISPINFOW) {
            OnGetDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
            result = 0;
            return true;
        }
        break;
    }
    case WM_INITMENUPOPUP:
        OnMenuPopup(reinterpret_cast<HMENU>(wParam));
        result = 0;
        return true;
    case WM_DESTROY:
        StopSearch();
        break;
    default:
        break;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}

bool FindResultsDialog::OnCommand(int command)
{
    switch (command) {
    case ID_RESULTS_OPEN:
    case IDOK:  // Enter on the list
        OpenChosen();
        return true;
    case ID_RESULTS_DELETE:
        DeleteChosen();
        return true;
    case ID_RESULTS_PROPERTIES:
        ShowChosenProperties();
        return true;
    case ID_RESULTS_STOP:
        m_search.Stop();
        return true;
    case ID_RESULTS_AGAIN:
        StartSearch();
        return true;
    case ID_RESULTS_BACK:
    case IDCANCEL:
        Leave(ResultsEnd::BackToFind);
        return true;
    case ID_RESULTS_CLOSE_ALL:
        Leave(ResultsEnd::CloseAll);
        return true;
    default:
        return false;
    }
}

// ---- the search ------------------------------------------------------------------------

bool FindResultsDialog::StartSearch()
{
    StopSearch();
    m_results.clear();
    ListView_SetItemCountEx(List(), 0, 0);
    m_poster.SetWindow(Window());
    m_searching = m_search.Start(m_query, m_poster);
    ShowBar(m_searching);
    ShowCount();
    if (!m_searching)
        ShowOperationError(Window(), IDS_NO_WORKER, 0);
    return m_searching;
}

void FindResultsDialog::StopSearch()
{
    m_search.Stop();
    m_search.Wait();
    m_searching = false;
    if (!Window())
        return;
    MSG message;
    while (PeekMessageW(&message, Window(), WM_SEARCH_RESULTS, WM_SEARCH_FINISHED, PM_REMOVE)) {
        if (message.message == WM_SEARCH_RESULTS)
            delete reinterpret_cast<std::vector<SearchResult>*>(message.lParam);
    }
}

void FindResultsDialog::OnResults(std::vector<SearchResult>& batch)
{
    if (!m_searching)
        return;
    const bool first = m_results.empty();
    m_results.insert(m_results.end(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
    HWND list = List();
    ListView_SetItemCountEx(list, static_cast<int>(m_results.size()), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    if (first && !m_results.empty()) {
        const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
        ListView_SetItemState(list, 0, state, state);
    }
    ShowCount();
}

void FindResultsDialog::OnFinished()
{
    m_search.Wait();
    m_searching = false;
    ShowBar(false);
    ShowCount();
}

void FindResultsDialog::ShowBar(bool searching)
{
    ShowWindow(MenuBar(), searching ? SW_SHOW : SW_HIDE);
    ShowWindow(m_finishedBar, searching ? SW_HIDE : SW_SHOW);
}

void FindResultsDialog::ShowCount()
{
    String text;
    text.FormatResource(IDS_RESULT_COUNT, static_cast<int>(m_results.size()));
    SetDlgItemTextW(Window(), IDC_RESULTS_COUNT, text);
}

void FindResultsDialog::OnGetDisplayInfo(NMLVDISPINFOW& info)
{
    LVITEMW& item = info.item;
    if (!(item.mask & LVIF_TEXT) || item.iItem < 0 || item.iItem >= ResultCount())
        return;
    const SearchResult& found = Result(item.iItem);
    const String& text = item.iSubItem == 0 ? found.name : found.sizeText;
    if (item.pszText && item.cchTextMax > 0)
        lstrcpynW(item.pszText, text, item.cchTextMax);
}

void FindResultsDialog::OnMenuPopup(HMENU menu)
{
    const UINT state = MF_BYCOMMAND | (ChosenIndex() >= 0 ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(menu, ID_RESULTS_OPEN, state);
    EnableMenuItem(menu, ID_RESULTS_DELETE, state);
    EnableMenuItem(menu, ID_RESULTS_PROPERTIES, state);
}

// ---- the commands on a result -----------------------------------------------------------

int FindResultsDialog::ChosenIndex() const
{
    if (m_searching)
        return -1;
    const int index = ListView_GetNextItem(List(), -1, LVNI_SELECTED);
    return index < ResultCount() ? index : -1;
}

bool FindResultsDialog::StillExists(int index)
{
    const SearchResult& found = Result(index);
    if (EntryExists(found.Path()))
        return true;
    ShowOperationError(Window(), IDS_FOLDER_GONE, 0, found.name);
    if (found.IsFolder())
        StartSearch();
    else
        RemoveResult(index);
    return false;
}

void FindResultsDialog::RemoveResult(int index)
{
    m_results.erase(m_results.begin() + index);
    HWND list = List();
    const int count = ResultCount();
    ListView_SetItemCountEx(list, count, LVSICF_NOSCROLL);
    if (count > 0) {
        const int next = index < count ? index : count - 1;
        const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
        ListView_SetItemState(list, next, state, state);
    }
    InvalidateRect(list, nullptr, TRUE);
    ShowCount();
}

void FindResultsDialog::OpenChosen()
{
    const int index = ChosenIndex();
    if (index < 0 || !StillExists(index))
        return;
    const SearchResult& found = Result(index);
    if (found.IsFolder()) {
        m_folderToOpen = found.Path();
        Leave(ResultsEnd::OpenFolder);
    }
    // A file stays as it is: this program opens no files yet, in the list
    // as here.
}

void FindResultsDialog::DeleteChosen()
{
    const int index = ChosenIndex();
    if (index < 0 || !StillExists(index))
        return;
    const SearchResult found = Result(index);
    const String path = found.Path();
    if (m_preferences & PreferenceAskBeforeDeleting) {
        const UINT style = MB_YESNO | MB_ICONQUESTION;
        const int answer = IsReadOnly(path) ? ShowCaptionedMessage(Window(), IDS_DELETE_CAPTION, IDS_DELETE_READ_ONLY,
                                                                   IDS_DELETE_RESULT, style, found.name, found.name)
                                            : ShowCaptionedMessage(Window(), IDS_DELETE_CAPTION, IDS_DELETE_RESULT, 0,
                                                                   style, found.name);
        if (answer != IDYES)
            return;
    }
    if (!DeletePath(path, Window()))
        return;
    FoundDeletions deleted;
    deleted.inCurrentFolder = found.folder.CompareNoCase(m_currentFolder) == 0 || IsSameOrInside(m_currentFolder, path);
    deleted.folders = found.IsFolder();
    m_deletions.Add(deleted);
    // A folder took its own results with it.
    if (found.IsFolder())
        StartSearch();
    else
        RemoveResult(index);
}

void FindResultsDialog::ShowChosenProperties()
{
    const int index = ChosenIndex();
    if (index < 0 || !StillExists(index))
        return;
    SearchResult& found = m_results[static_cast<size_t>(index)];
    PropertiesDialog dialog(Window(), PropertiesRequest{found.folder, found.name, false, m_preferences});
    RunModal(dialog);
    if (dialog.AttributesChanged() == AttributeChange::Written)
        found.attributes = dialog.Attributes();
    if (dialog.Outcome() == PropertiesOutcome::Renamed) {
        // The main list shows the old name: it is read again on leaving, as
        // after a deletion there.
        FoundDeletions renamed;
        renamed.inCurrentFolder = found.folder.CompareNoCase(m_currentFolder) == 0;
        renamed.folders = found.IsFolder();
        m_deletions.Add(renamed);
        found.name = dialog.NewName();
        InvalidateRect(List(), nullptr, TRUE);
    }
    ReportPropertiesFailure(Window(), dialog);
}

void FindResultsDialog::Leave(ResultsEnd end)
{
    StopSearch();
    m_end = end;
    EndDialog(Window(), IDOK);
}
