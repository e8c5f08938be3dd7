// Pellory's backup file (".ztc") as bytes: a 128-byte identification text,
// five figures of the SIM that wrote it, then one fixed-width record per
// filled slot. Numbers are little-endian, texts UTF-16LE.
//
//   0    128  identification, zero-padded ("Pellory 1.10 1")
//   128  4    N, the longest name, in characters
//   132  4    M, the longest number, in characters
//   136  4    first SIM index
//   140  4    last SIM index
//   144  4    R, the record count
//   148  R x (2 + 2N + 2M): SIM index (low 16 bits), name, number, each text
//        zero-padded (a text of the field's full length has no terminator)
//
// The file has no checksum, so the reader trusts nothing it cannot check: the
// figures must be ones a SIM can have, the size must be exactly what they
// promise, and every record must name a position inside the file's range, at
// most once. A file that fails any of it is no backup at all, so that a
// restore never begins on a damaged file.
//
// Portable C++ without Win32, so that the host build fuzzes the reader; texts
// are UTF-16 code units in wchar_t on every system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t BackupIdentificationBytes = 128;
inline constexpr std::size_t BackupHeaderBytes = 148;
// The longest text a SIM's entry record holds.
inline constexpr std::uint32_t BackupMaxTextLength = 255;
// The most positions a phonebook store keeps.
inline constexpr std::uint32_t BackupMaxPositions = 0xFFFF;

// "Pellory 1.MM 1": what this version writes (minor 10) and the older one it
// also reads (minor 0), which has the same layout.
inline constexpr unsigned BackupMinorVersion = 10;
inline constexpr unsigned BackupOlderMinorVersion = 0;
std::wstring BackupIdentification(unsigned minorVersion);

struct BackupFigures {
    std::uint32_t nameLength = 0;    // N
    std::uint32_t numberLength = 0;  // M
    std::uint32_t minIndex = 0;
    std::uint32_t maxIndex = 0;
    std::uint32_t recordCount = 0;  // R

    bool operator==(const BackupFigures&) const = default;
};

struct BackupRecord {
    std::uint16_t index = 0;  // the SIM index's low 16 bits
    std::wstring name;
    std::wstring number;

    bool operator==(const BackupRecord&) const = default;
};

struct Backup {
    BackupFigures figures;
    std::vector<BackupRecord> records;
};

// Positions of the file's range: max - min + 1 (0 when max < min).
std::uint64_t BackupCapacity(const BackupFigures& figures) noexcept;
// 148 + R x (2 + 2N + 2M).
std::uint64_t BackupFileBytes(const BackupFigures& figures) noexcept;
// A record's place in the store the file was written from: its index less
// the first index, both taken as 16 bits, as the file keeps them.
std::uint32_t BackupPosition(const BackupFigures& figures, const BackupRecord& record) noexcept;

// The file for `figures` and `records`; the record count is the records',
// and each text is cut to its field.
std::string FormatBackup(BackupFigures figures, const std::vector<BackupRecord>& records);

enum class BackupProblem {
    None,
    NotBackup,   // neither identification text
    BadFigures,  // lengths, range or count no SIM has
    WrongSize,   // the file is shorter or longer than its figures say
    BadRecord,   // a record outside the range, or a position twice
};

// The header alone (the first 148 bytes): the figures, or why they cannot
// describe a backup. Lets a reader learn the whole size before reading it.
struct BackupHeaderReading {
    std::optional<BackupFigures> figures;
    BackupProblem problem = BackupProblem::None;
};
BackupHeaderReading ParseBackupHeader(std::string_view bytes) noexcept;

// The whole file, checked from end to end before anything is handed out.
struct BackupReading {
    std::optional<Backup> backup;
    BackupProblem problem = BackupProblem::None;
};
BackupReading ParseBackup(std::string_view bytes) noexcept;
