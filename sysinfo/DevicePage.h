// The Device page: maker, screen resolution and colours, read once when the
// window is made (they do not change while the handset runs).
#pragma once

#include "sysinfo/InfoPage.h"
#include "sysinfo/SystemFigures.h"

#include <array>

class DevicePage : public InfoPage {
public:
    DevicePage();

    // Reads the facts; the window calls it once, at creation.
    void Fill();

    UINT ShortNameId() const noexcept override;
    void Update(PageHost* redraw) override;
    int RowCount() const noexcept override { return 6; }
    RowContent Row(int row) const override;

private:
    DeviceFacts m_facts;
    std::array<String, 3> m_labels;
};
