#include "simmanager/BackupFile.h"

#include "simmanager/BackupResources.h"
#include "simmanager/PhonebookSlot.h"

#include "framework/Paths.h"
// After Paths.h, whose message names the resource header would redefine.
#include "simmanager/resource.h"

#include "platform/DeviceFiles.h"
#include "platform/DevicePaths.h"
#include "platform/Handles.h"
#include "platform/VolumeSpace.h"

#include <string_view>
#include <utility>

static_assert(BackupMaxTextLength == MaxEntryTextLength, "a backup field holds what a slot holds");

namespace {

std::wstring FolderPath(const wchar_t* folder)
{
    return L"\\" + std::wstring(folder ? folder : L"");
}

bool FileOrFolderExists(const std::wstring& path) noexcept
{
    return GetFileAttributesW(vellumate::ToDevicePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Whether the folder's volume has room for `bytes` more. The old file stays
// until the new one is complete, so its space does not count.
bool HasRoomFor(const std::wstring& folder, std::size_t bytes) noexcept
{
    ULARGE_INTEGER available{};
    if (!handset::GetDiskFreeSpaceExW(folder.c_str(), &available, nullptr, nullptr))
        return false;
    return available.QuadPart >= bytes;
}

}  // namespace

std::wstring BackupPath(const wchar_t* folder, const wchar_t* name)
{
    return FolderPath(folder) + L"\\" + (name ? name : L"");
}

bool BackupFile::Fail(State state, UINT message)
{
    m_state = state;
    if (message)
        m_messages.Error(message);
    return false;
}

bool BackupFile::MakePath(const wchar_t* folder, const wchar_t* name, const wchar_t* extension)
{
    if (!ValidateFileName(name, FolderPath(folder).c_str(), nullptr, nullptr))
        return Fail(State::BadName, IDS_BACKUP_BAD_NAME);
    m_path = BackupPath(folder, name) + extension;
    if (m_path.size() >= MaxPathLength)
        return Fail(State::BadName, IDS_BACKUP_BAD_NAME);
    return true;
}

bool BackupFile::Save(const wchar_t* folder, const wchar_t* name)
{
    PhonebookStore* store = m_sim.CurrentStore();
    EntryView* base = store ? store->BaseView() : nullptr;
    if (m_state != State::None || !MakePath(folder, name, BackupExtension))
        return false;

    const SimFigures caps = SimCaps::Instance().Figures();
    m_written = {};
    m_written.nameLength = static_cast<std::uint32_t>(store ? store->NameLimit() : 0);
    m_written.numberLength = static_cast<std::uint32_t>(store ? store->NumberLimit() : 0);
    m_written.minIndex = caps.minIndex;
    m_written.maxIndex = caps.maxIndex;
    if (FileOrFolderExists(m_path) && !m_messages.Ask(IDS_BACKUP_EXISTS))
        return Fail(State::OverwriteDeclined);

    // Every filled slot, whatever filter is shown: the base view's rows.
    std::vector<BackupRecord> records;
    for (int row = 0; base && row < base->RowCount(); ++row) {
        const PhonebookSlot* slot = base->SlotAt(row);
        if (!slot) {
            m_messages.Error(IDS_NO_FOCUSED_ENTRY);
            continue;
        }
        records.push_back({static_cast<std::uint16_t>(slot->SimIndex()), slot->Name().Chars(), slot->Number().Chars()});
    }
    m_written.recordCount = static_cast<std::uint32_t>(records.size());
    const std::string bytes = FormatBackup(m_written, records);
    // A card without room would take half a file; say so before writing.
    if (!HasRoomFor(FolderPath(folder), bytes.size()) ||
        !vellumate::ReplaceFileDurably(vellumate::ToDevicePath(m_path), bytes))
        return Fail(State::CannotCreate, IDS_BACKUP_NOT_WRITTEN);
    return true;
}

bool BackupFile::ReadWhole(Backup& backup)
{
    vellumate::FileHandle file(CreateFileW(vellumate::ToDevicePath(m_path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return Fail(State::CannotOpen);
    m_closed = true;
    // The header first: it says how long the file must be, so a damaged one
    // that claims a lot is not read whole.
    DWORD error = 0;
    std::optional<std::string> bytes = vellumate::ReadFileBytes(file.Get(), BackupHeaderBytes - 1, error);
    const BackupHeaderReading header = bytes ? ParseBackupHeader(*bytes) : BackupHeaderReading{};
    if (!header.figures)
        return Fail(State::NotBackup, IDS_NOT_A_BACKUP);
    const std::uint64_t records = BackupFileBytes(*header.figures) - BackupHeaderBytes;
    std::optional<std::string> rest = vellumate::ReadFileBytes(file.Get(), static_cast<std::size_t>(records), error);
    if (!rest || rest->size() != records)
        return Fail(State::NotBackup, IDS_NOT_A_BACKUP);
    file.Reset();
    *bytes += *rest;
    BackupReading reading = ParseBackup(*bytes);
    if (!reading.backup)
        return Fail(State::NotBackup, IDS_NOT_A_BACKUP);
    backup = std::move(*reading.backup);
    m_read = backup.figures;
    return true;
}

bool BackupFile::AskAboutSize()
{
    const SimFigures caps = SimCaps::Instance().Figures();
    const std::uint64_t fileCapacity = BackupCapacity(m_read);
    const std::uint64_t simCapacity =
        caps.maxIndex < caps.minIndex ? 0 : std::uint64_t{caps.maxIndex} - caps.minIndex + 1;
    if (fileCapacity < simCapacity && !m_messages.Ask(IDS_BACKUP_FROM_SMALLER))
        return Fail(State::SmallerDeclined);
    if (fileCapacity > simCapacity) {
        if (!m_messages.Ask(IDS_BACKUP_FROM_LARGER))
            return Fail(State::LargerDeclined);
        m_pack = true;
    }
    return true;
}

void BackupFile::WriteRecords(const Backup& backup)
{
    int position = 0;
    int attempts = 0;
    int written = 0;
    for (const BackupRecord& record : backup.records) {
        // A record that holds nothing has nothing to restore.
        if (record.name.empty() && record.number.empty())
            continue;
        if (!m_pack) {
            // Outside the store: skipped, as the SIM has no such position.
            const std::uint32_t at = BackupPosition(backup.figures, record);
            if (at >= static_cast<std::uint32_t>(m_sim.CurrentStore()->SlotCount()))
                continue;
            ++attempts;
            if (m_sim.RewriteSlotAt(static_cast<int>(at), record.name.c_str(), record.number.c_str()))
                ++written;
            continue;
        }
        if (record.number.empty())
            continue;
        ++attempts;
        if (m_sim.RewriteSlotAt(position, record.name.c_str(), record.number.c_str())) {
            ++written;
            ++position;
        }
    }
    m_wroteAll = attempts == written;
}

bool BackupFile::Restore(const wchar_t* folder, const wchar_t* fileName, const ViewOptions& options)
{
    PhonebookStore* store = m_sim.CurrentStore();
    if (m_state != State::None || !store || !m_messages.Ask(IDS_RESTORE_QUESTION))
        return false;
    if (!MakePath(folder, fileName, L""))
        return false;
    Backup backup;
    if (!ReadWhole(backup))
        return m_closed;
    if (!AskAboutSize())
        return true;
    {
        SimBusyScope busy(m_messages);
        store->ResetViews();
        m_sim.DeleteAll();
        WriteRecords(backup);
        store->RebuildBaseView(options);
    }
    // The card cleared and an entry refused: the user must know it is gone.
    if (m_pack)
        m_messages.Information(m_wroteAll ? IDS_PACKED_ALL : IDS_PACKED_SOME);
    else if (!m_wroteAll)
        m_messages.Error(IDS_PACKED_SOME);
    return true;
}
