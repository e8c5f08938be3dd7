// What the folder tree reads from the file system, without a tree control:
// the subfolders of a node, which of the root's folders are cards, and the
// paths the tree walks.
#include "filemanager/DeviceFiles.h"
#include "filemanager/FolderTree.h"

#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace {

// "name kind +" for each subfolder, sorted: the kind as a letter (f folder,
// c card, m main store) and "+" when the folder has subfolders of its own.
std::vector<std::wstring> Described(const std::vector<TreeFolder>& folders)
{
    std::vector<std::wstring> described;
    for (const TreeFolder& folder : folders) {
        const wchar_t kind = folder.kind == TreeFolderKind::Card        ? L'c'
                             : folder.kind == TreeFolderKind::MainStore ? L'm'
                                                                        : L'f';
        described.push_back(std::wstring(folder.name.Chars()) + L' ' + kind + (folder.hasSubfolders ? L" +" : L""));
    }
    std::sort(described.begin(), described.end());
    return described;
}

using Lines = std::vector<std::wstring>;

TEST(FolderTree, SubfoldersComeWithTheirButtonsAndTheRootsCardsAreTold)
{
    vellumate::TempDevice device("[card:Card]\nstate=inserted\n");
    for (const wchar_t* folder : {L"Card", L"Plain\\Inner", L"Plain\\Card", L"Empty"})
        device.MakeFolder(folder);
    std::ofstream(device.Root() / L"a.txt") << "a file is no node";
    std::ofstream(device.Root() / L"Empty" / L"b.txt") << "nor does it give its folder a button";

    EXPECT_EQ(Described(ReadSubfolders(L"")), (Lines{L"Card c", L"Empty f", L"Plain f +"}));
    // A folder of a card's name below the root is a plain folder.
    EXPECT_EQ(Described(ReadSubfolders(L"\\Plain")), (Lines{L"Card f", L"Inner f"}));
    EXPECT_TRUE(ReadSubfolders(L"\\Empty").empty());
    EXPECT_TRUE(ReadSubfolders(L"\\Gone").empty());
    EXPECT_TRUE(HasSubfolder(L""));
    EXPECT_FALSE(HasSubfolder(L"\\Empty"));

    const std::optional<TreeFolder> card = ReadSubfolder(L"", L"Card");
    ASSERT_TRUE(card.has_value());
    EXPECT_EQ(card->kind, TreeFolderKind::Card);
    EXPECT_FALSE(ReadSubfolder(L"", L"a.txt").has_value());
    EXPECT_FALSE(ReadSubfolder(L"", L"Missing").has_value());

    // A card taken out leaves a folder of its name behind: no card any more.
    device.WriteProfile("[card:Card]\nstate=removed\n");
    EXPECT_EQ(Described(ReadSubfolders(L"")), (Lines{L"Card f", L"Empty f", L"Plain f +"}));
}

TEST(FolderTree, PathsClimbToAnExistingFolderAndCompareByWholeComponents)
{
    vellumate::TempDevice device;
    device.MakeFolder(L"A\\B");
    EXPECT_EQ(std::wstring(NearestExistingFolder(L"\\A\\B\\Gone\\Deeper").Chars()), L"\\A\\B");
    EXPECT_EQ(std::wstring(NearestExistingFolder(L"\\A\\").Chars()), L"\\A");
    EXPECT_EQ(std::wstring(NearestExistingFolder(L"\\Gone").Chars()), L"");

    std::vector<std::wstring> components;
    for (const String& name : PathComponents(L"\\A\\\\B c\\"))
        components.emplace_back(name.Chars());
    EXPECT_EQ(components, (Lines{L"A", L"B c"}));
    EXPECT_TRUE(PathComponents(L"").empty());

    EXPECT_TRUE(IsSameOrInside(L"\\Abc\\d", L"\\ABC"));
    EXPECT_TRUE(IsSameOrInside(L"\\abc", L"\\ABC"));
    EXPECT_FALSE(IsSameOrInside(L"\\Abcd", L"\\Abc")) << "a longer name is another folder";
    EXPECT_FALSE(IsSameOrInside(L"\\A", L"\\A\\B"));
}

}  // namespace
