// The list pane: Tarnwell's own window (class "LISTVIEW", control 116) that
// shows the rows of the folder list. It is driven by keys only: it answers
// paint, background-erase and key-down messages and nothing else; every
// other action reaches it through the main window's commands. Its soft-key
// bar (menu bar 117) sends Back to the main window.
#pragma once

#include "filemanager/FolderList.h"
#include "filemanager/ListPaint.h"
#include "filemanager/ListSelection.h"

#include "platform/WindowBase.h"

#include <windows.h>

#include <atomic>

inline constexpr wchar_t ListPaneClass[] = L"LISTVIEW";

// What the list asks of the main window.
class ListHost {
public:
    virtual ~ListHost() = default;
    // Runs a command of the command table (Enter, 2, 3, 6, 7, star).
    virtual void RunCommand(UINT command) = 0;
    // The selection changed: the footer strip shows it.
    virtual void OnSelectionChanged() = 0;
};

class ListPane : public vellumate::WindowBase<ListPane> {
public:
    ListPane(FolderList& list, ListHost& host) noexcept : m_list(list), m_host(host) {}

    // Makes the (hidden) window over `rect` of `parent` with a vertical
    // scroll bar, and its hidden menu bar. The rows per page follow from the
    // height. False when either cannot be made.
    bool Create(HWND parent, const RECT& rect, DWORD preferences);

    HWND MenuBar() const noexcept { return m_menuBar; }
    ListPainter& Painter() noexcept { return m_painter; }

    // The font follows the small-font preference.
    void SetPreferences(DWORD preferences);

    // The scroll bar from the list: range and page when the items do not
    // fit on one page (otherwise none), position at the top row.
    void SyncScrollBar();
    // Repaints what a selection operation changed.
    void ShowChange(const SelectionChange& change);
    void RepaintRow(int index);
    void Repaint();

    // The list let its items go. From the reading thread the image list is
    // only marked, and emptied before the next painting.
    void OnIconsCleared(bool onOwnThread);

    // Where the name column ends and the size column begins: the list's
    // width less the scroll bar's and 30 pixels.
    int NameColumnEnd() const;

    // Paints the rows into `dc` over `area`; the screen text of the rows.
    String PaintRows(HDC dc, const RECT& area);

    // The key handling of WM_KEYDOWN; false for keys left to the default.
    bool OnKeyDown(UINT key);

private:
    friend class vellumate::WindowBase<ListPane>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();

    FolderList& m_list;
    ListHost& m_host;
    HWND m_menuBar = nullptr;
    ListPainter m_painter;
    std::atomic<bool> m_iconsStale{false};
};
