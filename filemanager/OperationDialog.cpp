#include "filemanager/OperationDialog.h"

#include "platform/SoftKeyBar.h"

bool OperationDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && OnCommand(LOWORD(wParam))) {
        result = 0;
        return true;
    }
    if (message == WM_HOTKEY && HIWORD(lParam) == VK_ESCAPE) {
        if (LOWORD(lParam) & MOD_KEYUP)
            OnBack();
        result = 1;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}
