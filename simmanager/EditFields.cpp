#include "simmanager/EditFields.h"

#include <commctrl.h>

#include <vector>

namespace {

constexpr UINT_PTR FilterId = 0x5045;  // "PE"

std::wstring Filtered(const std::wstring& text, CharacterRule allowed)
{
    std::wstring kept;
    for (wchar_t character : text) {
        if (allowed(character))
            kept += character;
    }
    return kept;
}

std::wstring ClipboardText(HWND owner)
{
    std::wstring text;
    if (!OpenClipboard(owner))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* characters = static_cast<const wchar_t*>(GlobalLock(data))) {
            const SIZE_T room = GlobalSize(data) / sizeof(wchar_t);
            SIZE_T length = 0;
            while (length < room && characters[length] != L'\0')
                ++length;
            text.assign(characters, length);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

LRESULT CALLBACK FilterProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR rule) noexcept
{
    const auto allowed = reinterpret_cast<CharacterRule>(rule);
    switch (message) {
    case WM_CHAR: {
        const auto character = static_cast<wchar_t>(wParam);
        // Backspace and the other control keys keep their meaning.
        if (character >= L' ' && !allowed(character))
            return 0;
        break;
    }
    case WM_PASTE: {
        const std::wstring text = Filtered(ClipboardText(field), allowed);
        SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
        return 0;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(field, FilterProcedure, FilterId);
        break;
    default:
        break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

}  // namespace

bool RestrictCharacters(HWND field, CharacterRule allowed) noexcept
{
    return field && allowed &&
           SetWindowSubclass(field, FilterProcedure, FilterId, reinterpret_cast<DWORD_PTR>(allowed)) != FALSE;
}

void InsertAtCaret(HWND field, const wchar_t* text)
{
    if (!field || !text)
        return;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const int length = GetWindowTextLengthW(field);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    GetWindowTextW(field, buffer.data(), length + 1);
    std::wstring current(buffer.data());
    if (start > current.size())
        start = static_cast<DWORD>(current.size());
    if (end < start || end > current.size())
        end = start;
    current.replace(start, end - start, text);
    SetWindowTextW(field, current.c_str());
    const DWORD caret = start + static_cast<DWORD>(std::char_traits<wchar_t>::length(text));
    SendMessageW(field, EM_SETSEL, caret, caret);
    SetFocus(field);
}

std::wstring FieldText(HWND dialog, int control, std::size_t limit)
{
    HWND field = GetDlgItem(dialog, control);
    if (!field)
        return {};
    const int length = GetWindowTextLengthW(field);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    GetWindowTextW(field, buffer.data(), length + 1);
    std::wstring text(buffer.data());
    if (text.size() > limit)
        text.resize(limit);
    return text;
}

bool FieldHasText(HWND dialog, int control) noexcept
{
    HWND field = GetDlgItem(dialog, control);
    return field && GetWindowTextLengthW(field) > 0;
}
