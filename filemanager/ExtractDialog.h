// The extract dialog (157 with its bar 156): where to (the archive's folder
// or folders added through the folder chooser), which members (the selected
// ones or all), whether to overwrite without asking, and whether to extract
// into a folder named after the archive. Extract hands the choice to the
// browser, which runs the extraction; the dialog then closes.
#pragma once

#include "filemanager/DialogParts.h"
#include "filemanager/OperationDialog.h"
#include "framework/String.h"

#include <functional>
#include <vector>

struct ExtractChoice {
    String destination;  // the folder the members go below (the archive's folder included)
    bool allMembers = true;
    bool overwrite = false;
};

class ExtractDialog : public OperationDialog {
public:
    // Runs the extraction for a choice; false leaves the dialog open (there
    // was no room: the user may pick another folder).
    using Extract = std::function<bool(const ExtractChoice& choice)>;

    // `archiveFolder`: the folder that holds the archive; `archiveName` its
    // file name.
    ExtractDialog(HWND owner, const String& archiveFolder, const String& archiveName, bool haveSelection,
                  Extract extract);

    // True when the extraction ran.
    bool Run();

protected:
    InitResult InitDialog() override;
    bool OnCommand(UINT command) override;
    void OnBack() override;

private:
    void AddFolder();
    void Start();

    String m_archiveFolder;
    String m_baseName;  // the archive's name without its extension
    bool m_haveSelection;
    Extract m_extract;
    std::vector<String> m_folders;  // the destination combo box's folders, in its order
    DialogHeadings m_headings;
    bool m_ran = false;
};
