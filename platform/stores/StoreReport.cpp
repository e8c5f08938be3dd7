#include "platform/stores/StoreReport.h"

#include "platform/stores/MailStoreSchema.h"

#include <cstdio>

namespace vellumate::stores {

namespace {

std::string Hex8(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

std::string CategoryName(Category category, const std::wstring& folderName)
{
    switch (category) {
    case Category::AllEmail: return "all e-mail";
    case Category::ReadEmail: return "read e-mail";
    case Category::AllText: return "all text messages";
    case Category::ReadText: return "read text messages";
    case Category::CallLog: return "call log";
    case Category::SpeedDial: return "speed dial";
    case Category::VoiceNotes: return "voice notes";
    default:
        return "e-mail folder " + Hex8(FolderIdOf(category)) + " (" +
               (folderName.empty() ? std::string("none") : AsciiText(folderName)) + ")";
    }
}

std::string TotalLine(const CategoryTotal& total, const std::wstring& folderName = {})
{
    return std::to_string(static_cast<std::uint32_t>(total.category)) + " " + CategoryName(total.category, folderName) +
           ": " + std::to_string(total.count) + " items, " + std::to_string(total.bytes) + " bytes, " +
           SizeText(total.bytes) + "\n";
}

}  // namespace

std::uint32_t FolderIdOf(Category category) noexcept
{
    switch (category) {
    case Category::InboxEmail: return InboxId;
    case Category::OutboxEmail: return OutboxId;
    case Category::SentEmail: return SentId;
    case Category::DeletedEmail: return DeletedId;
    case Category::DraftsEmail: return DraftsId;
    default: return 0;
    }
}

std::string SizeText(std::uint64_t bytes)
{
    const auto high = static_cast<std::uint32_t>(bytes >> 32);
    const auto low = static_cast<std::uint32_t>(bytes);
    char text[64];
    // Single precision, as the cleaner computes it.
    if (high == 0 && low < 1024)
        std::snprintf(text, sizeof text, "%u B", static_cast<unsigned>(low));
    else if (high == 0 && low < (1u << 20))
        std::snprintf(text, sizeof text, "%.2f KB", static_cast<double>(static_cast<float>(low) / 1024.0f));
    else if (high == 0 && low < (1u << 30))
        std::snprintf(text, sizeof text, "%.2f MB", static_cast<double>(static_cast<float>(low >> 10) / 1024.0f));
    else
        std::snprintf(text, sizeof text, "%.2f GB",
                      static_cast<double>(static_cast<float>(low >> 20) / 1024.0f + static_cast<float>(high * 4)));
    return text;
}

std::string FormatMailReport(const MailReport& report)
{
    std::string text;
    for (std::size_t i = 0; i < report.totals.size(); ++i)
        text += TotalLine(report.totals[i], i < report.folderNames.size() ? report.folderNames[i] : std::wstring());
    for (const FolderUnread& folder : report.folders) {
        text += "unread " + Hex8(folder.folderId) + " (" + AsciiText(folder.name) + "): counter " +
                std::to_string(folder.counter) + ", unread messages " + std::to_string(folder.unreadMessages) +
                " of " + std::to_string(folder.messages) + "\n";
    }
    return text;
}

std::string FormatPhoneReport(const PhoneReport& report)
{
    return TotalLine(report.calls) + TotalLine(report.speedDials);
}

std::string FormatNotesReport(const NotesReport& report)
{
    return TotalLine(report.notes);
}

}  // namespace vellumate::stores
