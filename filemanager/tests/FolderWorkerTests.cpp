// The tree-mode read on a worker thread: the listing flag is the only signal
// between the threads, and clearing it stops a running read early.
#include "DeviceRootFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace {

constexpr int FileCount = 200;
// Long enough for any read here to finish; only a broken read waits this long.
constexpr DWORD Patience = 20000;

// Holds the worker at the start of its read until the test lets it go, so
// that the test thread acts while the read is known to be running.
class GateObserver : public FolderListObserver {
public:
    GateObserver()
        : m_started(CreateEventW(nullptr, TRUE, FALSE, nullptr)), m_go(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
    }
    ~GateObserver() override
    {
        CloseHandle(m_started);
        CloseHandle(m_go);
    }

    void OnReadStarted() override
    {
        readerThread = GetCurrentThreadId();
        SetEvent(m_started);
        WaitForSingleObject(m_go, Patience);
    }
    void OnReadFinished() override { ++finished; }

    bool WaitUntilStarted() const { return WaitForSingleObject(m_started, Patience) == WAIT_OBJECT_0; }
    void Release() const { SetEvent(m_go); }

    std::atomic<DWORD> readerThread{0};
    std::atomic<int> finished{0};

private:
    HANDLE m_started;
    HANDLE m_go;
};

class FolderWorker : public DeviceRootFixture {
protected:
    void SetUp() override
    {
        DeviceRootFixture::SetUp();
        MakeFolder(L"\\Many");
        for (int i = 0; i < FileCount; ++i) {
            String path;
            path.FormatText(L"\\Many\\file %.4d.txt", i);
            MakeFile(path);
        }
        MakeFolder(L"\\Few\\inner");
        MakeFile(L"\\Few\\only.txt");
    }

    FolderList m_list;
};

TEST_F(FolderWorker, ClearingTheFlagStopsTheReadEarlyKeepingWhatWasRead)
{
    GateObserver gate;
    m_list.SetObserver(&gate);
    m_list.RememberPosition(L"Somewhere");
    ASSERT_TRUE(m_list.StartBackgroundRead(L"\\Many"));
    EXPECT_EQ(std::wstring(m_list.CurrentPath().Chars()), L"\\Many");
    EXPECT_EQ(m_list.Memo().Count(), 0);
    ASSERT_TRUE(gate.WaitUntilStarted());
    EXPECT_NE(gate.readerThread.load(), GetCurrentThreadId());
    EXPECT_TRUE(m_list.IsListing());

    m_list.StopListing();
    gate.Release();
    m_list.WaitForBackgroundRead();
    m_list.SetObserver(nullptr);

    EXPECT_FALSE(m_list.IsListing());
    EXPECT_EQ(gate.finished.load(), 1);
    EXPECT_GE(m_list.ItemCount(), 1);
    EXPECT_LT(m_list.ItemCount(), FileCount + 1);
    EXPECT_TRUE(m_list.Item(0).IsParentRow());
    EXPECT_FALSE(m_list.IsSorted());
}

TEST_F(FolderWorker, ATickDuringAReadStartsNoSecondOne)
{
    GateObserver gate;
    m_list.SetObserver(&gate);
    ASSERT_TRUE(m_list.StartBackgroundRead(L"\\Many"));
    ASSERT_TRUE(gate.WaitUntilStarted());

    EXPECT_FALSE(m_list.StartBackgroundRead(L"\\Few"));
    EXPECT_EQ(std::wstring(m_list.CurrentPath().Chars()), L"\\Many");
    // What the tree's timer does on such a tick.
    m_list.StopListing();
    gate.Release();
    m_list.WaitForBackgroundRead();
    m_list.SetObserver(nullptr);

    // The next tick reads the folder the tree now shows, completely.
    ASSERT_TRUE(m_list.StartBackgroundRead(L"\\Few"));
    m_list.EnsureSorted();  // waits for the read
    EXPECT_EQ(ListedNames(m_list), (std::vector<std::wstring>{L"..", L"inner", L"only.txt"}));
    EXPECT_EQ(m_list.FolderCount(), 1);
    EXPECT_EQ(m_list.FileCount(), 1);
    EXPECT_FALSE(m_list.IsListing());
}

TEST_F(FolderWorker, AReadOnTheUserInterfaceThreadReplacesARunningOne)
{
    GateObserver gate;
    m_list.SetObserver(&gate);
    ASSERT_TRUE(m_list.StartBackgroundRead(L"\\Many"));
    ASSERT_TRUE(gate.WaitUntilStarted());
    gate.Release();

    m_list.ReadFolder(L"\\Few", nullptr);
    m_list.SetObserver(nullptr);
    EXPECT_EQ(gate.finished.load(), 2);
    EXPECT_EQ(std::wstring(m_list.CurrentPath().Chars()), L"\\Few");
    EXPECT_EQ(m_list.ItemCount(), 3);
    EXPECT_FALSE(m_list.IsListing());
}

TEST_F(FolderWorker, TheListStopsItsReadWhenItGoes)
{
    GateObserver gate;
    auto list = std::make_unique<FolderList>();
    list->SetObserver(&gate);
    ASSERT_TRUE(list->StartBackgroundRead(L"\\Many"));
    ASSERT_TRUE(gate.WaitUntilStarted());
    gate.Release();
    list.reset();  // must neither hang nor leave the thread running
    EXPECT_EQ(gate.finished.load(), 1);
}

}  // namespace
