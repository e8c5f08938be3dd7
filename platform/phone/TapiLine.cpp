#include "platform/phone/TapiLine.h"

#include "platform/Handles.h"
#include "platform/ProfileSource.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

using namespace vellumate;

namespace {

constexpr DWORD CellularDevice = 0;
constexpr DWORD DataDevice = 1;
constexpr DWORD LowestApiVersion = TAPI_VERSION1_4;

struct LineKind {
    const wchar_t* name;
    DWORD mediaModes;
    DWORD bearerModes;
    bool extension;  // speaks the cellular extension (general information)
};

constexpr std::array<LineKind, 2> Lines{
    LineKind{L"Cellular Line", LINEMEDIAMODE_INTERACTIVEVOICE | LINEMEDIAMODE_DATAMODEM,
             LINEBEARERMODE_VOICE | LINEBEARERMODE_DATA, true},
    LineKind{L"Cellular Line Data", LINEMEDIAMODE_DATAMODEM, LINEBEARERMODE_DATA, false},
};

constexpr wchar_t ProviderInfo[] = L"Vellumate cellular telephony";
constexpr wchar_t SwitchInfo[] = L"GSM";
// Device classes: a list of texts ended by an empty one.
constexpr wchar_t DeviceClasses[] = L"tapi/line\0comm/datamodem\0";

struct Application {
    KernelHandle event;
};

std::mutex stateLock;
std::map<HLINEAPP, Application> applications;
std::map<HLINE, std::pair<HLINEAPP, DWORD>> openLines;  // line: application, device
DWORD lastHandle = 0;

DWORD NextHandle()
{
    do
        ++lastHandle;
    while (lastHandle == 0 || applications.count(lastHandle) || openLines.count(lastHandle));
    return lastHandle;
}

// 0 when the application is initialised and the device is one of its lines.
LONG CheckDevice(HLINEAPP app, DWORD device)
{
    std::lock_guard guard(stateLock);
    if (!applications.count(app))
        return LINEERR_INVALAPPHANDLE;
    return device < Lines.size() ? 0 : LINEERR_BADDEVICEID;
}

bool UsableApiVersion(DWORD version) noexcept
{
    return version >= LowestApiVersion && version <= TAPI_CURRENT_VERSION;
}

// One text of a variable-size record: where its size and offset fields are.
struct VariablePart {
    std::size_t sizeField;
    std::size_t offsetField;
    const void* bytes;
    DWORD size;
};

void PutField(void* record, std::size_t field, DWORD value) noexcept
{
    std::memcpy(static_cast<BYTE*>(record) + field, &value, sizeof value);
}

// Fills a record whose fixed part the caller has set up in `fixed`: the fixed
// part always, the texts after it when all of them fit. The record's first
// three fields are its total, needed and used sizes.
template <typename Record>
LONG FillRecord(Record* record, Record fixed, const std::vector<VariablePart>& parts) noexcept
{
    DWORD needed = sizeof(Record);
    for (const VariablePart& part : parts)
        needed += part.size;
    const DWORD total = record->dwTotalSize;
    fixed.dwTotalSize = total;
    fixed.dwNeededSize = needed;
    fixed.dwUsedSize = sizeof(Record);
    const bool allFit = total >= needed;
    std::memcpy(record, &fixed, sizeof(Record));
    DWORD at = sizeof(Record);
    for (const VariablePart& part : parts) {
        if (!allFit || part.size == 0) {
            PutField(record, part.sizeField, 0);
            PutField(record, part.offsetField, 0);
            continue;
        }
        std::memcpy(reinterpret_cast<BYTE*>(record) + at, part.bytes, part.size);
        PutField(record, part.sizeField, part.size);
        PutField(record, part.offsetField, at);
        at += part.size;
    }
    record->dwUsedSize = at;
    return 0;
}

// A record too small for its fixed part says how large it must be, if it can
// hold that much.
template <typename Record>
bool TooSmall(Record* record, DWORD needed) noexcept
{
    if (record->dwTotalSize >= sizeof(Record))
        return false;
    if (record->dwTotalSize >= offsetof(Record, dwNeededSize) + sizeof(DWORD))
        record->dwNeededSize = needed;
    return true;
}

DWORD TextBytes(const wchar_t* text) noexcept
{
    return static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t));
}

VariablePart Text(std::size_t sizeField, std::size_t offsetField, const std::wstring& text) noexcept
{
    // An empty text is left out: the record says the figure is not there.
    return {sizeField, offsetField, text.c_str(),
            text.empty() ? 0u : static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))};
}

}  // namespace

extern "C" LONG lineInitializeEx(LPHLINEAPP app, HINSTANCE, LINECALLBACK callback, LPCWSTR, LPDWORD lineCount,
                                 LPDWORD apiVersion, LPLINEINITIALIZEEXPARAMS options)
{
    try {
        if (!app || !lineCount || !apiVersion)
            return LINEERR_INVALPOINTER;
        // The event is the only way this handset hands out line messages.
        if (!options || options->dwTotalSize < offsetof(LINEINITIALIZEEXPARAMS, Handles) + sizeof(HANDLE))
            return options ? LINEERR_STRUCTURETOOSMALL : LINEERR_INVALPOINTER;
        if (options->dwOptions != LINEINITIALIZEEXOPTION_USEEVENT || callback)
            return LINEERR_INVALPARAM;
        if (*apiVersion < LowestApiVersion)
            return LINEERR_INCOMPATIBLEAPIVERSION;
        Application application;
        application.event.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        if (!application.event)
            return LINEERR_NOMEM;
        std::lock_guard guard(stateLock);
        const HLINEAPP handle = NextHandle();
        options->dwNeededSize = offsetof(LINEINITIALIZEEXPARAMS, Handles) + sizeof(HANDLE);
        options->dwUsedSize = options->dwNeededSize;
        options->Handles.hEvent = application.event.Get();
        applications.emplace(handle, std::move(application));
        *app = handle;
        *lineCount = static_cast<DWORD>(Lines.size());
        *apiVersion = TAPI_CURRENT_VERSION;
        return 0;
    } catch (...) {
        return LINEERR_NOMEM;
    }
}

extern "C" LONG lineShutdown(HLINEAPP app)
{
    std::lock_guard guard(stateLock);
    if (!applications.erase(app))
        return LINEERR_INVALAPPHANDLE;
    for (auto line = openLines.begin(); line != openLines.end();)
        line = line->second.first == app ? openLines.erase(line) : std::next(line);
    return 0;
}

extern "C" LONG lineNegotiateAPIVersion(HLINEAPP app, DWORD device, DWORD low, DWORD high, LPDWORD version,
                                        LPLINEEXTENSIONID extension)
{
    if (const LONG known = CheckDevice(app, device))
        return known;
    if (!version || !extension)
        return LINEERR_INVALPOINTER;
    if (low > high || high < LowestApiVersion || low > TAPI_CURRENT_VERSION)
        return LINEERR_INCOMPATIBLEAPIVERSION;
    *version = high < TAPI_CURRENT_VERSION ? high : TAPI_CURRENT_VERSION;
    *extension = Lines[device].extension ? LINEEXTENSIONID{0x5645'4C4C, 0x554D'4154, 0x4543'454C, 0x4C55'4C41}
                                         : LINEEXTENSIONID{0, 0, 0, 0};
    return 0;
}

extern "C" LONG lineNegotiateExtVersion(HLINEAPP app, DWORD device, DWORD apiVersion, DWORD low, DWORD high,
                                        LPDWORD version)
{
    if (const LONG known = CheckDevice(app, device))
        return known;
    if (!UsableApiVersion(apiVersion))
        return LINEERR_INCOMPATIBLEAPIVERSION;
    if (!version)
        return LINEERR_INVALPOINTER;
    if (!Lines[device].extension)
        return LINEERR_OPERATIONUNAVAIL;
    if (low > high || low > EXTENSION_VERSION1_0 || high < EXTENSION_VERSION1_0)
        return LINEERR_INCOMPATIBLEEXTVERSION;
    *version = EXTENSION_VERSION1_0;
    return 0;
}

extern "C" LONG lineGetDevCaps(HLINEAPP app, DWORD device, DWORD apiVersion, DWORD extVersion, LPLINEDEVCAPS caps)
{
    if (const LONG known = CheckDevice(app, device))
        return known;
    if (!UsableApiVersion(apiVersion))
        return LINEERR_INCOMPATIBLEAPIVERSION;
    if (extVersion != 0 && !(Lines[device].extension && extVersion == EXTENSION_VERSION1_0))
        return LINEERR_INCOMPATIBLEEXTVERSION;
    if (!caps)
        return LINEERR_INVALPOINTER;
    const LineKind& line = Lines[device];
    const std::vector<VariablePart> parts{
        {offsetof(LINEDEVCAPS, dwProviderInfoSize), offsetof(LINEDEVCAPS, dwProviderInfoOffset), ProviderInfo,
         TextBytes(ProviderInfo)},
        {offsetof(LINEDEVCAPS, dwSwitchInfoSize), offsetof(LINEDEVCAPS, dwSwitchInfoOffset), SwitchInfo,
         TextBytes(SwitchInfo)},
        {offsetof(LINEDEVCAPS, dwLineNameSize), offsetof(LINEDEVCAPS, dwLineNameOffset), line.name,
         TextBytes(line.name)},
        {offsetof(LINEDEVCAPS, dwDeviceClassesSize), offsetof(LINEDEVCAPS, dwDeviceClassesOffset), DeviceClasses,
         static_cast<DWORD>(sizeof DeviceClasses)},
    };
    DWORD needed = sizeof(LINEDEVCAPS);
    for (const VariablePart& part : parts)
        needed += part.size;
    if (TooSmall(caps, needed))
        return LINEERR_STRUCTURETOOSMALL;
    LINEDEVCAPS fixed{};
    fixed.dwPermanentLineID = 0x100 + device;
    fixed.dwStringFormat = STRINGFORMAT_UNICODE;
    fixed.dwAddressModes = LINEADDRESSMODE_ADDRESSID;
    fixed.dwNumAddresses = 1;
    fixed.dwBearerModes = line.bearerModes;
    fixed.dwMaxRate = 9600;
    fixed.dwMediaModes = line.mediaModes;
    fixed.dwMaxNumActiveCalls = 1;
    return FillRecord(caps, fixed, parts);
}

extern "C" LONG lineOpen(HLINEAPP app, DWORD device, LPHLINE line, DWORD apiVersion, DWORD extVersion, DWORD_PTR,
                         DWORD privileges, DWORD mediaModes, const LINECALLPARAMS* callParams)
{
    try {
        std::lock_guard guard(stateLock);
        if (!applications.count(app))
            return LINEERR_INVALAPPHANDLE;
        if (device >= Lines.size())
            return LINEERR_BADDEVICEID;
        if (!line)
            return LINEERR_INVALPOINTER;
        if (!UsableApiVersion(apiVersion))
            return LINEERR_INCOMPATIBLEAPIVERSION;
        if (extVersion != 0 && !(Lines[device].extension && extVersion == EXTENSION_VERSION1_0))
            return LINEERR_INCOMPATIBLEEXTVERSION;
        if (callParams)
            return LINEERR_INVALPARAM;  // no device mapping on this handset
        if (privileges == 0 ||
            (privileges & ~(LINECALLPRIVILEGE_NONE | LINECALLPRIVILEGE_MONITOR | LINECALLPRIVILEGE_OWNER)) != 0 ||
            ((privileges & LINECALLPRIVILEGE_NONE) && privileges != LINECALLPRIVILEGE_NONE))
            return LINEERR_INVALPRIVSELECT;
        // An owner takes calls of some media mode the line has.
        if ((privileges & LINECALLPRIVILEGE_OWNER) &&
            (mediaModes == 0 || (mediaModes & ~Lines[device].mediaModes) != 0))
            return LINEERR_INVALMEDIAMODE;
        const HLINE handle = NextHandle();
        openLines.emplace(handle, std::make_pair(app, device));
        *line = handle;
        return 0;
    } catch (...) {
        return LINEERR_NOMEM;
    }
}

extern "C" LONG lineClose(HLINE line)
{
    std::lock_guard guard(stateLock);
    return openLines.erase(line) ? 0 : LINEERR_INVALLINEHANDLE;
}

extern "C" LONG lineGetGeneralInfo(HLINE line, LPLINEGENERALINFO info)
{
    try {
        DWORD device = 0;
        {
            std::lock_guard guard(stateLock);
            const auto open = openLines.find(line);
            if (open == openLines.end())
                return LINEERR_INVALLINEHANDLE;
            device = open->second.second;
        }
        if (!Lines[device].extension)
            return LINEERR_OPERATIONUNAVAIL;
        if (!info)
            return LINEERR_INVALPOINTER;
        const std::shared_ptr<const DeviceProfile> profile = CurrentDeviceProfile();
        const PhoneProfile& phone = profile->phone;
        const std::vector<VariablePart> parts{
            Text(offsetof(LINEGENERALINFO, dwManufacturerSize), offsetof(LINEGENERALINFO, dwManufacturerOffset),
                 phone.manufacturer),
            Text(offsetof(LINEGENERALINFO, dwModelSize), offsetof(LINEGENERALINFO, dwModelOffset), phone.model),
            Text(offsetof(LINEGENERALINFO, dwRevisionSize), offsetof(LINEGENERALINFO, dwRevisionOffset),
                 phone.revision),
            Text(offsetof(LINEGENERALINFO, dwSerialNumberSize), offsetof(LINEGENERALINFO, dwSerialNumberOffset),
                 phone.serial),
            Text(offsetof(LINEGENERALINFO, dwSubscriberNumberSize), offsetof(LINEGENERALINFO, dwSubscriberNumberOffset),
                 phone.subscriber),
        };
        DWORD needed = sizeof(LINEGENERALINFO);
        for (const VariablePart& part : parts)
            needed += part.size;
        if (TooSmall(info, needed))
            return LINEERR_STRUCTURETOOSMALL;
        return FillRecord(info, LINEGENERALINFO{}, parts);
    } catch (...) {
        return LINEERR_NOMEM;
    }
}
