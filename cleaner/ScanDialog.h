// The scan dialog (1): one category measured by a worker thread, its count
// and size growing as they are found, with what Delete will do below. Delete
// is offered from the first item on.
#pragma once

#include "cleaner/CleanerDisplay.h"
#include "cleaner/ScanWorker.h"

#include "framework/DialogPane.h"
#include "framework/Dialogs.h"

#include <windows.h>

#include <atomic>
#include <memory>

class ScanDialog : public DialogCore, private DialogPane::Host {
public:
    static constexpr UINT ScanChanged = WM_APP + 1;  // posted by the worker
    static constexpr int ScrollStep = 15;

    ScanDialog(HWND parent, const Category& category, const CleanerDisplay& display) noexcept;
    ~ScanDialog() override;

    // The command that closed the dialog: ID_SCAN_DELETE or IDCANCEL.
    UINT Choice() const noexcept { return m_choice; }
    const ScanProgress& Progress() const noexcept { return m_progress; }

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // What the dialog shows under its two figures; it scrolls with Up and
    // Down when it is taller than the screen.
    void PaneKey(UINT key) override;
    void PaintPane(HWND pane) override;
    void ShowProgress();
    void Scroll(int by);
    int LayoutHeight(HDC dc, int width, bool draw, int top);
    void MeasureContent();
    void PlaceFigures();
    void Close(UINT choice);

    const Category& m_category;
    const CleanerDisplay& m_display;
    ScanProgress m_progress;
    std::atomic<bool> m_updatePending{false};
    std::unique_ptr<ScanThread> m_thread;
    DialogPane m_pane;
    UINT m_choice = IDCANCEL;
    bool m_deleteEnabled = false;  // the latch: Delete, once offered, stays
    int m_contentHeight = 0;
    int m_scroll = 0;
    int m_labelWidth = 0;
};
