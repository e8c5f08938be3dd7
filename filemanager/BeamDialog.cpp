#include "filemanager/BeamDialog.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/OperationMessages.h"
#include "filemanager/SendResources.h"
#include "framework/MenuBars.h"
#include "framework/ResourceModule.h"

#include <commctrl.h>

#include <atomic>

namespace {

constexpr DWORD RestartDelayMs = 500;
constexpr int ImageDevice = 0;
constexpr int ImageAllSent = 1;

String Loaded(UINT id)
{
    String text;
    text.LoadResourceText(id);
    return text;
}

// The device marshalled into `handOver`, in the calling thread's apartment;
// the stream is released.
IObexDevice* TakeDevice(IStream* handOver) noexcept
{
    IObexDevice* device = nullptr;
    if (FAILED(CoGetInterfaceAndReleaseStream(handOver, IID_IObexDevice, reinterpret_cast<void**>(&device))))
        return nullptr;
    return device;
}

String NameInBag(IPropertyBag* bag)
{
    VARIANT value;
    VariantInit(&value);
    String name;
    if (bag && SUCCEEDED(bag->Read(L"Name", &value, nullptr)) && value.vt == VT_BSTR && value.bstrVal)
        name.FormatText(L"%s", value.bstrVal);
    VariantClear(&value);
    return name;
}

}  // namespace

// The event sink: hands each device event to the dialog's thread.
class BeamDialog::Sink final : public IObexSink {
public:
    explicit Sink(HWND dialog) noexcept : m_dialog(dialog) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IObexSink)
            return E_NOINTERFACE;
        *out = static_cast<IObexSink*>(this);
        return S_OK;
    }
    // The dialog owns the sink and outlives its registration.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE Notify(OBEX_EVENT event, IUnknown* first, IUnknown*) override
    {
        if (event != OE_DEVICE_ARRIVAL && event != OE_DEVICE_DEPARTURE && event != OE_DEVICE_UPDATE)
            return S_OK;
        IPropertyBag* bag = nullptr;
        if (!first || FAILED(first->QueryInterface(IID_IPropertyBag, reinterpret_cast<void**>(&bag))))
            return S_OK;
        if (!PostMessageW(m_dialog, WM_BEAM_DEVICE, event, reinterpret_cast<LPARAM>(bag)))
            bag->Release();
        return S_OK;
    }

private:
    HWND m_dialog;
};

BeamDialog::BeamDialog(HWND owner, std::vector<String> paths)
    : OperationDialog(IDD_BEAM, owner, IDM_BEAM_BAR, IDS_BEAM_TITLE)
{
    m_job.paths = std::move(paths);
}

BeamDialog::~BeamDialog()
{
    m_job.stop = true;
    m_stopper.Join();
    m_worker.Join();
    StopService();
    ClearDevices();
}

InitResult BeamDialog::InitDialog()
{
    if (OperationDialog::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    HWND window = Window();
    m_dialog = window;
    SetLabels(IDS_BEAM_SEARCHING);
    ShowCounts(static_cast<int>(m_job.paths.size()), 0);
    SetMenuBarButtonText(MenuBar(), ID_BEAM_SEND, Loaded(IDS_BEAM_SEND_BUTTON));

    HWND list = GetDlgItem(window, IDC_BEAM_DEVICES);
    RECT client{};
    GetClientRect(window, &client);
    RECT below{};
    GetWindowRect(GetDlgItem(window, IDC_BEAM_COUNT), &below);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&below), 2);
    MoveWindow(list, 0, below.bottom + 2, client.right, client.bottom - below.bottom - 2, FALSE);
    m_listFont.Reset(CreateFontW(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(m_listFont.Get()), FALSE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    HIMAGELIST images = ImageList_LoadImageW(ResourceModule(), MAKEINTRESOURCEW(IDB_BEAM_STATES), 16, 0,
                                             RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (images)
        ListView_SetImageList(list, images, LVSIL_SMALL);
    RECT listArea{};
    GetClientRect(list, &listArea);
    const int width = listArea.right - GetSystemMetrics(SM_CXVSCROLL);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = width * 6 / 10;
    ListView_InsertColumn(list, 0, &column);
    column.cx = width - column.cx;
    ListView_InsertColumn(list, 1, &column);
    for (UINT hint : {IDS_BEAM_HINT_FIRST, IDS_BEAM_HINT_SECOND, IDS_BEAM_HINT_THIRD}) {
        String text = Loaded(hint);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = ListView_GetItemCount(list);
        item.iImage = I_IMAGENONE;
        item.pszText = const_cast<wchar_t*>(text.Chars());
        ListView_InsertItem(list, &item);
    }
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetFocus(list);
    m_focusSet = true;

    if (!StartService()) {
        StopService();
        ShowOperationError(window, IDS_BEAM_NO_SERVICE, 0);
    }
    return InitResult::Continue;
}

bool BeamDialog::StartService()
{
    if (!m_comStarted)
        m_comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (!m_sink)
        m_sink = std::make_unique<Sink>(Window());
    if (FAILED(CoCreateInstance(CLSID_Obex, nullptr, CLSCTX_INPROC_SERVER, IID_IObex,
                                reinterpret_cast<void**>(&m_service))) ||
        FAILED(m_service->Initialize()))
        return false;
    IConnectionPointContainer* container = nullptr;
    if (FAILED(m_service->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container))))
        return false;
    const HRESULT found = container->FindConnectionPoint(IID_IObexSink, &m_point);
    container->Release();
    if (FAILED(found) || FAILED(m_point->Advise(m_sink.get(), &m_cookie)))
        return false;
    m_enumerating = SUCCEEDED(m_service->StartDeviceEnum());
    return m_enumerating;
}

// On the dialog's thread, the apartment the service was made in.
void BeamDialog::StopService() noexcept
{
    if (m_point) {
        if (m_cookie)
            m_point->Unadvise(m_cookie);
        m_point->Release();
        m_point = nullptr;
        m_cookie = 0;
    }
    if (m_service) {
        m_service->StopDeviceEnum();
        m_service->Shutdown();
        m_service->Release();
        m_service = nullptr;
    }
    m_enumerating = false;
    // The sink is quiet now; what it posted before still holds bags.
    DropQueuedDevices();
    if (m_comStarted) {
        CoUninitialize();
        m_comStarted = false;
    }
}

void BeamDialog::ClearDevices() noexcept
{
    for (DeviceRow& row : m_devices)
        if (row.bag)
            row.bag->Release();
    m_devices.clear();
    m_chosen = -1;
}

void BeamDialog::DropQueuedDevices() noexcept
{
    HWND window = Window();
    MSG queued;
    while (window && PeekMessageW(&queued, window, WM_BEAM_DEVICE, WM_BEAM_DEVICE, PM_REMOVE))
        reinterpret_cast<IPropertyBag*>(queued.lParam)->Release();
}

void BeamDialog::SelectChosenRow()
{
    const int row = ChosenRow();
    if (row < 0)
        return;
    HWND list = GetDlgItem(Window(), IDC_BEAM_DEVICES);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, row, FALSE);
}

bool BeamDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_BEAM_DEVICE: {
        auto* bag = reinterpret_cast<IPropertyBag*>(lParam);
        if (!m_stopping)
            OnDevice(static_cast<OBEX_EVENT>(wParam), bag);
        bag->Release();
        result = 0;
        return true;
    }
    case WM_BEAM_STOPPED:
        m_stopper.Join();
        StopService();
        EndDialog(window, IDCANCEL);
        result = 0;
        return true;
    case WM_DESTROY:
        // However the dialog ends, the service goes while the window can
        // still take back what the sink posted to it.
        StopService();
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) >= IDN_BEAM_CONNECTING && LOWORD(wParam) <= IDN_BEAM_ALL_SENT) {
            OnWorkerReport(LOWORD(wParam), lParam);
            result = 0;
            return true;
        }
        break;
    case WM_TIMER:
        if (wParam == RestartTimer) {
            KillTimer(window, RestartTimer);
            if (!StartService()) {
                StopService();
                ShowOperationError(window, IDS_BEAM_NO_SERVICE, 0);
            }
            result = 0;
            return true;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_BEAM_DEVICES && header->code == LVN_ITEMCHANGED && !m_sending) {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
            const int device = change->iItem - HintRows;
            if ((change->uNewState & LVIS_SELECTED) && device >= 0 && device < static_cast<int>(m_devices.size()))
                m_chosen = device;
        }
        break;
    }
    default:
        break;
    }
    return OperationDialog::HandleMessage(window, message, wParam, lParam, result);
}

void BeamDialog::OnDevice(OBEX_EVENT event, IPropertyBag* bag)
{
    const String name = NameInBag(bag);
    if (name.IsEmpty())
        return;
    HWND list = GetDlgItem(Window(), IDC_BEAM_DEVICES);
    int known = -1;
    for (std::size_t i = 0; i < m_devices.size(); ++i)
        if (_wcsicmp(m_devices[i].name, name) == 0)
            known = static_cast<int>(i);
    if (event == OE_DEVICE_DEPARTURE) {
        // The chosen device keeps its row: the send shows what became of it.
        if (known < 0 || known == m_chosen)
            return;
        ListView_DeleteItem(list, RowOfDevice(known));
        if (m_devices[static_cast<std::size_t>(known)].bag)
            m_devices[static_cast<std::size_t>(known)].bag->Release();
        m_devices.erase(m_devices.begin() + known);
        if (m_chosen > known)
            --m_chosen;
        return;
    }
    if (known >= 0) {
        // A device seen again: its row takes the name and bag it has now.
        DeviceRow& row = m_devices[static_cast<std::size_t>(known)];
        bag->AddRef();
        row.bag->Release();
        row.bag = bag;
        row.name = name;
        ListView_SetItemText(list, RowOfDevice(known), 0, const_cast<wchar_t*>(row.name.Chars()));
        return;
    }
    bag->AddRef();
    m_devices.push_back({name, bag});
    const int device = static_cast<int>(m_devices.size()) - 1;
    String ready = Loaded(IDS_BEAM_READY);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = RowOfDevice(device);
    item.iImage = ImageDevice;
    item.pszText = const_cast<wchar_t*>(m_devices.back().name.Chars());
    ListView_InsertItem(list, &item);
    ListView_SetItemText(list, item.iItem, 1, const_cast<wchar_t*>(ready.Chars()));
    if (m_chosen < 0) {
        m_chosen = device;
        SelectChosenRow();
        if (m_sendPending)
            Send();
    }
}

bool BeamDialog::OnCommand(UINT command)
{
    switch (command) {
    case ID_BEAM_SEND:
        if (m_stopping)
            return true;
        if (!m_sending && m_job.AllSent()) {
            EndDialog(Window(), IDOK);
            return true;
        }
        Send();
        return true;
    case ID_BEAM_CANCEL:
    case IDCANCEL:
        Cancel();
        return true;
    default:
        return false;
    }
}

void BeamDialog::OnBack()
{
    Cancel();
}

void BeamDialog::Send()
{
    if (m_sending || m_stopping)
        return;
    if (m_chosen < 0 || !m_enumerating) {
        m_sendPending = true;
        return;
    }
    m_sendPending = false;
    IPropertyBag* bag = m_devices[static_cast<std::size_t>(m_chosen)].bag;
    // The device is bound in this apartment; the worker gets it marshalled
    // into its own.
    IObexDevice* device = nullptr;
    IStream* handOver = nullptr;
    if (FAILED(m_service->BindToDevice(bag, &device)) || !device) {
        Failed(true, 0, String());
        return;
    }
    const HRESULT marshalled = CoMarshalInterThreadInterfaceInStream(IID_IObexDevice, device, &handOver);
    device->Release();
    if (FAILED(marshalled)) {
        Failed(true, 0, String());
        return;
    }
    m_job.stop = false;
    m_sending = true;
    if (!m_worker.Start([this, handOver] {
            const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
            IObexDevice* own = TakeDevice(handOver);
            RunBeamSend(m_job, own, *this);
            if (own)
                own->Release();
            if (com)
                CoUninitialize();
        })) {
        if (IObexDevice* unused = TakeDevice(handOver))
            unused->Release();
        m_sending = false;
        ShowOperationError(Window(), IDS_BEAM_NO_WORKER, 0);
        PostMessageW(Window(), WM_COMMAND, ID_BEAM_CANCEL, 0);
    }
}

void BeamDialog::Cancel()
{
    if (m_stopping)
        return;
    KillTimer(Window(), RestartTimer);
    m_job.stop = true;
    m_stopping = true;
    // A device can keep the worker waiting: it is waited for on a thread of
    // its own, and this one, told it is gone, releases the service.
    if (!m_stopper.Start([this] {
            m_worker.Join();
            PostMessageW(m_dialog, WM_BEAM_STOPPED, 0, 0);
        })) {
        m_worker.Join();
        PostMessageW(m_dialog, WM_BEAM_STOPPED, 0, 0);
    }
}

// ---- the worker's reports ----------------------------------------------------------------

void BeamDialog::Connecting()
{
    PostMessageW(m_dialog, WM_COMMAND, IDN_BEAM_CONNECTING, 0);
}

void BeamDialog::FileStarted(int index)
{
    PostMessageW(m_dialog, WM_COMMAND, IDN_BEAM_FILE, index);
}

void BeamDialog::Progress()
{
    PostMessageW(m_dialog, WM_COMMAND, IDN_BEAM_PROGRESS, 0);
}

void BeamDialog::Failed(bool connecting, UINT message, const String& path)
{
    // Told by the dialog's thread once the worker has ended.
    m_failMessage = message;
    m_failPath = path;
    PostMessageW(m_dialog, WM_COMMAND, IDN_BEAM_FAILED, connecting ? 1 : 0);
}

void BeamDialog::AllSent()
{
    PostMessageW(m_dialog, WM_COMMAND, IDN_BEAM_ALL_SENT, 0);
}

void BeamDialog::SetStatus(const String& text)
{
    const int row = ChosenRow();
    if (row >= 0)
        ListView_SetItemText(GetDlgItem(Window(), IDC_BEAM_DEVICES), row, 1, const_cast<wchar_t*>(text.Chars()));
}

void BeamDialog::SetLabels(UINT statusText)
{
    SetDlgItemTextW(Window(), IDC_BEAM_STATUS, Loaded(statusText));
}

void BeamDialog::ShowCounts(int left, int fileNumber)
{
    const int total = static_cast<int>(m_job.paths.size());
    String counts;
    counts.FormatResource(IDS_BEAM_COUNTS, left, fileNumber, total);
    SetDlgItemTextW(Window(), IDC_BEAM_COUNT, counts);
}

void BeamDialog::OnWorkerReport(UINT report, LPARAM lParam)
{
    // Cancelled: the stopper waits for the worker, and the dialog ends.
    if (m_stopping)
        return;
    String text;
    switch (report) {
    case IDN_BEAM_CONNECTING:
        SetStatus(Loaded(IDS_BEAM_CONNECTING));
        SetLabels(IDS_BEAM_CONNECTING_TEXT);
        return;
    case IDN_BEAM_FILE: {
        const int index = static_cast<int>(lParam);
        text.FormatResource(IDS_BEAM_SENDING, LastComponent(m_job.paths[static_cast<std::size_t>(index)]).Chars());
        SetDlgItemTextW(Window(), IDC_BEAM_STATUS, text);
        const int total = static_cast<int>(m_job.paths.size());
        ShowCounts(total - index, index + 1);
        SetStatus(String(L"0%"));
        return;
    }
    case IDN_BEAM_PROGRESS: {
        const std::uint64_t size = m_job.fileSize;
        const std::uint64_t sent = m_job.bytesSent;
        const int percent = size == 0 ? 100 : static_cast<int>(sent * 100 / size);
        text.FormatText(L"%d%%", percent);
        SetStatus(text);
        return;
    }
    case IDN_BEAM_FAILED:
        m_worker.Join();
        m_sending = false;
        if (m_failMessage)
            ShowOperationError(Window(), m_failMessage, 0, m_failPath.Chars());
        m_failMessage = 0;
        text.FormatResource(IDS_BEAM_FAILED, m_job.sentCount.load());
        SetStatus(text);
        SetLabels(IDS_BEAM_SEARCHING);
        if (lParam) {
            // The connection failed: the service starts again and finds the
            // devices anew.
            StopService();
            HWND list = GetDlgItem(Window(), IDC_BEAM_DEVICES);
            while (ListView_GetItemCount(list) > HintRows)
                ListView_DeleteItem(list, HintRows);
            ClearDevices();
            SetTimer(Window(), RestartTimer, RestartDelayMs, nullptr);
        } else {
            // Rows picked while it ran did not change the device; the next
            // send goes to the one highlighted again.
            SelectChosenRow();
        }
        return;
    case IDN_BEAM_ALL_SENT: {
        m_worker.Join();
        m_sending = false;
        SetStatus(String(L"100%"));
        SetStatus(Loaded(IDS_BEAM_ALL_SENT));
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = ChosenRow();
        item.iImage = ImageAllSent;
        ListView_SetItem(GetDlgItem(Window(), IDC_BEAM_DEVICES), &item);
        ShowCounts(0, static_cast<int>(m_job.paths.size()));
        SelectChosenRow();
        SetLabels(IDS_BEAM_DONE_TEXT);
        SetMenuBarButtonText(MenuBar(), ID_BEAM_SEND, Loaded(IDS_BEAM_DONE_BUTTON));
        return;
    }
    default:
        return;
    }
}

void BeamFiles(HWND owner, const std::vector<String>& paths)
{
    if (paths.empty())
        return;
    BeamDialog dialog(owner, paths);
    RunModal(dialog);
}
