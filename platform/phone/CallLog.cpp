#include "platform/phone/CallLog.h"

#include "platform/stores/CeStoreVolume.h"
#include "platform/stores/MailStoreSchema.h"
#include "platform/stores/StoreRecords.h"

namespace vellumate::phone {

bool LogDialledCall(const LastCall& call) noexcept
{
    try {
        FILETIME time{};
        if (!::SystemTimeToFileTime(&call.time, &time))
            return false;
        stores::PlannedCall record;
        record.number = call.number;
        record.name = call.calledParty;
        record.time = (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
        record.direction = stores::CallOutgoing;
        stores::CeStoreVolume volume(stores::PhoneVolumePath, OPEN_ALWAYS);
        return volume.EnsureDatabase(stores::CallLogDb) && volume.Append(stores::CallLogDb, {stores::CallRecord(record)});
    } catch (...) {
        return false;
    }
}

}  // namespace vellumate::phone
