// The Memory page: program memory and object store together, then each.
#pragma once

#include "sysinfo/InfoPage.h"
#include "sysinfo/SystemFigures.h"

class MemoryPage : public InfoPage {
public:
    MemoryPage();

    UINT ShortNameId() const noexcept override;
    void Update(PageHost* redraw) override;
    int RowCount() const noexcept override { return 6; }
    RowContent Row(int row) const override;

    const MemoryFigures& Figures() const noexcept { return m_figures; }

private:
    MemoryFigures m_figures;
    String m_total;
    String m_program;
    String m_storage;
};
