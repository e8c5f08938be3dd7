#include "platform/obex/ObexObjects.h"

#include "platform/Handles.h"
#include "platform/obex/ObexStore.h"

#include <olectl.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vellumate::obex {

std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};

namespace {

// {8C3E51A2-0B6D-4F7A-9E21-5D4C7B3A6F18}: a header collection of this server
// answers it with itself, so that a device reads the headers it was given.
constexpr IID IID_OwnHeaders = {0x8C3E51A2, 0x0B6D, 0x4F7A, {0x9E, 0x21, 0x5D, 0x4C, 0x7B, 0x3A, 0x6F, 0x18}};

constexpr HRESULT NotReady = HRESULT_FROM_WIN32(ERROR_NOT_READY);
constexpr HRESULT NotConnected = HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED);

// The header ids of the OBEX protocol that the devices read.
constexpr BYTE NameHeader = 0x01;
constexpr BYTE DescriptionHeader = 0x05;
constexpr BYTE TargetHeader = 0x46;
constexpr BYTE CountHeader = 0xC0;
constexpr BYTE LengthHeader = 0xC3;
constexpr BYTE ConnectionIdHeader = 0xCB;

template <typename T>
class ComRef {
public:
    ComRef() noexcept = default;
    ComRef(T* p, bool addRef) noexcept : m_p(p)
    {
        if (m_p && addRef)
            m_p->AddRef();
    }
    ComRef(const ComRef& other) noexcept : ComRef(other.m_p, true) {}
    ComRef(ComRef&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ComRef& operator=(ComRef other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }
    ~ComRef()
    {
        if (m_p)
            m_p->Release();
    }
    T* Get() const noexcept { return m_p; }
    T* operator->() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

// The reference count and the interface lookup every object shares.
class Counted {
public:
    Counted() noexcept { ++liveObjects; }
    virtual ~Counted() { --liveObjects; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;

protected:
    ULONG Add() noexcept { return ++m_refs; }
    ULONG Drop() noexcept
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT Give(void* face, void** out) noexcept
    {
        if (!out)
            return E_POINTER;
        *out = face;
        if (!face)
            return E_NOINTERFACE;
        Add();
        return S_OK;
    }

private:
    std::atomic<ULONG> m_refs{1};
};

#define VM_UNKNOWN                                                                                                     \
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override                                          \
    {                                                                                                                  \
        return Give(Find(iid), out);                                                                                   \
    }                                                                                                                  \
    ULONG STDMETHODCALLTYPE AddRef() override                                                                          \
    {                                                                                                                  \
        return Add();                                                                                                  \
    }                                                                                                                  \
    ULONG STDMETHODCALLTYPE Release() override                                                                         \
    {                                                                                                                  \
        return Drop();                                                                                                 \
    }

template <typename Make>
HRESULT Guarded(Make&& make) noexcept
{
    try {
        return make();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// ---- header collections ------------------------------------------------------------

class HeaderCollection final : public IHeaderCollection, private Counted {
public:
    VM_UNKNOWN

    HRESULT STDMETHODCALLTYPE AddByteArray(BYTE id, unsigned long size, BYTE* data) override
    {
        if (!data && size)
            return E_POINTER;
        return Guarded([&] {
            m_bytes[id].assign(data, data + size);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE AddConnectionId(unsigned long connectionId) override
    {
        return AddLong(ConnectionIdHeader, connectionId);
    }
    HRESULT STDMETHODCALLTYPE AddCount(unsigned long count) override { return AddLong(CountHeader, count); }
    HRESULT STDMETHODCALLTYPE AddDescription(LPCWSTR description) override
    {
        return AddUnicodeString(DescriptionHeader, description);
    }
    HRESULT STDMETHODCALLTYPE AddLength(unsigned long length) override { return AddLong(LengthHeader, length); }
    HRESULT STDMETHODCALLTYPE AddLong(BYTE id, unsigned long value) override
    {
        return Guarded([&] {
            m_numbers[id] = value;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE AddName(LPCWSTR name) override { return AddUnicodeString(NameHeader, name); }
    HRESULT STDMETHODCALLTYPE AddTarget(unsigned long size, BYTE* data) override
    {
        return AddByteArray(TargetHeader, size, data);
    }
    HRESULT STDMETHODCALLTYPE AddUnicodeString(BYTE id, LPCWSTR text) override
    {
        if (!text)
            return E_POINTER;
        return Guarded([&] {
            m_texts[id] = text;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE Remove(BYTE id) override
    {
        const bool found = m_texts.erase(id) + m_numbers.erase(id) + m_bytes.erase(id) > 0;
        return found ? S_OK : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE RemoveAll() override
    {
        m_texts.clear();
        m_numbers.clear();
        m_bytes.clear();
        return S_OK;
    }

    const std::wstring* Text(BYTE id) const
    {
        const auto found = m_texts.find(id);
        return found == m_texts.end() ? nullptr : &found->second;
    }
    const unsigned long* Number(BYTE id) const
    {
        const auto found = m_numbers.find(id);
        return found == m_numbers.end() ? nullptr : &found->second;
    }

private:
    void* Find(REFIID iid) noexcept
    {
        if (iid == IID_IUnknown || iid == IID_IHeaderCollection || iid == IID_OwnHeaders)
            return static_cast<IHeaderCollection*>(this);
        return nullptr;
    }

    std::map<BYTE, std::wstring> m_texts;
    std::map<BYTE, unsigned long> m_numbers;
    std::map<BYTE, std::vector<BYTE>> m_bytes;
};

const HeaderCollection* OwnHeaders(IHeaderCollection* headers) noexcept
{
    void* own = nullptr;
    if (!headers || FAILED(headers->QueryInterface(IID_OwnHeaders, &own)))
        return nullptr;
    // The collection stays alive while the caller holds `headers`.
    static_cast<IHeaderCollection*>(own)->Release();
    return static_cast<const HeaderCollection*>(static_cast<IHeaderCollection*>(own));
}

// ---- property bags -------------------------------------------------------------------

class DeviceProperties final : public IPropertyBag, private Counted {
public:
    explicit DeviceProperties(std::wstring name) : m_name(std::move(name)) {}
    VM_UNKNOWN

    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR property, VARIANT* value, IErrorLog*) override
    {
        if (!property || !value)
            return E_POINTER;
        const std::wstring* text = nullptr;
        const std::wstring address = L"vmobex:" + m_name;
        if (_wcsicmp(property, L"Name") == 0)
            text = &m_name;
        else if (_wcsicmp(property, L"Address") == 0)
            text = &address;
        if (!text)
            return E_INVALIDARG;
        ::VariantInit(value);
        value->vt = VT_BSTR;
        value->bstrVal = ::SysAllocStringLen(text->data(), static_cast<UINT>(text->size()));
        if (!value->bstrVal) {
            value->vt = VT_EMPTY;
            return E_OUTOFMEMORY;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR, VARIANT*) override { return E_ACCESSDENIED; }

private:
    void* Find(REFIID iid) noexcept
    {
        return iid == IID_IUnknown || iid == IID_IPropertyBag ? static_cast<IPropertyBag*>(this) : nullptr;
    }

    std::wstring m_name;
};

std::wstring NameInBag(IPropertyBag* bag)
{
    VARIANT value;
    ::VariantInit(&value);
    if (!bag || FAILED(bag->Read(L"Name", &value, nullptr)))
        return {};
    std::wstring name;
    if (value.vt == VT_BSTR && value.bstrVal)
        name.assign(value.bstrVal, ::SysStringLen(value.bstrVal));
    ::VariantClear(&value);
    return name;
}

// ---- devices and their put streams -----------------------------------------------------

// What one connection to a device carries: the bytes it took so far, and
// whether its link broke.
struct Link {
    std::mutex lock;
    std::wstring device;
    bool connected = false;
    bool broken = false;
    std::int64_t delivered = 0;

    // How many of `count` bytes the link takes now; the rest is lost with
    // the link, which the profile may have taken out of range or given a
    // budget meanwhile.
    DWORD Take(DWORD count)
    {
        std::lock_guard<std::mutex> hold(lock);
        if (!connected || broken)
            return 0;
        const DeviceState state = CurrentDeviceState(device);
        std::int64_t room = count;
        if (!state.present)
            room = 0;
        else if (state.failAfter >= 0)
            room = std::clamp<std::int64_t>(state.failAfter - delivered, 0, count);
        delivered += room;
        if (room < count)
            broken = true;
        return static_cast<DWORD>(room);
    }
};

class PutStream final : public IStream, private Counted {
public:
    PutStream(std::shared_ptr<Link> link, std::unique_ptr<IncomingObject> object, std::optional<unsigned long> length)
        : m_link(std::move(link)), m_object(std::move(object)), m_length(length)
    {
    }
    VM_UNKNOWN

    HRESULT STDMETHODCALLTYPE Read(void*, ULONG, ULONG* done) override
    {
        if (done)
            *done = 0;
        return STG_E_ACCESSDENIED;
    }
    HRESULT STDMETHODCALLTYPE Write(const void* bytes, ULONG count, ULONG* done) override
    {
        if (done)
            *done = 0;
        if (!bytes && count)
            return STG_E_INVALIDPOINTER;
        if (m_failed || m_committed)
            return STG_E_REVERTED;
        const DWORD taken = m_link->Take(count);
        if (taken && m_object->Write(bytes, taken) != ERROR_SUCCESS)
            return Fail(STG_E_WRITEFAULT);
        if (done)
            *done = taken;
        return taken == count ? S_OK : Fail(NotConnected);
    }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return STG_E_INVALIDFUNCTION; }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return STG_E_INVALIDFUNCTION; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override
    {
        return STG_E_INVALIDFUNCTION;
    }
    // Ends the object: the device keeps it when every byte the Length
    // header announced arrived.
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override
    {
        if (m_committed)
            return S_OK;
        if (m_failed)
            return STG_E_REVERTED;
        {
            std::lock_guard<std::mutex> hold(m_link->lock);
            if (m_link->broken || !m_link->connected)
                return Fail(NotConnected);
        }
        if (m_length && m_object->Written() != *m_length)
            return Fail(STG_E_INCOMPLETE);
        if (m_object->Complete() != ERROR_SUCCESS)
            return Fail(STG_E_WRITEFAULT);
        m_committed = true;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Revert() override
    {
        if (!m_committed)
            Fail(STG_E_REVERTED);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override
    {
        return STG_E_INVALIDFUNCTION;
    }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override
    {
        return STG_E_INVALIDFUNCTION;
    }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override
    {
        if (!stat)
            return STG_E_INVALIDPOINTER;
        *stat = STATSTG{};
        stat->type = STGTY_STREAM;
        stat->cbSize.QuadPart = m_object->Written();
        stat->grfMode = STGM_WRITE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IStream** out) override
    {
        if (out)
            *out = nullptr;
        return STG_E_INVALIDFUNCTION;
    }

private:
    void* Find(REFIID iid) noexcept
    {
        if (iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream)
            return static_cast<IStream*>(this);
        return nullptr;
    }
    HRESULT Fail(HRESULT result) noexcept
    {
        m_failed = true;
        m_object->Discard();
        return result;
    }

    std::shared_ptr<Link> m_link;
    std::unique_ptr<IncomingObject> m_object;  // discards an uncommitted part when it goes
    std::optional<unsigned long> m_length;
    bool m_failed = false;
    bool m_committed = false;
};

class Device final : public IObexDevice, private Counted {
public:
    explicit Device(std::wstring name) : m_name(std::move(name)) {}
    ~Device() override
    {
        if (m_marshaler)
            m_marshaler->Release();
    }

    // A device is bound in one apartment and used by a sender in another:
    // marshalling it hands over the object itself.
    HRESULT MakeAgile() noexcept
    {
        return ::CoCreateFreeThreadedMarshaler(static_cast<IObexDevice*>(this), &m_marshaler);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IMarshal && m_marshaler)
            return m_marshaler->QueryInterface(iid, out);
        return Give(Find(iid), out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return Drop(); }

    HRESULT STDMETHODCALLTYPE Abort(IHeaderCollection*) override
    {
        if (!m_link)
            return NotConnected;
        std::lock_guard<std::mutex> hold(m_link->lock);
        m_link->broken = true;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Connect(LPCWSTR, DWORD, IHeaderCollection*) override
    {
        return Guarded([&] {
            if (!CurrentDeviceState(m_name).present)
                return NotConnected;
            auto link = std::make_shared<Link>();
            link->device = m_name;
            link->connected = true;
            if (m_link) {
                std::lock_guard<std::mutex> hold(m_link->lock);
                m_link->connected = false;
            }
            m_link = std::move(link);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE Disconnect(IHeaderCollection*) override
    {
        if (!m_link)
            return NotConnected;
        std::lock_guard<std::mutex> hold(m_link->lock);
        m_link->connected = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumProperties(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        return Guarded([&] {
            ComRef<IPropertyBag> bag(new DeviceProperties(m_name), false);
            return bag->QueryInterface(iid, out);
        });
    }
    HRESULT STDMETHODCALLTYPE Get(IHeaderCollection*, IStream** stream) override
    {
        if (stream)
            *stream = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Put(IHeaderCollection* headers, IStream** stream) override
    {
        if (!stream)
            return E_POINTER;
        *stream = nullptr;
        const HeaderCollection* own = OwnHeaders(headers);
        if (!own)
            return E_INVALIDARG;
        return Guarded([&]() -> HRESULT {
            const std::wstring* name = own->Text(NameHeader);
            if (!name || !IsObjectName(*name))
                return E_INVALIDARG;
            if (!m_link)
                return NotConnected;
            {
                std::lock_guard<std::mutex> hold(m_link->lock);
                if (!m_link->connected || m_link->broken)
                    return NotConnected;
            }
            auto object = std::make_unique<IncomingObject>();
            const DWORD opened = object->Open(m_name, *name);
            if (opened != ERROR_SUCCESS)
                return HRESULT_FROM_WIN32(opened);
            std::optional<unsigned long> length;
            if (const unsigned long* announced = own->Number(LengthHeader))
                length = *announced;
            *stream = new PutStream(m_link, std::move(object), length);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE SetPassword(LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetPath(LPCWSTR, DWORD, IHeaderCollection*) override { return E_NOTIMPL; }

private:
    void* Find(REFIID iid) noexcept
    {
        return iid == IID_IUnknown || iid == IID_IObexDevice ? static_cast<IObexDevice*>(this) : nullptr;
    }

    std::wstring m_name;
    std::shared_ptr<Link> m_link;     // the current connection's
    IUnknown* m_marshaler = nullptr;  // the free-threaded marshaler, inner
};

// ---- the service object ------------------------------------------------------------------

class Service;

class SinkPoint final : public IConnectionPoint {
public:
    explicit SinkPoint(Service& service) noexcept : m_service(service) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override
    {
        if (!iid)
            return E_POINTER;
        *iid = IID_IObexSink;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override
    {
        if (out)
            *out = nullptr;
        return E_NOTIMPL;
    }

private:
    Service& m_service;
};

class Service final : public IObex, public IConnectionPointContainer, private Counted {
public:
    Service() : m_point(*this) {}
    ~Service() override { StopWatching(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override { return Give(Find(iid), out); }
    ULONG STDMETHODCALLTYPE AddRef() override { return Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return Drop(); }

    // ---- IObex ----
    HRESULT STDMETHODCALLTYPE BindToDevice(IPropertyBag* properties, IObexDevice** device) override
    {
        if (!device || !properties)
            return E_POINTER;
        *device = nullptr;
        if (!m_initialized)
            return NotReady;
        return Guarded([&]() -> HRESULT {
            const std::wstring name = NameInBag(properties);
            if (name.empty() || !CurrentDeviceProfileHas(name))
                return E_INVALIDARG;
            auto* made = new Device(name);
            const HRESULT agile = made->MakeAgile();
            if (FAILED(agile)) {
                made->Release();
                return agile;
            }
            *device = made;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE EnumDevices(IUnknown** devices, REFCLSID) override
    {
        if (devices)
            *devices = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE EnumTransports(IUnknown** transports) override
    {
        if (transports)
            *transports = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Initialize() override
    {
        m_initialized = true;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Shutdown() override
    {
        StopWatching();
        m_initialized = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE StartDeviceEnum() override
    {
        if (!m_initialized)
            return NotReady;
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_watcher)
            return S_OK;
        m_stop.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        if (!m_stop)
            return E_FAIL;
        m_known.clear();
        AddRef();  // the watcher's own reference, dropped as it ends
        m_watcher.Reset(::CreateThread(nullptr, 0, &Service::Watch, this, 0, &m_watcherId));
        if (!m_watcher) {
            Release();
            return E_FAIL;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE StopDeviceEnum() override
    {
        StopWatching();
        return S_OK;
    }

    // ---- IConnectionPointContainer ----
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override
    {
        if (out)
            *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (iid != IID_IObexSink)
            return CONNECT_E_NOCONNECTION;
        *out = &m_point;
        AddRef();
        return S_OK;
    }

    // ---- the sinks ----
    HRESULT AddSink(IUnknown* unknown, DWORD* cookie)
    {
        if (!unknown || !cookie)
            return E_POINTER;
        *cookie = 0;
        IObexSink* sink = nullptr;
        if (FAILED(unknown->QueryInterface(IID_IObexSink, reinterpret_cast<void**>(&sink))))
            return CONNECT_E_CANNOTCONNECT;
        return Guarded([&] {
            std::lock_guard<std::mutex> hold(m_lock);
            const DWORD given = ++m_lastCookie;
            m_sinks.emplace(given, ComRef<IObexSink>(sink, false));
            *cookie = given;
            return S_OK;
        });
    }
    HRESULT RemoveSink(DWORD cookie)
    {
        ComRef<IObexSink> gone;
        {
            std::lock_guard<std::mutex> hold(m_lock);
            const auto found = m_sinks.find(cookie);
            if (found == m_sinks.end())
                return CONNECT_E_NOCONNECTION;
            gone = std::move(found->second);
            m_sinks.erase(found);
        }
        return S_OK;
    }

private:
    void* Find(REFIID iid) noexcept
    {
        if (iid == IID_IUnknown || iid == IID_IObex)
            return static_cast<IObex*>(this);
        if (iid == IID_IConnectionPointContainer)
            return static_cast<IConnectionPointContainer*>(this);
        return nullptr;
    }

    static bool CurrentDeviceProfileHas(const std::wstring& name) { return CurrentDeviceState(name).present; }

    static DWORD WINAPI Watch(void* parameter) noexcept
    {
        auto* service = static_cast<Service*>(parameter);
        try {
            service->WatchLoop();
        } catch (...) {
            // Out of memory: the enumeration ends; the devices seen stay valid.
        }
        service->Release();
        return 0;
    }

    void WatchLoop()
    {
        do {
            const std::vector<std::wstring> now = DevicesInRange();
            for (const std::wstring& name : now)
                if (std::find(m_known.begin(), m_known.end(), name) == m_known.end())
                    Tell(OE_DEVICE_ARRIVAL, name);
            for (const std::wstring& name : m_known)
                if (std::find(now.begin(), now.end(), name) == now.end())
                    Tell(OE_DEVICE_DEPARTURE, name);
            m_known = now;
        } while (::WaitForSingleObject(m_stop.Get(), WatchIntervalMs) == WAIT_TIMEOUT);
    }

    void Tell(OBEX_EVENT event, const std::wstring& name)
    {
        std::vector<ComRef<IObexSink>> sinks;
        {
            std::lock_guard<std::mutex> hold(m_lock);
            for (const auto& [cookie, sink] : m_sinks)
                sinks.push_back(sink);
        }
        ComRef<IPropertyBag> bag(new DeviceProperties(name), false);
        for (const ComRef<IObexSink>& sink : sinks) {
            if (::WaitForSingleObject(m_stop.Get(), 0) == WAIT_OBJECT_0)
                return;
            sink->Notify(event, bag.Get(), nullptr);
        }
    }

    void StopWatching()
    {
        KernelHandle watcher;
        {
            std::lock_guard<std::mutex> hold(m_lock);
            if (!m_watcher)
                return;
            ::SetEvent(m_stop.Get());
            watcher.Reset(m_watcher.Release());
        }
        // A sink that stops the enumeration from its own notification must
        // not wait for itself.
        if (::GetCurrentThreadId() != m_watcherId)
            ::WaitForSingleObject(watcher.Get(), INFINITE);
    }

    SinkPoint m_point;
    std::mutex m_lock;  // the sinks and the watcher's handles
    std::map<DWORD, ComRef<IObexSink>> m_sinks;
    DWORD m_lastCookie = 0;
    std::atomic<bool> m_initialized{false};
    KernelHandle m_watcher;
    DWORD m_watcherId = 0;
    KernelHandle m_stop;
    std::vector<std::wstring> m_known;  // the watcher's own
};

HRESULT STDMETHODCALLTYPE SinkPoint::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IConnectionPoint)
        return E_NOINTERFACE;
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

// The point lives inside the service and keeps it alive.
ULONG STDMETHODCALLTYPE SinkPoint::AddRef()
{
    return m_service.AddRef();
}

ULONG STDMETHODCALLTYPE SinkPoint::Release()
{
    return m_service.Release();
}

HRESULT STDMETHODCALLTYPE SinkPoint::GetConnectionPointContainer(IConnectionPointContainer** out)
{
    if (!out)
        return E_POINTER;
    return m_service.QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(out));
}

HRESULT STDMETHODCALLTYPE SinkPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    return m_service.AddSink(sink, cookie);
}

HRESULT STDMETHODCALLTYPE SinkPoint::Unadvise(DWORD cookie)
{
    return m_service.RemoveSink(cookie);
}

// ---- the class factories ----------------------------------------------------------------------

template <typename Object, typename Interface>
class Factory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IClassFactory)
            return E_NOINTERFACE;
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    // The factory lives as long as the DLL.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        Object* object = new (std::nothrow) Object();
        if (!object)
            return E_OUTOFMEMORY;
        const HRESULT result = static_cast<Interface*>(object)->QueryInterface(iid, out);
        static_cast<Interface*>(object)->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock)
            ++serverLocks;
        else
            --serverLocks;
        return S_OK;
    }
};

Factory<Service, IObex> serviceFactory;
Factory<HeaderCollection, IHeaderCollection> headerFactory;

}  // namespace

IClassFactory* ServiceFactory() noexcept
{
    return &serviceFactory;
}

IClassFactory* HeaderCollectionFactory() noexcept
{
    return &headerFactory;
}

}  // namespace vellumate::obex
