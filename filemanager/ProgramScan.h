// The scan behind the open-with dialog: every program ("*.exe") of the
// handset, folder by folder from the root, each folder's programs before
// its subfolders'. No window code: programs reach a sink as they are found,
// and a cancel flag that the other side sets ends the scan early.
#pragma once

#include "framework/String.h"

#include <atomic>

struct FoundProgram {
    String name;
    String folder;  // a handset folder path ("" for the root)

    // folder + "\" + name
    String Path() const;
};

class ProgramSink {
public:
    virtual ~ProgramSink() = default;
    // On the scanning thread.
    virtual void OnProgram(const FoundProgram& program) = 0;
};

// Scans `folder` and everything below it on the calling thread until done or
// `cancel` is set; hidden programs are left out when `skipHidden`. Returns
// the number of programs found. The walk keeps its own list of folders
// still to scan, so a deep tree cannot exhaust the thread's stack, and
// follows no links between folders, so a tree that contains itself ends.
int ScanPrograms(const wchar_t* folder, bool skipHidden, ProgramSink& sink, const std::atomic<bool>& cancel);
