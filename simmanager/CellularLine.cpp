#include "simmanager/CellularLine.h"

#include "platform/Handles.h"
#include "platform/phone/TapiLine.h"

#include <cstddef>
#include <cstring>
#include <cwchar>

namespace {

// The sizes a record is first asked with: the line's capabilities with some
// room for its texts, the general information without any.
constexpr DWORD FirstCapsSize = 292;
constexpr DWORD FirstGeneralInfoSize = 52;
// A record that claims to need more than this is not believed.
constexpr DWORD MaxRecordSize = 0x10000;
// More lines than any handset has; a larger count is not walked.
constexpr DWORD MaxLines = 64;

struct LineAppTraits {
    using Handle = HLINEAPP;
    static Handle Invalid() noexcept { return 0; }
    static void Close(Handle app) noexcept { lineShutdown(app); }
};
struct LineTraits {
    using Handle = HLINE;
    static Handle Invalid() noexcept { return 0; }
    static void Close(Handle line) noexcept { lineClose(line); }
};

DWORD FieldAt(const std::vector<BYTE>& record, std::size_t offset) noexcept
{
    DWORD value = 0;
    if (offset + sizeof value <= record.size())
        std::memcpy(&value, record.data() + offset, sizeof value);
    return value;
}

// Fills `record` through `ask` (which takes the record and gives the call's
// result): first with `first` bytes, then, when its texts did not fit, with
// the size it said it needs. True when the last call succeeded.
template <typename Ask>
bool AskRecord(std::vector<BYTE>& record, DWORD first, Ask&& ask)
{
    record.assign(first, 0);
    std::memcpy(record.data(), &first, sizeof first);
    LONG result = ask(record.data());
    const DWORD needed = FieldAt(record, sizeof(DWORD));
    if ((result == 0 || result == static_cast<LONG>(LINEERR_STRUCTURETOOSMALL)) && needed > first) {
        if (needed > MaxRecordSize)
            return false;
        record.assign(needed, 0);
        std::memcpy(record.data(), &needed, sizeof needed);
        result = ask(record.data());
    }
    return result == 0;
}

}  // namespace

int PickCellularLine(const std::vector<std::optional<std::wstring>>& names)
{
    int picked = -1;
    for (std::size_t device = 0; device < names.size(); ++device) {
        if (names[device] && *names[device] == CellularLineName)
            picked = static_cast<int>(device);
    }
    return picked;
}

std::optional<std::wstring> RecordText(const std::vector<BYTE>& record, DWORD offset, DWORD size)
{
    if (size == 0 || offset > record.size() || size > record.size() - offset)
        return std::nullopt;
    std::wstring text(size / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), record.data() + offset, text.size() * sizeof(wchar_t));
    text.resize(::wcsnlen(text.c_str(), text.size()));
    return text;
}

LineNumbers ReadLineNumbers()
{
    LineNumbers numbers;
    HLINEAPP started = 0;
    DWORD lineCount = 0;
    DWORD apiVersion = TAPI_VERSION2_0;
    LINEINITIALIZEEXPARAMS options{};
    options.dwTotalSize = sizeof options;
    options.dwOptions = LINEINITIALIZEEXOPTION_USEEVENT;
    if (lineInitializeEx(&started, nullptr, nullptr, L"", &lineCount, &apiVersion, &options) != 0)
        return numbers;
    const vellumate::UniqueHandle<LineAppTraits> app(started);

    std::vector<std::optional<std::wstring>> names;
    std::vector<DWORD> versions;
    std::vector<BYTE> record;
    for (DWORD device = 0; device < lineCount && device < MaxLines; ++device) {
        names.emplace_back();
        versions.push_back(0);
        LINEEXTENSIONID extension{};
        if (lineNegotiateAPIVersion(app.Get(), device, TAPI_VERSION2_0, TAPI_VERSION2_0, &versions.back(),
                                    &extension) != 0)
            continue;
        const bool asked = AskRecord(record, FirstCapsSize, [&](BYTE* caps) {
            return lineGetDevCaps(app.Get(), device, versions.back(), 0, reinterpret_cast<LINEDEVCAPS*>(caps));
        });
        if (asked)
            names.back() = RecordText(record, FieldAt(record, offsetof(LINEDEVCAPS, dwLineNameOffset)),
                                      FieldAt(record, offsetof(LINEDEVCAPS, dwLineNameSize)));
    }
    const int device = PickCellularLine(names);
    if (device < 0)
        return numbers;

    HLINE opened = 0;
    if (lineOpen(app.Get(), device, &opened, versions[device], 0, 0, LINECALLPRIVILEGE_OWNER,
                 LINEMEDIAMODE_INTERACTIVEVOICE | LINEMEDIAMODE_DATAMODEM, nullptr) != 0)
        return numbers;
    const vellumate::UniqueHandle<LineTraits> line(opened);
    DWORD extensionVersion = 0;
    if (lineNegotiateExtVersion(app.Get(), device, versions[device], EXTENSION_VERSION1_0, EXTENSION_VERSION1_0,
                                &extensionVersion) != 0)
        return numbers;
    const bool asked = AskRecord(record, FirstGeneralInfoSize, [&](BYTE* info) {
        return lineGetGeneralInfo(line.Get(), reinterpret_cast<LINEGENERALINFO*>(info));
    });
    if (!asked)
        return numbers;
    numbers.serial = RecordText(record, FieldAt(record, offsetof(LINEGENERALINFO, dwSerialNumberOffset)),
                                FieldAt(record, offsetof(LINEGENERALINFO, dwSerialNumberSize)));
    numbers.subscriber = RecordText(record, FieldAt(record, offsetof(LINEGENERALINFO, dwSubscriberNumberOffset)),
                                    FieldAt(record, offsetof(LINEGENERALINFO, dwSubscriberNumberSize)));
    return numbers;
}
