// Prints what the cleaner's scan finds in the device's stores, read through
// the platform's database functions, in the lines of `vellumate device
// mail|calls|notes show` (without their first lines), for the test of the
// tool's store commands (store_commands.sh).
//
//   store_probe [OS-MAJOR]
#include "platform/DevicePaths.h"
#include "platform/stores/CeStoreVolume.h"
#include "platform/stores/MailStoreSchema.h"
#include "platform/stores/StoreFiles.h"
#include "platform/stores/StoreScan.h"

#include "framework/testsupport/ConsoleLine.h"

#include <cwchar>
#include <string>

using namespace vellumate;
using namespace vellumate::stores;

namespace {

void SayLines(const std::string& text)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        WriteConsoleLine(std::wstring(text.begin() + start, text.begin() + end));
        start = end + 1;
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::uint32_t osMajor = argc > 1 ? static_cast<std::uint32_t>(std::wcstoul(argv[1], nullptr, 10)) : 4;
    const std::filesystem::path root = DeviceRoot();
    MailReport mail = EmptyMailReport();
    if (CeStoreVolume volume(MailVolumePath, OPEN_EXISTING); volume.Mounted())
        mail = ScanMail(volume, root, osMajor);
    SayLines(FormatMailReport(mail));
    PhoneReport phone;
    if (CeStoreVolume volume(PhoneVolumePath, OPEN_EXISTING); volume.Mounted())
        phone = ScanPhone(volume);
    SayLines(FormatPhoneReport(phone));
    SayLines(FormatNotesReport(ScanNotes(root)));
    return 0;
}
