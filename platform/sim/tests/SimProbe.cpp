// Drives the SIM manager as a program would, for the test of the tool's
// card commands (sim_commands.sh). One fact a line on standard output:
//
//   simprobe caps                          caps MIN MAX NUMBERLENGTH NAMELENGTH
//   simprobe read STORAGE INDEX            entry NUMBER<TAB>TYPE<TAB>NAME
//   simprobe write STORAGE INDEX NUMBER NAME   ok
//   simprobe call NUMBER                   call RESULT (tapiRequestMakeCall)
//   simprobe watch MS                      ready, then a line a notification
//                                          (notify CODE [STORAGE POSITION]) for MS milliseconds
//   simprobe churn STORAGE                 ready, then rewrites the storage's first
//                                          positions until it is killed
//
// A failing call prints "error 0xCODE" and ends with status 1.
#include "platform/phone/Tapi.h"
#include "platform/sim/SimManager.h"

#include "framework/testsupport/ConsoleLine.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

void Say(const std::wstring& line)
{
    vellumate::WriteConsoleLine(line);
}

int Failed(HRESULT result)
{
    wchar_t text[32];
    std::swprintf(text, 32, L"error 0x%08lX", static_cast<unsigned long>(result));
    Say(text);
    return 1;
}

void Heard(DWORD code, const void* data, DWORD size, DWORD)
{
    std::wstring line = L"notify " + std::to_wstring(code);
    if (data && size == sizeof(SIMPBECHANGE)) {
        const auto* change = static_cast<const SIMPBECHANGE*>(data);
        line += L" " + std::to_wstring(change->dwStorage) + L" " + std::to_wstring(change->dwEntry);
    }
    Say(line);
}

DWORD Number(const wchar_t* text)
{
    return static_cast<DWORD>(std::wcstoul(text, nullptr, 10));
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"call" && argc == 3) {
        Say(L"call " + std::to_wstring(tapiRequestMakeCall(argv[2], nullptr, nullptr, nullptr)));
        return 0;
    }
    const bool watch = command == L"watch" && argc == 3;
    HSIM sim = nullptr;
    if (const HRESULT opened =
            SimInitialize(watch ? SIM_INIT_SIMCARD_NOTIFICATIONS : SIM_INIT_NONE, watch ? Heard : nullptr, 0, &sim);
        opened != S_OK)
        return Failed(opened);
    HRESULT result = S_OK;
    if (watch) {
        Say(L"ready");
        ::Sleep(Number(argv[2]));
    } else if (command == L"caps" && argc == 2) {
        SIMCAPS caps{};
        caps.cbSize = sizeof caps;
        result = SimGetDevCaps(sim, SIM_CAPSTYPE_ALL, &caps);
        if (result == S_OK)
            Say(L"caps " + std::to_wstring(caps.dwMinPBIndex) + L" " + std::to_wstring(caps.dwMaxPBIndex) + L" " +
                std::to_wstring(caps.dwMaxPBEAddressLength) + L" " + std::to_wstring(caps.dwMaxPBETextLength));
    } else if (command == L"read" && argc == 4) {
        SIMPHONEBOOKENTRY entry{};
        entry.cbSize = sizeof entry;
        result = SimReadPhonebookEntry(sim, Number(argv[2]), Number(argv[3]), &entry);
        if (result == S_OK)
            Say(L"entry " + std::wstring(entry.lpszAddress) + L"\t" + std::to_wstring(entry.dwAddressType) + L"\t" +
                entry.lpszText);
    } else if (command == L"write" && argc == 6) {
        SIMPHONEBOOKENTRY entry{};
        entry.cbSize = sizeof entry;
        entry.dwParams = SIM_PARAM_PBE_ALL;
        std::wcsncpy(entry.lpszAddress, argv[4], MAX_LENGTH_ADDRESS - 1);
        std::wcsncpy(entry.lpszText, argv[5], MAX_LENGTH_PHONEBOOKENTRYTEXT - 1);
        entry.dwAddressType = argv[4][0] == L'+' ? SIM_ADDRTYPE_INTERNATIONAL : SIM_ADDRTYPE_NATIONAL;
        entry.dwNumPlan = SIM_NUMPLAN_TELEPHONE;
        result = SimWritePhonebookEntry(sim, Number(argv[2]), Number(argv[3]), &entry);
        if (result == S_OK)
            Say(L"ok");
    } else if (command == L"churn" && argc == 3) {
        Say(L"ready");
        for (DWORD round = 0; result == S_OK; ++round) {
            SIMPHONEBOOKENTRY entry{};
            entry.cbSize = sizeof entry;
            entry.dwParams = SIM_PARAM_PBE_ALL;
            const std::wstring number = std::to_wstring(1000000 + round);
            std::wcsncpy(entry.lpszAddress, number.c_str(), MAX_LENGTH_ADDRESS - 1);
            std::wcsncpy(entry.lpszText, (L"W" + std::to_wstring(round % 1000)).c_str(),
                         MAX_LENGTH_PHONEBOOKENTRYTEXT - 1);
            entry.dwAddressType = SIM_ADDRTYPE_NATIONAL;
            entry.dwNumPlan = SIM_NUMPLAN_TELEPHONE;
            result = SimWritePhonebookEntry(sim, Number(argv[2]), 1 + round % 5, &entry);
        }
    } else {
        Say(L"usage: simprobe caps | read S I | write S I NUMBER NAME | call NUMBER | watch MS | churn S");
        result = E_INVALIDARG;
    }
    SimDeinitialize(sim);
    return result == S_OK ? 0 : Failed(result);
}
