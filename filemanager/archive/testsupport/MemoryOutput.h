// Extraction into memory, for the native tests and the fuzz target: the
// committed files and the folders made, by path, and what is still open.
#pragma once

#include "filemanager/archive/OutputSink.h"

#include <map>
#include <set>
#include <string>

class MemoryOutputSink final : public OutputSink {
public:
    bool MakeFolders(const std::wstring& path) override;
    bool Exists(const std::wstring& path) override;
    std::unique_ptr<OutputFile> Create(const std::wstring& path) override;

    std::map<std::wstring, std::string> files;  // committed outputs
    std::set<std::wstring> folders;
    int openOutputs = 0;  // created and neither committed nor dropped
    int createdOutputs = 0;
    // Fault injection: writes fail once this many bytes were taken; the next
    // output "vanishes" after this many writes.
    std::size_t writeLimit = static_cast<std::size_t>(-1);
    int vanishAfterWrites = -1;
    bool refuseCreate = false;
};
