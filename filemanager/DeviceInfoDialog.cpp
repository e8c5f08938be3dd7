#include "filemanager/DeviceInfoDialog.h"

#include "filemanager/PropertiesResources.h"

namespace {

const DeviceFactsLayout DeviceInfoLayout = {
    IDD_DEVICE_INFO,
    IDM_DONE_BAR,
    IDS_DEVICE_INFO_CAPTION,
    IDC_INFO_MAKER,
    IDC_INFO_PROCESSOR,
    IDC_INFO_SYSTEM,
    IDC_INFO_VERSION,
    IDC_INFO_MEMORY_TOTAL,
    IDC_INFO_STORE_TOTAL,
    IDC_INFO_STORE_USED,
    IDC_INFO_STORE_FREE,
    IDC_INFO_PROGRAM_TOTAL,
    IDC_INFO_PROGRAM_USED,
    IDC_INFO_PROGRAM_FREE,
    IDC_INFO_MAIN_BATTERY,
    IDC_INFO_BACKUP_BATTERY,
    {{IDC_INFO_CARD1_TOTAL, IDC_INFO_CARD1_FREE, IDC_INFO_CARD1_USED},
     {IDC_INFO_CARD2_TOTAL, IDC_INFO_CARD2_FREE, IDC_INFO_CARD2_USED}},
    IDC_INFO_MAIN_VOLUME,
    {IDC_INFO_HEADING_DEVICE, IDC_INFO_HEADING_MEMORY, IDC_INFO_HEADING_POWER, IDC_INFO_HEADING_CARDS},
    {IDS_INFO_HEADING_DEVICE, IDS_INFO_HEADING_MEMORY, IDS_INFO_HEADING_POWER, IDS_INFO_HEADING_CARDS},
    IDS_INFO_UNKNOWN,
    IDS_INFO_BATTERY_STATES,
    0,
    IDS_INFO_BUILD,
    IDS_INFO_MAIN_VOLUME,
    &ChooseMatchingVolumeFirst,
};

}  // namespace

DeviceInfoDialog::DeviceInfoDialog(HWND parent) : DeviceFactsPanel(parent, DeviceInfoLayout)
{
}

bool DeviceInfoDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && LOWORD(wParam) == ID_DONE) {
        EndDialog(window, IDOK);
        result = 0;
        return true;
    }
    return DeviceFactsPanel::HandleMessage(window, message, wParam, lParam, result);
}
