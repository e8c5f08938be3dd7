// The demo's main window: a short guide to the keys and a greeting. The
// smallest main window on the framework's base, with a command table.
#pragma once

#include "framework/MainWindowBase.h"
#include "framework/String.h"

#include "platform/Handles.h"

#include <windows.h>

class DemoWindow final : public MainWindowBase<DemoWindow> {
public:
    DemoWindow();
    ~DemoWindow();

    // The commands.
    void OpenSample();
    void ShowAbout();
    void Exit();

private:
    friend MainWindowBase<DemoWindow>;

    bool OnCreate();
    bool OnCommand(UINT command);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void OnPaint();
    String GuideText() const;

    String m_name;
    vellumate::FontHandle m_font;
    vellumate::FontHandle m_boldFont;
};
