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
      m_root(RootVariable, Root().wstring().c_str())
{
    std::filesystem::create_directories(Root());
    WriteProfile(profile);
}

void TempDevice::WriteProfile(std::string_view text) const
{
    const std::filesystem::path next = m_folder / L"profile.ini.new";
    {
        std::ofstream out(next, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    ::MoveFileExW(next.c_str(), ProfilePath().c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace vellumate
