// The beam dialog on Tarnwell's real window and resources, against the real
// OBEX server and two nearby devices of a test device.
#include "TarnwellWindowFixture.h"

#include "filemanager/BeamDialog.h"
#include "filemanager/SendResources.h"
#include "framework/testsupport/ModalDriver.h"

#include "platform/obex/ObexStore.h"
#include "platform/obex/tests/ObexTestSupport.h"

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int FirstDeviceRow = 3;  // below the three hint rows

std::wstring CellText(HWND list, int row, int column)
{
    wchar_t text[64] = L"";
    ListView_GetItemText(list, row, column, text, 64);
    return text;
}

std::wstring StringText(UINT id, int number)
{
    String text;
    text.FormatResource(id, number);
    return text.Chars();
}

class BeamDialogTest : public TarnwellWindowTest {
protected:
    String MakeFile(const wchar_t* name, std::size_t size)
    {
        const std::filesystem::path folder = m_device.Root() / L"My Documents";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / name, std::ios::binary) << std::string(size, 'q');
        return String((std::wstring(L"\\My Documents\\") + name).c_str());
    }

    obextest::RegisteredServer m_server{VMOBEX_DLL_PATH};
};

TEST_F(BeamDialogTest, ARowPickedWhileASendRunsGivesWayToTheDeviceTheNextSendGoesTo)
{
    ASSERT_TRUE(m_server.Ok());
    // Whichever device is chosen breaks part-way through the second file.
    WriteProfile("[obex:Pad]\nstate=present\nfail_after=1000000\n"
                 "[obex:Tablet]\nstate=present\nfail_after=1000000\n");
    Start();
    const std::vector<String> paths = {MakeFile(L"a.bin", 5000), MakeFile(L"b.bin", 3000000)};

    std::wstring chosen;
    std::wstring highlighted;
    bool failed = false;
    bool sent = false;
    ModalDriver driver([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_BEAM_DEVICES);
        if (WaitFor([&] { return ListView_GetItemCount(list) == FirstDeviceRow + 2; })) {
            chosen = CellText(list, FirstDeviceRow, 0);
            // The other row is picked while the send has just started.
            PostMessageW(dialog, WM_COMMAND, ID_BEAM_SEND, 0);
            vellumate::PostKeyDown(list, VK_DOWN);
            vellumate::PostKeyUp(list, VK_DOWN);
            failed = WaitFor([&] { return CellText(list, FirstDeviceRow, 1) == StringText(IDS_BEAM_FAILED, 1); });
            highlighted = CellText(list, ListView_GetNextItem(list, -1, LVNI_SELECTED), 0);
            m_device.WriteProfile("[obex:Pad]\nstate=present\n[obex:Tablet]\nstate=present\n");
            PostMessageW(dialog, WM_COMMAND, ID_BEAM_SEND, 0);
            sent = WaitFor([&] { return CellText(list, FirstDeviceRow, 1) == StringText(IDS_BEAM_ALL_SENT, 0); });
        }
        PostMessageW(dialog, WM_COMMAND, ID_BEAM_CANCEL, 0);
    });
    BeamFiles(MainHwnd(), paths);
    ASSERT_TRUE(driver.Wait());

    ASSERT_TRUE(failed);
    ASSERT_TRUE(sent);
    EXPECT_EQ(highlighted, chosen);
    EXPECT_EQ(obextest::FileBytes(vellumate::obex::InboxFolder(highlighted) + L"\\b.bin").size(), 3000000u);
}

}  // namespace
