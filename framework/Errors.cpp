#include "framework/Errors.h"

#include "framework/Messages.h"

#include <algorithm>
#include <cwchar>

namespace {

// The innermost frame of this thread.
thread_local ErrorFrame* topFrame = nullptr;
// The frame an error on its way is meant for, until that frame takes it.
thread_local const ErrorFrame* heldTarget = nullptr;

constexpr int MaxMessageLength = 511;

void CopyCut(const wchar_t* text, int length, wchar_t* buffer, int size)
{
    int count = std::min(length, size - 1);
    std::wmemcpy(buffer, text, count);
    buffer[count] = L'\0';
}

}  // namespace

ErrorInfo::ErrorInfo(UINT message, DWORD code1, DWORD code2, DWORD code3, DWORD code4) noexcept
    : m_message(message), m_codes{code1, code2, code3, code4}, m_text{}, m_autoDelete(true)
{
}

DWORD ErrorInfo::Code(int index) const noexcept
{
    return index >= 1 && index <= 4 ? m_codes[index - 1] : 0;
}

bool ErrorInfo::LoadMessage(UINT message, String& text)
{
    if (!text.LoadResourceText(message))
        return false;
    if (text.Length() > MaxMessageLength)
        text = text.Left(MaxMessageLength);
    return true;
}

void ErrorInfo::ComposeText(const String& message)
{
    String text = message;
    if (text.IsEmpty())
        LoadMessage(IDS_GENERIC_ERROR, text);
    if (m_codes[0] || m_codes[1] || m_codes[2] || m_codes[3]) {
        String codes;
        codes.FormatText(L"\n%lu:%lu:%lu:%lu", m_codes[0], m_codes[1], m_codes[2], m_codes[3]);
        text += codes;
    }
    CopyCut(text, text.Length(), m_text, TextCapacity);
}

bool ErrorInfo::GetErrorText(wchar_t* buffer, int size)
{
    if (!buffer || size <= 0)
        return false;
    if (!m_text[0]) {
        String message;
        LoadMessage(m_message, message);
        ComposeText(message);
    }
    CopyCut(m_text, static_cast<int>(std::wcslen(m_text)), buffer, size);
    return true;
}

void ErrorInfo::Dispose(ErrorInfo* error) noexcept
{
    if (error && error->AutoDelete())
        delete error;
}

ErrorFrame::ErrorFrame() noexcept : m_previous(topFrame), m_linked(true)
{
    topFrame = this;
}

ErrorFrame::~ErrorFrame()
{
    if (heldTarget == this)
        heldTarget = nullptr;
    Unlink();
    ErrorInfo::Dispose(std::exchange(m_pending, nullptr));
}

void ErrorFrame::Unlink() noexcept
{
    if (!m_linked)
        return;
    m_linked = false;
    // Frames leave in the reverse order of their creation, so this is the
    // top; a search keeps the chain whole should that ever not be so.
    for (ErrorFrame** link = &topFrame; *link; link = &(*link)->m_previous) {
        if (*link == this) {
            *link = m_previous;
            break;
        }
    }
    m_previous = nullptr;
}

void ErrorFrame::Arm() noexcept
{
    // A frame run again starts without the error of its previous run.
    ErrorInfo::Dispose(std::exchange(m_pending, nullptr));
    m_armed = true;
}

bool ErrorFrame::Receives(const error_detail::ErrorDelivery& delivery) const noexcept
{
    if (delivery.Target() != this)
        return false;
    if (heldTarget == this)
        heldTarget = nullptr;
    return true;
}

bool ErrorFrame::TakeHeldError() noexcept
{
    if (heldTarget != this)
        return false;
    heldTarget = nullptr;
    return m_pending != nullptr;
}

void error_detail::HoldDelivery(const ErrorDelivery& delivery) noexcept
{
    heldTarget = delivery.Target();
}

bool IsErrorHeld() noexcept
{
    return heldTarget != nullptr;
}

void ResumeHeldError()
{
    const ErrorFrame* target = std::exchange(heldTarget, nullptr);
    // Only a frame still on this thread's chain can take it.
    for (const ErrorFrame* frame = topFrame; frame && target; frame = frame->m_previous) {
        if (frame == target)
            throw error_detail::ErrorDelivery(target);
    }
}

LRESULT SendFrameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = SendMessageW(window, message, wParam, lParam);
    ResumeHeldError();
    return result;
}

void ThrowError(ErrorInfo* error)
{
    if (!error && topFrame)
        error = topFrame->m_pending;
    if (!error)
        error = new ErrorInfo(IDS_GENERIC_ERROR);

    for (ErrorFrame* frame = topFrame; frame;) {
        ErrorFrame* outer = frame->m_previous;
        if (frame->m_pending) {
            // The error arose while this frame handled another: the frame is
            // given up and its error disposed of, unless it is this one.
            ErrorInfo* handled = std::exchange(frame->m_pending, nullptr);
            if (handled != error)
                ErrorInfo::Dispose(handled);
            frame->Unlink();
        } else if (frame->m_armed) {
            frame->m_pending = error;
            // Marked before it flies: should a catch-all on the way swallow
            // the delivery, the frame and the procedures between still learn
            // of it.
            heldTarget = frame;
            throw error_detail::ErrorDelivery(frame);
        }
        // A frame outside its Try cannot resume; the unwinding to an outer
        // frame removes it.
        frame = outer;
    }

    // No frame: the error is shown as it is, and the operation ends.
    wchar_t text[ErrorInfo::TextCapacity];
    error->GetErrorText(text, ErrorInfo::TextCapacity);
    ShowMessageText(nullptr, text, MB_ICONSTOP | MB_OK);
    ErrorInfo::Dispose(error);
    throw OperationAborted();
}
