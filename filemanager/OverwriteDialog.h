// The overwrite question (dialog 131): the existing item and the one that
// would replace it, each with its icon, size and time, and the choice of
// replacing it, replacing all (not for a one-item job) or skipping it.
#pragma once

#include "filemanager/CopyEngine.h"
#include "filemanager/DialogParts.h"
#include "filemanager/OperationDialog.h"

#include "platform/Handles.h"

class OverwriteDialog : public OperationDialog {
public:
    OverwriteDialog(HWND owner, const OverwriteQuestion& question);

    // Runs the question: Replace, ReplaceAll or Skip by the chosen button on
    // OK; Cancel for Cancel and the Back key (and when it cannot be shown).
    OverwriteAnswer Ask();

    // What the detail line of an item shows: for a file its size (long
    // units) and its last-write time, for a folder the time only.
    static String DetailsOf(const WIN32_FIND_DATAW& entry);

protected:
    InitResult InitDialog() override;
    bool OnCommand(UINT command) override;
    void OnBack() override;

private:
    void ShowItem(const String& path, int iconControl, int nameControl, int detailsControl,
                  vellumate::IconHandle& icon);
    OverwriteAnswer Chosen() const;

    OverwriteQuestion m_question;
    OverwriteAnswer m_answer = OverwriteAnswer::Cancel;
    DialogHeadings m_headings;
    vellumate::IconHandle m_oldIcon;
    vellumate::IconHandle m_newIcon;
};
