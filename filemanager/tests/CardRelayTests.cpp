// Storage cards announced by the home shell: this test plays the shell's
// relay, and Tarnwell's main window hears of cards as it does in a session.
// These tests run alone: a relay is found by its window class, so another
// test's relay would take the registrations.
#include "NotificationCount.h"
#include "TarnwellWindowFixture.h"

#include "platform/shell/NotifyRelay.h"

namespace {

// The shell's event numbers (SHCNE_DRIVEADD, SHCNE_DRIVEREMOVED).
constexpr LONG CardInserted = 0x100;
constexpr LONG CardRemoved = 0x80;

using CardRelay = TarnwellWindowTest;

TEST_F(CardRelay, InsertionAndRemovalArriveFromTheShell)
{
    vellumate::NotifyRelay relay;
    ASSERT_TRUE(relay.Create(GetModuleHandleW(nullptr)));
    MakeFolder(L"\\Docs");
    Start();
    ASSERT_EQ(relay.RegistrationCount(), 1u) << "the main window registers for card events";

    MakeFolder(L"\\Storage Card\\DCIM");
    WriteProfile("[card:Storage Card]\nstate=inserted\n");
    EXPECT_EQ(relay.Deliver(CardInserted, L"\\Storage Card"), 1u);
    ASSERT_TRUE(PumpUntil([&] { return Tree().LookupNode(L"\\Storage Card") != nullptr; }));
    EXPECT_EQ(Tree().CurrentPath(), String(L"\\Storage Card"));
    // The card's own listing ends first: a folder being read cannot be removed.
    FinishListing();

    RemoveFolder(L"\\Storage Card");
    WriteProfile("[card:Storage Card]\nstate=removed\n");
    EXPECT_EQ(relay.Deliver(CardRemoved, L"\\Storage Card"), 1u);
    ASSERT_TRUE(PumpUntil([&] { return Tree().LookupNode(L"\\Storage Card") == nullptr; }));
    EXPECT_EQ(Tree().CurrentPath(), String());
    FinishListing();
    EXPECT_EQ(List().CurrentPath(), String());
    EXPECT_EQ(UnreleasedNotifications(), 0u) << "every notification was released";
}

}  // namespace
