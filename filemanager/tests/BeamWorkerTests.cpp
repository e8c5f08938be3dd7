// The beam worker against the real OBEX server and a test device's nearby
// device: the block loop, a failure part-way and the send that resumes after
// the last file sent whole.
#include "filemanager/BeamWorker.h"

#include "platform/obex/ObexStore.h"
#include "platform/obex/tests/ObexTestSupport.h"

#include "framework/testsupport/MessagePump.h"
#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace vellumate;

namespace {

struct Recorder final : BeamReporter {
    explicit Recorder(BeamJob& job) : job(job) {}
    void Connecting() override { steps.push_back(L"connect"); }
    void FileStarted(int index) override { steps.push_back(L"file " + std::to_wstring(index)); }
    void Progress() override { progress.push_back(job.bytesSent); }
    void Failed(bool connecting, UINT message, const String& path) override
    {
        steps.push_back(connecting ? L"connection failed" : L"failed");
        failMessage = message;
    }
    void AllSent() override { steps.push_back(L"all sent"); }

    BeamJob& job;
    std::vector<std::wstring> steps;
    std::vector<std::uint64_t> progress;
    UINT failMessage = 0;
};

class BeamWorkerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.Ok());
        ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        ASSERT_EQ(
            ::CoCreateInstance(CLSID_Obex, nullptr, CLSCTX_INPROC_SERVER, IID_IObex, reinterpret_cast<void**>(&m_obex)),
            S_OK);
        ASSERT_EQ(m_obex->Initialize(), S_OK);
        IConnectionPointContainer* container = nullptr;
        ASSERT_EQ(m_obex->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)), S_OK);
        ASSERT_EQ(container->FindConnectionPoint(IID_IObexSink, &m_point), S_OK);
        container->Release();
        ASSERT_EQ(m_point->Advise(&m_sink, &m_cookie), S_OK);
        ASSERT_EQ(m_obex->StartDeviceEnum(), S_OK);
        ASSERT_TRUE(WaitUntil([&] { return !m_sink.Events().empty(); }));
        IPropertyBag* bag = m_sink.LastArrival();
        ASSERT_NE(bag, nullptr);
        ASSERT_EQ(m_obex->BindToDevice(bag, &m_target), S_OK);
        bag->Release();
        std::filesystem::create_directories(m_device.Root() / L"My Documents");
    }
    void TearDown() override
    {
        if (m_target)
            m_target->Release();
        if (m_point) {
            m_point->Unadvise(m_cookie);
            m_point->Release();
        }
        if (m_obex) {
            m_obex->Shutdown();
            m_obex->Release();
        }
        ::CoUninitialize();
    }

    String MakeFile(const wchar_t* name, const std::string& bytes)
    {
        std::ofstream(m_device.Root() / L"My Documents" / name, std::ios::binary) << bytes;
        return String((std::wstring(L"\\My Documents\\") + name).c_str());
    }
    static std::string Bytes(std::size_t count, char seed)
    {
        std::string bytes(count, '\0');
        for (std::size_t i = 0; i < count; ++i)
            bytes[i] = static_cast<char>(seed + i * 13);
        return bytes;
    }
    static std::string Received(const wchar_t* name)
    {
        return obextest::FileBytes(obex::InboxFolder(L"Pad") + L"\\" + name);
    }

    TempDevice m_device{"[obex:Pad]\nstate=present\n"};
    obextest::RegisteredServer m_server{VMOBEX_DLL_PATH};
    obextest::RecordingSink m_sink;
    IObex* m_obex = nullptr;
    IConnectionPoint* m_point = nullptr;
    DWORD m_cookie = 0;
    IObexDevice* m_target = nullptr;
};

TEST_F(BeamWorkerTest, AFileOfExactlyOneBlockIsOneFullBlockAndThenEnds)
{
    const std::string bytes = Bytes(BeamBlockBytes, 'x');
    BeamJob job;
    job.paths = {MakeFile(L"block.bin", bytes)};
    Recorder recorder(job);
    ASSERT_TRUE(RunBeamSend(job, m_target, recorder));

    EXPECT_EQ(Received(L"block.bin"), bytes);
    // The size once the file is open, then the one block; the empty read
    // that follows ends the file without a block of its own.
    EXPECT_EQ(recorder.progress, (std::vector<std::uint64_t>{0, BeamBlockBytes}));
    EXPECT_EQ(recorder.steps, (std::vector<std::wstring>{L"connect", L"file 0", L"all sent"}));
    EXPECT_EQ(job.lastSent, 0);
    EXPECT_EQ(job.sentCount, 1);
}

TEST_F(BeamWorkerTest, ASecondFileThatCannotBeOpenedFailsAfterOneAndIsSentOnTheNextTry)
{
    const std::string first = Bytes(12000, 'a');
    BeamJob job;
    job.paths = {MakeFile(L"one.txt", first), String(L"\\My Documents\\two.txt")};
    Recorder recorder(job);
    EXPECT_FALSE(RunBeamSend(job, m_target, recorder));
    EXPECT_EQ(recorder.steps.back(), L"failed");
    EXPECT_EQ(recorder.failMessage, static_cast<UINT>(43222));
    EXPECT_EQ(job.sentCount, 1);
    EXPECT_EQ(job.lastSent, 0);
    EXPECT_TRUE(job.aborted);

    // The first file changes meanwhile: the next send must not send it again.
    MakeFile(L"one.txt", Bytes(10, 'z'));
    const std::string second = Bytes(7000, 'b');
    MakeFile(L"two.txt", second);
    Recorder again(job);
    ASSERT_TRUE(RunBeamSend(job, m_target, again));
    EXPECT_EQ(again.steps, (std::vector<std::wstring>{L"connect", L"file 1", L"all sent"}));
    EXPECT_EQ(Received(L"one.txt"), first);
    EXPECT_EQ(Received(L"two.txt"), second);
    EXPECT_EQ(job.sentCount, 2);
}

TEST_F(BeamWorkerTest, ALinkThatBreaksPartWayResumesWithTheFileItBroke)
{
    m_device.WriteProfile("[obex:Pad]\nstate=present\nfail_after=6000\n");
    const std::string first = Bytes(5000, 'a');
    const std::string second = Bytes(8000, 'k');
    BeamJob job;
    job.paths = {MakeFile(L"a.bin", first), MakeFile(L"b.bin", second)};
    Recorder recorder(job);
    EXPECT_FALSE(RunBeamSend(job, m_target, recorder));
    EXPECT_EQ(job.lastSent, 0);
    EXPECT_EQ(Received(L"a.bin"), first);
    EXPECT_FALSE(std::filesystem::exists(obex::InboxFolder(L"Pad") + L"\\b.bin"));

    m_device.WriteProfile("[obex:Pad]\nstate=present\nfail_after=never\n");
    Recorder again(job);
    ASSERT_TRUE(RunBeamSend(job, m_target, again));
    EXPECT_EQ(again.steps, (std::vector<std::wstring>{L"connect", L"file 1", L"all sent"}));
    EXPECT_EQ(Received(L"b.bin"), second);
}

}  // namespace
