#include "platform/driver/DeviceNotify.h"

#include "platform/ShellNotify.h"
#include "platform/ShellNotifyProtocol.h"
#include "platform/driver/ConsoleOutput.h"

namespace vellumate {

int NotifyCommand(const std::vector<std::wstring>& arguments)
{
    if (arguments.size() != 2 || (arguments[0] != L"card-insert" && arguments[0] != L"card-remove") ||
        arguments[1].empty() || arguments[1].front() != L'\\') {
        WriteError(L"usage: vmdrive notify card-insert|card-remove \\CARD\n");
        return ExitUsage;
    }
    const LONG event = arguments[0] == L"card-insert" ? SHCNE_DRIVEADD : SHCNE_DRIVEREMOVED;
    switch (SendDeviceEvent(event, arguments[1])) {
    case DeviceEventResult::Delivered:
        return ExitDone;
    case DeviceEventResult::NoShell:
        WriteError(L"vmdrive: no home shell is running\n");
        return ExitFailed;
    case DeviceEventResult::Refused:
        break;
    }
    WriteError(L"vmdrive: the home shell did not take the event\n");
    return ExitFailed;
}

}  // namespace vellumate
