// What the storage cleaner's scan finds in a device's stores, category by
// category, and its text for `vellumate device mail|calls|notes show`.
// A scan (StoreScan) and a prediction from a plan (StorePrediction) both
// give one, so that a test compares them field by field.
//
// Portable C++ without Win32.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vellumate::stores {

// The cleaner's categories, by the number of their name string.
enum class Category : std::uint32_t {
    AllEmail = 41000,
    ReadEmail = 41024,
    InboxEmail = 41027,
    OutboxEmail = 41030,
    SentEmail = 41033,
    DeletedEmail = 41036,
    DraftsEmail = 40139,
    AllText = 41003,
    ReadText = 40142,
    CallLog = 41009,
    SpeedDial = 41012,
    VoiceNotes = 41021,
};

struct CategoryTotal {
    Category category{};
    std::uint32_t count = 0;
    std::uint64_t bytes = 0;

    bool operator==(const CategoryTotal&) const = default;
};

// A folder's stored unread counters beside the unread messages it holds.
struct FolderUnread {
    std::uint32_t folderId = 0;
    std::wstring name;
    std::uint32_t service = 0;
    std::uint32_t counter = 0;       // 0x36030013
    std::uint32_t oldText = 0;       // 0x83010013
    std::uint32_t oldEmail = 0;      // 0x83020013
    std::uint32_t unreadMessages = 0;
    std::uint32_t messages = 0;

    bool operator==(const FolderUnread&) const = default;
};

struct MailReport {
    bool mounted = false;
    std::vector<CategoryTotal> totals;  // the nine mail categories, in menu order
    std::vector<FolderUnread> folders;  // every folder of "pmailFolders", in record order
    // The folder names of the folder-id categories ("" when there is none).
    std::vector<std::wstring> folderNames;

    bool operator==(const MailReport&) const = default;
};

struct PhoneReport {
    bool mounted = false;
    CategoryTotal calls{Category::CallLog};
    CategoryTotal speedDials{Category::SpeedDial};

    bool operator==(const PhoneReport&) const = default;
};

struct NotesReport {
    CategoryTotal notes{Category::VoiceNotes};

    bool operator==(const NotesReport&) const = default;
};

// The mail categories in the order of the cleaner's menu.
inline constexpr Category MailCategories[] = {
    Category::AllEmail,     Category::ReadEmail,   Category::InboxEmail, Category::OutboxEmail, Category::SentEmail,
    Category::DeletedEmail, Category::DraftsEmail, Category::AllText,    Category::ReadText};

// The folder id of a folder category; 0 for the others.
std::uint32_t FolderIdOf(Category category) noexcept;

// The cleaner's size text with two decimals: "1023 B", "1.00 KB", "5.00 GB".
std::string SizeText(std::uint64_t bytes);

// The lines of `show`, each ending in "\n":
//   NUMBER NAME: COUNT items, BYTES bytes, SIZE
//   unread 0xID NAME: counter N, messages M          (mail only, every folder)
std::string FormatMailReport(const MailReport& report);
std::string FormatPhoneReport(const PhoneReport& report);
std::string FormatNotesReport(const NotesReport& report);

}  // namespace vellumate::stores
