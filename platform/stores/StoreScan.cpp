#include "platform/stores/StoreScan.h"

#include "platform/stores/MailStoreSchema.h"
#include "platform/stores/StoreFiles.h"

#include <map>
#include <string_view>

namespace vellumate::stores {

namespace {

constexpr std::uint32_t ReadOnly = 1;
constexpr std::uint32_t ReadAndUnread = 3;

bool IsRead(const Record& record) noexcept
{
    const auto flags = NumberProp(record, PropMsgFlags);
    return !flags || (*flags & MsgFlagRead) != 0;
}

bool Passes(const Record& record, std::uint32_t filter) noexcept
{
    return (filter & (IsRead(record) ? 1u : 2u)) != 0;
}

struct AttachmentInfo {
    std::uint32_t bytes = 0;
    std::optional<std::uint32_t> id;
};

// What one scan needs of the mail store, read once.
class MailStore {
public:
    MailStore(StoreVolume& volume, const std::filesystem::path& root, std::uint32_t osMajor)
        : m_volume(volume), m_root(root), m_osMajor(osMajor)
    {
        if (auto classes = volume.ReadDatabase(MsgClassesDb)) {
            m_emailClass = ClassId(*classes, EmailClass);
            m_textClass = ClassId(*classes, osMajor >= 4 ? TextClass : OldTextClass);
        }
        m_folders = volume.ReadDatabase(FoldersDb).value_or(std::vector<StoredRecord>{});
        if (auto messages = volume.ReadDatabase(MessagesDb)) {
            m_messagesOpen = true;
            for (const StoredRecord& record : *messages) {
                // The first record of an id is the one a read from the beginning finds.
                if (const auto id = NumberProp(record.props, PropStoredMsgId))
                    m_storedBytes.emplace(*id, record.bytes);
            }
        }
        if (auto attachments = volume.ReadDatabase(AttachmentsDb)) {
            m_attachmentsOpen = true;
            for (const StoredRecord& record : *attachments) {
                if (const auto owner = NumberProp(record.props, PropAttachOwner))
                    m_attachments[*owner].push_back({record.bytes, NumberProp(record.props, PropAttachId)});
            }
        }
    }

    const std::vector<StoredRecord>& Folders() const noexcept { return m_folders; }

    // The folder names of a service, in record order.
    std::vector<std::wstring> FolderNames(std::uint32_t service) const
    {
        std::vector<std::wstring> names;
        for (const StoredRecord& folder : m_folders) {
            const std::wstring* name = TextProp(folder.props, PropFolderName);
            if (name && !name->empty() && (m_osMajor < 4 || NumberProp(folder.props, PropFolderService) == service))
                names.push_back(*name);
        }
        return names;
    }

    std::wstring FolderName(std::uint32_t folderId) const
    {
        for (const StoredRecord& folder : m_folders) {
            if (NumberProp(folder.props, PropFolderId) == folderId &&
                (m_osMajor < 4 || NumberProp(folder.props, PropFolderService) == EmailService)) {
                const std::wstring* name = TextProp(folder.props, PropFolderName);
                return name ? *name : std::wstring();
            }
        }
        return {};
    }

    // Adds the folders' matching messages to `total`.
    void Count(const std::vector<std::wstring>& folders, bool email, std::uint32_t filter, CategoryTotal& total)
    {
        const std::optional<std::uint32_t> classId = email ? m_emailClass : m_textClass;
        if (!classId || !m_messagesOpen)
            return;
        for (const std::wstring& folder : folders) {
            const auto records = m_volume.ReadDatabase(folder);
            if (!records)
                return;
            for (const StoredRecord& record : *records) {
                if (NumberProp(record.props, PropMsgClassId) != classId || !Passes(record.props, filter))
                    continue;
                ++total.count;
                total.bytes += MessageBytes(record, email);
            }
        }
    }

private:
    static std::optional<std::uint32_t> ClassId(const std::vector<StoredRecord>& classes, std::wstring_view wanted)
    {
        for (const StoredRecord& record : classes) {
            const std::wstring* name = TextProp(record.props, PropClassName);
            if (name && SameNameNoCase(*name, wanted))
                return NumberProp(record.props, PropClassId);
        }
        return std::nullopt;
    }

    std::uint64_t MessageBytes(const StoredRecord& record, bool email) const
    {
        std::uint64_t bytes = record.bytes;
        const std::uint32_t id = NumberProp(record.props, PropMsgId).value_or(0);
        if (const auto stored = m_storedBytes.find(id); stored != m_storedBytes.end()) {
            bytes += stored->second;
            if (email)
                bytes += FileSize32(HostPath(m_root, BodyFilePath(id))).value_or(0);
        }
        if (!email || !m_attachmentsOpen || NumberProp(record.props, PropHasAttachments).value_or(0) == 0)
            return bytes;
        if (const auto found = m_attachments.find(id); found != m_attachments.end()) {
            for (const AttachmentInfo& attachment : found->second) {
                bytes += attachment.bytes;
                if (attachment.id)
                    bytes += FileSize32(HostPath(m_root, AttachmentFilePath(id, *attachment.id))).value_or(0);
            }
        }
        return bytes;
    }

    StoreVolume& m_volume;
    std::filesystem::path m_root;
    std::uint32_t m_osMajor;
    std::optional<std::uint32_t> m_emailClass, m_textClass;
    std::vector<StoredRecord> m_folders;
    bool m_messagesOpen = false;
    bool m_attachmentsOpen = false;
    std::map<std::uint32_t, std::uint32_t> m_storedBytes;
    std::map<std::uint32_t, std::vector<AttachmentInfo>> m_attachments;
};

}  // namespace

MailReport EmptyMailReport()
{
    MailReport report;
    for (Category category : MailCategories) {
        report.totals.push_back({category});
        report.folderNames.emplace_back();
    }
    return report;
}

MailReport ScanMail(StoreVolume& volume, const std::filesystem::path& root, std::uint32_t osMajor)
{
    MailReport report = EmptyMailReport();
    report.mounted = true;
    MailStore store(volume, root, osMajor);
    const std::vector<std::wstring> email = store.FolderNames(EmailService);
    const std::vector<std::wstring> text = store.FolderNames(TextService);
    for (std::size_t i = 0; i < report.totals.size(); ++i) {
        CategoryTotal& total = report.totals[i];
        switch (total.category) {
        case Category::AllEmail: store.Count(email, true, ReadAndUnread, total); break;
        case Category::ReadEmail: store.Count(email, true, ReadOnly, total); break;
        case Category::AllText: store.Count(text, false, ReadAndUnread, total); break;
        case Category::ReadText: store.Count(text, false, ReadOnly, total); break;
        default:
            report.folderNames[i] = store.FolderName(FolderIdOf(total.category));
            if (!report.folderNames[i].empty())
                store.Count({report.folderNames[i]}, true, ReadAndUnread, total);
            break;
        }
    }

    for (const StoredRecord& folder : store.Folders()) {
        FolderUnread unread;
        unread.folderId = NumberProp(folder.props, PropFolderId).value_or(0);
        if (const std::wstring* name = TextProp(folder.props, PropFolderName))
            unread.name = *name;
        unread.service = NumberProp(folder.props, PropFolderService).value_or(0);
        unread.counter = NumberProp(folder.props, PropUnreadCount).value_or(0);
        unread.oldText = NumberProp(folder.props, PropOldTextUnread).value_or(0);
        unread.oldEmail = NumberProp(folder.props, PropOldEmailUnread).value_or(0);
        if (const auto records = unread.name.empty() ? std::nullopt : volume.ReadDatabase(unread.name)) {
            unread.messages = static_cast<std::uint32_t>(records->size());
            for (const StoredRecord& record : *records)
                unread.unreadMessages += IsRead(record.props) ? 0 : 1;
        }
        report.folders.push_back(std::move(unread));
    }
    return report;
}

PhoneReport ScanPhone(StoreVolume& volume)
{
    PhoneReport report;
    report.mounted = true;
    const std::optional<std::uint32_t> empty = volume.EmptyDatabaseBytes();
    if (!empty)
        return report;
    for (CategoryTotal* total : {&report.calls, &report.speedDials}) {
        const auto usage = volume.DatabaseUsage(total->category == Category::CallLog ? CallLogDb : SpeedDialDb);
        if (usage) {
            total->count = usage->records;
            total->bytes = usage->bytes - *empty;
        }
    }
    return report;
}

}  // namespace vellumate::stores
