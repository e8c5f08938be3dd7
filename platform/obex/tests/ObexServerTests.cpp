// The OBEX server as a program meets it: created through COM from the
// registered DLL, finding the nearby devices of a test device's profile as
// they come and go, and putting objects into their inbox folders.
#include "platform/obex/ObexStore.h"
#include "platform/obex/tests/ObexTestSupport.h"

#include "framework/testsupport/MessagePump.h"
#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace vellumate;
using namespace obextest;

namespace {

class ObexServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.Ok());
        ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        ASSERT_EQ(
            ::CoCreateInstance(CLSID_Obex, nullptr, CLSCTX_INPROC_SERVER, IID_IObex, reinterpret_cast<void**>(&m_obex)),
            S_OK);
        ASSERT_EQ(m_obex->Initialize(), S_OK);
    }
    void TearDown() override
    {
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

    void Advise()
    {
        IConnectionPointContainer* container = nullptr;
        ASSERT_EQ(m_obex->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)), S_OK);
        ASSERT_EQ(container->FindConnectionPoint(IID_IObexSink, &m_point), S_OK);
        container->Release();
        ASSERT_EQ(m_point->Advise(&m_sink, &m_cookie), S_OK);
    }

    bool HasEvent(OBEX_EVENT event, const std::wstring& name)
    {
        for (const auto& [seen, device] : m_sink.Events())
            if (seen == event && device == name)
                return true;
        return false;
    }

    // The device of the last arrival, connected.
    IObexDevice* Connected()
    {
        IPropertyBag* bag = m_sink.LastArrival();
        IObexDevice* device = nullptr;
        if (!bag || m_obex->BindToDevice(bag, &device) != S_OK)
            device = nullptr;
        if (bag)
            bag->Release();
        if (device && device->Connect(nullptr, 0, nullptr) != S_OK) {
            device->Release();
            device = nullptr;
        }
        return device;
    }

    // Puts one object: the put's result, then the first failing write's or
    // the commit's.
    std::pair<HRESULT, HRESULT> Put(IObexDevice* device, const wchar_t* name, const std::string& bytes)
    {
        IHeaderCollection* headers = nullptr;
        if (::CoCreateInstance(CLSID_HeaderCollection, nullptr, CLSCTX_INPROC_SERVER, IID_IHeaderCollection,
                               reinterpret_cast<void**>(&headers)) != S_OK)
            return {E_FAIL, E_FAIL};
        headers->AddName(name);
        headers->AddLength(static_cast<unsigned long>(bytes.size()));
        IStream* stream = nullptr;
        const HRESULT put = device->Put(headers, &stream);
        headers->Release();
        if (put != S_OK)
            return {put, S_OK};
        HRESULT end = S_OK;
        for (std::size_t at = 0; at < bytes.size() && end == S_OK; at += 1000) {
            ULONG written = 0;
            end = stream->Write(bytes.data() + at, static_cast<ULONG>(std::min<std::size_t>(1000, bytes.size() - at)),
                                &written);
        }
        if (end == S_OK)
            end = stream->Commit(STGC_DEFAULT);
        stream->Release();
        return {put, end};
    }

    static std::string Bytes(std::size_t count, char seed)
    {
        std::string bytes(count, '\0');
        for (std::size_t i = 0; i < count; ++i)
            bytes[i] = static_cast<char>(seed + i * 7);
        return bytes;
    }

    std::size_t InboxEntries(const std::wstring& device)
    {
        std::error_code error;
        std::size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(obex::InboxFolder(device), error)) {
            (void)entry;
            ++count;
        }
        return count;
    }

    TempDevice m_device{"[obex:Tablet]\nstate=present\n[obex:Laptop]\nstate=absent\n"};
    RegisteredServer m_server{VMOBEX_DLL_PATH};
    RecordingSink m_sink;
    IObex* m_obex = nullptr;
    IConnectionPoint* m_point = nullptr;
    DWORD m_cookie = 0;
};

TEST_F(ObexServerTest, SinksHearOfTheDevicesInRangeAndOfEachChange)
{
    Advise();
    ASSERT_EQ(m_obex->StartDeviceEnum(), S_OK);
    ASSERT_TRUE(WaitUntil([&] { return HasEvent(OE_DEVICE_ARRIVAL, L"Tablet"); }));

    m_device.WriteProfile("[obex:Tablet]\nstate=absent\n[obex:Laptop]\nstate=present\n");
    ASSERT_TRUE(WaitUntil([&] { return HasEvent(OE_DEVICE_DEPARTURE, L"Tablet"); }));
    ASSERT_TRUE(WaitUntil([&] { return HasEvent(OE_DEVICE_ARRIVAL, L"Laptop"); }));
    EXPECT_EQ(m_sink.Events().size(), 3u);

    // Once stopped, the service tells nothing more.
    ASSERT_EQ(m_obex->StopDeviceEnum(), S_OK);
    m_device.WriteProfile("[obex:Tablet]\nstate=present\n");
    ::Sleep(600);  // three of the service's looks at the profile
    EXPECT_EQ(m_sink.Events().size(), 3u);
}

TEST_F(ObexServerTest, ObjectsPutToADeviceArriveInItsInboxWhole)
{
    Advise();
    ASSERT_EQ(m_obex->StartDeviceEnum(), S_OK);
    ASSERT_TRUE(WaitUntil([&] { return m_sink.LastArrival() != nullptr; }));
    IObexDevice* device = Connected();
    ASSERT_NE(device, nullptr);

    const std::string first = Bytes(5000, 'a');
    const std::string second = Bytes(12345, 'q');
    EXPECT_EQ(Put(device, L"first.bin", first), std::make_pair(S_OK, S_OK));
    EXPECT_EQ(Put(device, L"Second file.txt", second), std::make_pair(S_OK, S_OK));
    EXPECT_EQ(FileBytes(obex::InboxFolder(L"Tablet") + L"\\first.bin"), first);
    EXPECT_EQ(FileBytes(obex::InboxFolder(L"Tablet") + L"\\Second file.txt"), second);
    EXPECT_EQ(InboxEntries(L"Tablet"), 2u);

    // A name that would leave the inbox is refused.
    EXPECT_EQ(Put(device, L"..\\outside.txt", first).first, E_INVALIDARG);
    EXPECT_EQ(InboxEntries(L"Tablet"), 2u);
    device->Disconnect(nullptr);
    device->Release();
}

TEST_F(ObexServerTest, ABrokenLinkKeepsTheObjectsThatArrivedAndDiscardsTheRest)
{
    m_device.WriteProfile("[obex:Tablet]\nstate=present\nfail_after=6000\n");
    Advise();
    ASSERT_EQ(m_obex->StartDeviceEnum(), S_OK);
    ASSERT_TRUE(WaitUntil([&] { return m_sink.LastArrival() != nullptr; }));
    IObexDevice* device = Connected();
    ASSERT_NE(device, nullptr);

    const std::string first = Bytes(5000, 'a');
    const std::string second = Bytes(8000, 'k');
    EXPECT_EQ(Put(device, L"one.bin", first), std::make_pair(S_OK, S_OK));
    EXPECT_EQ(Put(device, L"two.bin", second).second, HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED));
    // The link stays broken until the device is connected again.
    EXPECT_EQ(Put(device, L"two.bin", second).first, HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED));
    EXPECT_EQ(FileBytes(obex::InboxFolder(L"Tablet") + L"\\one.bin"), first);
    EXPECT_EQ(InboxEntries(L"Tablet"), 1u);  // no part of two.bin

    m_device.WriteProfile("[obex:Tablet]\nstate=present\nfail_after=never\n");
    ASSERT_EQ(device->Connect(nullptr, 0, nullptr), S_OK);
    EXPECT_EQ(Put(device, L"two.bin", second), std::make_pair(S_OK, S_OK));
    EXPECT_EQ(FileBytes(obex::InboxFolder(L"Tablet") + L"\\two.bin"), second);
    device->Release();
}

TEST_F(ObexServerTest, ADeviceOutOfRangeRefusesTheConnection)
{
    Advise();
    ASSERT_EQ(m_obex->StartDeviceEnum(), S_OK);
    ASSERT_TRUE(WaitUntil([&] { return m_sink.LastArrival() != nullptr; }));
    IPropertyBag* bag = m_sink.LastArrival();
    IObexDevice* device = nullptr;
    ASSERT_EQ(m_obex->BindToDevice(bag, &device), S_OK);
    bag->Release();
    m_device.WriteProfile("[obex:Tablet]\nstate=absent\n");
    EXPECT_EQ(device->Connect(nullptr, 0, nullptr), HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED));
    device->Release();
}

}  // namespace
