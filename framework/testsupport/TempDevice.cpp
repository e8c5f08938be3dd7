#include "framework/testsupport/TempDevice.h"

#include <fstream>

namespace vellumate {

ScopedVariable::ScopedVariable(const wchar_t* name, const wchar_t* value) : m_name(name)
{
    if (::GetEnvironmentVariableW(name, nullptr, 0) != 0)
        m_old = EnvironmentText(name);
    m_set = ::SetEnvironmentVariableW(name, value) != FALSE;
}

ScopedVariable::~ScopedVariable()
{
    ::SetEnvironmentVariableW(m_name, m_old ? m_old->c_str() : nullptr);
}

TempDevice::TempDevice(std::string_view profile)
    : m_folder(L"vmservices"), m_profile(ProfileVariable, ProfilePath().c_str()),
      m_root(RootVariable, Root().wstring().c_str()), m_sim(L"VELLUMATE_SIM", nullptr)
{
    std::filesystem::create_directories(Root());
    WriteProfile(profile);
}

namespace {

// A new file renamed over the old one: readers see the old or the new text.
// A file that a reader has open cannot be replaced that moment, so the rename
// is tried again for a while.
void ReplaceWith(const std::filesystem::path& path, std::string_view text)
{
    std::filesystem::path next = path;
    next += L".tmp";
    {
        std::ofstream out(next, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    for (int attempt = 0; attempt < 400; ++attempt) {
        if (::MoveFileExW(next.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
            return;
        ::Sleep(5);
    }
}

}  // namespace

void TempDevice::WriteProfile(std::string_view text) const
{
    ReplaceWith(ProfilePath(), text);
}

void TempDevice::WriteSim(std::string_view text) const
{
    ReplaceWith(SimPath(), text);
}

}  // namespace vellumate
