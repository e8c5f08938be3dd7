// The Flash page: the volume that holds the personal folder ("Internal") and
// the next one ("SD Card").
#pragma once

#include "sysinfo/InfoPage.h"
#include "sysinfo/SystemFigures.h"

#include <array>

class FlashPage : public InfoPage {
public:
    FlashPage();

    UINT ShortNameId() const noexcept override;
    void Update(PageHost* redraw) override;
    int RowCount() const noexcept override { return 4; }
    RowContent Row(int row) const override;

    // 0: the internal volume, 1: the card after it (zeros when there is none).
    const VolumeFigures& Volume(int index) const noexcept { return m_volumes[index]; }

private:
    std::array<VolumeFigures, 2> m_volumes{};
    std::array<String, 2> m_labels;
};
