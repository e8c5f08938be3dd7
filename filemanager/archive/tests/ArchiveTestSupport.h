// What the archive reader's native tests share: an archive opened from
// bytes, and local times read as universal time.
#pragma once

#include "filemanager/archive/Archive.h"
#include "filemanager/archive/NativeNames.h"

#include <string>

inline bool OpenBytes(Archive& archive, const std::string& bytes, MemoryByteSource** source = nullptr)
{
    auto memory = std::make_unique<MemoryByteSource>(bytes);
    if (source)
        *source = memory.get();
    NativeNameConverter names;
    return OpenArchive(archive, std::move(memory), names);
}

// Days from 1970-01-01 of a proleptic Gregorian date (month 1-12).
inline std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

inline std::int64_t UtcSeconds(std::tm& t)
{
    return DaysFromCivil(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday) * 86400 + t.tm_hour * 3600 + t.tm_min * 60 +
           t.tm_sec;
}
