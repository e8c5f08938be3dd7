#include "platform/mail/OutgoingMail.h"

#include "platform/DevicePaths.h"
#include "platform/stores/CeStoreVolume.h"
#include "platform/stores/MailStoreSchema.h"
#include "platform/stores/StoreRecords.h"

#include <windows.h>

#include <algorithm>

namespace vellumate::mail {
namespace {

using namespace vellumate::stores;

std::uint32_t LargestNumber(StoreVolume& volume, const wchar_t* database, std::uint32_t property)
{
    std::uint32_t largest = 0;
    if (const auto records = volume.ReadDatabase(database))
        for (const StoredRecord& record : *records)
            if (const auto number = NumberProp(record.props, property))
                largest = std::max(largest, *number);
    return largest;
}

bool WriteBody(const std::wstring& path, const std::wstring& body)
{
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, body.data(), static_cast<int>(body.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(std::max(length, 0)), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, body.data(), static_cast<int>(body.size()), bytes.data(), length, nullptr,
                          nullptr);
    HANDLE file = ::CreateFileW(ToDevicePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    ::CloseHandle(file);
    return ok;
}

}  // namespace

std::uint32_t QueueOutgoing(const OutgoingMessage& message, std::wstring& problem)
{
    CeStoreVolume volume(MailVolumePath, OPEN_EXISTING);
    if (!volume.Mounted()) {
        problem = L"The mail store cannot be opened.";
        return 0;
    }
    const MailFolder* outbox = FindMailFolder(OutboxId);
    PlannedMessage planned;
    planned.id = LargestNumber(volume, MessagesDb, PropStoredMsgId) + 1;
    planned.folderId = OutboxId;
    planned.read = true;
    planned.subject = message.subject;
    planned.sender = message.to;
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    planned.time = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    planned.header = L"To: " + message.to + L"\r\nSubject: " + message.subject + L"\r\n";
    planned.bodySize = static_cast<std::uint32_t>(message.body.size());

    ::CreateDirectoryW(ToDevicePath(MapiFolder).c_str(), nullptr);
    ::CreateDirectoryW(ToDevicePath(AttachmentsFolder).c_str(), nullptr);
    if (!message.attachment.empty()) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExW(ToDevicePath(message.attachment).c_str(), GetFileExInfoStandard, &data)) {
            problem = L"The attachment cannot be read.";
            return 0;
        }
        PlannedAttachment attachment;
        attachment.id = LargestNumber(volume, AttachmentsDb, PropAttachId) + 1;
        const std::size_t slash = message.attachment.find_last_of(L'\\');
        attachment.name = slash == std::wstring::npos ? message.attachment : message.attachment.substr(slash + 1);
        attachment.size = data.nFileSizeLow;
        // The file first: a record never names an attachment that is missing.
        if (!::CopyFileW(ToDevicePath(message.attachment).c_str(),
                         ToDevicePath(AttachmentFilePath(planned.id, attachment.id)).c_str(), FALSE)) {
            problem = L"The attachment cannot be stored.";
            return 0;
        }
        planned.attachments.push_back(attachment);
    }
    if (!WriteBody(BodyFilePath(planned.id), message.body)) {
        problem = L"The message cannot be stored.";
        return 0;
    }
    std::vector<Record> attachments;
    for (const PlannedAttachment& attachment : planned.attachments)
        attachments.push_back(AttachmentRecord(planned, attachment));
    if (!volume.Append(MessagesDb, {StoredMessageRecord(planned)}) ||
        (!attachments.empty() && !volume.Append(AttachmentsDb, attachments)) ||
        !volume.Append(outbox->name, {FolderRecord(planned, 4)})) {
        problem = L"The message cannot be stored.";
        return 0;
    }
    return planned.id;
}

}  // namespace vellumate::mail
