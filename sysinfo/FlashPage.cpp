#include "sysinfo/FlashPage.h"

#include "framework/Paths.h"

#include "sysinfo/ValueText.h"
#include "sysinfo/VolumeOrder.h"
#include "sysinfo/resource.h"

#include <cmath>

namespace {

constexpr DWORD FlashPeriod = 3000;

// Sizes travel as floating-point numbers; a change within a byte is none.
bool Changed(const VolumeFigures& a, const VolumeFigures& b) noexcept
{
    return std::fabs(a.free - b.free) > 1.0 || std::fabs(a.total - b.total) > 1.0;
}

}  // namespace

FlashPage::FlashPage()
    : InfoPage(IDS_FLASH_TITLE, IDI_FLASH_PAGE, FlashPeriod), m_labels{String(MAKEINTRESOURCEW(IDS_INTERNAL)),
                                                                       String(MAKEINTRESOURCEW(IDS_SD_CARD))}
{
}

UINT FlashPage::ShortNameId() const noexcept
{
    return IDS_FLASH_SHORT;
}

void FlashPage::Update(PageHost* redraw)
{
    StringArray cards;
    ListStorageCards(cards);
    std::vector<String> names;
    for (int index = 0; index < cards.GetSize(); ++index)
        names.push_back(cards[index]);
    const std::vector<String> volumes = OrderVolumes(names, PersonalFolderPath());
    const std::array<VolumeFigures, 2> old = m_volumes;
    for (std::size_t index = 0; index < m_volumes.size(); ++index)
        m_volumes[index] = index < volumes.size() ? ReadVolumeFigures(volumes[index]) : VolumeFigures{};
    if (!redraw)
        return;
    for (int index = 0; index < 2; ++index) {
        if (Changed(m_volumes[index], old[index])) {
            redraw->InvalidateRow(2 * index);
            redraw->InvalidateRow(2 * index + 1);
        }
    }
}

RowContent FlashPage::Row(int row) const
{
    if (row < 0 || row >= RowCount())
        return {};
    const VolumeFigures& volume = m_volumes[row / 2];
    if (row % 2 == 0)
        return RowContent::LabelValue(m_labels[row / 2], FormatValueText(volume.total, volume.free));
    return RowContent::Bar(FreeSpaceBar(volume.total, volume.free));
}
