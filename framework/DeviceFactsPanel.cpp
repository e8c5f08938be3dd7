#include "framework/DeviceFactsPanel.h"

#include "framework/ByteSize.h"
#include "framework/DialogControls.h"

#include "platform/HandsetHardware.h"
#include "platform/SpecialFolders.h"

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

}  // namespace

DeviceFactsPanel::DeviceFactsPanel(HWND parent, const DeviceFactsLayout& layout)
    : DialogCore(layout.templateId, parent, layout.menuBarId, layout.titleId, true), m_layout(layout)
{
}

InitResult DeviceFactsPanel::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    m_batteryNames = SplitBatteryStates(ResourceText(m_layout.batteryStates));
    if (m_layout.batteryMedium)
        m_batteryNames[MediumBatteryState] = ResourceText(m_layout.batteryMedium);

    // The headings in a bold face of the dialog's own font.
    LOGFONTW face{};
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(Window(), WM_GETFONT, 0, 0)))
        GetObjectW(font, sizeof face, &face);
    face.lfHeight = BoldHeight;
    face.lfWeight = FW_BOLD;
    m_bold.Reset(CreateFontIndirectW(&face));
    for (int index = 0; index < 4; ++index) {
        if (m_layout.headingTexts[index])
            SetDlgItemTextW(Window(), m_layout.headings[index], ResourceText(m_layout.headingTexts[index]));
        SendDlgItemMessageW(Window(), m_layout.headings[index], WM_SETFONT, reinterpret_cast<WPARAM>(m_bold.Get()),
                            FALSE);
    }

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

    for (int group = 0; group < 2; ++group)
        for (int field = 0; field < 3; ++field)
            m_volumeTexts[group][field] = ControlText(Window(), m_layout.volumes[group][field]);
    FillFixedValues();
    FillValues();
    String mainVolume;
    mainVolume.FormatResource(m_layout.mainVolumeText, m_mainVolume.Chars());
    SetValue(m_layout.mainVolume, mainVolume);
    SetTimer(Window(), PanelTimerId, PanelRefreshInterval, nullptr);
    return InitResult::Continue;
}

bool DeviceFactsPanel::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
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

void DeviceFactsPanel::SetValue(int control, const String& text)
{
    // Unchanged texts are not set again: no flicker every two seconds.
    HWND item = GetDlgItem(Window(), control);
    wchar_t shown[128]{};
    GetWindowTextW(item, shown, 128);
    if (text.Compare(shown) != 0)
        SetWindowTextW(item, text);
}

void DeviceFactsPanel::FillFixedValues()
{
    const String unknown = ResourceText(m_layout.unknownText);

    wchar_t maker[128]{};
    if (!handset::SystemParametersInfoW(SPI_GETOEMINFO, sizeof maker, maker, 0))
        maker[0] = L'\0';
    maker[std::size(maker) - 1] = L'\0';
    SetValue(m_layout.maker, maker);

    SYSTEM_INFO system{};
    handset::GetSystemInfo(&system);
    SetValue(m_layout.processor, ProcessorName(system.dwProcessorType, unknown));

    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (handset::GetVersionExW(&version)) {
        SetValue(m_layout.systemName, SystemName(version.dwPlatformId, version.dwMinorVersion, unknown));
        String build;
        build.FormatResource(m_layout.buildText, static_cast<int>(version.dwBuildNumber));
        SetValue(m_layout.systemVersion, VersionNumberText(version.dwMajorVersion, version.dwMinorVersion) + build);
    } else {
        SetValue(m_layout.systemName, unknown);
        SetValue(m_layout.systemVersion, unknown);
    }

    wchar_t personal[MAX_PATH]{};
    if (handset::SHGetSpecialFolderPath(Window(), personal, CSIDL_PERSONAL, FALSE))
        m_mainVolume = MainVolumeName(personal);
}

void DeviceFactsPanel::FillValues()
{
    STORE_INFORMATION store{};
    GetStoreInformation(&store);
    MEMORYSTATUS memory{sizeof memory};
    handset::GlobalMemoryStatus(&memory);
    const std::uint64_t storeSize = store.dwStoreSize;
    const std::uint64_t storeFree = std::min<std::uint64_t>(store.dwFreeSize, storeSize);
    const std::uint64_t physical = memory.dwTotalPhys;
    const std::uint64_t available = std::min<std::uint64_t>(memory.dwAvailPhys, physical);
    SetValue(m_layout.memoryTotal, SizeText(storeSize + physical));
    SetValue(m_layout.storeTotal, SizeText(storeSize));
    SetValue(m_layout.storeUsed, SizeText(storeSize - storeFree));
    SetValue(m_layout.storeFree, SizeText(storeFree));
    SetValue(m_layout.programTotal, SizeText(physical));
    SetValue(m_layout.programUsed, SizeText(physical - available));
    SetValue(m_layout.programFree, SizeText(available));

    SYSTEM_POWER_STATUS_EX2 power{};
    if (GetSystemPowerStatusEx2(&power, sizeof power, TRUE) == sizeof power) {
        SetValue(m_layout.mainBattery, BatteryText(power.BatteryFlag, power.BatteryLifePercent, m_batteryNames));
        SetValue(m_layout.backupBattery,
                 BatteryText(power.BackupBatteryFlag, power.BackupBatteryLifePercent, m_batteryNames));
    }
    FillVolumes();
}

void DeviceFactsPanel::FillVolumes()
{
    const std::vector<VolumeSizes> volumes = MeasureVolumes();
    const VolumeGroups groups = m_layout.chooseVolumes(volumes, m_mainVolume);
    const std::optional<std::size_t> shown[2] = {groups.first, groups.second};
    for (int group = 0; group < 2; ++group) {
        const int(&controls)[3] = m_layout.volumes[group];
        if (shown[group]) {
            const VolumeSizes& volume = volumes[*shown[group]];
            SetValue(controls[0], SizeText(volume.total));
            SetValue(controls[1], SizeText(volume.free));
            SetValue(controls[2], SizeText(volume.Used()));
            continue;
        }
        // No card for the group (or no longer: one was removed): the texts it
        // opened with, or for a lone card's second group the unknown state.
        for (int field = 0; field < 3; ++field)
            SetValue(controls[field],
                     group == 1 && groups.secondUnknown ? m_batteryNames[5] : m_volumeTexts[group][field]);
    }
}

void DeviceFactsPanel::ScrollBy(int pixels)
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

void DeviceFactsPanel::PaintPane(HWND pane)
{
    PAINTSTRUCT paint;
    BeginPaint(pane, &paint);
    EndPaint(pane, &paint);
}

void DeviceFactsPanel::PaneKey(UINT key)
{
    if (key == VK_DOWN)
        ScrollBy(PanelScrollStep);
    else if (key == VK_UP)
        ScrollBy(-PanelScrollStep);
}
