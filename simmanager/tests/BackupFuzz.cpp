// Any bytes as a backup file: the reader either refuses them or hands out
// records that all lie inside the file's range, once each, with texts no
// longer than their fields; and what it read writes back to a file that
// reads the same.
#include "simmanager/BackupFormat.h"

#include <cstdlib>
#include <set>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const BackupReading reading = ParseBackup(bytes);
    Check(reading.backup.has_value() == (reading.problem == BackupProblem::None));
    if (!reading.backup)
        return 0;
    const Backup& backup = *reading.backup;
    Check(BackupFileBytes(backup.figures) == size);
    Check(backup.records.size() == backup.figures.recordCount);
    std::set<std::uint32_t> positions;
    for (const BackupRecord& record : backup.records) {
        const std::uint32_t position = BackupPosition(backup.figures, record);
        Check(position < BackupCapacity(backup.figures) && positions.insert(position).second);
        Check(record.name.size() <= backup.figures.nameLength && record.number.size() <= backup.figures.numberLength);
    }
    const BackupReading again = ParseBackup(FormatBackup(backup.figures, backup.records));
    Check(again.backup && again.backup->figures == backup.figures && again.backup->records == backup.records);
    return 0;
}
