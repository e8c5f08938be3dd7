// A panel of the device's facts: its maker, processor, system and version,
// the main storage and program memory, both batteries and up to two storage
// volumes, filled again every two seconds while it is open. Up and Down
// scroll it, since it is taller than the screen. The task manager's system
// panel and the file manager's device information are two of these, each
// with its own template, controls and strings (DeviceFactsLayout).
#pragma once

#include "framework/SystemTexts.h"

#include "framework/DialogPane.h"
#include "framework/Dialogs.h"

#include "platform/Handles.h"

#include <windows.h>

#include <vector>

inline constexpr UINT_PTR PanelTimerId = 1;
inline constexpr UINT PanelRefreshInterval = 2000;  // milliseconds
inline constexpr int PanelScrollStep = 30;          // pixels a direction key moves the panel

// Where a panel shows what, and the strings it is made of.
struct DeviceFactsLayout {
    UINT templateId;
    UINT menuBarId;
    UINT titleId;
    int maker, processor, systemName, systemVersion;
    int memoryTotal;  // main storage and program memory together
    int storeTotal, storeUsed, storeFree;
    int programTotal, programUsed, programFree;
    int mainBattery, backupBattery;
    int volumes[2][3];  // each group's total, free and in use
    int mainVolume;     // mainVolumeText with the main volume's name
    int headings[4];    // shown bold; with headingTexts their texts are those strings
    UINT headingTexts[4];
    UINT unknownText;     // an unknown processor or system
    UINT batteryStates;   // six names separated by "|"
    UINT batteryMedium;   // a charge between low and high (flag 0); 0 for none
    UINT buildText;       // %d: the build number
    UINT mainVolumeText;  // %s: the main volume's name
    // Which volumes the two groups show.
    VolumeGroups (*chooseVolumes)(const std::vector<VolumeSizes>& volumes, const String& mainVolume);
};

class DeviceFactsPanel : public DialogCore, private DialogPane::Host {
public:
    DeviceFactsPanel(HWND parent, const DeviceFactsLayout& layout);

    // Fills the values that change: memory, storage, batteries, volumes.
    void FillValues();
    // How far the panel is scrolled, in pixels.
    int ScrollOffset() const noexcept { return m_offset; }

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void FillFixedValues();
    void FillVolumes();
    void SetValue(int control, const String& text);
    void ScrollBy(int pixels);

    void PaintPane(HWND pane) override;
    void PaneKey(UINT key) override;

    const DeviceFactsLayout& m_layout;
    DialogPane m_keys{*this};
    vellumate::FontHandle m_bold;
    BatteryStateNames m_batteryNames;
    String m_mainVolume;
    String m_volumeTexts[2][3];  // the template's, shown while a group has no card
    int m_offset = 0;
    int m_contentHeight = 0;
};
