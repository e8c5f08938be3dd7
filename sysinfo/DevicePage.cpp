#include "sysinfo/DevicePage.h"

#include "sysinfo/resource.h"

#include "framework/AboutResources.h"

namespace {

// Practically never: the facts are read once, at creation.
constexpr DWORD DevicePeriod = 500000;

}  // namespace

DevicePage::DevicePage()
    : InfoPage(IDS_DEVICE_TITLE, IDI_PROGRAM, DevicePeriod), m_labels{String(MAKEINTRESOURCEW(IDS_MAKER)),
                                                                      String(MAKEINTRESOURCEW(IDS_RESOLUTION)),
                                                                      String(MAKEINTRESOURCEW(IDS_MAX_COLORS))}
{
}

void DevicePage::Fill()
{
    m_facts = ReadDeviceFacts();
}

UINT DevicePage::ShortNameId() const noexcept
{
    return IDS_DEVICE_SHORT;
}

void DevicePage::Update(PageHost*)
{
}

RowContent DevicePage::Row(int row) const
{
    if (row < 0 || row >= RowCount())
        return {};
    if (row % 2 == 0)
        return RowContent::Label(m_labels[row / 2]);
    const String* values[] = {&m_facts.maker, &m_facts.resolution, &m_facts.colours};
    return RowContent::Text(*values[row / 2]);
}
