// The settings: a chooser (131) between the sorting-and-display dialog and
// the display rules, and the sorting-and-display dialog (125) itself.
#pragma once

#include "framework/Dialogs.h"

#include <windows.h>

#include <cstdint>
#include <optional>

enum class SettingsPage { SortAndDisplay = 0, DisplayRules = 1 };

class SettingsChooserDialog : public DialogCore {
public:
    explicit SettingsChooserDialog(HWND parent) noexcept;

    // What the user chose; nothing after Cancel.
    std::optional<SettingsPage> Choice() const noexcept { return m_choice; }

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnOk();

    std::optional<SettingsPage> m_choice;
};

struct SortAndDisplay {
    std::uint32_t sortKey = 0;     // 0 name, 1 number, 2 SIM position
    std::uint32_t displayKey = 0;  // 0 names, 1 numbers
};

class SortDisplayDialog : public DialogCore {
public:
    SortDisplayDialog(HWND parent, SortAndDisplay current) noexcept;

    // The new choice; nothing after Cancel.
    std::optional<SortAndDisplay> Choice() const noexcept { return m_choice; }

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnOk();

    SortAndDisplay m_current;
    std::optional<SortAndDisplay> m_choice;
};
