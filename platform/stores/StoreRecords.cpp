#include "platform/stores/StoreRecords.h"

#include "platform/stores/MailStoreSchema.h"

#include <map>

namespace vellumate::stores {

std::uint32_t TextClassIdFor(std::uint32_t osMajor) noexcept
{
    return osMajor >= 4 ? TextClassId : OldTextClassId;
}

Record FolderRecord(const PlannedMessage& message, std::uint32_t osMajor)
{
    Record record;
    record.reserve(7);
    record.push_back(Prop{PropMsgId, message.id});
    record.push_back(Prop{PropMsgClassId, message.text ? TextClassIdFor(osMajor) : EmailClassId});
    if (message.hasFlags)
        record.push_back(Prop{PropMsgFlags, message.read ? MsgFlagRead : 0u});
    record.push_back(Prop{PropHasAttachments, message.attachments.empty() ? 0u : 1u});
    record.push_back(Prop{PropMsgSubject, message.subject});
    record.push_back(Prop{PropMsgSender, message.sender});
    record.push_back(Prop{PropMsgTime, FileTimeValue{message.time}});
    return record;
}

Record StoredMessageRecord(const PlannedMessage& message)
{
    Record record;
    record.push_back(Prop{PropStoredMsgId, message.id});
    record.push_back(Prop{message.text ? PropStoredText : PropStoredHeader, message.text ? message.body : message.header});
    return record;
}

Record AttachmentRecord(const PlannedMessage& message, const PlannedAttachment& attachment)
{
    return {{PropAttachOwner, message.id},
            {PropAttachId, attachment.id},
            {PropAttachName, attachment.name},
            {PropAttachSize, attachment.size}};
}

Record CallRecord(const PlannedCall& call)
{
    Record record;
    record.reserve(5);
    record.push_back(Prop{PropCallNumber, call.number});
    if (!call.name.empty())
        record.push_back(Prop{PropCallName, call.name});
    record.push_back(Prop{PropCallTime, FileTimeValue{call.time}});
    record.push_back(Prop{PropCallDuration, call.duration});
    record.push_back(Prop{PropCallDirection, call.direction});
    return record;
}

Record SpeedDialRecord(const PlannedSpeedDial& speedDial)
{
    return {{PropSpeedKey, speedDial.key}, {PropSpeedNumber, speedDial.number}, {PropSpeedName, speedDial.name}};
}

std::vector<DatabaseRecords> MailDatabases(const StorePlan& plan, std::uint32_t osMajor)
{
    std::vector<DatabaseRecords> databases;
    databases.push_back({MsgClassesDb,
                         {{{PropClassName, std::wstring(EmailClass)}, {PropClassId, EmailClassId}},
                          {{PropClassName, std::wstring(TextClass)}, {PropClassId, TextClassId}},
                          {{PropClassName, std::wstring(OldTextClass)}, {PropClassId, OldTextClassId}}}});

    struct Unread {
        std::uint32_t text = 0, email = 0;
    };
    std::map<std::uint32_t, Unread> unread;
    std::map<std::uint32_t, std::vector<Record>> folderRecords;
    std::vector<Record> stored, attachments;
    stored.reserve(plan.messages.size());
    for (const PlannedMessage& message : plan.messages) {
        if (message.IsUnread())
            ++(message.text ? unread[message.folderId].text : unread[message.folderId].email);
        folderRecords[message.folderId].push_back(FolderRecord(message, osMajor));
        stored.push_back(StoredMessageRecord(message));
        for (const PlannedAttachment& attachment : message.attachments)
            attachments.push_back(AttachmentRecord(message, attachment));
    }

    std::vector<Record> folders;
    for (const MailFolder& folder : MailFolders) {
        const Unread counts = unread[folder.id];
        folders.push_back({{PropFolderName, std::wstring(folder.name)},
                           {PropFolderId, folder.id},
                           {PropFolderService, folder.service},
                           {PropUnreadCount, counts.text + counts.email},
                           {PropOldTextUnread, counts.text},
                           {PropOldEmailUnread, counts.email}});
    }
    databases.push_back({FoldersDb, std::move(folders)});
    for (const MailFolder& folder : MailFolders)
        databases.push_back({folder.name, std::move(folderRecords[folder.id])});
    databases.push_back({MessagesDb, std::move(stored)});
    databases.push_back({AttachmentsDb, std::move(attachments)});
    return databases;
}

std::vector<DatabaseRecords> PhoneDatabases(const StorePlan& plan)
{
    std::vector<Record> calls, speedDials;
    for (const PlannedCall& call : plan.calls)
        calls.push_back(CallRecord(call));
    for (const PlannedSpeedDial& speedDial : plan.speedDials)
        speedDials.push_back(SpeedDialRecord(speedDial));
    return {{CallLogDb, std::move(calls)}, {SpeedDialDb, std::move(speedDials)}};
}

bool WriteDatabases(StoreVolume& volume, const std::vector<DatabaseRecords>& databases)
{
    for (const auto& [name, records] : databases) {
        if (!volume.RecreateDatabase(name) || !volume.Append(name, records))
            return false;
    }
    return true;
}

}  // namespace vellumate::stores
