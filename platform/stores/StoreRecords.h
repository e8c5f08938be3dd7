// A plan's records, database by database, as the mail and phone applications
// keep them; and writing them into a volume.
#pragma once

#include "platform/stores/StorePlan.h"
#include "platform/stores/StoreVolume.h"

#include <string>
#include <utility>
#include <vector>

namespace vellumate::stores {

// One database's name and its records in order.
using DatabaseRecords = std::pair<std::wstring, std::vector<Record>>;

// Text messages take the class name of the system: "IPM.SMStext" from major
// version 4, "IPM.SMStext.Msg" before.
std::uint32_t TextClassIdFor(std::uint32_t osMajor) noexcept;

Record FolderRecord(const PlannedMessage& message, std::uint32_t osMajor);
Record StoredMessageRecord(const PlannedMessage& message);
Record AttachmentRecord(const PlannedMessage& message, const PlannedAttachment& attachment);
Record CallRecord(const PlannedCall& call);
Record SpeedDialRecord(const PlannedSpeedDial& speedDial);

// "pmailMsgClasses", "pmailFolders" (with unread counters that agree with
// the messages), every folder's database, "pmailMsgs", "pmailAttachs".
std::vector<DatabaseRecords> MailDatabases(const StorePlan& plan, std::uint32_t osMajor);
// "clog.db" and "speed.db".
std::vector<DatabaseRecords> PhoneDatabases(const StorePlan& plan);

// Makes each database anew with just its records; false with the volume's
// reason at the first that fails.
bool WriteDatabases(StoreVolume& volume, const std::vector<DatabaseRecords>& databases);

}  // namespace vellumate::stores
