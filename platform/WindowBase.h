// A window object behind a window procedure. The static procedure finds the
// object and calls its HandleMessage; an exception never leaves it. After the
// window's last message the object's OnFinalMessage runs: a window that owns
// its object deletes it there.
#pragma once

#include <windows.h>

namespace vellumate {

template <typename Derived>
class WindowBase {
public:
    HWND Window() const noexcept { return m_window; }

protected:
    WindowBase() = default;
    ~WindowBase()
    {
        if (m_window)
            ::DestroyWindow(m_window);
    }
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    static bool RegisterWindowClass(HINSTANCE instance, const wchar_t* className, UINT style = 0,
                                    HCURSOR cursor = nullptr) noexcept
    {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = style;
        windowClass.lpfnWndProc = &WindowBase::Procedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = cursor;
        windowClass.lpszClassName = className;
        return ::RegisterClassExW(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }

    bool CreateWindowObject(HINSTANCE instance, const wchar_t* className, const wchar_t* title, DWORD style,
                            DWORD exStyle, const RECT& rect, HWND parent = nullptr) noexcept
    {
        return ::CreateWindowExW(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                                 rect.bottom - rect.top, parent, nullptr, instance, this) != nullptr;
    }

    void OnFinalMessage() noexcept {}

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
    {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            auto* base = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            // A window made without its object cannot work.
            if (!base)
                return FALSE;
            base->m_window = window;
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(base));
            self = static_cast<Derived*>(base);
        } else {
            auto* base = reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
            self = static_cast<Derived*>(base);
        }
        if (!self)
            return ::DefWindowProcW(window, message, wParam, lParam);

        LRESULT result = 0;
        try {
            result = self->HandleMessage(message, wParam, lParam);
        } catch (...) {
            // A failure while the window is made makes the creation fail.
            result = message == WM_NCCREATE ? FALSE
                     : message == WM_CREATE ? -1
                                            : ::DefWindowProcW(window, message, wParam, lParam);
        }
        if (message == WM_NCDESTROY) {
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            static_cast<WindowBase*>(self)->m_window = nullptr;
            self->OnFinalMessage();
        }
        return result;
    }

    HWND m_window = nullptr;
};

}  // namespace vellumate
