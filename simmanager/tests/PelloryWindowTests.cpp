// Pellory's real main window on a SIM card file of the test's own, made as
// the program makes it and driven with keys and commands.
#include "simmanager/MainWindow.h"
#include "simmanager/SimNotify.h"
#include "simmanager/resource.h"

#include "framework/testsupport/MainWindowFixture.h"
#include "framework/testsupport/MessagePump.h"
#include "framework/testsupport/ModalDriver.h"
#include "framework/testsupport/TempDevice.h"

#include "platform/ScreenText.h"
#include "platform/SoftKeyBar.h"
#include "platform/sim/SimCardFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

using namespace vellumate;

namespace {

constexpr wchar_t TestKey[] = L"Software\\Vellumate Tests\\Pellory window";

sim::SimCard TestCard()
{
    sim::SimCard card;
    card.minIndex = 1;
    card.maxIndex = 20;
    card.maxNameLength = 16;
    card.maxNumberLength = 20;
    auto& general = *card.Phonebook(sim::GeneralStorage);
    const std::pair<const wchar_t*, const wchar_t*> entries[] = {
        {L"Eve", L"5550104"}, {L"Cara", L"5550103"}, {L"Anna", L"+4930555"}, {L"Carl", L"5550105"},
        {L"Bob", L"5550102"},
    };
    std::uint32_t position = 1;
    for (const auto& [name, number] : entries)
        general.entries[position++] = {number, number[0] == L'+' ? 1u : 2u, name};
    return card;
}

// From another thread: waits for a message box of `thread` over its dialog
// `dialog`, and ends it with OK. False when none came.
bool DismissBoxOver(HWND dialog, DWORD timeout = 5000)
{
    const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    for (DWORD waited = 0; waited < timeout; waited += 20) {
        for (HWND box = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); box;
             box = FindWindowExW(nullptr, box, L"#32770", nullptr)) {
            if (box != dialog && IsWindowVisible(box) && GetWindowThreadProcessId(box, nullptr) == thread &&
                GetDlgItem(box, IDOK) != nullptr && GetDlgItem(box, IDC_ENTRY_NAME) == nullptr) {
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return true;
            }
        }
        Sleep(20);
    }
    return false;
}

class PelloryWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, TestKey);
        ASSERT_TRUE(BindProgramResources(MainWindow::Startup(m_object)));
        WriteCard(TestCard());
    }
    void TearDown() override
    {
        m_window.Destroy();
        m_object.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, TestKey);
        SimCaps::Instance().Reset();
    }

    void WriteCard(const sim::SimCard& card) { m_device.WriteSim(sim::FormatSimCard(card)); }
    std::string CardBytes() const
    {
        std::ifstream file(std::filesystem::path(m_device.SimPath()), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    sim::SimCard ReadCard() const
    {
        sim::SimCardReading reading = sim::ParseSimCard(CardBytes());
        EXPECT_TRUE(reading.card.has_value());
        return reading.card.value_or(sim::SimCard{});
    }

    // Start-up as the program runs it: the steps before the window, then the window.
    void Start()
    {
        auto main = std::make_unique<MainWindow>(TestKey);
        ASSERT_TRUE(main->Prepare());
        ASSERT_TRUE(m_window.Create(MainWindow::Startup(m_object), std::move(main)));
        m_window.Show();
        PumpFor(30);
    }

    MainWindow& Main() { return m_window.Object(); }
    HWND Hwnd() { return m_window.Handle(); }
    EntryView& View() { return *Main().Sim().CurrentView(); }
    std::vector<std::wstring> RowNames()
    {
        std::vector<std::wstring> names;
        for (int row = 0; row < View().RowCount(); ++row)
            names.emplace_back(View().SlotAt(row)->Name().Chars());
        return names;
    }
    void Key(UINT key) { SendMessageW(Hwnd(), WM_KEYDOWN, key, 0); }
    void Back()
    {
        SendMessageW(Hwnd(), WM_HOTKEY, 1, MAKELPARAM(0, VK_ESCAPE));
        SendMessageW(Hwnd(), WM_HOTKEY, 1, MAKELPARAM(MOD_KEYUP, VK_ESCAPE));
    }
    void Command(UINT command) { SendMessageW(Hwnd(), WM_COMMAND, command, 0); }

    TempDevice m_device;
    std::unique_ptr<MainWindow> m_object;  // the start-up row's slot; the window owns the tested one
    ProgramWindow<MainWindow> m_window;
};

TEST_F(PelloryWindowTest, TypedKeysNarrowTheListAndBackWidensItKeyByKey)
{
    Start();
    EXPECT_EQ(RowNames(), (std::vector<std::wstring>{L"Anna", L"Bob", L"Cara", L"Carl", L"Eve"}));

    Key('2');  // a b c, anywhere in the name
    EXPECT_EQ(RowNames(), (std::vector<std::wstring>{L"Anna", L"Bob", L"Cara", L"Carl"}));
    Key('2');
    Key('7');  // p q r s: "Car"
    EXPECT_EQ(RowNames(), (std::vector<std::wstring>{L"Cara", L"Carl"}));
    EXPECT_EQ(View().Kind(), ViewKind::KeypadSearch);
    UpdateWindow(Hwnd());
    const std::optional<std::wstring> shown = ReadScreenText(Hwnd());
    ASSERT_TRUE(shown.has_value());
    EXPECT_NE(shown->find(L"Search: 227"), std::wstring::npos) << *shown;
    EXPECT_NE(shown->find(L"> [x] Cara  1/2"), std::wstring::npos) << *shown;

    Back();
    EXPECT_EQ(RowNames(), (std::vector<std::wstring>{L"Cara", L"Carl"}));  // "22": two letters of a b c
    Back();
    EXPECT_EQ(RowNames().size(), 4u);
    Back();
    EXPECT_EQ(View().Kind(), ViewKind::Base);
    EXPECT_EQ(RowNames().size(), 5u);
    // At the base view Back belongs to the shell: the list stays.
    Back();
    EXPECT_EQ(RowNames().size(), 5u);
    EXPECT_TRUE(IsWindow(Hwnd()));
}

TEST_F(PelloryWindowTest, ANewEntryIsWrittenToTheCardAndJoinsTheSortedList)
{
    Start();
    ModalDriver editor([](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_ENTRY_NAME, L"Bea/m");
        SetDlgItemTextW(dialog, IDC_ENTRY_NUMBER, L"+441632960");
        SendMessageW(dialog, WM_COMMAND, ID_DIALOG_DONE, 0);
    });
    Command(ID_NEW_ENTRY);
    ASSERT_TRUE(editor.Wait());

    EXPECT_EQ(RowNames(), (std::vector<std::wstring>{L"Anna", L"Bea/m", L"Bob", L"Cara", L"Carl", L"Eve"}));
    EXPECT_EQ(View().FocusedSlot()->Name(), String(L"Bea/m"));
    const sim::SimCard card = ReadCard();
    const auto& entries = card.Phonebook(sim::GeneralStorage)->entries;
    ASSERT_TRUE(entries.count(6));  // the first free position
    EXPECT_EQ(entries.at(6).name, L"Bea/m");
    EXPECT_EQ(entries.at(6).number, L"+441632960");
    EXPECT_EQ(entries.at(6).addressType, 1u);
}

TEST_F(PelloryWindowTest, AnEditorWithTooLongANameStaysOpenAndWritesNothing)
{
    Start();
    const std::string before = CardBytes();
    bool refused = false;
    ModalDriver editor([&](HWND dialog) {
        // Inserting bypasses the field's own limit; OK must catch it.
        SetDlgItemTextW(dialog, IDC_ENTRY_NAME, L"A name far longer than sixteen");
        PostMessageW(dialog, WM_COMMAND, ID_DIALOG_DONE, 0);
        refused = DismissBoxOver(dialog);
        Sleep(100);
        EXPECT_TRUE(IsWindow(dialog));
        PostMessageW(dialog, WM_COMMAND, ID_EDITOR_CANCEL, 0);
    });
    Command(ID_EDIT_ENTRY);
    ASSERT_TRUE(editor.Wait());
    EXPECT_TRUE(refused);
    EXPECT_EQ(CardBytes(), before);
    EXPECT_EQ(View().FocusedSlot()->Name(), String(L"Anna"));
}

TEST_F(PelloryWindowTest, TheCardGoingWhileTheEditorIsOpenClosesTheWindowAndWritesNothing)
{
    Start();
    const std::string before = CardBytes();
    const HWND main = Hwnd();
    bool sawRemovalMessage = false;
    ModalDriver editor([&](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_ENTRY_NAME, L"Changed");
        PostMessageW(main, SIM_NOTIFY_MESSAGE, SIM_NOTIFY_CARD_REMOVED, 0);
        // The removal's message box comes over the editor; OK on it, and
        // the editor goes with the window.
        sawRemovalMessage = DismissBoxOver(dialog);
        for (int tries = 0; tries < 250 && IsWindow(dialog); ++tries)
            Sleep(20);
    });
    Command(ID_EDIT_ENTRY);
    EXPECT_TRUE(editor.Wait());
    PumpUntil([&] { return !IsWindow(main); }, 5000);
    EXPECT_TRUE(sawRemovalMessage);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(CardBytes(), before);
}

TEST_F(PelloryWindowTest, DeletingMarkedEntriesAsksAndEmptiesTheirPositions)
{
    Start();
    Key('2');
    Key('2');
    Key('7');  // Cara and Carl
    Command(ID_MARK_ALL);
    ASSERT_EQ(View().MarkedCount(), 2);
    ModalDriver question(IDOK);
    Command(ID_DELETE_MARKED);
    ASSERT_TRUE(question.Wait());
    EXPECT_TRUE(question.Dialog().HasButton(IDCANCEL));

    EXPECT_TRUE(View().IsEmpty());
    Back();
    Back();
    Back();
    EXPECT_EQ(RowNames(), (std::vector<std::wstring>{L"Anna", L"Bob", L"Eve"}));
    const auto& entries = ReadCard().Phonebook(sim::GeneralStorage)->entries;
    EXPECT_EQ(entries.size(), 3u);
    EXPECT_FALSE(entries.count(2));
    EXPECT_FALSE(entries.count(4));
}

TEST_F(PelloryWindowTest, WithoutAReadySimTheProgramEndsBeforeAnyWindow)
{
    sim::SimCard card = TestCard();
    card.radioOn = false;
    WriteCard(card);
    auto main = std::make_unique<MainWindow>(TestKey);
    ModalDriver box(IDOK);
    EXPECT_FALSE(main->Prepare());
    ASSERT_TRUE(box.Wait());
    String radioOff;
    radioOff.LoadResourceText(IDS_RADIO_OFF);
    EXPECT_EQ(box.Dialog().text, radioOff);
}

}  // namespace
