// The backup file's bytes both ways, the two identification texts, and the
// damaged files the reader refuses. Portable: runs natively and under Wine.
#include "simmanager/BackupFormat.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A SIM of 14-character names, 20-character numbers and positions 1 to 100.
BackupFigures SmallSim()
{
    BackupFigures figures;
    figures.nameLength = 14;
    figures.numberLength = 20;
    figures.minIndex = 1;
    figures.maxIndex = 100;
    return figures;
}

std::vector<BackupRecord> ThreeRecords()
{
    return {{7, L"Anna", L"+441632960001"}, {1, L"Fourteen chars", L"5550100"}, {100, L"", L"112"}};
}

std::uint32_t At(const std::string& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[offset + static_cast<std::size_t>(i)]);
    return value;
}

std::string Utf16(const std::string& ascii)
{
    std::string bytes;
    for (char c : ascii)
        bytes += std::string{c, '\0'};
    return bytes;
}

}  // namespace

TEST(BackupFormatTest, RecordsOfTheWritingSimsWidthsAfterItsFigures)
{
    const std::string bytes = FormatBackup(SmallSim(), ThreeRecords());
    ASSERT_EQ(bytes.size(), 358u);  // 148 + 3 x (2 + 28 + 40)
    EXPECT_EQ(bytes.substr(0, 28), Utf16("Pellory 1.10 1"));
    EXPECT_EQ(bytes.substr(28, 100), std::string(100, '\0'));
    EXPECT_EQ(At(bytes, 128), 14u);
    EXPECT_EQ(At(bytes, 132), 20u);
    EXPECT_EQ(At(bytes, 136), 1u);
    EXPECT_EQ(At(bytes, 140), 100u);
    EXPECT_EQ(At(bytes, 144), 3u);
    // The first record: index 7, "Anna" zero-padded to 28 bytes, the number.
    EXPECT_EQ(bytes.substr(148, 2), std::string("\x07\0", 2));
    EXPECT_EQ(bytes.substr(150, 28), Utf16("Anna") + std::string(20, '\0'));
    EXPECT_EQ(bytes.substr(178, 40), Utf16("+441632960001") + std::string(14, '\0'));
    // A name of the full 14 characters fills its field without a terminator.
    EXPECT_EQ(bytes.substr(218 + 2, 28), Utf16("Fourteen chars"));
    EXPECT_EQ(bytes.substr(218 + 30, 2), Utf16("5"));

    const BackupReading reading = ParseBackup(bytes);
    ASSERT_TRUE(reading.backup) << static_cast<int>(reading.problem);
    BackupFigures expected = SmallSim();
    expected.recordCount = 3;
    EXPECT_EQ(reading.backup->figures, expected);
    EXPECT_EQ(reading.backup->records, ThreeRecords());
    EXPECT_EQ(BackupPosition(expected, reading.backup->records[2]), 99u);
}

TEST(BackupFormatTest, TheOlderIdentificationReadsAlikeAndOtherTextsDoNot)
{
    std::string bytes = FormatBackup(SmallSim(), ThreeRecords());
    bytes.replace(0, 28, Utf16("Pellory 1.00 1"));
    const BackupReading older = ParseBackup(bytes);
    ASSERT_TRUE(older.backup);
    EXPECT_EQ(older.backup->records, ThreeRecords());

    bytes.replace(0, 28, Utf16("Pellory 1.20 1"));
    EXPECT_EQ(ParseBackup(bytes).problem, BackupProblem::NotBackup);
    bytes.replace(0, 28, std::string(28, '\0'));
    EXPECT_EQ(ParseBackup(bytes).problem, BackupProblem::NotBackup);
}

TEST(BackupFormatTest, DamagedFilesAreRefusedWhole)
{
    const std::string good = FormatBackup(SmallSim(), ThreeRecords());
    // Cut anywhere, or one byte too many.
    for (std::size_t length : {std::size_t{0}, std::size_t{100}, std::size_t{147}, std::size_t{148}, good.size() - 1})
        EXPECT_EQ(ParseBackup(good.substr(0, length)).problem, BackupProblem::WrongSize) << length;
    EXPECT_EQ(ParseBackup(good + '\0').problem, BackupProblem::WrongSize);

    auto withFigure = [&](std::size_t offset, std::uint32_t value) {
        std::string bytes = good;
        for (int i = 0; i < 4; ++i)
            bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
        return ParseBackup(bytes).problem;
    };
    EXPECT_EQ(withFigure(128, 256), BackupProblem::BadFigures);      // a name longer than a SIM holds
    EXPECT_EQ(withFigure(140, 0), BackupProblem::BadFigures);        // last index before the first
    EXPECT_EQ(withFigure(140, 0x10000), BackupProblem::BadFigures);  // more positions than a store keeps
    EXPECT_EQ(withFigure(144, 101), BackupProblem::BadFigures);      // more records than positions
    EXPECT_EQ(withFigure(144, 2), BackupProblem::WrongSize);         // a count that does not match
    EXPECT_EQ(withFigure(144, 0xFFFFFFFF), BackupProblem::BadFigures);

    std::string outside = good;
    outside[148 + 70] = 101;  // the second record at index 101 of 1..100
    EXPECT_EQ(ParseBackup(outside).problem, BackupProblem::BadRecord);
    std::string twice = good;
    twice[148 + 70] = 7;  // the second record at the first one's index
    EXPECT_EQ(ParseBackup(twice).problem, BackupProblem::BadRecord);
}
