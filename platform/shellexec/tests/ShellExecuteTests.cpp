#include "platform/shellexec/ShellExecute.h"

#include "framework/testsupport/MessagePump.h"
#include "framework/testsupport/TempDevice.h"
#include "framework/testsupport/TempFolder.h"
#include "framework/testsupport/WindowSearch.h"

#include "platform/Handles.h"
#include "platform/ScreenText.h"
#include "platform/shell/Shortcut.h"
#include "platform/viewer/ViewerResources.h"
#include "platform/viewer/ViewerWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace vellumate;

namespace {

bool SetValue(HKEY root, const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    return ::RegSetKeyValueW(root, key, name, type, data, size) == ERROR_SUCCESS;
}

// An extension of this test alone, associated with the device's viewer
// through the real classes root, and
// removed again.
class ViewerAssociation {
public:
    ViewerAssociation() : m_extension(L".vmt" + UniqueTestName()), m_class(m_extension.substr(1) + L"file")
    {
        m_extension.erase(std::remove(m_extension.begin(), m_extension.end(), L'-'), m_extension.end());
        const std::wstring classes;
        const std::wstring command = L"\"\\Windows\\vmview.exe\" %1";
        m_ready = SetValue(HKEY_CLASSES_ROOT, (classes + m_extension).c_str(), L"Default", REG_SZ, m_class.c_str(),
                           static_cast<DWORD>((m_class.size() + 1) * 2)) &&
                  SetValue(HKEY_CLASSES_ROOT, (classes + m_class + L"\\shell\\open\\command").c_str(), nullptr, REG_SZ,
                           command.c_str(), static_cast<DWORD>((command.size() + 1) * 2));
    }
    ~ViewerAssociation()
    {
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, m_extension.c_str());
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, m_class.c_str());
    }
    bool Ready() const noexcept { return m_ready; }
    const std::wstring& Extension() const noexcept { return m_extension; }

private:
    std::wstring m_extension;
    std::wstring m_class;
    bool m_ready = false;
};

void WriteFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A device with the viewer installed in "\Windows".
struct ViewerDevice {
    TempDevice device;
    ViewerDevice()
    {
        std::filesystem::create_directories(device.Root() / L"Windows");
        std::filesystem::copy_file(VELLUMATE_VIEWER, device.Root() / L"Windows" / L"vmview.exe");
    }
};

// Opens `file` and returns what the viewer it started shows, then closes it.
std::wstring OpenAndRead(const std::wstring& file)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!handset::ShellExecuteEx(&info) || !info.hProcess)
        return L"(not started: " + std::to_wstring(::GetLastError()) + L")";
    KernelHandle process(info.hProcess);
    const DWORD id = ::GetProcessId(process.Get());
    HWND viewer = nullptr;
    std::optional<std::wstring> shown;
    WaitUntil([&] {
        viewer = FindProcessWindow(id, ViewerClass);
        shown = viewer ? ReadScreenText(viewer) : std::nullopt;
        return shown.has_value();
    });
    if (viewer)
        ::PostMessageW(viewer, WM_COMMAND, ID_VIEWER_CLOSE, 0);
    if (::WaitForSingleObject(process.Get(), 10000) != WAIT_OBJECT_0)
        ::TerminateProcess(process.Get(), 1);
    return shown.value_or(L"(no viewer window)");
}

TEST(ShellExecution, OpensAnAssociatedFileInItsProgramAndFollowsShortcuts)
{
    ViewerDevice device;
    ViewerAssociation association;
    ASSERT_TRUE(association.Ready());
    const std::wstring document = L"\\My Documents\\Read me" + association.Extension();
    WriteFile(device.device.Root() / (L"My Documents\\Read me" + association.Extension()),
              "First line\r\nSecond line\r\n");

    // The path has blanks and goes to the program unquoted, as "%1" stands.
    EXPECT_EQ(OpenAndRead(document), L"Read me" + association.Extension() + L"\nFirst line\nSecond line");

    // A shortcut to the document opens the document; one to the program
    // starts it with the shortcut's arguments.
    const std::wstring toDocument = FormatShortcut({document, L""});
    WriteFile(device.device.Root() / L"Windows\\Start Menu\\Read me.lnk",
              std::string(toDocument.begin(), toDocument.end()));
    EXPECT_EQ(OpenAndRead(L"\\Windows\\Start Menu\\Read me.lnk"),
              L"Read me" + association.Extension() + L"\nFirst line\nSecond line");

    const std::wstring toProgram = FormatShortcut({L"vmview.exe", document});
    WriteFile(device.device.Root() / L"Viewer.lnk", std::string(toProgram.begin(), toProgram.end()));
    EXPECT_EQ(OpenAndRead(L"\\Viewer.lnk"), L"Read me" + association.Extension() + L"\nFirst line\nSecond line");
}

TEST(ShellExecution, RefusesWhatItCannotOpen)
{
    ViewerDevice device;
    WriteFile(device.device.Root() / L"Budget.vmtnone", "1,2");
    // A shortcut to itself would be followed for ever.
    const std::wstring loop = FormatShortcut({L"\\Loop.lnk", L""});
    WriteFile(device.device.Root() / L"Loop.lnk", std::string(loop.begin(), loop.end()));

    const auto open = [](const wchar_t* file, INT_PTR& code) {
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        info.lpVerb = L"open";
        info.lpFile = file;
        const BOOL opened = handset::ShellExecuteEx(&info);
        code = reinterpret_cast<INT_PTR>(info.hInstApp);
        return opened;
    };
    INT_PTR code = 0;
    EXPECT_FALSE(open(L"\\Budget.vmtnone", code));
    EXPECT_EQ(code, SE_ERR_NOASSOC);
    EXPECT_FALSE(open(L"\\Gone.txt", code));
    EXPECT_EQ(code, SE_ERR_FNF);
    EXPECT_FALSE(open(L"\\Loop.lnk", code));
}

TEST(OpenCommand, NeedsAClassNamedByTextAndACommand)
{
    const std::wstring scratch = L"Software\\VellumateTests\\" + UniqueTestName();
    HKEY root = nullptr;
    ASSERT_EQ(
        ::RegCreateKeyExW(HKEY_CURRENT_USER, scratch.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root, nullptr),
        ERROR_SUCCESS);
    const std::wstring command = L"\"\\Program Files\\My App\\app.exe\" %1";
    const std::wstring className = L"txtfile";
    SetValue(root, L".txt", L"Default", REG_SZ, className.c_str(), 16);
    SetValue(root, L"txtfile\\shell\\open\\command", nullptr, REG_SZ, command.c_str(),
             static_cast<DWORD>((command.size() + 1) * 2));
    const DWORD number = 7;
    SetValue(root, L".num", L"Default", REG_DWORD, &number, sizeof number);
    SetValue(root, L".nocmd", L"Default", REG_SZ, L"nocmdfile", 20);
    SetValue(root, L"nocmdfile\\DefaultIcon", nullptr, REG_SZ, L"x,0", 8);

    EXPECT_EQ(OpenCommandOf(L".txt", root), command);
    EXPECT_EQ(OpenCommandOf(L".num", root), std::nullopt) << "a class that is no text";
    EXPECT_EQ(OpenCommandOf(L".nocmd", root), std::nullopt);
    EXPECT_EQ(OpenCommandOf(L".none", root), std::nullopt);
    ::RegCloseKey(root);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, scratch.c_str());

    EXPECT_EQ(FillInFile(command, L"\\My Documents\\a b.txt"),
              L"\"\\Program Files\\My App\\app.exe\" \\My Documents\\a b.txt");
    EXPECT_EQ(FillInFile(L"app.exe", L"\\x.txt"), L"app.exe \\x.txt");
}

TEST(Viewer, ShowsTheFirstLinesOfAnyEncoding)
{
    EXPECT_EQ(ViewedFileOf(L"  \"\\My Documents\\a b.txt\" "), L"\\My Documents\\a b.txt");
    EXPECT_EQ(ViewedFileOf(L"\\My Documents\\a b.txt"), L"\\My Documents\\a b.txt");
    EXPECT_EQ(FirstLines("one\r\ntwo\tx\nthree\nfour", 3, 80), L"one\ntwo x\nthree");
    EXPECT_EQ(FirstLines("abcdef", 3, 4), L"abcd");
    EXPECT_EQ(FirstLines(std::string_view("\xFF\xFEh\0i\0", 6), 3, 80), L"hi");
}

}  // namespace
