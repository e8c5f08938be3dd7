// A database volume's files on the handset: the volume file itself, its side
// file "NAME.new" for rewrites, and a named mutex per volume file that every
// process mounting it shares.
#pragma once

#include "platform/Handles.h"
#include "platform/database/VolumeFiles.h"

#include <string>

namespace vellumate::database {

// The volume's full path in one spelling (upper case), which names its mutex
// and tells two mounts of one file apart from two files.
std::wstring VolumeKey(const std::wstring& path);

DbStatus StatusFromWin32(DWORD error) noexcept;

class Win32VolumeFiles final : public VolumeFiles {
public:
    explicit Win32VolumeFiles(std::wstring path);

    DbStatus Open(bool create, std::unique_ptr<JournalFile>& file) override;
    DbStatus CreateReplacement(std::unique_ptr<JournalFile>& file) override;
    DbStatus CommitReplacement() override;
    void DiscardReplacement() noexcept override;
    void Lock() noexcept override;
    void Unlock() noexcept override;

private:
    std::wstring m_path;
    KernelHandle m_mutex;
};

}  // namespace vellumate::database
