// One extraction or test job of the progress dialog, member by member: the
// replace question before a file that exists, the password before an
// encrypted member that the known password does not open, the engine, and
// the message a failure is reported with. No window code: the dialog answers
// through ArchiveJobHost on the worker's behalf.
#pragma once

#include "framework/String.h"
#include "filemanager/archive/Extraction.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

enum class ArchiveJobMode { Extract, Test };

enum class ReplaceAnswer { Replace, ReplaceAll, Skip, Cancel };

enum class ArchiveJobEnd { Done, Failed, Cancelled };

struct ArchiveJob {
    explicit ArchiveJob(Archive& archive) noexcept : archive(archive) {}

    Archive& archive;
    ArchiveJobMode mode = ArchiveJobMode::Extract;
    std::wstring destination;  // extracting: the folder the members go below
    std::vector<int> members;  // in the order they are done
    // Set by the dialog's Cancel together with the archive's cancel flag.
    std::atomic<bool> stop{false};

    // The bytes the job will produce, for the bar.
    std::uint64_t TotalBytes() const noexcept;
};

// What the worker asks of the dialog, on the worker's thread.
class ArchiveJobHost {
public:
    virtual ~ArchiveJobHost() = default;
    virtual void ShowSource(const String& memberName) = 0;
    virtual void ShowTarget(const String& path) = 0;
    // The member `leaf` would replace the existing `target`.
    virtual ReplaceAnswer AskReplace(const String& leaf, const String& target) = 0;
    // Asks for the password of encrypted member `member` until one fits it
    // (then kept in the archive); false when the user cancelled.
    virtual bool AskPassword(int member) = 0;
    // A failure that ends the job: message `message` with the leaf name.
    virtual void ReportFailure(UINT message, const String& leaf) = 0;
    // Bytes of a skipped member, counted as done.
    virtual void Skipped(std::uint32_t bytes) = 0;
};

// Runs the job to its end. The archive's progress callback is the caller's.
ArchiveJobEnd RunArchiveJob(ArchiveJob& job, ArchiveJobHost& host, OutputSink& output);

// The message a result is reported with (0 for success and a cancel).
UINT FailureMessage(ExtractResult result, ArchiveJobMode mode) noexcept;

// The bar's position (0 to 100) for `done` of `total` bytes. Both are divided
// by 1024 when both are 1025 or more, so that the product stays small.
int ProgressPercent(std::uint64_t done, std::uint64_t total) noexcept;
