// The replace question of zip extraction (the delete question's dialog 134
// with the question bar 139): the member's leaf name with the existing
// file's icon, and the choice of replacing it, replacing all the job's files
// or skipping it.
#pragma once

#include "filemanager/ArchiveExtraction.h"
#include "filemanager/OperationDialog.h"
#include "framework/String.h"

#include "platform/Handles.h"

class ReplaceQuestionDialog : public OperationDialog {
public:
    // `target`: the existing file's handset path.
    ReplaceQuestionDialog(HWND owner, const String& leaf, const String& target);

    // Replace (the default), ReplaceAll or Skip on OK; Cancel for Cancel,
    // Back, and when the dialog cannot be shown.
    ReplaceAnswer Ask();

protected:
    InitResult InitDialog() override;
    bool OnCommand(UINT command) override;
    void OnBack() override;

private:
    String m_leaf;
    String m_target;
    ReplaceAnswer m_answer = ReplaceAnswer::Cancel;
    vellumate::IconHandle m_icon;
};
