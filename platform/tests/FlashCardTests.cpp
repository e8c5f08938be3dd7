#include "platform/FlashCard.h"
#include "platform/VolumeSpace.h"

#include "platform/Handles.h"

#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

using namespace vellumate;

namespace {

constexpr char Profile[] = "[store]\nsize=50000000\nfree=20000000\n"
                           "[card:Storage Card]\nstate=inserted\nsize=134217728\nfree=100000000\n"
                           "[card:Release]\nstate=inserted\nsize=1000\nfree=10\n"
                           "[card:Parked]\nstate=removed\n"
                           "[card:Lost]\nstate=inserted\n"   // its folder does not exist
                           "[card:Flat]\nstate=inserted\n";  // a file, not a folder

class FlashCardTest : public ::testing::Test {
protected:
    FlashCardTest() : device_(Profile)
    {
        for (const wchar_t* folder : {L"Storage Card\\DCIM", L"Release", L"Parked", L"My Documents", L"Windows"})
            device_.MakeFolder(folder);
        std::ofstream(device_.Root() / L"Flat") << "not a card";
    }

    // Every card the enumeration returns, checking each entry on the way.
    std::set<std::wstring> Cards()
    {
        std::set<std::wstring> names;
        WIN32_FIND_DATAW data;
        FindHandle find(FindFirstFlashCard(&data));
        if (!find) {
            EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
            return names;
        }
        do {
            EXPECT_EQ(data.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY));
            EXPECT_EQ(data.nFileSizeLow, 0u);
            EXPECT_TRUE(names.insert(data.cFileName).second) << "twice: " << testing::PrintToString(data.cFileName);
        } while (FindNextFlashCard(find.Get(), &data));
        EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
        return names;
    }

    TempDevice device_;
};

struct Space {
    ULONGLONG available = 0;
    ULONGLONG total = 0;
    ULONGLONG free = 0;
};

std::optional<Space> SpaceOf(const wchar_t* path)
{
    ULARGE_INTEGER available, total, free;
    if (!handset::GetDiskFreeSpaceExW(path, &available, &total, &free))
        return std::nullopt;
    return Space{available.QuadPart, total.QuadPart, free.QuadPart};
}

}  // namespace

TEST_F(FlashCardTest, ListsTheInsertedCardsWhoseFoldersExist)
{
    EXPECT_EQ(Cards(), (std::set<std::wstring>{L"Storage Card", L"Release"}));
}

TEST_F(FlashCardTest, FollowsInsertionAndRemovalInTheProfile)
{
    device_.WriteProfile("[card:Parked]\nstate=inserted\n[card:Storage Card]\nstate=removed\n");
    EXPECT_EQ(Cards(), (std::set<std::wstring>{L"Parked"}));

    device_.WriteProfile("[store]\nsize=10\n");
    EXPECT_TRUE(Cards().empty());

    ::SetEnvironmentVariableW(ProfileVariable, nullptr);  // no profile: a handset without cards
    EXPECT_TRUE(Cards().empty());
}

TEST_F(FlashCardTest, AnEnumerationUnderWaySeesACardRemovedMeanwhile)
{
    device_.WriteProfile("[card:A]\n[card:B]\n[card:C]\n");
    for (const wchar_t* folder : {L"A", L"B", L"C"})
        device_.MakeFolder(folder);

    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFlashCard(&data));
    ASSERT_TRUE(find);
    const std::wstring first = data.cFileName;

    // Remove every card but the one already returned.
    device_.WriteProfile("[card:" + std::string(first.begin(), first.end()) + "]\n");
    EXPECT_FALSE(FindNextFlashCard(find.Get(), &data));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
}

TEST_F(FlashCardTest, BadArgumentsFailCleanly)
{
    EXPECT_EQ(FindFirstFlashCard(nullptr), INVALID_HANDLE_VALUE);
    WIN32_FIND_DATAW data;
    EXPECT_FALSE(FindNextFlashCard(INVALID_HANDLE_VALUE, &data));

    ::SetEnvironmentVariableW(RootVariable, (device_.Root() / L"missing").c_str());
    EXPECT_EQ(FindFirstFlashCard(&data), INVALID_HANDLE_VALUE);
}

TEST_F(FlashCardTest, VolumesReportStoreOrCardFigures)
{
    const Space store{20000000, 50000000, 20000000};
    const Space card{100000000, 134217728, 100000000};
    const auto expectSpace = [](const wchar_t* path, const Space& expected) {
        const std::optional<Space> space = SpaceOf(path);
        ASSERT_TRUE(space) << testing::PrintToString(path);
        EXPECT_EQ(space->available, expected.available) << testing::PrintToString(path);
        EXPECT_EQ(space->total, expected.total) << testing::PrintToString(path);
        EXPECT_EQ(space->free, expected.free) << testing::PrintToString(path);
    };
    expectSpace(L"\\", store);
    expectSpace(nullptr, store);
    expectSpace(L"\\My Documents\\", store);
    expectSpace(L"\\Storage Card", card);
    expectSpace(L"\\storage card\\DCIM\\", card);
    expectSpace((device_.Root() / L"Storage Card").c_str(), card);  // the same folder by its Win32 path
    expectSpace(L"\\Parked", store);  // a removed card's folder left behind is an ordinary folder
    expectSpace(L"\\Release", Space{10, 1000, 10});

    ::SetLastError(0);
    EXPECT_FALSE(SpaceOf(L"\\Lost"));
    EXPECT_NE(::GetLastError(), 0u);
    EXPECT_FALSE(SpaceOf(L"\\Flat"));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));

    // Outside the device the real disk answers.
    const std::wstring outside = device_.Root().parent_path().wstring();
    ULARGE_INTEGER realTotal;
    ASSERT_TRUE(::GetDiskFreeSpaceExW(outside.c_str(), nullptr, &realTotal, nullptr));
    const std::optional<Space> space = SpaceOf(outside.c_str());
    ASSERT_TRUE(space);
    EXPECT_EQ(space->total, realTotal.QuadPart);
}

TEST_F(FlashCardTest, VolumeFiguresFollowTheProfile)
{
    device_.WriteProfile("[store]\nsize=700\nfree=70\n[card:Storage Card]\nsize=900\nfree=90\n");
    EXPECT_EQ(SpaceOf(L"\\")->total, 700u);
    EXPECT_EQ(SpaceOf(L"\\Storage Card")->free, 90u);

    device_.WriteProfile("[store]\nsize=700\nfree=70\n[card:Storage Card]\nstate=removed\n");
    EXPECT_EQ(SpaceOf(L"\\Storage Card")->total, 700u);  // its folder is still here: plain store
}
