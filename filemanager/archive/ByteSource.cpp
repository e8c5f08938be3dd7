#include "filemanager/archive/ByteSource.h"

#include <cstring>

std::size_t MemoryByteSource::ReadAt(std::uint64_t offset, std::uint8_t* data, std::size_t count)
{
    if (offset >= m_bytes.size())
        return 0;
    const std::size_t available = m_bytes.size() - static_cast<std::size_t>(offset);
    const std::size_t n = count < available ? count : available;
    std::memcpy(data, m_bytes.data() + offset, n);
    return n;
}
