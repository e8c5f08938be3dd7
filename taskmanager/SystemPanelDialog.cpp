#include "taskmanager/SystemPanelDialog.h"

#include "taskmanager/resource.h"

#include "framework/ByteSize.h"

#include "platform/FlashCard.h"
#include "platform/HandsetHardware.h"
#include "platform/SpecialFolders.h"
#include "platform/VolumeSpace.h"

#include <algorithm>

namespace {

constexpr int BoldHeight = 14;

String SizeText(std::uint64_t bytes)
{
    return FormatByteSize(static_cast<DWORD>(bytes >> 32), static_cast<DWORD>(bytes), 2, 1024);
}

String ResourceText(UINT id)
{
    String text;
    text.LoadResourceText(id);
    return text;
}

// The volumes the storage-card enumeration names, each measured; those that
// are not shown (IsShownVolume) or cannot be measured are left out.
std::vector<VolumeSizes> MeasureVolumes()
{
    std::vector<VolumeSizes> volumes;
    WIN32_FIND_DATAW found{};
    vellumate::FindHandle cards(FindFirstFlashCard(&found));
    if (!cards)
        return volumes;
    do {
        VolumeSizes volume;
        volume.name = found.cFileName;
        if (volume.name.IsEmpty() || volume.name.CompareNoCase(L"Release") == 0)
            continue;
        ULARGE_INTEGER available{}, total{};
        const String folder = L"\\" + volume.name;
        if (!handset::GetDiskFreeSpaceExW(folder, &available, &total, nullptr))
            continue;
        volume.total = total.QuadPart;
        volume.free = available.QuadPart;
        if (IsShownVolume(volume.name, volume.total))
            volumes.push_back(volume);
    } while (FindNextFlashCard(cards.Get(), &found));
    return volumes;
}

}  // namespace

SystemPanelDialog::SystemPanelDialog(HWND parent)
    : DialogCore(IDD_SYSTEM_PANEL, parent, IDM_SYSTEM_PANEL_BAR, IDS_SYSTEM_PANEL_TITLE, true)
{
}

InitResult SystemPanelDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    m_batteryNames = SplitBatteryStates(ResourceText(IDS_BATTERY_STATES));
    m_batteryNames[MediumBatteryState] = ResourceText(IDS_BATTERY_MEDIUM);

    // The headings in a bold face of the dialog's own font.
    LOGFONTW face{};
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(Window(), WM_GETFONT, 0, 0)))
        GetObjectW(font, sizeof face, &face);
    face.lfHeight = BoldHeight;
    face.lfWeight = FW_BOLD;
    m_bold.Reset(CreateFontIndirectW(&face));
    for (int heading = IDC_HEADING_DEVICE; heading <= IDC_HEADING_STORAGE; ++heading)
        SendDlgItemMessageW(Window(), heading, WM_SETFONT, reinterpret_cast<WPARAM>(m_bold.Get()), FALSE);

    // How tall the content is, for scrolling.
    for (HWND child = GetWindow(Window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT box{};
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&box), 2);
        m_contentHeight = std::max(m_contentHeight, static_cast<int>(box.bottom));
    }
    m_contentHeight += 4;
    // A pane of no size holds the focus and takes the direction keys.
    const RECT none{0, 0, 0, 0};
    if (m_keys.Create(Window(), none)) {
        SetFocus(m_keys.Window());
        m_focusSet = true;
    }

    FillFixedValues();
    FillValues();
    String mainVolume;
    mainVolume.FormatResource(IDS_MAIN_VOLUME, m_mainVolume.Chars());
    SetValue(IDC_MAIN_VOLUME, mainVolume);
    SetTimer(Window(), PanelTimerId, PanelRefreshInterval, nullptr);
    return InitResult::Continue;
}

bool SystemPanelDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == PanelTimerId) {
            FillValues();
            result = 0;
            return true;
        }
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            KillTimer(window, PanelTimerId);
        break;
    case WM_DESTROY:
        KillTimer(window, PanelTimerId);
        break;
    default:
        break;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}

void SystemPanelDialog::SetValue(int control, const String& text)
{
    // Unchanged texts are not set again: no flicker every two seconds.
    HWND item = GetDlgItem(Window(), control);
    wchar_t shown[128]{};
    GetWindowTextW(item, shown, 128);
    if (text.Compare(shown) != 0)
        SetWindowTextW(item, text);
}

void SystemPanelDialog::FillFixedValues()
{
    const String unknown = ResourceText(IDS_UNKNOWN);

    wchar_t maker[128]{};
    if (!handset::SystemParametersInfoW(SPI_GETOEMINFO, sizeof maker, maker, 0))
        maker[0] = L'\0';
    maker[std::size(maker) - 1] = L'\0';
    SetValue(IDC_MAKER, maker);

    SYSTEM_INFO system{};
    handset::GetSystemInfo(&system);
    SetValue(IDC_PROCESSOR, ProcessorName(system.dwProcessorType, unknown));

    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (handset::GetVersionExW(&version)) {
        SetValue(IDC_SYSTEM_NAME, SystemName(version.dwPlatformId, version.dwMinorVersion, unknown));
        String build;
        build.FormatResource(IDS_BUILD, static_cast<int>(version.dwBuildNumber));
        SetValue(IDC_SYSTEM_VERSION, VersionNumberText(version.dwMajorVersion, version.dwMinorVersion) + build);
    } else {
        SetValue(IDC_SYSTEM_NAME, unknown);
        SetValue(IDC_SYSTEM_VERSION, unknown);
    }

    wchar_t personal[MAX_PATH]{};
    if (handset::SHGetSpecialFolderPath(Window(), personal, CSIDL_PERSONAL, FALSE))
        m_mainVolume = MainVolumeName(personal);
}

void SystemPanelDialog::FillValues()
{
    STORE_INFORMATION store{};
    GetStoreInformation(&store);
    MEMORYSTATUS memory{sizeof memory};
    handset::GlobalMemoryStatus(&memory);
    const std::uint64_t storeSize = store.dwStoreSize;
    const std::uint64_t storeFree = std::min<std::uint64_t>(store.dwFreeSize, storeSize);
    const std::uint64_t physical = memory.dwTotalPhys;
    const std::uint64_t available = std::min<std::uint64_t>(memory.dwAvailPhys, physical);
    SetValue(IDC_MEMORY_TOTAL, SizeText(storeSize + physical));
    SetValue(IDC_STORE_TOTAL, SizeText(storeSize));
    SetValue(IDC_STORE_USED, SizeText(storeSize - storeFree));
    SetValue(IDC_STORE_FREE, SizeText(storeFree));
    SetValue(IDC_PROGRAM_TOTAL, SizeText(physical));
    SetValue(IDC_PROGRAM_USED, SizeText(physical - available));
    SetValue(IDC_PROGRAM_FREE, SizeText(available));

    SYSTEM_POWER_STATUS_EX2 power{};
    if (GetSystemPowerStatusEx2(&power, sizeof power, TRUE) == sizeof power) {
        SetValue(IDC_MAIN_BATTERY, BatteryText(power.BatteryFlag, power.BatteryLifePercent, m_batteryNames));
        SetValue(IDC_BACKUP_BATTERY,
                 BatteryText(power.BackupBatteryFlag, power.BackupBatteryLifePercent, m_batteryNames));
    }
    FillVolumes();
}

void SystemPanelDialog::FillVolumes()
{
    const std::vector<VolumeSizes> volumes = MeasureVolumes();
    const VolumeGroups groups = ChooseVolumeGroups(volumes, m_mainVolume);
    auto show = [&](const std::optional<std::size_t>& index, int total, int free, int used) {
        if (!index)
            return;
        const VolumeSizes& volume = volumes[*index];
        SetValue(total, SizeText(volume.total));
        SetValue(free, SizeText(volume.free));
        SetValue(used, SizeText(volume.Used()));
    };
    show(groups.first, IDC_VOLUME1_TOTAL, IDC_VOLUME1_FREE, IDC_VOLUME1_USED);
    show(groups.second, IDC_VOLUME2_TOTAL, IDC_VOLUME2_FREE, IDC_VOLUME2_USED);
    if (groups.secondUnknown) {
        for (int control : {IDC_VOLUME2_TOTAL, IDC_VOLUME2_FREE, IDC_VOLUME2_USED})
            SetValue(control, m_batteryNames[5]);
    }
}

void SystemPanelDialog::ScrollBy(int pixels)
{
    RECT client{};
    GetClientRect(Window(), &client);
    const int limit = std::max(0, m_contentHeight - static_cast<int>(client.bottom));
    const int offset = std::clamp(m_offset + pixels, 0, limit);
    if (offset == m_offset)
        return;
    ScrollWindowEx(Window(), 0, m_offset - offset, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    m_offset = offset;
    UpdateWindow(Window());
}

void SystemPanelDialog::PaintPane(HWND pane)
{
    PAINTSTRUCT paint;
    BeginPaint(pane, &paint);
    EndPaint(pane, &paint);
}

void SystemPanelDialog::PaneKey(UINT key)
{
    if (key == VK_DOWN)
        ScrollBy(PanelScrollStep);
    else if (key == VK_UP)
        ScrollBy(-PanelScrollStep);
}
