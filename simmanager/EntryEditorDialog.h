// The entry editor (107): a name and a number, with menu commands that put
// the characters a keypad has no key for in at the caret. OK checks the
// texts against the card's limits; the caller writes the entry.
#pragma once

#include "framework/Dialogs.h"

#include <windows.h>

#include <cstddef>
#include <string>

struct EntryTexts {
    std::wstring name;
    std::wstring number;
};

class EntryEditorDialog : public DialogCore {
public:
    // Empty texts: a new entry. The limits are the card's, in characters.
    EntryEditorDialog(HWND parent, EntryTexts texts, std::size_t nameLimit, std::size_t numberLimit) noexcept;

    bool Confirmed() const noexcept { return m_confirmed; }
    const EntryTexts& Texts() const noexcept { return m_texts; }

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void FieldsChanged();
    void OnMenuOpening(HMENU menu) const;
    bool Insert(UINT command);
    void OnOk();

    EntryTexts m_texts;
    std::size_t m_nameLimit;
    std::size_t m_numberLimit;
    bool m_nameTooLong = false;
    bool m_numberTooLong = false;
    bool m_nameEmpty = true;
    bool m_numberEmpty = true;
    bool m_numberFocus = false;
    bool m_confirmed = false;
};
