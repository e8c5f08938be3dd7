#include "platform/obex/tests/ObexTestSupport.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace obextest {

RegisteredServer::RegisteredServer(const wchar_t* dllPath)
{
    m_library = ::LoadLibraryW(dllPath);
    if (!m_library)
        return;
    auto reg = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(::GetProcAddress(m_library, "DllRegisterServer")));
    m_ok = reg && reg() == S_OK;
}

RegisteredServer::~RegisteredServer()
{
    if (!m_library)
        return;
    auto unreg = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(::GetProcAddress(m_library, "DllUnregisterServer")));
    if (unreg)
        unreg();
    ::FreeLibrary(m_library);
}

HRESULT STDMETHODCALLTYPE RecordingSink::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IObexSink)
        return E_NOINTERFACE;
    *out = static_cast<IObexSink*>(this);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingSink::Notify(OBEX_EVENT event, IUnknown* first, IUnknown*)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_events.emplace_back(event, NameOf(first));
    IPropertyBag* bag = nullptr;
    if (event == OE_DEVICE_ARRIVAL && first &&
        SUCCEEDED(first->QueryInterface(IID_IPropertyBag, reinterpret_cast<void**>(&bag)))) {
        if (m_lastArrival)
            m_lastArrival->Release();
        m_lastArrival = bag;
    }
    return S_OK;
}

std::vector<std::pair<OBEX_EVENT, std::wstring>> RecordingSink::Events()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_events;
}

IPropertyBag* RecordingSink::LastArrival()
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_lastArrival)
        m_lastArrival->AddRef();
    return m_lastArrival;
}

std::wstring NameOf(IUnknown* unknown)
{
    IPropertyBag* bag = nullptr;
    if (!unknown || FAILED(unknown->QueryInterface(IID_IPropertyBag, reinterpret_cast<void**>(&bag))))
        return {};
    VARIANT value;
    ::VariantInit(&value);
    std::wstring name;
    if (SUCCEEDED(bag->Read(L"Name", &value, nullptr)) && value.vt == VT_BSTR && value.bstrVal)
        name.assign(value.bstrVal, ::SysStringLen(value.bstrVal));
    ::VariantClear(&value);
    bag->Release();
    return name;
}

std::string FileBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace obextest
