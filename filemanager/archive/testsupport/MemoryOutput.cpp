#include "filemanager/archive/testsupport/MemoryOutput.h"

namespace {

class MemoryOutputFile final : public OutputFile {
public:
    MemoryOutputFile(MemoryOutputSink& sink, std::wstring path) : m_sink(sink), m_path(std::move(path))
    {
        ++m_sink.openOutputs;
    }
    ~MemoryOutputFile() override { --m_sink.openOutputs; }

    bool Write(const std::uint8_t* data, std::size_t count) override
    {
        ++m_writes;
        if (m_bytes.size() + count > m_sink.writeLimit) {
            m_bytes.append(reinterpret_cast<const char*>(data), m_sink.writeLimit - m_bytes.size());
            return false;
        }
        m_bytes.append(reinterpret_cast<const char*>(data), count);
        return true;
    }
    bool StillExists() override { return m_sink.vanishAfterWrites < 0 || m_writes < m_sink.vanishAfterWrites; }
    bool Commit() override
    {
        m_sink.files[m_path] = std::move(m_bytes);
        return true;
    }

private:
    MemoryOutputSink& m_sink;
    std::wstring m_path;
    std::string m_bytes;
    int m_writes = 0;
};

}  // namespace

bool MemoryOutputSink::MakeFolders(const std::wstring& path)
{
    // Every folder along the path, as the file system would have them.
    for (std::size_t at = path.find(L'\\', 1); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        folders.insert(path.substr(0, at));
    folders.insert(path);
    return true;
}

bool MemoryOutputSink::Exists(const std::wstring& path)
{
    return files.count(path) != 0 || folders.count(path) != 0;
}

std::unique_ptr<OutputFile> MemoryOutputSink::Create(const std::wstring& path)
{
    if (refuseCreate)
        return nullptr;
    ++createdOutputs;
    return std::make_unique<MemoryOutputFile>(*this, path);
}
