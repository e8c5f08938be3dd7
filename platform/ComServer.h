// Registering an in-process COM server of the platform in the handset's
// classes root: the class's key with its title, and InprocServer32 naming
// the DLL, for callers of any apartment.
#pragma once

#include <windows.h>

namespace vellumate {

// `classKey` is "CLSID\{...}". S_OK, or SELFREG_E_CLASS.
HRESULT RegisterInprocClass(HMODULE module, const wchar_t* classKey, const wchar_t* title) noexcept;
// Removes the class's key; a class that is not registered is no failure.
HRESULT UnregisterInprocClass(const wchar_t* classKey) noexcept;

}  // namespace vellumate
