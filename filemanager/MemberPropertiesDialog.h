// The properties of an archive member (167): its name, type, folder, both
// sizes, what the archive saved and its time; for a folder also what it
// holds, its sizes the totals of its contents. Done and Back close it.
#pragma once

#include "filemanager/MemberProperties.h"
#include "framework/Dialogs.h"

class MemberPropertiesDialog : public DialogCore {
public:
    MemberPropertiesDialog(HWND parent, MemberSummary member);

protected:
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    InitResult InitDialog() override;

private:
    MemberSummary m_member;
};

// Shows the properties of `member` (ShowMemberProperties).
void ShowMemberProperties(HWND parent, const MemberSummary& member);
