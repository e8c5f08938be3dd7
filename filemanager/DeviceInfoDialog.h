// The device information (141): the device's facts
// (framework/DeviceFactsPanel.h) in Tarnwell's template, controls and
// strings; its storage cards show the main storage's own card first.
#pragma once

#include "framework/DeviceFactsPanel.h"

class DeviceInfoDialog final : public DeviceFactsPanel {
public:
    explicit DeviceInfoDialog(HWND parent);

protected:
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
