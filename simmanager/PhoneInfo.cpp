#include "simmanager/PhoneInfo.h"

#include "simmanager/CellularLine.h"
#include "simmanager/SimCaps.h"

#include "platform/sim/SimManager.h"

#include <algorithm>

namespace {

constexpr DWORD ProviderFileSize = 80;
constexpr BYTE UnusedByte = 0xFF;

std::optional<std::wstring> ReadProviderName(HSIM sim)
{
    BYTE bytes[ProviderFileSize] = {};
    DWORD read = 0;
    if (!sim || SimReadRecord(sim, EF_SPN, SIM_RECORDTYPE_TRANSPARENT, 0, bytes, ProviderFileSize, &read) != S_OK)
        return std::nullopt;
    return ProviderName(bytes, std::min(read, ProviderFileSize));
}

}  // namespace

std::vector<InfoLine> ShownLines(const PhoneInfo& info)
{
    std::vector<InfoLine> lines;
    if (info.capacity > 0)
        lines.push_back(InfoLine::Capacity);
    if (info.serial)
        lines.push_back(InfoLine::Serial);
    if (!info.smsc.empty())
        lines.push_back(InfoLine::Smsc);
    if (info.subscriber)
        lines.push_back(InfoLine::Subscriber);
    if (info.provider)
        lines.push_back(InfoLine::Provider);
    return lines;
}

int ValueCount(InfoLine line) noexcept
{
    return line == InfoLine::Capacity ? 3 : 1;
}

std::wstring ProviderName(const BYTE* bytes, DWORD count)
{
    std::wstring name;
    for (DWORD at = 1; at < count && bytes[at] != UnusedByte && bytes[at] != 0; ++at)
        name.push_back(static_cast<wchar_t>(bytes[at]));
    return name;
}

PhoneInfo GatherPhoneInfo(const wchar_t* smsc)
{
    PhoneInfo info;
    const SimCaps& caps = SimCaps::Instance();
    const SimFigures figures = caps.Figures();
    info.capacity = Capacity(figures);
    info.nameLength = figures.nameLength;
    info.numberLength = figures.numberLength;
    LineNumbers line = ReadLineNumbers();
    info.serial = std::move(line.serial);
    info.subscriber = std::move(line.subscriber);
    info.smsc = smsc ? smsc : L"";
    info.provider = ReadProviderName(caps.Handle());
    return info;
}
