// The system panel: the device's maker, processor, system and version, the
// main storage and program memory, both batteries and up to two storage
// volumes, filled again every two seconds while it is open. Up and Down
// scroll it, since it is taller than the screen.
#pragma once

#include "taskmanager/PanelTexts.h"

#include "framework/DialogPane.h"
#include "framework/Dialogs.h"

#include "platform/Handles.h"

#include <windows.h>

inline constexpr UINT_PTR PanelTimerId = 1;
inline constexpr UINT PanelRefreshInterval = 2000;  // milliseconds
inline constexpr int PanelScrollStep = 30;          // pixels a direction key moves the panel

class SystemPanelDialog final : public DialogCore, private DialogPane::Host {
public:
    explicit SystemPanelDialog(HWND parent);

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

    DialogPane m_keys{*this};
    vellumate::FontHandle m_bold;
    BatteryStateNames m_batteryNames;
    String m_mainVolume;
    int m_offset = 0;
    int m_contentHeight = 0;
};
