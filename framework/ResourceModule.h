// The resource module and the localized resource file.
//
// Every string, dialog template and menu bar is loaded by number from the
// resource module. It is the executable's own module unless start-up sets
// another one (the localized resource file, or a test's own module).
//
// A program may keep its dialogs, menus and strings
// in a localized resource file: a resource-only DLL beside the executable,
// named "<executable base name>.<language id as 4 hex digits>.dll", for
// example "program.0409.dll". The file tried first is the one for the user's
// UI language, then the one for that language's primary language with
// SUBLANG_DEFAULT, then English (0x0409); the first that exists and loads wins.
// It is loaded as a data file: the handle serves LoadStringW, FindResourceW /
// LoadResource and dialog and menu creation, and no code of the file ever
// runs. When none is found the binding yields a null handle, and start-up
// shows a fixed English message and exits.
#pragma once

#include "framework/String.h"
#include "framework/StringArray.h"

#include <windows.h>

#include <utility>

// Null means the executable's own module.
HINSTANCE ResourceModule() noexcept;
void SetResourceModule(HINSTANCE module) noexcept;

// Owns a module loaded with LoadLibraryExW and frees it.
class ModuleHandle {
public:
    ModuleHandle() noexcept = default;
    explicit ModuleHandle(HMODULE module) noexcept : m_module(module) {}
    ModuleHandle(const ModuleHandle&) = delete;
    ModuleHandle& operator=(const ModuleHandle&) = delete;
    ModuleHandle(ModuleHandle&& other) noexcept : m_module(std::exchange(other.m_module, nullptr)) {}
    ModuleHandle& operator=(ModuleHandle&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_module, nullptr));
        return *this;
    }
    ~ModuleHandle() { Reset(); }

    HMODULE Get() const noexcept { return m_module; }
    explicit operator bool() const noexcept { return m_module != nullptr; }
    HMODULE Detach() noexcept { return std::exchange(m_module, nullptr); }
    void Reset(HMODULE module = nullptr) noexcept
    {
        if (m_module)
            FreeLibrary(m_module);
        m_module = module;
    }

private:
    HMODULE m_module = nullptr;
};

// The full path of a loaded module (null: the executable), any length.
String ModuleFileName(HMODULE module);

// "<folder>\<base name>.<language>.dll" for the executable at executablePath.
String LocalizedResourceFileName(const wchar_t* executablePath, LANGID language);

// The file names to try, in order, without repeats.
StringArray LocalizedResourceCandidates(const wchar_t* executablePath, LANGID uiLanguage);

// The first candidate that exists as a file, or an empty String.
String FindLocalizedResourceFile(const wchar_t* executablePath, LANGID uiLanguage);

// Loads the first candidate that exists and loads; null when there is none.
ModuleHandle LoadLocalizedResourceFile(const wchar_t* executablePath, LANGID uiLanguage);

// The same for this executable and the user's UI language.
ModuleHandle LoadLocalizedResourceFile();
