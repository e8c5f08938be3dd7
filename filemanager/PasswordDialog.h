// The password of an encrypted archive member (dialog 168 with the question
// bar 139): the member's leaf name with its type's icon and a password
// field. OK keeps only a password that opens the member: an empty or wrong
// one is refused here, before anything of the member is written.
#pragma once

#include "filemanager/OperationDialog.h"
#include "filemanager/archive/Extraction.h"

#include "platform/Handles.h"

class PasswordDialog : public OperationDialog {
public:
    PasswordDialog(HWND owner, Archive& archive, int member);

    // True when a fitting password was typed: it is then the archive's.
    bool Ask();

protected:
    InitResult InitDialog() override;
    bool OnCommand(UINT command) override;
    void OnBack() override;

private:
    void OnOk();

    Archive& m_archive;
    int m_member;
    bool m_accepted = false;
    vellumate::IconHandle m_icon;
};
