// HtmlDialog: a full-screen dialog whose whole client area is the handset's
// HTML viewer control ("htmlview.dll"). The about box is one.
//
// The viewer gets the keyboard focus, and wants every key, so that the
// direction pad scrolls and Enter follows links. Pictures the page names in
// <img src="..."> are answered from the dialog's own list of inline images.
#pragma once

#include "framework/Dialogs.h"
#include "framework/ResourceModule.h"
#include "framework/StringArray.h"
#include "framework/ValueArray.h"

#include <windows.h>

class HtmlDialog : public DialogCore {
public:
    HtmlDialog(UINT templateId, HWND parent, UINT menuBarId, UINT titleId, bool routeBack) noexcept;
    ~HtmlDialog() override;

    // The viewer window while the dialog is open, null when it could not be made.
    HWND Viewer() const noexcept { return m_viewer; }

    // Offers `bitmap` to the page under `name` (matched without regard to
    // case against <img src>). The dialog owns the bitmap from now on and
    // deletes it when it is destroyed; the viewer gets copies.
    void AddInlineImage(const wchar_t* name, HBITMAP bitmap);

protected:
    // A link the user followed. By default the viewer navigates to it.
    virtual void OnLinkClicked(const wchar_t* link);

    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // After the full-screen set-up: loads the viewer and covers the client
    // area with it. Stop when the viewer cannot be made (the dialog stays,
    // empty, with its menu bar).
    InitResult InitDialog() override;

private:
    void AnswerInlineImage(const NMHDR& header, const wchar_t* source, DWORD_PTR cookie);
    static LRESULT CALLBACK FocusSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR data) noexcept;

    ModuleHandle m_library;
    HWND m_viewer = nullptr;
    StringArray m_imageNames;
    ValueArray m_bitmaps;  // HBITMAP at the index of its name
};

// Replaces the page the dialog's viewer shows with `page` (HTML).
void SetHtmlPage(HtmlDialog& dialog, const wchar_t* page);
