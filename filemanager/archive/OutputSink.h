// Where extracted members go. The engine writes through this interface only:
// the handset's file system (Win32ArchiveFiles.h) or memory (the native tests
// and the fuzz target).
//
// A created file stays invisible under its own name until Commit: the engine
// commits a member only after its size and CRC-32 checked out, so a corrupt,
// cancelled or failed member never leaves a file under its name (and a file
// it was to replace stays as it was).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class OutputFile {
public:
    // Without Commit the partial output is deleted.
    virtual ~OutputFile() = default;
    // false when not every byte could be written (a full disk).
    virtual bool Write(const std::uint8_t* data, std::size_t count) = 0;
    // Whether the partial output is still there (a removed card).
    virtual bool StillExists() = 0;
    // Gives the complete output its final name, replacing a file of that
    // name; false when that fails (the output is then deleted).
    virtual bool Commit() = 0;
};

class OutputSink {
public:
    virtual ~OutputSink() = default;
    // Creates the folder and any missing folders along its path; true when
    // it exists afterwards.
    virtual bool MakeFolders(const std::wstring& path) = 0;
    // Whether a file or folder of that path exists (the replace question).
    virtual bool Exists(const std::wstring& path) = 0;
    // A new output for `path`, whose folder exists; null when it cannot be
    // created.
    virtual std::unique_ptr<OutputFile> Create(const std::wstring& path) = 0;
};
