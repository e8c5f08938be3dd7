#include "platform/stores/StorePrediction.h"

#include "platform/stores/MailStoreSchema.h"
#include "platform/stores/StoreRecords.h"

namespace vellumate::stores {

namespace {

std::uint64_t MessageBytes(const PlannedMessage& message, std::uint32_t osMajor)
{
    std::uint64_t bytes = RecordBytes(FolderRecord(message, osMajor)) + RecordBytes(StoredMessageRecord(message));
    if (message.text)
        return bytes;
    bytes += message.bodySize;
    for (const PlannedAttachment& attachment : message.attachments)
        bytes += RecordBytes(AttachmentRecord(message, attachment)) + attachment.size;
    return bytes;
}

bool Counts(Category category, const PlannedMessage& message) noexcept
{
    const bool read = !message.IsUnread();
    switch (category) {
    case Category::AllEmail: return !message.text;
    case Category::ReadEmail: return !message.text && read;
    case Category::AllText: return message.text;
    case Category::ReadText: return message.text && read;
    default: return !message.text && message.folderId == FolderIdOf(category);
    }
}

}  // namespace

MailReport PredictMail(const StorePlan& plan, std::uint32_t osMajor)
{
    MailReport report;
    report.mounted = true;
    for (Category category : MailCategories) {
        CategoryTotal total{category};
        for (const PlannedMessage& message : plan.messages) {
            if (Counts(category, message)) {
                ++total.count;
                total.bytes += MessageBytes(message, osMajor);
            }
        }
        report.totals.push_back(total);
        const MailFolder* folder = FindMailFolder(FolderIdOf(category));
        report.folderNames.emplace_back(folder ? folder->name : L"");
    }
    for (const MailFolder& folder : MailFolders) {
        FolderUnread unread{folder.id, folder.name, folder.service};
        for (const PlannedMessage& message : plan.messages) {
            if (message.folderId != folder.id)
                continue;
            ++unread.messages;
            if (message.IsUnread()) {
                ++unread.unreadMessages;
                ++(message.text ? unread.oldText : unread.oldEmail);
            }
        }
        unread.counter = unread.unreadMessages;
        report.folders.push_back(std::move(unread));
    }
    return report;
}

PhoneReport PredictPhone(const StorePlan& plan)
{
    PhoneReport report;
    report.mounted = true;
    report.calls.count = static_cast<std::uint32_t>(plan.calls.size());
    for (const PlannedCall& call : plan.calls)
        report.calls.bytes += RecordBytes(CallRecord(call));
    report.speedDials.count = static_cast<std::uint32_t>(plan.speedDials.size());
    for (const PlannedSpeedDial& speedDial : plan.speedDials)
        report.speedDials.bytes += RecordBytes(SpeedDialRecord(speedDial));
    return report;
}

NotesReport PredictNotes(const StorePlan& plan)
{
    NotesReport report;
    report.notes.count = static_cast<std::uint32_t>(plan.notes.size());
    for (const PlannedNote& note : plan.notes)
        report.notes.bytes += WaveHeaderBytes + note.dataBytes;
    return report;
}

}  // namespace vellumate::stores
