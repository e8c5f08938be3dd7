// The archive engine on the handset: a zip file as a byte source, the device
// file system as an output sink, the handset's code pages for member names,
// and member times through the framework's date library. Paths are handset
// paths (filemanager/DeviceFiles.h).
#pragma once

#include "filemanager/archive/Archive.h"
#include "filemanager/archive/OutputSink.h"
#include "platform/Handles.h"

#include <windows.h>

#include <memory>
#include <string>

// An open zip file, read-only and shared so that other programs may read and
// even delete it meanwhile; existence is checked by its path.
class FileByteSource final : public ByteSource {
public:
    // null when the file cannot be opened for reading.
    static std::unique_ptr<FileByteSource> Open(const std::wstring& handsetPath);

    bool Size(std::uint64_t& size) override;
    std::size_t ReadAt(std::uint64_t offset, std::uint8_t* data, std::size_t count) override;
    bool StillExists() override;

private:
    FileByteSource(vellumate::FileHandle file, std::wstring fileSystemPath)
        : m_file(std::move(file)), m_path(std::move(fileSystemPath))
    {
    }

    vellumate::FileHandle m_file;
    std::wstring m_path;
};

// Member names through MultiByteToWideChar, refusing invalid sequences so
// that names that are not code page 950 fall back to the ANSI code page.
class Win32NameConverter final : public NameConverter {
public:
    bool Convert(unsigned codePage, std::string_view bytes, std::wstring& text) override;
};

// The device's files. Each output is written under a temporary name beside
// its target ("~NAME.N.tmp", hidden) and renamed over the target by Commit.
class Win32OutputSink final : public OutputSink {
public:
    bool MakeFolders(const std::wstring& path) override;
    bool Exists(const std::wstring& path) override;
    std::unique_ptr<OutputFile> Create(const std::wstring& path) override;
};

// OpenArchive over the handset file at `handsetPath` with the handset's code
// pages; archive.path is set to it. false when the file cannot be opened or
// has no end record.
bool OpenArchiveFile(Archive& archive, const std::wstring& handsetPath);

// The member's time as a FILETIME, its DOS time read as local time by the
// framework's MakeTime.
FILETIME MemberFileTime(const ArchiveMember& member);
