// The demo's sample screen: a full-screen framework dialog with a text field,
// a check box, a soft-key bar with a popup, and Back routed to the dialog.
#pragma once

#include "framework/Dialogs.h"
#include "framework/String.h"

class SampleDialog : public DialogCore {
public:
    SampleDialog(HWND parent, const String& name);

    // The name as it was when the user chose Done.
    const String& Name() const noexcept { return m_name; }

protected:
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    InitResult InitDialog() override;

private:
    String FieldText() const;
    bool OnCommand(int command);
    void OnInitMenuPopup(HMENU menu);

    String m_name;
};

// The demo's version, with the date and time of this build.
struct ProgramRelease;
const ProgramRelease& DemoRelease();
