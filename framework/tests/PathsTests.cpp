#include "framework/Paths.h"
#include "framework/testsupport/TempFolder.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(PathTexts, Rules)
{
    const struct {
        String (*operation)(const wchar_t*);
        const wchar_t* path;
        const wchar_t* expected;
    } cases[] = {
        {AddTrailingSeparator, L"\\Windows", L"\\Windows\\"},
        {AddTrailingSeparator, L"\\Windows\\", L"\\Windows\\"},
        {AddTrailingSeparator, L"\\", L"\\"},
        {AddTrailingSeparator, L"", L""},
        {AddTrailingSeparator, L"\\\\server", L"\\\\server\\"},
        {RemoveTrailingSeparator, L"\\Windows\\", L"\\Windows"},
        {RemoveTrailingSeparator, L"\\", L"\\"},
        {RemoveTrailingSeparator, L"\\\\", L"\\\\"},
        {GetFileName, L"\\docs\\x.tar.gz", L"x.tar.gz"},
        {GetFileName, L"\\docs/readme", L"readme"},
        {GetFileName, L"D:name", L"name"},
        {GetFileName, L"plain", L"plain"},
        {GetFileName, L"\\folder\\", L""},
        {GetFileTitle, L"\\a.b\\readme", L"readme"},
        {GetFileTitle, L"\\docs\\x.tar.gz", L"x.tar"},
        {GetFileTitle, L"\\docs\\.profile", L""},
        {GetFileTitle, L"\u6771\u4EAC.txt", L"\u6771\u4EAC"},
        {GetExtension, L"\\a.b\\readme", L"b\\readme"},
        {GetExtension, L"\\docs\\x.tar.gz", L"gz"},
        {GetExtension, L"\\docs\\readme", L"\\docs\\readme"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.operation(c.path), String(c.expected)) << std::wstring(c.path);

    EXPECT_EQ(GetDirectory(L"\\My Documents\\Notes.txt", false), String(L"\\My Documents"));
    EXPECT_EQ(GetDirectory(L"\\My Documents\\Notes.txt", true), String(L"\\My Documents\\"));
    EXPECT_EQ(GetDirectory(L"\\Windows", false), String(L""));
    EXPECT_EQ(GetDirectory(L"\\Windows", true), String(L"\\"));
    EXPECT_EQ(GetDirectory(L"a/b:c", false), String(L"a/b"));
    EXPECT_EQ(GetDirectory(L"plain", true), String(L""));
}

TEST(PathTexts, LongPathsAreNeverCut)
{
    String folder = L"\\" + String(L'f', 258);
    String path = folder + L"\\" + String(L'n', 300) + L".txt";
    EXPECT_EQ(GetDirectory(path, false), folder);
    EXPECT_EQ(GetFileTitle(path), String(L'n', 300));
    EXPECT_EQ(AddTrailingSeparator(folder).Length(), 260);
    EXPECT_EQ(RemoveTrailingSeparator(folder + L"\\"), folder);
}

class FileSystem : public ::testing::Test {
protected:
    String Folder() const { return m_folder.Path().c_str(); }
    String Path(const wchar_t* relative) const { return (m_folder / relative).c_str(); }

    static void MakeFile(const String& path)
    {
        HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }

    static void MakeFolder(const String& path) { ASSERT_TRUE(CreateDirectoryW(path, nullptr)); }

    static bool IsFolderOnDisk(const String& path)
    {
        DWORD attributes = GetFileAttributesW(path);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    vellumate::TempFolder m_folder;
};

TEST_F(FileSystem, TheRootExistsWithoutAsking)
{
    WIN32_FIND_DATAW data;
    std::memset(&data, 0xAB, sizeof data);
    ASSERT_TRUE(FileExists(L"\\", &data));
    EXPECT_STREQ(data.cFileName, L"\\");
    EXPECT_EQ(data.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(data.nFileSizeLow, 0u);
    EXPECT_EQ(data.ftLastWriteTime.dwLowDateTime, 0u);
}

TEST_F(FileSystem, FileExistsFindsFilesAndFoldersButNoPatterns)
{
    String file = Path(L"Gr\u00FC\u00DFe \u6771\u4EAC.txt");
    MakeFile(file);
    MakeFolder(Path(L"Sub"));

    WIN32_FIND_DATAW data{};
    ASSERT_TRUE(FileExists(file, &data));
    EXPECT_STREQ(data.cFileName, L"Gr\u00FC\u00DFe \u6771\u4EAC.txt");
    ASSERT_TRUE(FileExists(Path(L"Sub"), &data));
    EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(FileExists(Path(L"Absent\\x.txt")));
    EXPECT_FALSE(FileExists(L""));
    EXPECT_FALSE(FileExists(nullptr));
    EXPECT_FALSE(FileExists(Path(L"*.txt")));
    EXPECT_FALSE(FileExists(Path(L"Gr\u00FC\u00DFe ??.txt")));
}

TEST_F(FileSystem, ListSubfoldersCountsFoldersOnly)
{
    MakeFolder(Path(L"Beta"));
    MakeFolder(Path(L"Alpha \u00C4rger"));
    MakeFolder(Path(L"Empty"));
    MakeFile(Path(L"file.txt"));
    MakeFile(Path(L"Beta\\inner.txt"));

    String names(L"kept|");
    ASSERT_EQ(ListSubfolders(Folder(), &names, true), 3);
    EXPECT_EQ(names.Find(L"kept|"), 0);
    EXPECT_GE(names.Find(L"|Beta|"), 0);
    EXPECT_GE(names.Find(L"|Alpha \u00C4rger|"), 0);
    EXPECT_EQ(names.Length(), 5 + 5 + 12 + 6);

    String untouched;
    EXPECT_EQ(ListSubfolders(AddTrailingSeparator(Folder()), &untouched, false), 1);
    EXPECT_TRUE(untouched.IsEmpty());
    EXPECT_EQ(ListSubfolders(Path(L"Empty"), &untouched, true), 0);
    EXPECT_EQ(ListSubfolders(Path(L"Beta"), &untouched, false), 0);
    EXPECT_EQ(ListSubfolders(Path(L"Absent"), &untouched, true), -1);
}

TEST_F(FileSystem, CreateFolderPathMakesEveryLevel)
{
    String deep = Path(L"One\\Zwei \u00FC\\\u4E09\\");
    ASSERT_TRUE(CreateFolderPath(deep));
    EXPECT_TRUE(IsFolderOnDisk(Path(L"One\\Zwei \u00FC\\\u4E09")));
    EXPECT_TRUE(CreateFolderPath(deep));
    EXPECT_TRUE(CreateFolderPath(L""));
    EXPECT_TRUE(CreateFolderPath(L"\\"));
}

TEST_F(FileSystem, CreateFolderPathFailsWhereAFileStands)
{
    MakeFile(Path(L"Taken"));
    EXPECT_FALSE(CreateFolderPath(Path(L"Taken")));
    EXPECT_FALSE(CreateFolderPath(Path(L"Taken\\Below")));
}

TEST_F(FileSystem, CreateFolderPathMakesNothingForAMissingDrive)
{
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(Folder()));
    wchar_t letter = L'Y';
    while (letter > L'D' && (GetLogicalDrives() & (1u << (letter - L'A'))))
        --letter;
    bool created = CreateFolderPath(String(letter, 1) + L":\\Folder\\Sub");
    SetCurrentDirectoryW(previous);
    EXPECT_FALSE(created);
    // The drive letter was not taken for a folder of the current one.
    EXPECT_EQ(ListSubfolders(Folder(), nullptr, true), 0);
}

TEST_F(FileSystem, PathsBeyond260Characters)
{
    String path = Folder();
    while (path.Length() <= 300)
        path += L"\\" + String(L'd', 49) + L"\u00E9";
    ASSERT_TRUE(CreateFolderPath(path));
    EXPECT_TRUE(FileExists(path));
    MakeFolder(path + L"\\Child");
    String names;
    EXPECT_EQ(ListSubfolders(path, &names, true), 1);
    EXPECT_EQ(names, String(L"Child|"));
}

// The verdict and the record a refused name leaves.
void ExpectName(const wchar_t* name, const wchar_t* folder, const wchar_t* extra, UINT refusal)
{
    std::wstring shown = name ? name : L"(null)";
    ErrorInfo error(12345);
    EXPECT_EQ(ValidateFileName(name, folder, extra, &error), refusal == 0) << shown;
    EXPECT_EQ(error.MessageNumber(), refusal == 0 ? 12345u : refusal) << shown;
    if (refusal != 0) {
        EXPECT_EQ(error.Code(1), 100u);
        EXPECT_EQ(error.Code(2), 2100u);
        EXPECT_EQ(error.Code(3), 10u);
        EXPECT_EQ(error.Code(4), 0u);
        EXPECT_STREQ(error.Text(), L"");
    }
}

TEST(FileNameCheck, EmptyAndDotNames)
{
    ExpectName(L"   .profile", nullptr, nullptr, IDS_NAME_EMPTY);
    ExpectName(L" \t ", nullptr, nullptr, IDS_NAME_EMPTY);
    ExpectName(L"", nullptr, nullptr, IDS_NAME_EMPTY);
    ExpectName(nullptr, nullptr, nullptr, IDS_NAME_EMPTY);
    ExpectName(L"report 1.txt", nullptr, nullptr, 0);
    ExpectName(L"  leading spaces", nullptr, nullptr, 0);
    EXPECT_FALSE(ValidateFileName(L".x", nullptr, nullptr, nullptr));
}

TEST(FileNameCheck, EveryForbiddenCharacter)
{
    for (wchar_t forbidden : std::wstring(L"\\/:*?\"<>|")) {
        ExpectName((L"bad" + std::wstring(1, forbidden) + L"name.txt").c_str(), nullptr, nullptr,
                   IDS_NAME_BAD_CHARACTER);
        ExpectName((std::wstring(1, forbidden) + L"x").c_str(), nullptr, nullptr, IDS_NAME_BAD_CHARACTER);
    }
    ExpectName(L"a;b", nullptr, L";,", IDS_NAME_BAD_CHARACTER);
    ExpectName(L"a;b", nullptr, nullptr, 0);
    ExpectName(L"P\u0159\u00EDlohy \u201EGr\u00FC\u00DFe\u201C \u6771\u4EAC \u2713.txt", nullptr, nullptr, 0);
    ExpectName(L"a+b=c [1] (2) {3} #4 ~5 &6 '7'", nullptr, nullptr, 0);
}

TEST(FileNameCheck, LengthLimits)
{
    ExpectName(String(L'n', 260), nullptr, nullptr, 0);
    ExpectName(String(L'n', 261), nullptr, nullptr, IDS_NAME_TOO_LONG);
    ExpectName(String(L' ', 2) + String(L'n', 259), nullptr, nullptr, IDS_NAME_TOO_LONG);
    ExpectName(String(L'?', 261), nullptr, nullptr, IDS_NAME_TOO_LONG);
    // Folder, separator and name within 260 characters.
    String folder = L"\\" + String(L'f', 199);
    ExpectName(String(L'n', 59), folder, nullptr, 0);
    ExpectName(String(L'n', 60), folder, nullptr, IDS_NAME_TOO_LONG);
}

}  // namespace
