#include "filemanager/ArchiveExtraction.h"

#include "filemanager/ArchiveResources.h"
#include "filemanager/archive/ArchiveMember.h"

namespace {

String ToString(const std::wstring& text)
{
    return String(text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

std::uint64_t ArchiveJob::TotalBytes() const noexcept
{
    std::uint64_t total = 0;
    for (int index : members)
        if (index >= 0 && static_cast<size_t>(index) < archive.members.size())
            total += archive.members[static_cast<size_t>(index)].uncompressedSize;
    return total;
}

UINT FailureMessage(ExtractResult result, ArchiveJobMode mode) noexcept
{
    switch (result) {
    case ExtractResult::Success:
    case ExtractResult::Cancelled:
        return 0;
    case ExtractResult::PasswordNeeded:
        return IDS_PASSWORD_WRONG;
    default:
        return mode == ArchiveJobMode::Test ? IDS_ARCHIVE_TEST_FAILED : IDS_ARCHIVE_EXTRACT_FAILED;
    }
}

int ProgressPercent(std::uint64_t done, std::uint64_t total) noexcept
{
    // A job of empty members is done as soon as it starts.
    if (total == 0)
        return 100;
    if (done >= 1025 && total >= 1025) {
        done /= 1024;
        total /= 1024;
    }
    const std::uint64_t percent = done * 100 / total;
    return percent > 100 ? 100 : static_cast<int>(percent);
}

ArchiveJobEnd RunArchiveJob(ArchiveJob& job, ArchiveJobHost& host, OutputSink& output)
{
    Archive& archive = job.archive;
    const bool extracting = job.mode == ArchiveJobMode::Extract;
    bool replaceAll = false;
    for (int index : job.members) {
        if (job.stop.load() || archive.cancel.load())
            return ArchiveJobEnd::Cancelled;
        if (index < 0 || static_cast<size_t>(index) >= archive.members.size()) {
            host.ReportFailure(FailureMessage(ExtractResult::NoSuchMember, job.mode), String());
            return ArchiveJobEnd::Failed;
        }
        const ArchiveMember& member = archive.members[static_cast<size_t>(index)];
        const String folder = ToString(FolderPart(member));
        const String leaf = ToString(LeafName(member));
        host.ShowSource(folder.IsEmpty() ? leaf : folder + L"\\" + leaf);
        const bool file = !IsFolder(member);

        const std::wstring target = MemberPath(job.destination, member.name);
        if (extracting && file && !archive.overwriteWithoutAsking && !replaceAll && output.Exists(target)) {
            switch (host.AskReplace(leaf, ToString(target))) {
            case ReplaceAnswer::Cancel:
                return ArchiveJobEnd::Cancelled;
            case ReplaceAnswer::Skip:
                host.Skipped(member.uncompressedSize);
                continue;
            case ReplaceAnswer::ReplaceAll:
                replaceAll = true;
                break;
            case ReplaceAnswer::Replace:
                break;
            }
        }
        if (extracting)
            host.ShowTarget(ToString(target));

        if (file && IsEncrypted(member) &&
            (archive.password.empty() || !PasswordFits(archive, static_cast<size_t>(index), archive.password)) &&
            !host.AskPassword(index))
            return ArchiveJobEnd::Cancelled;

        const ExtractResult result = extracting
                                         ? ExtractMembers(archive, job.destination, static_cast<size_t>(index), output)
                                         : TestMembers(archive, static_cast<size_t>(index));
        if (result == ExtractResult::Success)
            continue;
        if (result == ExtractResult::Cancelled)
            return ArchiveJobEnd::Cancelled;
        host.ReportFailure(FailureMessage(result, job.mode), leaf);
        return ArchiveJobEnd::Failed;
    }
    return ArchiveJobEnd::Done;
}
