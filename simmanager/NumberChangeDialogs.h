// The dialogs of the bulk number changes: the prefix dialog (123), which adds
// or removes a prefix, and the replace dialog (121). They only ask; the
// changes themselves are made by the caller on the marked entries.
#pragma once

#include "framework/Dialogs.h"

#include <string>

// What is read of each field of these dialogs.
inline constexpr std::size_t NumberChangeFieldLength = 48;

enum class PrefixMode { Add, Remove };

class PrefixDialog : public DialogCore {
public:
    PrefixDialog(HWND parent, PrefixMode mode) noexcept;

    bool Confirmed() const noexcept { return m_confirmed; }
    // The two fields joined: country code and area code, say.
    const std::wstring& Prefix() const noexcept { return m_prefix; }
    // Adding: drop a leading 0 first. Removing: put a 0 in front after.
    bool ZeroBox() const noexcept { return m_zero; }

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void UpdateOk();

    PrefixMode m_mode;
    bool m_confirmed = false;
    std::wstring m_prefix;
    bool m_zero = false;
};

class ReplaceDialog : public DialogCore {
public:
    explicit ReplaceDialog(HWND parent) noexcept;

    bool Confirmed() const noexcept { return m_confirmed; }
    const std::wstring& Find() const noexcept { return m_find; }
    const std::wstring& Replacement() const noexcept { return m_replacement; }

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnOk();

    bool m_confirmed = false;
    std::wstring m_find;
    std::wstring m_replacement;
};
