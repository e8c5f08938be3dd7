#include "taskmanager/SystemPanelDialog.h"

#include "taskmanager/resource.h"

namespace {

const DeviceFactsLayout SystemPanelLayout = {
    IDD_SYSTEM_PANEL,
    IDM_SYSTEM_PANEL_BAR,
    IDS_SYSTEM_PANEL_TITLE,
    IDC_MAKER,
    IDC_PROCESSOR,
    IDC_SYSTEM_NAME,
    IDC_SYSTEM_VERSION,
    IDC_MEMORY_TOTAL,
    IDC_STORE_TOTAL,
    IDC_STORE_USED,
    IDC_STORE_FREE,
    IDC_PROGRAM_TOTAL,
    IDC_PROGRAM_USED,
    IDC_PROGRAM_FREE,
    IDC_MAIN_BATTERY,
    IDC_BACKUP_BATTERY,
    {{IDC_VOLUME1_TOTAL, IDC_VOLUME1_FREE, IDC_VOLUME1_USED}, {IDC_VOLUME2_TOTAL, IDC_VOLUME2_FREE, IDC_VOLUME2_USED}},
    IDC_MAIN_VOLUME,
    {IDC_HEADING_DEVICE, IDC_HEADING_MEMORY, IDC_HEADING_POWER, IDC_HEADING_STORAGE},
    {0, 0, 0, 0},
    IDS_UNKNOWN,
    IDS_BATTERY_STATES,
    IDS_BATTERY_MEDIUM,
    IDS_BUILD,
    IDS_MAIN_VOLUME,
    &ChooseVolumeGroups,
};

}  // namespace

SystemPanelDialog::SystemPanelDialog(HWND parent) : DeviceFactsPanel(parent, SystemPanelLayout)
{
}
