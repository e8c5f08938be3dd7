// The open-with dialog (110): the handset's programs, found by a scan on a
// worker thread while the dialog is open, to open one file with or to
// associate the file's type with. In open-with mode it can offer the
// association after the choice (for a file whose type has none).
#pragma once

#include "filemanager/ProgramScan.h"
#include "filemanager/WorkerThread.h"
#include "framework/Dialogs.h"
#include "framework/String.h"

#include "platform/Handles.h"

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <vector>

enum class OpenWithMode { Associate, OpenWith };

class OpenWithDialog : public DialogCore {
public:
    // Sent by the scan: a program found (lParam: the FoundProgram), and its end.
    static constexpr UINT WM_PROGRAM_FOUND = WM_APP + 60;
    static constexpr UINT WM_SCAN_FINISHED = WM_APP + 61;

    // `name` is the file's name, `fullPath` its handset path; hidden programs
    // are left out when the preferences hide hidden files.
    OpenWithDialog(HWND parent, OpenWithMode mode, bool offerAssociation, const String& name, const String& fullPath,
                   DWORD preferences, HKEY classesRoot = HKEY_CLASSES_ROOT);
    ~OpenWithDialog() override;

    // What the dialog holds now (on the dialog's thread).
    int ProgramCount() const noexcept { return static_cast<int>(m_programs.size()); }
    const FoundProgram& Program(int row) const { return m_programs[static_cast<size_t>(row)]; }
    bool ScanFinished() const noexcept { return m_finished.load(); }
    int SelectedRow() const noexcept { return m_selected; }

protected:
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    InitResult InitDialog() override;

private:
    class Sender : public ProgramSink {
    public:
        void SetWindow(HWND window) noexcept { m_window = window; }
        void OnProgram(const FoundProgram& program) override;

    private:
        HWND m_window = nullptr;
    };

    void ShowFile();
    bool StartScan();
    void OnProgramFound(const FoundProgram& program);
    void OnScanFinished();
    void Choose();
    void Cancel();
    // Starts the chosen program with the file; false when it cannot start.
    bool StartProgramWithFile(const String& programPath) const;
    void Associate(const String& programPath);
    HWND List() const noexcept;

    OpenWithMode m_mode;
    bool m_offerAssociation;
    String m_name;
    String m_fullPath;
    bool m_skipHidden;
    HKEY m_classesRoot;
    std::vector<FoundProgram> m_programs;
    int m_selected = -1;
    HIMAGELIST m_images = nullptr;
    std::atomic<bool> m_finished{false};
    std::atomic<bool> m_cancel{false};
    Sender m_sender;
    WorkerThread m_worker;
    vellumate::FontHandle m_headingFont;
    vellumate::IconHandle m_icon;
};
