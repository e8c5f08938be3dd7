// The handset's mail store ("\cemail.vol") and phone store
// ("\mxip_initdb.vol"): the databases, property ids, folder ids, services,
// message classes and files the mail and phone applications keep there, and
// the voice-notes folder. What the cleaner reads and the generator writes.
//
// A property id is the platform's 32-bit value: the property number in the
// high 16 bits, the value type in the low 16 (0x13 an unsigned 32-bit
// number, 0x1F a string, 0x40 a file time).
//
// Portable C++ without Win32, so that the host's tools share it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vellumate::stores {

// ---- volumes (in the root, beside "\My Documents") --------------------------
inline constexpr wchar_t MailVolumeName[] = L"cemail.vol";
inline constexpr wchar_t PhoneVolumeName[] = L"mxip_initdb.vol";
inline constexpr wchar_t MailVolumePath[] = L"\\cemail.vol";
inline constexpr wchar_t PhoneVolumePath[] = L"\\mxip_initdb.vol";

// ---- value types of property ids --------------------------------------------
inline constexpr std::uint16_t TypeUnsigned = 0x13;
inline constexpr std::uint16_t TypeString = 0x1F;
inline constexpr std::uint16_t TypeFileTime = 0x40;

constexpr std::uint32_t PropId(std::uint16_t number, std::uint16_t type) noexcept
{
    return (std::uint32_t{number} << 16) | type;
}

// ---- "pmailMsgClasses": one record per message class ------------------------
inline constexpr wchar_t MsgClassesDb[] = L"pmailMsgClasses";
inline constexpr std::uint32_t PropClassName = 0x8300001F;
inline constexpr std::uint32_t PropClassId = 0x80010013;

inline constexpr wchar_t EmailClass[] = L"IPM.Note";
inline constexpr wchar_t TextClass[] = L"IPM.SMStext";
// The name older systems give text messages; the store keeps both.
inline constexpr wchar_t OldTextClass[] = L"IPM.SMStext.Msg";

// The store's own class ids.
inline constexpr std::uint32_t EmailClassId = 0x00000101;
inline constexpr std::uint32_t TextClassId = 0x00000102;
inline constexpr std::uint32_t OldTextClassId = 0x00000103;

// ---- "pmailFolders": one record per folder ----------------------------------
inline constexpr wchar_t FoldersDb[] = L"pmailFolders";
inline constexpr std::uint32_t PropFolderName = 0x8003001F;
inline constexpr std::uint32_t PropFolderId = 0x80040013;
inline constexpr std::uint32_t PropFolderService = 0x0E090013;
inline constexpr std::uint32_t PropUnreadCount = 0x36030013;
// Unread counters of older systems: text messages, e-mail.
inline constexpr std::uint32_t PropOldTextUnread = 0x83010013;
inline constexpr std::uint32_t PropOldEmailUnread = 0x83020013;

inline constexpr std::uint32_t EmailService = 0x32000016;
inline constexpr std::uint32_t TextService = 0x32000020;

// ---- a folder's database (named by the folder name): one record a message ---
inline constexpr std::uint32_t PropMsgClassId = 0x001A0013;
inline constexpr std::uint32_t PropMsgFlags = 0x0E070013;
inline constexpr std::uint32_t MsgFlagRead = 0x1;
inline constexpr std::uint32_t PropHasAttachments = 0x0E1B0013;
inline constexpr std::uint32_t PropMsgId = 0x80050013;
// The list's own columns.
inline constexpr std::uint32_t PropMsgSubject = 0x0037001F;
inline constexpr std::uint32_t PropMsgSender = 0x0C1A001F;
inline constexpr std::uint32_t PropMsgTime = 0x0E060040;

// ---- "pmailMsgs": the stored message, one record a message ------------------
inline constexpr wchar_t MessagesDb[] = L"pmailMsgs";
inline constexpr std::uint32_t PropStoredMsgId = 0x80010013;
inline constexpr std::uint32_t PropStoredHeader = 0x007D001F;  // the header lines
inline constexpr std::uint32_t PropStoredText = 0x1000001F;    // the text (short messages)

// ---- "pmailAttachs": one record an attachment -------------------------------
inline constexpr wchar_t AttachmentsDb[] = L"pmailAttachs";
inline constexpr std::uint32_t PropAttachOwner = 0x81000013;
inline constexpr std::uint32_t PropAttachId = 0x80010013;
inline constexpr std::uint32_t PropAttachName = 0x3707001F;
inline constexpr std::uint32_t PropAttachSize = 0x0E200013;

// ---- files below the root ----------------------------------------------------
inline constexpr wchar_t MapiFolder[] = L"\\MAPI";
inline constexpr wchar_t AttachmentsFolder[] = L"\\MAPI\\ATTACHMENTS";
// "\MAPI\%.8x1000001f.mpb"
std::wstring BodyFilePath(std::uint32_t messageId);
// "\MAPI\ATTACHMENTS\%.8x-%.8x.att"
std::wstring AttachmentFilePath(std::uint32_t messageId, std::uint32_t attachmentId);

// ---- the mail folders --------------------------------------------------------
struct MailFolder {
    const wchar_t* name;
    std::uint32_t id;
    std::uint32_t service;
};

inline constexpr std::uint32_t InboxId = 0x10000001;
inline constexpr std::uint32_t OutboxId = 0x20000001;
inline constexpr std::uint32_t SentId = 0x30000001;
inline constexpr std::uint32_t DeletedId = 0x40000001;
inline constexpr std::uint32_t DraftsId = 0x60000001;
inline constexpr std::uint32_t TextInboxId = 0x10000002;
inline constexpr std::uint32_t TextSentId = 0x30000002;

// Every folder the store has, in the order of "pmailFolders": the five e-mail
// folders, then the text-message folders.
inline constexpr std::array<MailFolder, 7> MailFolders{{
    {L"Inbox", InboxId, EmailService},
    {L"Outbox", OutboxId, EmailService},
    {L"Sent Items", SentId, EmailService},
    {L"Deleted Items", DeletedId, EmailService},
    {L"Drafts", DraftsId, EmailService},
    {L"SMS Inbox", TextInboxId, TextService},
    {L"SMS Sent", TextSentId, TextService},
}};

// The folder of that id, or nullptr.
const MailFolder* FindMailFolder(std::uint32_t id) noexcept;

// Names of the stores (classes, files) compare without regard to the case of
// ASCII letters.
bool SameNameNoCase(std::wstring_view a, std::wstring_view b) noexcept;
// Text for the tool's output and error messages: what is not printable ASCII
// becomes '?'.
std::string AsciiText(std::wstring_view text);

// ---- the phone store ("mxip_initdb.vol") -------------------------------------
inline constexpr wchar_t CallLogDb[] = L"clog.db";
inline constexpr std::uint32_t PropCallNumber = 0x0001001F;
inline constexpr std::uint32_t PropCallName = 0x0002001F;
inline constexpr std::uint32_t PropCallTime = 0x00030040;      // start, UTC
inline constexpr std::uint32_t PropCallDuration = 0x00040013;  // seconds
inline constexpr std::uint32_t PropCallDirection = 0x00050013;
inline constexpr std::uint32_t CallOutgoing = 0;
inline constexpr std::uint32_t CallIncoming = 1;
inline constexpr std::uint32_t CallMissed = 2;

inline constexpr wchar_t SpeedDialDb[] = L"speed.db";
inline constexpr std::uint32_t PropSpeedKey = 0x00010013;  // 2 to 99
inline constexpr std::uint32_t PropSpeedNumber = 0x0002001F;
inline constexpr std::uint32_t PropSpeedName = 0x0003001F;

// ---- voice notes --------------------------------------------------------------
inline constexpr wchar_t NotesFolder[] = L"\\My Documents\\Notes";
inline constexpr wchar_t NotesPattern[] = L"*.wav";

}  // namespace vellumate::stores
