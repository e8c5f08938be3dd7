// One member of a zip archive as its central-directory entry records it, and
// the questions the browser and the engine ask of it.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

struct ArchiveMember {
    // Converted to UTF-16 and with "\" between components, as the browser
    // shows it. Not yet judged safe to write (IsSafeMemberName).
    std::wstring name;
    std::uint16_t versionMadeBy = 0;
    std::uint16_t versionNeeded = 0;
    std::uint16_t flags = 0;   // MemberFlagEncrypted, MemberFlagDataDescriptor
    std::uint16_t method = 0;  // 0 stored; anything else is inflated
    std::uint16_t time = 0;    // DOS time and date of the last change
    std::uint16_t date = 0;
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t uncompressedSize = 0;
    std::uint16_t nameLength = 0;  // bytes as recorded, before conversion
    std::uint16_t extraLength = 0;
    std::uint16_t commentLength = 0;
    std::uint16_t diskNumberStart = 0;
    std::uint16_t internalAttributes = 0;
    std::uint32_t externalAttributes = 0;  // MemberAttributeFolder marks a folder entry
    std::uint32_t localHeaderOffset = 0;   // before the archive's offset adjustment
};

constexpr std::uint16_t MemberFlagEncrypted = 0x0001;
constexpr std::uint16_t MemberFlagDataDescriptor = 0x0008;
constexpr std::uint32_t MemberAttributeFolder = 0x10;

// A folder entry: the folder attribute, or a name that ends in "\" (zip
// writers that record no attributes mark folders that way).
bool IsFolder(const ArchiveMember& member) noexcept;
bool IsEncrypted(const ArchiveMember& member) noexcept;

// The name up to its last "\" (a folder entry's trailing "\" ignored); empty
// for a member of the archive's root.
std::wstring FolderPart(const ArchiveMember& member);
// The rest of the name after the folder part.
std::wstring LeafName(const ArchiveMember& member);

// The DOS date and time as a local calendar time.
std::tm DosTimeToTm(std::uint16_t time, std::uint16_t date) noexcept;

// Local calendar time to seconds since 1970 UTC: the framework's MakeTime on
// the handset (Win32ArchiveFiles.h has MemberFileTime without this
// argument); native code passes a converter of its own.
using LocalTimeToSeconds = std::int64_t (*)(std::tm& time);

// The member's time as a file time (100-nanosecond units since 1601).
std::uint64_t MemberFileTime(const ArchiveMember& member, LocalTimeToSeconds toSeconds);

// Whether the name can be written below a destination and stays there: no
// empty, "." or ".." component (so no absolute path either), no ":" (drive
// letters, alternate streams), no control character or character the file
// system refuses, no component ending in "." or " " (Windows drops those,
// which turns "..." or ".. " into something else) and no device name (CON,
// PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension). The engine
// refuses a member that fails this (ExtractResult::UnsafeName) rather than
// guessing a cleaned name the user never saw in the browser.
bool IsSafeMemberName(const std::wstring& name);
