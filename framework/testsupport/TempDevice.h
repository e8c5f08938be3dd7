// A handset device of its own for one test: a temporary folder with "root"
// (the handset's "\") and "profile.ini", made the process's device through
// VELLUMATE_ROOT and VELLUMATE_PROFILE, and removed with everything in it.
// Its SIM card is "sim.txt" beside the profile (VELLUMATE_SIM is cleared);
// there is none until WriteSim makes it.
#pragma once

#include "framework/testsupport/TempFolder.h"

#include "platform/DevicePaths.h"
#include "platform/ProfileSource.h"

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vellumate {

// Sets an environment variable of this process for the object's life and
// then gives it back its old value (or removes it).
class ScopedVariable {
public:
    ScopedVariable(const wchar_t* name, const wchar_t* value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

    // True when the variable could be set.
    bool Set() const noexcept { return m_set; }

private:
    const wchar_t* m_name;
    std::optional<std::wstring> m_old;
    bool m_set = false;
};

class TempDevice {
public:
    explicit TempDevice(std::string_view profile = {});
    TempDevice(const TempDevice&) = delete;
    TempDevice& operator=(const TempDevice&) = delete;

    std::wstring ProfilePath() const { return (m_folder / L"profile.ini").wstring(); }
    std::filesystem::path Root() const { return m_folder / L"root"; }

    // Replaces the profile the way the tool does: a new file renamed over the
    // old one, with a later last-write time.
    void WriteProfile(std::string_view text) const;

    // The SIM card file, and replacing it the way the tool does.
    std::wstring SimPath() const { return (m_folder / L"sim.txt").wstring(); }
    void WriteSim(std::string_view text) const;

    // Makes folders (and the folders above them) below the root.
    void MakeFolder(const std::wstring& below) const { std::filesystem::create_directories(Root() / below); }

private:
    // Declared first: the folder is made before the variables name it and
    // removed after they are given back.
    TempFolder m_folder;
    ScopedVariable m_profile;
    ScopedVariable m_root;
    ScopedVariable m_sim;
};

}  // namespace vellumate
