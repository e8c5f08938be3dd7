// The properties of a file, a folder or the device root (112): name, folder,
// type, size, times and attributes, a shortcut's target, and for a folder or
// the root the totals of everything below it, counted by a worker thread
// while the dialog is open. The name and three attributes can be changed:
// OK applies them once the worker has stopped.
#pragma once

#include "filemanager/ItemProperties.h"
#include "filemanager/NewNames.h"
#include "filemanager/WorkerThread.h"
#include "framework/Dialogs.h"
#include "framework/String.h"

#include <windows.h>

#include <atomic>

struct PropertiesRequest {
    String folder;  // the handset path of the folder that holds the item
    String name;    // empty for the root
    bool isRoot = false;
    // With extensions hidden a file's name is edited without its extension.
    DWORD preferences = 0;
};

// How the dialog closed (its end codes).
enum class PropertiesOutcome {
    Cancelled = 2,
    Renamed = 1,
    RenameFailed = 20,  // ended with 2 as well: the caller says so
    Unchanged = 7,      // the name stayed (the attributes may have changed)
};

class PropertiesDialog;

// Tells the user what a closed dialog could not do: the move to the new name
// (and the attributes with it), or the attributes alone.
void ReportPropertiesFailure(HWND owner, const PropertiesDialog& dialog);

class PropertiesDialog : public DialogCore {
public:
    // Sent by the worker: the totals so far (lParam: a FolderTotals); posted
    // when it has ended.
    static constexpr UINT WM_TOTALS = WM_APP + 70;
    static constexpr UINT WM_TOTALS_DONE = WM_APP + 71;

    PropertiesDialog(HWND parent, PropertiesRequest request);
    ~PropertiesDialog() override;

    PropertiesOutcome Outcome() const noexcept { return m_outcome; }
    // The item's new full name, after Renamed.
    const String& NewName() const noexcept { return m_newName; }
    // What the attribute change did, and the item's attributes afterwards.
    AttributeChange AttributesChanged() const noexcept { return m_change; }
    DWORD Attributes() const noexcept { return m_attributes; }
    bool Counting() const noexcept { return m_worker.Started() && !m_finished.load(); }

protected:
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    InitResult InitDialog() override;

private:
    enum class Pending { Nothing, Apply, Cancel };

    String ItemPath() const;
    bool ShowItem();
    void ShowTotals(const FolderTotals& totals);
    bool StartTotals();
    void OnTotalsDone();
    void RequestApply();
    void RequestCancel();
    void Apply();
    void Close(PropertiesOutcome outcome);
    void ScrollTo(int offset);

    PropertiesRequest m_request;
    EditableName m_editable;
    DWORD m_attributes = 0;
    bool m_isFolder = false;
    PropertiesOutcome m_outcome = PropertiesOutcome::Cancelled;
    AttributeChange m_change = AttributeChange::None;
    String m_newName;
    Pending m_pending = Pending::Nothing;
    int m_scrolled = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_finished{false};
    WorkerThread m_worker;
};
