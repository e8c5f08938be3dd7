// Error records and their delivery to the nearest catching frame.
//
// Deep code that cannot go on creates an ErrorInfo on the heap and calls
// ThrowError; the user-interface code that started the operation holds an
// ErrorFrame and runs the operation through it:
//
//     ErrorFrame frame;
//     if (!frame.Try([&] { SetUpDialog(); }))
//         ShowMessage(window, 43112, 0, MB_ICONSTOP, 10013, 100, 0, frame.Error());
//
// Frames are visited innermost first. A frame that already holds an error
// (the new error was raised while handling that one) is passed over, its
// error disposed of. A frame owns the record it received and disposes of it
// when it goes. Records whose auto-delete flag is set are deleted by whoever
// disposes of them; the others belong to their creator.
//
// The frames are per thread. An error that no frame takes is shown (its own
// text, with the stop icon) and ends the operation: ThrowError then throws
// OperationAborted, which RunOperation (used by every window and dialog
// procedure and by worker threads) catches, so that no exception ever
// crosses a window procedure.
//
// An error on its way to a frame outside a window or dialog procedure (the
// frame armed around RunModal, ShowTemplateDialog or SendFrameMessage) stops
// at the procedure, which holds it: a dialog ends at once, and the call that
// reached the procedure sends the error on to its frame when it returns. An
// error swallowed on its way by a catch-all is held all the same.
#pragma once

#include "framework/FrameworkResources.h"
#include "framework/String.h"

#include <windows.h>

#include <utility>

class ErrorInfo {
public:
    // Characters of the composed text, its terminator included.
    static constexpr int TextCapacity = 520;

    // Stores the numbers; the text is composed when it is first asked for.
    explicit ErrorInfo(UINT message, DWORD code1 = 0, DWORD code2 = 0, DWORD code3 = 0, DWORD code4 = 0) noexcept;

    // With composeNow the text is composed at once: the message string
    // (at most 511 characters) formatted with args, then a line feed and the
    // codes as "%lu:%lu:%lu:%lu" when any is non-zero. A message without a
    // string is replaced by the generic message. Without args the message
    // string is used as it is, never as a format.
    template <typename... Args>
    ErrorInfo(UINT message, DWORD code1, DWORD code2, DWORD code3, DWORD code4, bool composeNow, const Args&... args)
        : ErrorInfo(message, code1, code2, code3, code4)
    {
        if (!composeNow)
            return;
        String text;
        if (LoadMessage(message, text)) {
            if constexpr (sizeof...(Args) > 0) {
                String format = text;
                text.FormatText(format, args...);
            }
        }
        ComposeText(text);
    }

    virtual ~ErrorInfo() = default;

    // Copies the text into buffer, cut to size - 1 characters; an empty text
    // is composed first from the message string (or the generic message) and
    // the codes. False only without a buffer.
    virtual bool GetErrorText(wchar_t* buffer, int size);

    virtual UINT MessageNumber() const noexcept { return m_message; }
    // Location code 1 to 4; 0 for any other index.
    DWORD Code(int index) const noexcept;
    // The composed text; empty until composed.
    const wchar_t* Text() const noexcept { return m_text; }

    bool AutoDelete() const noexcept { return m_autoDelete; }
    void SetAutoDelete(bool autoDelete) noexcept { m_autoDelete = autoDelete; }

    // Deletes the record when its auto-delete flag says so.
    static void Dispose(ErrorInfo* error) noexcept;

protected:
    // Loads the message string, cut to 511 characters; false when missing.
    static bool LoadMessage(UINT message, String& text);
    // Sets the text from the (formatted) message, which falls back to the
    // generic message when missing, and appends the code line.
    void ComposeText(const String& message);

private:
    UINT m_message;
    DWORD m_codes[4];
    wchar_t m_text[TextCapacity];
    bool m_autoDelete;
};

namespace error_detail {
class ErrorDelivery;
// Keeps a delivery caught at a procedure boundary until the call that
// reached the procedure returns.
void HoldDelivery(const ErrorDelivery& delivery) noexcept;
}  // namespace error_detail

// Whether an error caught at a procedure boundary of this thread waits to be
// sent on to its frame.
bool IsErrorHeld() noexcept;

// Sends a held error on to its frame (never returns then); does nothing when
// no error is held or its frame has gone.
void ResumeHeldError();

// SendMessageW that lets an error raised by the receiving procedure of this
// thread reach the frame around the call.
LRESULT SendFrameMessage(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Delivers an error to the nearest frame that is not handling another one;
// with null, the error of the innermost frame is delivered again (outward).
// Never returns.
[[noreturn]] void ThrowError(ErrorInfo* error = nullptr);

class ErrorFrame {
public:
    // Links the frame on top of this thread's chain.
    ErrorFrame() noexcept;
    // Unlinks the frame and disposes of the error it holds.
    ~ErrorFrame();
    ErrorFrame(const ErrorFrame&) = delete;
    ErrorFrame& operator=(const ErrorFrame&) = delete;

    // Runs the operation. True when it ran to its end; false when an error
    // was delivered to this frame, which then holds it (Error()). Exceptions
    // other than delivered errors pass through.
    template <typename Operation>
    bool Try(Operation&& operation);

    // The error delivered to this frame, or null.
    ErrorInfo* Error() const noexcept { return m_pending; }

private:
    friend void ThrowError(ErrorInfo* error);
    friend void ResumeHeldError();

    void Unlink() noexcept;
    void Arm() noexcept;
    bool Receives(const error_detail::ErrorDelivery& delivery) const noexcept;
    // True when a procedure boundary held an error meant for this frame,
    // which this frame now takes.
    bool TakeHeldError() noexcept;

    ErrorFrame* m_previous = nullptr;
    ErrorInfo* m_pending = nullptr;
    bool m_linked = false;
    bool m_armed = false;
};

// Thrown by ThrowError when no frame took the error, after it was shown.
struct OperationAborted {};

namespace error_detail {
// What carries an error to its frame. Nothing but ErrorFrame::Try catches it.
class ErrorDelivery {
public:
    explicit ErrorDelivery(const ErrorFrame* target) noexcept : m_target(target) {}
    const ErrorFrame* Target() const noexcept { return m_target; }

private:
    const ErrorFrame* m_target;
};
}  // namespace error_detail

template <typename Operation>
bool ErrorFrame::Try(Operation&& operation)
{
    Arm();
    try {
        std::forward<Operation>(operation)();
    } catch (const error_detail::ErrorDelivery& delivery) {
        m_armed = false;
        if (!Receives(delivery))
            throw;
        return false;
    } catch (...) {
        m_armed = false;
        throw;
    }
    m_armed = false;
    // The operation sent a message with a plain call and its procedure held
    // our error: the operation did not run as it should have.
    return !TakeHeldError();
}

// Runs an operation at a boundary no exception may cross (a window or dialog
// procedure's handler, a worker thread). True when it ran to its end; false
// when it ended early: an error no frame took (already shown), or any other
// exception.
// An error meant for a frame outside the boundary is held (IsErrorHeld).
template <typename Operation>
bool RunOperation(Operation&& operation) noexcept
{
    try {
        std::forward<Operation>(operation)();
        return true;
    } catch (const error_detail::ErrorDelivery& delivery) {
        error_detail::HoldDelivery(delivery);
        return false;
    } catch (...) {
        return false;
    }
}
