// The window class WC_HTML: one HtmlViewWindow per control, holding the
// page source, the parsed page, its pictures, its layout and the view.
#pragma once

#include "platform/htmlview/HtmlDocument.h"
#include "platform/htmlview/HtmlView.h"
#include "platform/htmlview/Layout.h"
#include "platform/htmlview/PageFonts.h"
#include "platform/htmlview/PagePictures.h"
#include "platform/htmlview/PageView.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace vellumate::htmlview {

// Registers WC_HTML as a global class of `module` (the library itself), so
// that windows can be created with any module handle. Once per process;
// true when the class is available.
bool RegisterHtmlViewClass(HINSTANCE module) noexcept;

// Withdraws the class before `module` is unloaded.
void UnregisterHtmlViewClass(HINSTANCE module) noexcept;

class HtmlViewWindow {
public:
    explicit HtmlViewWindow(HWND window) noexcept : m_window(window) {}

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // A message handler may make the parent destroy the window (a link that
    // closes the dialog); the object then outlives the window until the
    // outermost handler has returned.
    void Enter() noexcept { ++m_depth; }
    bool LeaveAndCheckGone() noexcept { return --m_depth == 0 && m_destroyed; }
    void MarkDestroyed() noexcept { m_destroyed = true; }

private:
    bool AddSource(bool plainText, const wchar_t* text);
    void SetSource(const wchar_t* text);
    void ShowSource();
    void Clear();
    void RequestPictures();
    BOOL SetPicture(const INLINEIMAGEINFO* info);
    BOOL FailPicture(DWORD_PTR cookie);
    void PicturesChanged();
    bool Navigate(std::wstring_view target);

    bool OnKeyDown(WPARAM key);
    void OnClick(int x, int y);
    void OnWheel(int delta);
    void FollowLink(int link);
    LRESULT Notify(UINT code, const wchar_t* target, DWORD_PTR cookie);

    void Relayout();
    void OnPaint();
    void Paint(HDC dc);
    void Invalidate() const;
    int ViewHeight() const;
    LRESULT CopyVisibleText(WPARAM capacity, wchar_t* buffer) const;

    HWND m_window;
    std::wstring m_source;
    HtmlDocument m_document;
    PagePictures m_pictures;
    PageLayout m_layout;
    PageView m_view;
    PageFonts m_fonts;

    unsigned m_generation = 0;  // counts pages, so a nested change stops a loop over the old one
    bool m_requesting = false;  // asking the parent for pictures: lay out once at the end
    bool m_layoutStale = false;
    int m_depth = 0;
    bool m_destroyed = false;
};

}  // namespace vellumate::htmlview
