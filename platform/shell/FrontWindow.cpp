#include "platform/shell/FrontWindow.h"

namespace vellumate {

HWND FrontWindow() noexcept
{
    const HWND front = ::GetForegroundWindow();
    if (!front || front == ::GetDesktopWindow() || !::IsWindowVisible(front))
        return nullptr;
    return front;
}

}  // namespace vellumate
