// What the OBEX server's tests and the beam's tests share: the built server
// registered in the test prefix's registry for a test's life, and a sink that
// keeps what the service told it.
#pragma once

#include "platform/obex/Obex.h"

#include <windows.h>

#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace obextest {

// Loads the built vmobex.dll and has it register itself; unregisters and
// unloads at the end.
class RegisteredServer {
public:
    explicit RegisteredServer(const wchar_t* dllPath);
    ~RegisteredServer();
    RegisteredServer(const RegisteredServer&) = delete;
    RegisteredServer& operator=(const RegisteredServer&) = delete;
    bool Ok() const noexcept { return m_ok; }

private:
    HMODULE m_library = nullptr;
    bool m_ok = false;
};

// Keeps every notification as the event and the device's "Name".
class RecordingSink final : public IObexSink {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Notify(OBEX_EVENT event, IUnknown* first, IUnknown* second) override;

    std::vector<std::pair<OBEX_EVENT, std::wstring>> Events();
    // The property bag of the last arrival, added to (the caller releases it).
    IPropertyBag* LastArrival();

private:
    std::mutex m_lock;
    std::vector<std::pair<OBEX_EVENT, std::wstring>> m_events;
    IPropertyBag* m_lastArrival = nullptr;
};

// The "Name" a property bag holds, empty when it holds none.
std::wstring NameOf(IUnknown* bag);

// The bytes of a file, empty when it cannot be read.
std::string FileBytes(const std::wstring& path);

}  // namespace obextest
