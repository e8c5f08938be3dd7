// "vmcontacts.dll": the in-process server of the contacts object model. It
// registers itself under CLSID_Application in the classes root, for callers of
// any apartment (the objects guard their own state).
#include "platform/contacts/PoomObjects.h"

#include "platform/Handles.h"

#include <olectl.h>

#include <string>

using namespace vellumate;
using namespace vellumate::contacts;

namespace {

HMODULE thisModule = nullptr;

constexpr wchar_t ClassKey[] = L"CLSID\\{05058F23-20BE-11D2-8F18-0000F87A4335}";

bool SetText(HKEY key, const wchar_t* name, const std::wstring& text)
{
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        thisModule = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (clsid != CLSID_Application)
        return CLASS_E_CLASSNOTAVAILABLE;
    return ApplicationFactory()->QueryInterface(iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return liveObjects == 0 && serverLocks == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(thisModule, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return HRESULT_FROM_WIN32(::GetLastError());
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    HKEY raw = nullptr;
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, ClassKey, 0, nullptr, 0, KEY_WRITE, nullptr, &raw, nullptr) !=
        ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    RegistryKeyHandle classKey(raw);
    if (!SetText(classKey.Get(), nullptr, L"Contacts object model"))
        return SELFREG_E_CLASS;
    raw = nullptr;
    if (::RegCreateKeyExW(classKey.Get(), L"InprocServer32", 0, nullptr, 0, KEY_WRITE, nullptr, &raw, nullptr) !=
        ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    RegistryKeyHandle server(raw);
    if (!SetText(server.Get(), nullptr, path) || !SetText(server.Get(), L"ThreadingModel", L"Both"))
        return SELFREG_E_CLASS;
    return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    const LSTATUS status = ::RegDeleteTreeW(HKEY_CLASSES_ROOT, ClassKey);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}
