// The SIM manager's notifications: the card file changed by others (the
// tool, another program), told to a callback on the platform's own thread.
#include "platform/sim/SimManager.h"

#include "platform/sim/tests/SimTestSupport.h"

#include "framework/testsupport/TempDevice.h"
#include "platform/Handles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <vector>

using namespace vellumate;
using namespace vellumate::sim;
using namespace vellumate::sim::testing;
using namespace std::chrono_literals;

namespace {

struct Heard {
    DWORD code;
    DWORD storage;  // of a phonebook change, else 0
    DWORD position;
    DWORD thread;
    DWORD param;
};

// What the callbacks heard, for the test to wait on.
class Recorder {
public:
    void Add(const Heard& heard)
    {
        std::lock_guard guard(m_lock);
        m_heard.push_back(heard);
        m_changed.notify_all();
    }
    // Waits (up to a few seconds, Wine's notifications may be late) until a
    // notification that `wanted` takes has come; true when it did.
    bool WaitFor(const std::function<bool(const Heard&)>& wanted, std::chrono::milliseconds limit = 5s)
    {
        std::unique_lock guard(m_lock);
        return m_changed.wait_for(guard, limit, [&] {
            for (const Heard& heard : m_heard)
                if (wanted(heard))
                    return true;
            return false;
        });
    }
    bool WaitForCode(DWORD code) { return WaitFor([code](const Heard& h) { return h.code == code; }); }
    bool WaitForEntry(DWORD code, DWORD storage, DWORD position)
    {
        return WaitFor([=](const Heard& h) { return h.code == code && h.storage == storage && h.position == position; });
    }
    std::vector<Heard> All()
    {
        std::lock_guard guard(m_lock);
        return m_heard;
    }
    void Clear()
    {
        std::lock_guard guard(m_lock);
        m_heard.clear();
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<Heard> m_heard;
};

Recorder recorder;
// What the callback does besides recording (set by a test, run before it).
std::function<void(DWORD code)> alsoDo;

void Callback(DWORD code, const void* data, DWORD size, DWORD param)
{
    Heard heard{code, 0, 0, ::GetCurrentThreadId(), param};
    if ((code == SIM_NOTIFY_PBE_STORED || code == SIM_NOTIFY_PBE_DELETED) && data && size == sizeof(SIMPBECHANGE)) {
        const auto* change = static_cast<const SIMPBECHANGE*>(data);
        EXPECT_EQ(change->cbSize, sizeof(SIMPBECHANGE));
        heard.storage = change->dwStorage;
        heard.position = change->dwEntry;
    }
    recorder.Add(heard);
    if (alsoDo)
        alsoDo(code);
}

class SimNotifyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        recorder.Clear();
        alsoDo = nullptr;
        m_device.WriteSim(FormatSimCard(m_card));
    }
    void TearDown() override { alsoDo = nullptr; }

    void Rewrite(const std::function<void(SimCard&)>& change)
    {
        change(m_card);
        m_device.WriteSim(FormatSimCard(m_card));
    }

    TempDevice m_device;
    SimCard m_card = SmallCard();
};

}  // namespace

TEST_F(SimNotifyTest, CardAndRadioEventsArriveAfterTheFileChanges)
{
    OpenSim sim(SIM_INIT_SIMCARD_NOTIFICATIONS, Callback, 42);

    Rewrite([](SimCard& card) { card.radioOn = false; });
    ASSERT_TRUE(recorder.WaitForCode(SIM_NOTIFY_RADIOOFF));
    Rewrite([](SimCard& card) { card.radioOn = true; });
    ASSERT_TRUE(recorder.WaitForCode(SIM_NOTIFY_RADIOON));
    Rewrite([](SimCard& card) { card.present = false; });
    ASSERT_TRUE(recorder.WaitForCode(SIM_NOTIFY_CARD_REMOVED));
    Rewrite([](SimCard& card) { card.present = true; });
    ASSERT_TRUE(recorder.WaitForCode(SIM_NOTIFY_FILE_REFRESH));
    recorder.Clear();
    std::filesystem::remove(m_device.SimPath());  // taken out with its file
    ASSERT_TRUE(recorder.WaitForCode(SIM_NOTIFY_CARD_REMOVED));

    const std::vector<Heard> heard = recorder.All();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_NE(heard[0].thread, ::GetCurrentThreadId());
    EXPECT_EQ(heard[0].param, 42u);
}

TEST_F(SimNotifyTest, OthersEntryChangesAreToldAndOwnOnesAreNot)
{
    OpenSim watching(SIM_INIT_SIMCARD_NOTIFICATIONS, Callback, 1);
    OpenSim other;

    SIMPHONEBOOKENTRY record = EntryRecord(L"333", L"third");
    ASSERT_EQ(SimWritePhonebookEntry(other.Get(), SIM_PBSTORAGE_SIM, 3, &record), S_OK);
    ASSERT_TRUE(recorder.WaitForEntry(SIM_NOTIFY_PBE_STORED, SIM_PBSTORAGE_SIM, 3));
    ASSERT_EQ(SimDeletePhonebookEntry(other.Get(), SIM_PBSTORAGE_SIM, 2), S_OK);
    ASSERT_TRUE(recorder.WaitForEntry(SIM_NOTIFY_PBE_DELETED, SIM_PBSTORAGE_SIM, 2));

    // Its own write, then another's: only the other's is heard.
    ASSERT_EQ(SimWritePhonebookEntry(watching.Get(), SIM_PBSTORAGE_SIM, 4, &record), S_OK);
    ASSERT_EQ(SimDeletePhonebookEntry(watching.Get(), SIM_PBSTORAGE_SIM, 5), S_OK);
    ASSERT_EQ(SimWritePhonebookEntry(other.Get(), SIM_PBSTORAGE_FIXEDDIALING, 2, &record), S_OK);
    ASSERT_TRUE(recorder.WaitForEntry(SIM_NOTIFY_PBE_STORED, SIM_PBSTORAGE_FIXEDDIALING, 2));
    for (const Heard& heard : recorder.All())
        EXPECT_TRUE(heard.position != 4 && heard.position != 5) << heard.code << " " << heard.position;

    // A damaged file tells nothing; the card it becomes again is compared
    // with the one before it.
    recorder.Clear();
    const std::string whole = FormatSimCard(m_card);
    m_device.WriteSim(whole.substr(0, 40));
    ::Sleep(600);
    EXPECT_TRUE(recorder.All().empty());
    SimCard edited = m_card;  // the card as written meanwhile, with one name changed by hand
    edited.Phonebook(GeneralStorage)->entries[3] = {L"333", 2, L"third"};
    edited.Phonebook(GeneralStorage)->entries.erase(2);
    edited.Phonebook(GeneralStorage)->entries.erase(5);
    edited.Phonebook(GeneralStorage)->entries[4] = {L"333", 2, L"Fourth"};
    edited.Phonebook(SIM_PBSTORAGE_FIXEDDIALING)->entries[2] = {L"333", 2, L"third"};
    m_device.WriteSim(FormatSimCard(edited));
    ASSERT_TRUE(recorder.WaitForEntry(SIM_NOTIFY_PBE_STORED, SIM_PBSTORAGE_SIM, 4));
    ::Sleep(400);
    EXPECT_EQ(recorder.All().size(), 1u);
}

TEST_F(SimNotifyTest, NoCallbackAfterDeinitializeReturns)
{
    HSIM sim = nullptr;
    ASSERT_EQ(SimInitialize(SIM_INIT_SIMCARD_NOTIFICATIONS, Callback, 0, &sim), S_OK);
    ASSERT_EQ(SimDeinitialize(sim), S_OK);
    Rewrite([](SimCard& card) { card.radioOn = false; });
    ::Sleep(700);
    EXPECT_TRUE(recorder.All().empty());
}

TEST_F(SimNotifyTest, DeinitializeWaitsForACallbackThatSendsToTheWaitingThread)
{
    // A window of this thread, which the callback sends to while this thread
    // is inside SimDeinitialize: it must be served, not waited for forever.
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    KernelHandle sending(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    LRESULT answered = -1;
    alsoDo = [&](DWORD) {
        ::SetEvent(sending.Get());
        answered = ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    };
    HSIM sim = nullptr;
    ASSERT_EQ(SimInitialize(SIM_INIT_SIMCARD_NOTIFICATIONS, Callback, 0, &sim), S_OK);
    Rewrite([](SimCard& card) { card.radioOn = false; });
    ASSERT_EQ(::WaitForSingleObject(sending.Get(), 5000), WAIT_OBJECT_0);
    EXPECT_EQ(SimDeinitialize(sim), S_OK);
    EXPECT_EQ(answered, 0);
    ::DestroyWindow(window);
}

TEST_F(SimNotifyTest, ACallbackMayCloseItsOwnHandle)
{
    static HSIM sim = nullptr;
    ASSERT_EQ(SimInitialize(SIM_INIT_SIMCARD_NOTIFICATIONS, Callback, 0, &sim), S_OK);
    HRESULT closed = E_FAIL;
    alsoDo = [&](DWORD) { closed = SimDeinitialize(sim); };
    Rewrite([](SimCard& card) { card.radioOn = false; });
    ASSERT_TRUE(recorder.WaitForCode(SIM_NOTIFY_RADIOOFF));
    ::Sleep(100);
    EXPECT_EQ(closed, S_OK);
    alsoDo = nullptr;
    Rewrite([](SimCard& card) { card.radioOn = true; });
    ::Sleep(700);
    EXPECT_EQ(recorder.All().size(), 1u);
}
