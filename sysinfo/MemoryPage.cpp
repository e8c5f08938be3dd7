#include "sysinfo/MemoryPage.h"

#include "sysinfo/ValueText.h"
#include "sysinfo/resource.h"

namespace {

constexpr DWORD MemoryPeriod = 1000;
// The Program and Storage bars leave the first fifth of the row to the
// Total bar above them.
constexpr int PartBarStart = 20;

}  // namespace

MemoryPage::MemoryPage()
    : InfoPage(IDS_MEMORY_TITLE, IDI_MEMORY_PAGE, MemoryPeriod), m_total(MAKEINTRESOURCEW(IDS_TOTAL)),
      m_program(MAKEINTRESOURCEW(IDS_PROGRAM)), m_storage(MAKEINTRESOURCEW(IDS_STORAGE))
{
}

UINT MemoryPage::ShortNameId() const noexcept
{
    return IDS_MEMORY_SHORT;
}

void MemoryPage::Update(PageHost* redraw)
{
    const MemoryFigures old = m_figures;
    m_figures = ReadMemoryFigures();
    if (!redraw)
        return;

    // A figure pair counts as changed when either of its numbers did; the
    // Total rows add both pairs up.
    const bool programChanged =
        m_figures.physicalAvailable != old.physicalAvailable || m_figures.physicalTotal != old.physicalTotal;
    const bool storeChanged = m_figures.storeFree != old.storeFree || m_figures.storeSize != old.storeSize;
    if (!programChanged && !storeChanged)
        return;
    redraw->InvalidateRow(0);
    redraw->InvalidateRow(1);
    if (programChanged) {
        redraw->InvalidateRow(2);
        redraw->InvalidateRow(3);
    }
    if (storeChanged) {
        redraw->InvalidateRow(4);
        redraw->InvalidateRow(5);
    }
}

RowContent MemoryPage::Row(int row) const
{
    const MemoryFigures& f = m_figures;
    const double total = f.storeSize + f.physicalTotal;
    const double free = f.storeFree + f.physicalAvailable;
    switch (row) {
    case 0:
        return RowContent::LabelValue(m_total, FormatValueText(total, free));
    case 1:
        return RowContent::Bar(FreeSpaceBar(total, free));
    case 2:
        return RowContent::LabelValue(m_program, FormatValueText(f.physicalTotal, f.physicalAvailable));
    case 3:
        return RowContent::Bar(FreeSpaceBar(f.physicalTotal, f.physicalAvailable), PartBarStart);
    case 4:
        return RowContent::LabelValue(m_storage, FormatValueText(f.storeSize, f.storeFree));
    case 5:
        return RowContent::Bar(FreeSpaceBar(f.storeSize, f.storeFree), PartBarStart);
    default:
        return {};
    }
}
