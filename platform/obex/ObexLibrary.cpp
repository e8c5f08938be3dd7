// "vmobex.dll": the in-process server of the OBEX service. It registers the
// service class and the header collection class in the classes root, for
// callers of any apartment (the objects guard their own state).
#include "platform/obex/ObexObjects.h"

#include "platform/ComServer.h"

#include <olectl.h>

using namespace vellumate;
using namespace vellumate::obex;

namespace {

HMODULE thisModule = nullptr;

struct ServerClass {
    const wchar_t* key;
    const wchar_t* title;
};

constexpr ServerClass Classes[] = {
    {L"CLSID\\{30A7BC00-59B6-40BB-AA2B-89EB49EF274E}", L"OBEX service"},
    {L"CLSID\\{30A7BC01-59B6-40BB-AA2B-89EB49EF274E}", L"OBEX header collection"},
};

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
    if (clsid == CLSID_Obex)
        return ServiceFactory()->QueryInterface(iid, out);
    if (clsid == CLSID_HeaderCollection)
        return HeaderCollectionFactory()->QueryInterface(iid, out);
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return liveObjects == 0 && serverLocks == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    for (const ServerClass& serverClass : Classes) {
        const HRESULT result = RegisterInprocClass(thisModule, serverClass.key, serverClass.title);
        if (FAILED(result))
            return result;
    }
    return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    HRESULT result = S_OK;
    for (const ServerClass& serverClass : Classes)
        if (FAILED(UnregisterInprocClass(serverClass.key)))
            result = SELFREG_E_CLASS;
    return result;
}
