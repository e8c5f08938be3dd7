#include "framework/ResourceModule.h"
#include "framework/String.h"
#include "framework/testsupport/TempFolder.h"

#include "TestSupport.h"
#include "test_localized.h"

#include <gtest/gtest.h>

namespace {

// A fresh folder under the temporary folder, removed with its files.
class ScratchFolder : public vellumate::TempFolder {
public:
    String File(const wchar_t* name) const { return (Path() + L"\\" + name).c_str(); }
};

// The two builds of the test resource file sit beside the test executable.
String BuiltResourceFile(const wchar_t* variant)
{
    String path = ModuleFileName(nullptr);
    path = path.Left(path.ReverseFind(L'\\') + 1);
    path += L"framework_test_";
    return path + variant + L".dll";
}

void Install(const wchar_t* variant, const String& target)
{
    ASSERT_TRUE(CopyFileW(BuiltResourceFile(variant), target, FALSE))
        << "copying to " << ::testing::PrintToString(target);
}

String LoadedTitle(HMODULE module)
{
    wchar_t title[64] = L"";
    LoadStringW(module, IDS_TITLE, title, 64);
    return title;
}

constexpr LANGID English = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr LANGID German = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
constexpr LANGID SwissGerman = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN_SWISS);

TEST(LocalizedResourceFile, CandidatesGoFromTheUserLanguageToEnglish)
{
    StringArray swiss = LocalizedResourceCandidates(L"C:\\Programs\\tarnwell.exe", SwissGerman);
    ASSERT_EQ(swiss.GetSize(), 3);
    EXPECT_STREQ(swiss[0], L"C:\\Programs\\tarnwell.0807.dll");
    EXPECT_STREQ(swiss[1], L"C:\\Programs\\tarnwell.0407.dll");
    EXPECT_STREQ(swiss[2], L"C:\\Programs\\tarnwell.0409.dll");

    StringArray german = LocalizedResourceCandidates(L"C:\\Programs\\tarnwell.exe", German);
    ASSERT_EQ(german.GetSize(), 2);
    EXPECT_STREQ(german[0], L"C:\\Programs\\tarnwell.0407.dll");

    StringArray english = LocalizedResourceCandidates(L"C:\\Programs\\tarnwell.exe", English);
    ASSERT_EQ(english.GetSize(), 1);

    EXPECT_STREQ(LocalizedResourceFileName(L"C:\\v1.2\\corvane", English), L"C:\\v1.2\\corvane.0409.dll");
    EXPECT_STREQ(LocalizedResourceFileName(L"lunsett.exe", MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MEXICAN)),
                 L"lunsett.080A.dll");
}

TEST(LocalizedResourceFile, TheFirstExistingCandidateWins)
{
    ScratchFolder folder;
    String program = folder.File(L"tarnwell.exe");
    Install(L"english", folder.File(L"tarnwell.0409.dll"));
    EXPECT_STREQ(FindLocalizedResourceFile(program, SwissGerman), folder.File(L"tarnwell.0409.dll"));

    Install(L"german", folder.File(L"tarnwell.0407.dll"));
    EXPECT_STREQ(FindLocalizedResourceFile(program, SwissGerman), folder.File(L"tarnwell.0407.dll"));
    EXPECT_STREQ(FindLocalizedResourceFile(program, English), folder.File(L"tarnwell.0409.dll"));

    ModuleHandle module = LoadLocalizedResourceFile(program, SwissGerman);
    ASSERT_TRUE(module);
    EXPECT_STREQ(LoadedTitle(module.Get()), L"Testprogramm");

    Install(L"english", folder.File(L"tarnwell.0807.dll"));
    EXPECT_STREQ(FindLocalizedResourceFile(program, SwissGerman), folder.File(L"tarnwell.0807.dll"));
}

TEST(LocalizedResourceFile, NoFileMeansNoResourceModule)
{
    ScratchFolder folder;
    String program = folder.File(L"pellory.exe");
    // Files of another program and a folder bearing a candidate's name do not count.
    Install(L"english", folder.File(L"corvane.0409.dll"));
    CreateDirectoryW(folder.File(L"pellory.0409.dll"), nullptr);
    EXPECT_TRUE(FindLocalizedResourceFile(program, German).IsEmpty());
    EXPECT_FALSE(LoadLocalizedResourceFile(program, German));
}

TEST(LocalizedResourceFile, AFileThatDoesNotLoadIsPassedOver)
{
    ScratchFolder folder;
    String program = folder.File(L"tarnwell.exe");
    HANDLE file = CreateFileW(folder.File(L"tarnwell.0407.dll"), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "not a module", 12, &written, nullptr);
    CloseHandle(file);
    Install(L"english", folder.File(L"tarnwell.0409.dll"));

    ModuleHandle module = LoadLocalizedResourceFile(program, German);
    ASSERT_TRUE(module);
    EXPECT_STREQ(LoadedTitle(module.Get()), L"Test Program");
}

INT_PTR CALLBACK SampleDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

TEST(LocalizedResourceFile, ServesStringsDialogsAndMenus)
{
    ScratchFolder folder;
    String program = folder.File(L"tarnwell.exe");
    Install(L"german", folder.File(L"tarnwell.0407.dll"));
    ModuleHandle module = LoadLocalizedResourceFile(program, German);
    ASSERT_TRUE(module);

    SetResourceModule(module.Get());
    String title(MAKEINTRESOURCEW(IDS_TITLE));
    SetResourceModule(nullptr);
    EXPECT_STREQ(title, L"Testprogramm");

    HRSRC found = FindResourceW(module.Get(), MAKEINTRESOURCEW(IDD_SAMPLE), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    ASSERT_NE(found, nullptr);
    EXPECT_GT(SizeofResource(module.Get(), found), 0u);
    HGLOBAL loaded = LoadResource(module.Get(), found);
    ASSERT_NE(loaded, nullptr);
    EXPECT_NE(LockResource(loaded), nullptr);

    HWND dialog = CreateDialogParamW(module.Get(), MAKEINTRESOURCEW(IDD_SAMPLE), nullptr, SampleDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    wchar_t text[32] = L"";
    GetDlgItemTextW(dialog, IDC_SAMPLE_BUTTON, text, 32);
    EXPECT_STREQ(text, L"Fertig");
    DestroyWindow(dialog);

    HMENU menu = LoadMenuW(module.Get(), MAKEINTRESOURCEW(IDM_SAMPLE));
    ASSERT_NE(menu, nullptr);
    GetMenuStringW(GetSubMenu(menu, 0), IDC_SAMPLE_BUTTON, text, 32, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"Fertig");
    DestroyMenu(menu);
}

}  // namespace
