#include "simmanager/BackupFormat.h"

#include <algorithm>
#include <new>
#include <set>

namespace {

constexpr unsigned MajorVersion = 1;
constexpr unsigned IdentificationRelease = 1;
constexpr std::size_t FiguresOffset = BackupIdentificationBytes;

void PutUnit(std::string& bytes, std::size_t offset, std::uint32_t unit) noexcept
{
    bytes[offset] = static_cast<char>(unit & 0xFF);
    bytes[offset + 1] = static_cast<char>((unit >> 8) & 0xFF);
}

void PutFigure(std::string& bytes, std::size_t offset, std::uint32_t value) noexcept
{
    PutUnit(bytes, offset, value & 0xFFFF);
    PutUnit(bytes, offset + 2, value >> 16);
}

std::uint32_t Unit(std::string_view bytes, std::size_t offset) noexcept
{
    return static_cast<std::uint8_t>(bytes[offset]) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[offset + 1])) << 8;
}

std::uint32_t Figure(std::string_view bytes, std::size_t offset) noexcept
{
    return Unit(bytes, offset) | Unit(bytes, offset + 2) << 16;
}

// At most `length` code units of `text` into the field at `offset`, which
// the caller has zero-filled.
void PutText(std::string& bytes, std::size_t offset, std::uint32_t length, const std::wstring& text) noexcept
{
    const std::size_t units = std::min<std::size_t>(text.size(), length);
    for (std::size_t i = 0; i < units; ++i)
        PutUnit(bytes, offset + 2 * i, static_cast<std::uint32_t>(text[i]) & 0xFFFF);
}

// The text of a field of `length` code units: up to its first zero, or all
// of it.
std::wstring Text(std::string_view bytes, std::size_t offset, std::uint32_t length)
{
    std::wstring text;
    for (std::uint32_t i = 0; i < length; ++i) {
        const std::uint32_t unit = Unit(bytes, offset + 2 * std::size_t{i});
        if (unit == 0)
            break;
        text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
}

bool StartsWithIdentification(std::string_view bytes, unsigned minorVersion)
{
    const std::wstring text = BackupIdentification(minorVersion);
    if (bytes.size() < 2 * text.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (Unit(bytes, 2 * i) != static_cast<std::uint32_t>(text[i]))
            return false;
    }
    return true;
}

std::uint64_t RecordBytes(const BackupFigures& figures) noexcept
{
    return 2 + 2 * std::uint64_t{figures.nameLength} + 2 * std::uint64_t{figures.numberLength};
}

}  // namespace

std::wstring BackupIdentification(unsigned minorVersion)
{
    const unsigned minor = minorVersion % 100;
    std::wstring text = L"Pellory " + std::to_wstring(MajorVersion) + L".";
    text += static_cast<wchar_t>(L'0' + minor / 10);
    text += static_cast<wchar_t>(L'0' + minor % 10);
    return text + L" " + std::to_wstring(IdentificationRelease);
}

std::uint64_t BackupCapacity(const BackupFigures& figures) noexcept
{
    return figures.maxIndex < figures.minIndex ? 0 : std::uint64_t{figures.maxIndex} - figures.minIndex + 1;
}

std::uint64_t BackupFileBytes(const BackupFigures& figures) noexcept
{
    return BackupHeaderBytes + std::uint64_t{figures.recordCount} * RecordBytes(figures);
}

std::uint32_t BackupPosition(const BackupFigures& figures, const BackupRecord& record) noexcept
{
    return static_cast<std::uint16_t>(record.index - static_cast<std::uint16_t>(figures.minIndex));
}

std::string FormatBackup(BackupFigures figures, const std::vector<BackupRecord>& records)
{
    figures.recordCount = static_cast<std::uint32_t>(records.size());
    std::string bytes(static_cast<std::size_t>(BackupFileBytes(figures)), '\0');
    const std::wstring identification = BackupIdentification(BackupMinorVersion);
    PutText(bytes, 0, BackupIdentificationBytes / 2, identification);
    PutFigure(bytes, FiguresOffset, figures.nameLength);
    PutFigure(bytes, FiguresOffset + 4, figures.numberLength);
    PutFigure(bytes, FiguresOffset + 8, figures.minIndex);
    PutFigure(bytes, FiguresOffset + 12, figures.maxIndex);
    PutFigure(bytes, FiguresOffset + 16, figures.recordCount);
    std::size_t offset = BackupHeaderBytes;
    for (const BackupRecord& record : records) {
        PutUnit(bytes, offset, record.index);
        PutText(bytes, offset + 2, figures.nameLength, record.name);
        PutText(bytes, offset + 2 + 2 * std::size_t{figures.nameLength}, figures.numberLength, record.number);
        offset += static_cast<std::size_t>(RecordBytes(figures));
    }
    return bytes;
}

BackupHeaderReading ParseBackupHeader(std::string_view bytes) noexcept
{
    if (bytes.size() < BackupHeaderBytes)
        return {std::nullopt, BackupProblem::WrongSize};
    try {
        if (!StartsWithIdentification(bytes, BackupMinorVersion) &&
            !StartsWithIdentification(bytes, BackupOlderMinorVersion))
            return {std::nullopt, BackupProblem::NotBackup};
    } catch (...) {
        return {std::nullopt, BackupProblem::NotBackup};
    }
    BackupFigures figures;
    figures.nameLength = Figure(bytes, FiguresOffset);
    figures.numberLength = Figure(bytes, FiguresOffset + 4);
    figures.minIndex = Figure(bytes, FiguresOffset + 8);
    figures.maxIndex = Figure(bytes, FiguresOffset + 12);
    figures.recordCount = Figure(bytes, FiguresOffset + 16);
    const std::uint64_t capacity = BackupCapacity(figures);
    if (figures.nameLength > BackupMaxTextLength || figures.numberLength > BackupMaxTextLength || capacity == 0 ||
        capacity > BackupMaxPositions || figures.recordCount > capacity)
        return {std::nullopt, BackupProblem::BadFigures};
    return {figures, BackupProblem::None};
}

BackupReading ParseBackup(std::string_view bytes) noexcept
{
    const BackupHeaderReading header = ParseBackupHeader(bytes);
    if (!header.figures)
        return {std::nullopt, header.problem};
    const BackupFigures& figures = *header.figures;
    if (bytes.size() != BackupFileBytes(figures))
        return {std::nullopt, BackupProblem::WrongSize};
    try {
        Backup backup;
        backup.figures = figures;
        backup.records.reserve(figures.recordCount);
        const std::uint64_t capacity = BackupCapacity(figures);
        std::set<std::uint32_t> positions;
        std::size_t offset = BackupHeaderBytes;
        for (std::uint32_t i = 0; i < figures.recordCount; ++i) {
            BackupRecord record;
            record.index = static_cast<std::uint16_t>(Unit(bytes, offset));
            const std::uint32_t position = BackupPosition(figures, record);
            if (position >= capacity || !positions.insert(position).second)
                return {std::nullopt, BackupProblem::BadRecord};
            record.name = Text(bytes, offset + 2, figures.nameLength);
            record.number = Text(bytes, offset + 2 + 2 * std::size_t{figures.nameLength}, figures.numberLength);
            backup.records.push_back(std::move(record));
            offset += static_cast<std::size_t>(RecordBytes(figures));
        }
        return {std::move(backup), BackupProblem::None};
    } catch (const std::bad_alloc&) {
        return {std::nullopt, BackupProblem::BadFigures};
    }
}
