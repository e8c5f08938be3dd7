// The display rules' dialogs: the list of rules (126), where rules are added,
// edited, deleted and moved, and the rule editor (139).
#pragma once

#include "framework/Dialogs.h"

#include <windows.h>

#include <string>
#include <vector>

// Longest rule the editor takes.
inline constexpr int RuleTextLength = 60;

class RuleEditorDialog : public DialogCore {
public:
    // An empty text: a new rule.
    RuleEditorDialog(HWND parent, std::wstring text) noexcept;

    bool Confirmed() const noexcept { return m_confirmed; }
    const std::wstring& Text() const noexcept { return m_text; }

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void UpdateOk();

    std::wstring m_text;
    bool m_confirmed = false;
};

class RuleListDialog : public DialogCore {
public:
    RuleListDialog(HWND parent, std::vector<std::wstring> rules) noexcept;

    bool Confirmed() const noexcept { return m_confirmed; }
    // The rules in their new order.
    const std::vector<std::wstring>& Rules() const noexcept { return m_rules; }

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    int Selected() const noexcept;
    void Refill(int selected);
    void OnMenuOpening(HMENU menu) const;
    bool OnListKey(UINT key);
    void Add();
    void Edit();
    void Delete();
    void Move(int by);

    std::vector<std::wstring> m_rules;
    bool m_confirmed = false;
};
