// The copy engine behind copy, move and duplicate: it counts the work,
// copies each item (folders recursively), asks before replacing, names
// duplicates, keeps read-only attributes right and, for a move, deletes the
// sources. It owns no window: it runs on the progress dialog's worker thread
// and reaches the dialog through a CopyProgress.
//
// Paths are handset paths (DeviceFiles.h); every file call goes through
// ToLongFileSystemPath, so folders deeper than MAX_PATH are copied too.
#pragma once

#include "framework/String.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

enum class CopyMode { Copy, Move };

// The answers of the overwrite question, in the numbers the job keeps.
enum class OverwriteAnswer { Replace = 0, Skip = 1, ReplaceAll = 2, Cancel = 3, NotAsked = 4 };

struct CopyItem {
    String name;
    bool isFolder = false;
};

// What the overwrite question shows: two handset paths.
struct OverwriteQuestion {
    String existing;       // the destination that is there
    String source;         // what would replace it
    bool oneItem = false;  // the job has a single item: no "replace all"
};

// What the engine tells and asks the one who runs it; called on the engine's
// thread.
class CopyProgress {
public:
    virtual ~CopyProgress() = default;
    // The bar runs from 0 to `total`.
    virtual void SetRange(int total) = 0;
    virtual void Advance(int steps) = 0;
    // The paths being copied now.
    virtual void ShowPaths(const String& source, const String& destination) = 0;
    virtual OverwriteAnswer AskOverwrite(const OverwriteQuestion& question) = 0;
    // An error message: string `message` formatted with `argument`, followed
    // by string `second` when it is not 0.
    virtual void ReportError(UINT message, UINT second, const String& argument) = 0;
};

// One copy, move or duplicate: what the command hands to the engine, and
// what the engine leaves for the command afterwards.
struct CopyJob {
    CopyMode mode = CopyMode::Copy;
    String sourceFolder;
    String destinationFolder;
    std::vector<CopyItem> items;  // in the order they are copied
    bool askBeforeReplacing = true;
    // The names of the list pane's items (NewNames.h); a duplicate's name is
    // taken when one of them has it (without regard to case) or the path
    // exists.
    std::vector<String> listedNames;
    // The duplicate prefixes: the first, then a format taking n = 2, 3, ...
    String copyOfPrefix = L"Copy of ";
    String numberedCopyOfPrefix = L"Copy (%d) of ";

    // Set by the dialog's Cancel, read by the engine before each item and
    // each file, and by the running file copy between its blocks.
    std::atomic<bool> cancel{false};

    // ---- left by the engine -----------------------------------------------------
    OverwriteAnswer answer = OverwriteAnswer::NotAsked;
    int fileCount = 0;                // counted before the copying starts
    std::vector<int> itemFileCounts;  // per item: files inside a folder, 1 for a file
    std::vector<String> resultNames;  // per item: its name in the destination; empty when not copied
    bool folderCreated = false;

    // The result names that were copied.
    std::vector<String> CopiedNames() const;
};

class CopyEngine {
public:
    CopyEngine(CopyJob& job, CopyProgress& progress) noexcept : m_job(job), m_progress(progress) {}

    // Runs the whole job. Failures are reported through the progress and end
    // the job; what was copied stays copied.
    void Run();

private:
    enum class Step { Go, Stop };

    int CountFiles(const String& folder) const;
    Step CopyItemAt(size_t index, int itemCount);
    Step CopyFolder(const String& source, const String& destination);
    // Copies one file: read-only destination cleared for the attempt (and
    // restored when it fails), the destination given the source's attributes.
    Step CopyFile(const String& source, const String& destination, const String& name, DWORD sourceAttributes,
                  uint64_t sourceSize);
    // Deletes a moved file's source (read-only cleared first, restored when
    // the delete fails).
    bool DeleteSource(const String& source);
    bool Cancelled() const noexcept { return m_job.cancel.load(); }
    UINT FailureMessage() const noexcept;
    // Whether `bytes` more fit on the destination's volume (as the platform
    // reports its free space, less what this job wrote).
    bool Fits(uint64_t bytes);

    CopyJob& m_job;
    CopyProgress& m_progress;
    bool m_destinationExisted = false;
    std::optional<uint64_t> m_freeBytes;
    bool m_freeKnown = false;
};
