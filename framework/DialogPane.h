// A pane that fills a dialog with what the dialog draws itself: it paints
// through its host, takes the direction keys (Enter stays the dialog's
// action key) and publishes no text of its own beyond what the host does.
#pragma once

#include "platform/WindowBase.h"

#include <windows.h>

class DialogPane : public vellumate::WindowBase<DialogPane> {
public:
    class Host {
    public:
        virtual void PaintPane(HWND pane) = 0;
        virtual void PaneKey(UINT key) = 0;

    protected:
        ~Host() = default;
    };

    explicit DialogPane(Host& host) noexcept : m_host(host) {}

    // A child of `dialog` over `rect`, with `extraStyle` (WS_CLIPSIBLINGS, ...).
    bool Create(HWND dialog, const RECT& rect, DWORD extraStyle = 0);
    // A child over the whole of `dialog`'s client area.
    bool CreateOverClient(HWND dialog, DWORD extraStyle = 0);

private:
    friend class vellumate::WindowBase<DialogPane>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    Host& m_host;
};
