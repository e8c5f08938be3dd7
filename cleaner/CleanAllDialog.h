// The clean-all selection (2): five boxes, one for each kind of data, ticked
// by the user; OK runs the ticked ones one after another.
#pragma once

#include "framework/Dialogs.h"

#include <windows.h>

#include <vector>

class CleanAllDialog : public DialogCore {
public:
    explicit CleanAllDialog(HWND parent) noexcept;

    bool Confirmed() const noexcept { return m_confirmed; }
    // The categories to run, in the order they run.
    const std::vector<UINT>& Chosen() const noexcept { return m_chosen; }

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void SetAll(bool ticked);
    void UpdateOk();

    bool m_confirmed = false;
    std::vector<UINT> m_chosen;
};
