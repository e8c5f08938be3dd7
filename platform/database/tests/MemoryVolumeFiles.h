// A volume's files in memory, for the tests that cut, flip and fill the
// journal at every byte and for the fuzz target. Files are shared buffers: a
// journal opened before a rewrite keeps the old bytes, as an open file does.
#pragma once

#include "platform/database/VolumeFiles.h"

#include <cstring>
#include <memory>
#include <vector>

namespace vellumate::database::testing {

using Bytes = std::vector<std::uint8_t>;

struct MemoryDisk {
    std::shared_ptr<Bytes> journal;  // null: no volume file
    std::shared_ptr<Bytes> side;
    std::size_t freeBytes = SIZE_MAX;  // writes past this fail as a full disk would, part written
    int syncs = 0;
};

class MemoryJournal final : public JournalFile {
public:
    MemoryJournal(MemoryDisk& disk, std::shared_ptr<Bytes> bytes) : m_disk(disk), m_bytes(std::move(bytes)) {}

    DbStatus Size(std::uint64_t& size) override
    {
        size = m_bytes->size();
        return DbStatus::Ok;
    }
    DbStatus Read(std::uint64_t offset, std::uint8_t* data, std::size_t count) override
    {
        if (offset > m_bytes->size() || m_bytes->size() - offset < count)
            return DbStatus::Io;
        std::memcpy(data, m_bytes->data() + offset, count);
        return DbStatus::Ok;
    }
    DbStatus Write(std::uint64_t offset, const std::uint8_t* data, std::size_t count) override
    {
        if (offset > m_bytes->size())
            return DbStatus::Io;
        m_bytes->resize(offset);
        const std::size_t room = m_disk.freeBytes > offset ? m_disk.freeBytes - offset : 0;
        const std::size_t written = count < room ? count : room;
        m_bytes->insert(m_bytes->end(), data, data + written);
        return written == count ? DbStatus::Ok : DbStatus::DiskFull;
    }
    DbStatus Sync() override
    {
        ++m_disk.syncs;
        return DbStatus::Ok;
    }
    DbStatus Truncate(std::uint64_t size) override
    {
        if (size < m_bytes->size())
            m_bytes->resize(size);
        return DbStatus::Ok;
    }

private:
    MemoryDisk& m_disk;
    std::shared_ptr<Bytes> m_bytes;
};

class MemoryVolumeFiles final : public VolumeFiles {
public:
    explicit MemoryVolumeFiles(MemoryDisk& disk) : m_disk(disk) {}

    DbStatus Open(bool create, std::unique_ptr<JournalFile>& file) override
    {
        if (!m_disk.journal) {
            if (!create)
                return DbStatus::NotFound;
            m_disk.journal = std::make_shared<Bytes>();
        }
        file = std::make_unique<MemoryJournal>(m_disk, m_disk.journal);
        return DbStatus::Ok;
    }
    DbStatus CreateReplacement(std::unique_ptr<JournalFile>& file) override
    {
        m_disk.side = std::make_shared<Bytes>();
        file = std::make_unique<MemoryJournal>(m_disk, m_disk.side);
        return DbStatus::Ok;
    }
    DbStatus CommitReplacement() override
    {
        if (!m_disk.side)
            return DbStatus::Io;
        m_disk.journal = std::move(m_disk.side);
        return DbStatus::Ok;
    }
    void DiscardReplacement() noexcept override { m_disk.side.reset(); }
    void Lock() noexcept override {}
    void Unlock() noexcept override {}

private:
    MemoryDisk& m_disk;
};

}  // namespace vellumate::database::testing
