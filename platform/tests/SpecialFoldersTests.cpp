#include "platform/SpecialFolders.h"

#include "platform/DevicePaths.h"

#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace vellumate;

TEST(SpecialFoldersTest, AnswersTheHandsetsPaths)
{
    TempDevice device;
    const std::pair<int, const wchar_t*> expected[] = {
        {CSIDL_PERSONAL, L"\\My Documents"},
        {CSIDL_STARTMENU, L"\\Windows\\Start Menu"},
        {CSIDL_PROGRAMS, L"\\Windows\\Start Menu\\Programs"},
        {CSIDL_WINDOWS, L"\\Windows"},
        {CSIDL_PROGRAM_FILES, L"\\Program Files"},
        {CSIDL_FAVORITES, L"\\Windows\\Favorites"},
    };
    for (const auto& [csidl, path] : expected) {
        wchar_t buffer[MAX_PATH] = L"";
        ASSERT_TRUE(handset::SHGetSpecialFolderPath(nullptr, buffer, csidl, FALSE)) << csidl;
        EXPECT_STREQ(buffer, path);
    }
    // Asking does not create anything.
    EXPECT_FALSE(IsFolder(ToDevicePath(L"\\My Documents")));
}

TEST(SpecialFoldersTest, FoldersTheHandsetLacksAreRefused)
{
    TempDevice device;
    wchar_t buffer[MAX_PATH] = L"untouched";
    EXPECT_FALSE(handset::SHGetSpecialFolderPath(nullptr, buffer, CSIDL_CONTROLS, FALSE));
    EXPECT_FALSE(handset::SHGetSpecialFolderPath(nullptr, buffer, 0x7F, TRUE));
    EXPECT_FALSE(handset::SHGetSpecialFolderPath(nullptr, nullptr, CSIDL_PERSONAL, FALSE));
    EXPECT_STREQ(buffer, L"untouched");
}

TEST(SpecialFoldersTest, CreatesMissingFoldersInTheDeviceOnRequest)
{
    TempDevice device;
    wchar_t buffer[MAX_PATH];
    ASSERT_TRUE(handset::SHGetSpecialFolderPath(nullptr, buffer, CSIDL_PROGRAMS, TRUE));
    EXPECT_TRUE(IsFolder((device.Root() / L"Windows" / L"Start Menu" / L"Programs").wstring()));

    ASSERT_TRUE(handset::SHGetSpecialFolderPath(nullptr, buffer, CSIDL_MYPICTURES | CSIDL_FLAG_CREATE, FALSE));
    EXPECT_STREQ(buffer, L"\\My Documents\\My Pictures");
    EXPECT_TRUE(IsFolder((device.Root() / L"My Documents" / L"My Pictures").wstring()));

    // Existing folders are fine; a file in the way is not.
    ASSERT_TRUE(handset::SHGetSpecialFolderPath(nullptr, buffer, CSIDL_PROGRAMS, TRUE));
    std::ofstream(device.Root() / L"Program Files") << "a file";
    EXPECT_FALSE(handset::SHGetSpecialFolderPath(nullptr, buffer, CSIDL_PROGRAM_FILES, TRUE));
}
