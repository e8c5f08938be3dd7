// The beam dialog (146): the nearby devices the OBEX service finds, the
// chosen one's state, and the send with its worker. A failed send can be
// started again and goes on after the last file sent whole.
#pragma once

#include "filemanager/BeamWorker.h"
#include "filemanager/OperationDialog.h"
#include "filemanager/WorkerThread.h"

#include "platform/Handles.h"

#include <memory>
#include <vector>

class BeamDialog : public OperationDialog, private BeamReporter {
public:
    // The sink's message: wParam the event, lParam the device's property bag
    // (added to; the dialog releases it).
    static constexpr UINT WM_BEAM_DEVICE = 2025;
    // The stopper's message: the worker has ended after a cancel.
    static constexpr UINT WM_BEAM_STOPPED = WM_APP + 80;
    static constexpr UINT_PTR RestartTimer = 1;

    BeamDialog(HWND owner, std::vector<String> paths);
    ~BeamDialog() override;

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnCommand(UINT command) override;
    void OnBack() override;

private:
    struct DeviceRow {
        String name;
        IPropertyBag* bag = nullptr;  // owned
    };
    class Sink;

    // ---- BeamReporter, on the worker thread ----
    void Connecting() override;
    void FileStarted(int index) override;
    void Progress() override;
    void Failed(bool connecting, UINT message, const String& path) override;
    void AllSent() override;

    bool StartService();
    void StopService() noexcept;
    void OnDevice(OBEX_EVENT event, IPropertyBag* bag);
    void OnWorkerReport(UINT report, LPARAM lParam);
    void Send();
    void Cancel();
    void ClearDevices() noexcept;
    void DropQueuedDevices() noexcept;
    void SelectChosenRow();
    int RowOfDevice(int device) const noexcept { return HintRows + device; }
    int ChosenRow() const noexcept { return m_chosen < 0 ? -1 : RowOfDevice(m_chosen); }
    void SetStatus(const String& text);
    void SetLabels(UINT statusText);
    void ShowCounts(int left, int fileNumber);

    static constexpr int HintRows = 3;

    BeamJob m_job;
    HWND m_dialog = nullptr;  // for the worker
    std::unique_ptr<Sink> m_sink;
    IObex* m_service = nullptr;
    IConnectionPoint* m_point = nullptr;
    DWORD m_cookie = 0;
    bool m_enumerating = false;
    bool m_comStarted = false;
    std::vector<DeviceRow> m_devices;
    int m_chosen = -1;
    WorkerThread m_worker;
    WorkerThread m_stopper;  // waits for the worker after a cancel
    bool m_sending = false;
    bool m_stopping = false;  // cancelled: the dialog ends when the worker has
    bool m_sendPending = false;
    UINT m_failMessage = 0;  // the worker's failure to tell, with its path
    String m_failPath;
    vellumate::FontHandle m_listFont;
};

// Runs the beam dialog for the files; nothing happens without a file.
void BeamFiles(HWND owner, const std::vector<String>& paths);
