#include "platform/ComServer.h"

#include "platform/Handles.h"

#include <olectl.h>

#include <string>

namespace vellumate {
namespace {

bool SetText(HKEY key, const wchar_t* name, const std::wstring& text)
{
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::wstring ModulePath(HMODULE module)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

HRESULT RegisterInprocClass(HMODULE module, const wchar_t* classKey, const wchar_t* title) noexcept
{
    try {
        const std::wstring path = ModulePath(module);
        if (path.empty())
            return HRESULT_FROM_WIN32(::GetLastError());
        HKEY raw = nullptr;
        if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, classKey, 0, nullptr, 0, KEY_WRITE, nullptr, &raw, nullptr) !=
            ERROR_SUCCESS)
            return SELFREG_E_CLASS;
        RegistryKeyHandle key(raw);
        if (!SetText(key.Get(), nullptr, title))
            return SELFREG_E_CLASS;
        raw = nullptr;
        if (::RegCreateKeyExW(key.Get(), L"InprocServer32", 0, nullptr, 0, KEY_WRITE, nullptr, &raw, nullptr) !=
            ERROR_SUCCESS)
            return SELFREG_E_CLASS;
        RegistryKeyHandle server(raw);
        if (!SetText(server.Get(), nullptr, path) || !SetText(server.Get(), L"ThreadingModel", L"Both"))
            return SELFREG_E_CLASS;
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT UnregisterInprocClass(const wchar_t* classKey) noexcept
{
    const LSTATUS status = ::RegDeleteTreeW(HKEY_CLASSES_ROOT, classKey);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}

}  // namespace vellumate
