#include "platform/stores/StoreFiles.h"

#include "platform/stores/MailStoreSchema.h"

#include <fstream>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace vellumate::stores {

namespace {

bool EndsWithNoCase(std::wstring_view text, std::wstring_view ending) noexcept
{
    return text.size() >= ending.size() && SameNameNoCase(text.substr(text.size() - ending.size()), ending);
}

// The regular files of a folder whose names pass `keep`.
template <typename Keep>
std::vector<fs::path> FilesOf(const fs::path& folder, Keep keep)
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) && keep(it->path().filename().wstring()))
            files.push_back(it->path());
    }
    return files;
}

bool RemoveAll(const std::vector<fs::path>& files, std::uint32_t& deleted, std::string& error)
{
    for (const fs::path& file : files) {
        std::error_code ec;
        if (!fs::remove(file, ec) && ec) {
            error = "cannot delete " + file.string() + ": " + ec.message();
            return false;
        }
        ++deleted;
    }
    return true;
}

}  // namespace

fs::path HostPath(const fs::path& root, std::wstring_view handsetPath)
{
    fs::path path = root;
    while (!handsetPath.empty()) {
        const std::size_t cut = handsetPath.find(L'\\');
        const std::wstring_view part = handsetPath.substr(0, cut);
        if (!part.empty())
            path /= std::wstring(part);
        if (cut == std::wstring_view::npos)
            break;
        handsetPath.remove_prefix(cut + 1);
    }
    return path;
}

std::optional<std::uint32_t> FileSize32(const fs::path& file)
{
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return std::nullopt;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec)
        return std::nullopt;
    return static_cast<std::uint32_t>(size);
}

bool WriteWholeFile(const fs::path& file, std::string_view bytes, std::string& error)
{
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    if (ec) {
        error = "cannot make the folder " + file.parent_path().string() + ": " + ec.message();
        return false;
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

bool IsVoiceNoteName(std::wstring_view name) noexcept
{
    return EndsWithNoCase(name, L".wav");
}

NotesReport ScanNotes(const fs::path& root)
{
    NotesReport report;
    for (const fs::path& file : FilesOf(HostPath(root, NotesFolder), IsVoiceNoteName)) {
        if (const auto size = FileSize32(file)) {
            ++report.notes.count;
            report.notes.bytes += *size;
        }
    }
    return report;
}

bool ClearNotes(const fs::path& root, std::uint32_t& deleted, std::string& error)
{
    deleted = 0;
    return RemoveAll(FilesOf(HostPath(root, NotesFolder), IsVoiceNoteName), deleted, error);
}

bool WriteNotes(const fs::path& root, const StorePlan& plan, std::string& error)
{
    const fs::path folder = HostPath(root, NotesFolder);
    for (const PlannedNote& note : plan.notes) {
        if (!WriteWholeFile(folder / note.name, NoteFileBytes(note), error))
            return false;
    }
    // An empty plan still leaves the folder the recorder keeps its notes in.
    std::error_code ec;
    fs::create_directories(folder, ec);
    return true;
}

bool WriteMailFiles(const fs::path& root, const StorePlan& plan, std::string& error)
{
    for (const PlannedMessage& message : plan.messages) {
        if (message.text)
            continue;
        if (!WriteWholeFile(HostPath(root, BodyFilePath(message.id)), BodyFileBytes(message), error))
            return false;
        for (const PlannedAttachment& attachment : message.attachments) {
            if (!WriteWholeFile(HostPath(root, AttachmentFilePath(message.id, attachment.id)),
                                AttachmentFileBytes(message, attachment), error))
                return false;
        }
    }
    return true;
}

bool ClearMailFiles(const fs::path& root, std::string& error)
{
    std::uint32_t deleted = 0;
    const auto isBody = [](const std::wstring& name) { return EndsWithNoCase(name, L"1000001f.mpb"); };
    const auto isAttachment = [](const std::wstring& name) { return EndsWithNoCase(name, L".att"); };
    return RemoveAll(FilesOf(HostPath(root, MapiFolder), isBody), deleted, error) &&
           RemoveAll(FilesOf(HostPath(root, AttachmentsFolder), isAttachment), deleted, error);
}

}  // namespace vellumate::stores
