// The system panel: the device's facts (framework/DeviceFactsPanel.h) in
// Lunsett's template, controls and strings.
#pragma once

#include "framework/DeviceFactsPanel.h"

class SystemPanelDialog final : public DeviceFactsPanel {
public:
    explicit SystemPanelDialog(HWND parent);
};
