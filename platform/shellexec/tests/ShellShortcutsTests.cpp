// The shell's shortcut functions on a device of their own.
#include "platform/shellexec/ShellShortcuts.h"

#include "framework/testsupport/TempDevice.h"

#include "platform/shell/Shortcut.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace vellumate;

namespace {

std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(ShellShortcuts, MadeOnceInTheHandsetsFormatAndReadBack)
{
    TempDevice device;
    device.MakeFolder(L"My Documents");
    wchar_t shortcut[] = L"\\My Documents\\Notes.lnk";
    wchar_t target[] = L"\"\\My Documents\\Notes für mich.txt\"";
    ASSERT_TRUE(handset::SHCreateShortcut(shortcut, target));
    EXPECT_EQ(FileBytes(device.Root() / L"My Documents" / L"Notes.lnk"),
              "34#\"\\My Documents\\Notes f\xC3\xBCr mich.txt\"");

    // The home shell reads what was made.
    const ShortcutReadResult read = ReadShortcutFile((device.Root() / L"My Documents" / L"Notes.lnk").wstring());
    ASSERT_TRUE(read.shortcut);
    EXPECT_EQ(read.shortcut->target, L"\\My Documents\\Notes für mich.txt");

    wchar_t shown[MAX_PATH] = L"x";
    ASSERT_TRUE(handset::SHGetShortcutTarget(shortcut, shown, MAX_PATH));
    EXPECT_STREQ(shown, L"\\My Documents\\Notes für mich.txt");
    // Too small a buffer gets nothing, not a part.
    EXPECT_FALSE(handset::SHGetShortcutTarget(shortcut, shown, 10));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_STREQ(shown, L"");

    // A second time the name is taken and the first shortcut stays.
    wchar_t other[] = L"\\Windows\\vmview.exe";
    EXPECT_FALSE(handset::SHCreateShortcut(shortcut, other));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    ASSERT_TRUE(handset::SHGetShortcutTarget(shortcut, shown, MAX_PATH));
    EXPECT_STREQ(shown, L"\\My Documents\\Notes für mich.txt");
}

TEST(ShellShortcuts, RefuseWhatIsNoShortcut)
{
    TempDevice device;
    device.MakeFolder(L"My Documents");
    wchar_t shortcut[] = L"\\My Documents\\Blank.lnk";
    wchar_t blank[] = L"  ";
    EXPECT_FALSE(handset::SHCreateShortcut(shortcut, blank));
    EXPECT_FALSE(std::filesystem::exists(device.Root() / L"My Documents" / L"Blank.lnk"));
    std::wstring tooLong = L"\\" + std::wstring(256, L'a');
    EXPECT_FALSE(handset::SHCreateShortcut(shortcut, tooLong.data()));

    // Into a folder that is not there.
    wchar_t nowhere[] = L"\\Gone\\Notes.lnk";
    wchar_t target[] = L"\\My Documents\\Notes.txt";
    EXPECT_FALSE(handset::SHCreateShortcut(nowhere, target));

    std::ofstream(device.Root() / L"My Documents" / L"Damaged.lnk", std::ios::binary) << "99#\"\\x\"";
    wchar_t damaged[] = L"\\My Documents\\Damaged.lnk";
    wchar_t shown[MAX_PATH];
    EXPECT_FALSE(handset::SHGetShortcutTarget(damaged, shown, MAX_PATH));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_BAD_FORMAT));
    wchar_t missing[] = L"\\My Documents\\Missing.lnk";
    EXPECT_FALSE(handset::SHGetShortcutTarget(missing, shown, MAX_PATH));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}
