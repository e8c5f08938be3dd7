// File-type associations written into a scratch classes root: a new
// extension, an existing one that keeps its class, one whose key names no
// class (which must not write at the root of all classes), and what counts
// as associated.
#include "filemanager/Associations.h"
#include "framework/RegistryKey.h"
#include "framework/testsupport/StringPrinting.h"
#include "framework/testsupport/TestScratch.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring TextOf(HKEY root, const wchar_t* key, const wchar_t* name)
{
    const RawRegistryValue value = GetRawRegistryValue(root, key, name);
    if (!value.exists || value.type != REG_SZ || value.data.size() < 2)
        return L"(" + std::to_wstring(value.exists ? value.type : 0xFFFF) + L")";
    return std::wstring(reinterpret_cast<const wchar_t*>(value.data.data()));
}

TEST(Associations, WriteNewAndExistingExtensionsAndSayWhichAreAssociated)
{
    TestRegistryKey scratch;
    RegistryKey classes;
    ASSERT_TRUE(classes.Open(HKEY_CURRENT_USER, scratch.Path(), KEY_ALL_ACCESS));
    HKEY root = classes.Get();

    EXPECT_FALSE(IsAssociated(L".abc", root));
    ASSERT_TRUE(WriteAssociation(L".abc", L"\\Program Files\\My Tools\\view.exe", 0, root));
    EXPECT_EQ(TextOf(root, L".abc", L"Content Type"), L"abc FILE");
    EXPECT_EQ(TextOf(root, L".abc", L"Default"), L"abcfile");
    EXPECT_EQ(TextOf(root, L"abcfile\\DefaultIcon", nullptr), L"\\Program Files\\My Tools\\view.exe,0");
    EXPECT_EQ(TextOf(root, L"abcfile\\shell\\open\\command", nullptr), L"\"\\Program Files\\My Tools\\view.exe\" %1");
    EXPECT_TRUE(IsAssociated(L".abc", root));

    // An existing extension keeps its class and its content type; only the
    // class's icon and command change.
    SetRawRegistryValue(root, L".txt", L"Default", REG_SZ, L"notes", 12);
    SetRawRegistryValue(root, L".txt", L"Content Type", REG_SZ, L"text/plain", 22);
    EXPECT_FALSE(IsAssociated(L".txt", root)) << "its class has no key yet";
    ASSERT_TRUE(WriteAssociation(L".txt", L"\\Windows\\vmview.exe", -30022, root));
    EXPECT_EQ(TextOf(root, L".txt", L"Default"), L"notes");
    EXPECT_EQ(TextOf(root, L".txt", L"Content Type"), L"text/plain");
    EXPECT_EQ(TextOf(root, L"notes\\DefaultIcon", nullptr), L"\\Windows\\vmview.exe,-30022");
    EXPECT_EQ(TextOf(root, L"notes\\shell\\open\\command", nullptr), L"\"\\Windows\\vmview.exe\" %1");
    EXPECT_FALSE(RegistryKeyExists(root, L"txtfile"));
    EXPECT_TRUE(IsAssociated(L".txt", root));

    // A key that names no class as text (here a number) gets a class of its
    // own instead of keys at the root.
    const DWORD number = 5;
    SetRawRegistryValue(root, L".csv", L"Default", REG_DWORD, &number, sizeof number);
    ASSERT_TRUE(WriteAssociation(L".csv", L"\\Windows\\vmview.exe", 0, root));
    EXPECT_EQ(TextOf(root, L".csv", L"Default"), L"csvfile");
    EXPECT_EQ(TextOf(root, L"csvfile\\shell\\open\\command", nullptr), L"\"\\Windows\\vmview.exe\" %1");
    EXPECT_FALSE(RegistryKeyExists(root, L"DefaultIcon"));
    EXPECT_FALSE(RegistryKeyExists(root, L"shell"));

    // No extension, or a bare dot, is refused.
    EXPECT_FALSE(WriteAssociation(L"", L"\\Windows\\vmview.exe", 0, root));
    EXPECT_FALSE(WriteAssociation(L".", L"\\Windows\\vmview.exe", 0, root));
    EXPECT_FALSE(RegistryKeyExists(root, L"file"));
}

TEST(Associations, TakeTheExtensionFromTheLastDotOfTheName)
{
    EXPECT_EQ(ExtensionOfName(L"report.final.ZIP"), L".ZIP");
    EXPECT_EQ(ExtensionOfName(L"README"), L"");
    EXPECT_EQ(ExtensionOfName(L"odd."), L".");
}

}  // namespace
