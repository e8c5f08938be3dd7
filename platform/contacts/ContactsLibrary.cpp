// "vmcontacts.dll": the in-process server of the contacts object model. It
// registers itself under CLSID_Application in the classes root, for callers of
// any apartment (the objects guard their own state).
#include "platform/contacts/PoomObjects.h"

#include "platform/ComServer.h"

using namespace vellumate;
using namespace vellumate::contacts;

namespace {

HMODULE thisModule = nullptr;

constexpr wchar_t ClassKey[] = L"CLSID\\{05058F23-20BE-11D2-8F18-0000F87A4335}";

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
    return RegisterInprocClass(thisModule, ClassKey, L"Contacts object model");
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    return UnregisterInprocClass(ClassKey);
}
