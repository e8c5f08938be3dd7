// Deleting from the user's side: DeletePath with its messages, and the
// delete question (dialog 134) that asks item by item.
#pragma once

#include "filemanager/OperationDialog.h"
#include "framework/String.h"

#include "platform/Handles.h"

#include <functional>
#include <vector>

// Deletes a file, or a folder with everything in it (DeleteTree.h), with the
// wait cursor shown. With an owner window a failure is told: string 43149
// with the failing file's path, or 43150 with the folder's; without one
// nothing is shown. True when it is all gone.
bool DeletePath(const String& handsetPath, HWND owner);

// The delete question: one item at a time (the paths in the order they are
// asked), with the choice of deleting it, deleting all remaining items (not
// when one remains) or skipping it. `deleteOne` deletes one path (telling
// the user when it fails) and answers whether it went.
class DeleteQuestionDialog : public OperationDialog {
public:
    DeleteQuestionDialog(HWND owner, std::vector<String> paths, std::function<bool(const String&)> deleteOne);

    // Runs the question; IDOK when every item was answered, IDCANCEL when the
    // user cancelled or a failure ended it.
    INT_PTR Ask();
    // The index of the item asked now.
    size_t Current() const noexcept { return m_current; }

protected:
    InitResult InitDialog() override;
    bool OnCommand(UINT command) override;
    void OnBack() override;

private:
    void ShowCurrent();
    void OnOk();
    // Deletes item `index`; false (after telling the user) when it failed or
    // no longer exists.
    bool DeleteAt(size_t index);

    std::vector<String> m_paths;
    std::function<bool(const String&)> m_deleteOne;
    size_t m_current = 0;
    vellumate::IconHandle m_icon;
};
