#include "platform/viewer/ViewerWindow.h"

#include "platform/DeviceFiles.h"
#include "platform/DevicePaths.h"
#include "platform/Handles.h"
#include "platform/Handset.h"
#include "platform/HandsetStyle.h"
#include "platform/PageWindow.h"
#include "platform/Painting.h"
#include "platform/ScreenText.h"
#include "platform/SoftKeyBar.h"
#include "platform/shell/Shortcut.h"
#include "platform/viewer/ViewerResources.h"

namespace vellumate {
namespace {

// More than the screen can show: the rest of a file is never read.
constexpr std::size_t MaxReadBytes = 4096;
constexpr int MaxLines = 12;
constexpr int MaxColumns = 80;
constexpr int NameHeight = 14;
constexpr int TextHeight = 14;

// A read cut inside a UTF-8 sequence would make the whole text fail to
// decode as UTF-8: the incomplete sequence goes.
std::string_view WithoutCutSequence(std::string_view bytes) noexcept
{
    std::size_t back = 0;
    while (back < 3 && back < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - 1 - back]);
        if ((byte & 0xC0) == 0x80) {
            ++back;
            continue;
        }
        if (byte >= 0xC0) {
            const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
            if (back + 1 < length)
                return bytes.substr(0, bytes.size() - 1 - back);
        }
        break;
    }
    return bytes;
}

// The interface face with a cell height of `height` pixels.
FontHandle CellFont(int height, int weight)
{
    return FontHandle(::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
}

}  // namespace

std::wstring ViewedFileOf(std::wstring_view commandLine)
{
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (!commandLine.empty() && blank(commandLine.front()))
        commandLine.remove_prefix(1);
    while (!commandLine.empty() && blank(commandLine.back()))
        commandLine.remove_suffix(1);
    if (commandLine.size() >= 2 && commandLine.front() == L'"' && commandLine.back() == L'"')
        commandLine = commandLine.substr(1, commandLine.size() - 2);
    return std::wstring(commandLine);
}

std::wstring FirstLines(std::string_view bytes, int maxLines, int maxColumns)
{
    const std::wstring text = DecodeShortcutBytes(bytes);
    std::wstring shown;
    int lines = 0;
    int column = 0;
    for (std::size_t at = 0; at < text.size() && lines < maxLines; ++at) {
        const wchar_t c = text[at];
        if (c == L'\r' && at + 1 < text.size() && text[at + 1] == L'\n')
            continue;
        if (c == L'\n' || c == L'\r') {
            if (++lines < maxLines)
                shown += L'\n';
            column = 0;
            continue;
        }
        if (column >= maxColumns)
            continue;
        shown += c == L'\t' ? L' ' : (c < L' ' ? L'?' : c);
        ++column;
    }
    while (!shown.empty() && shown.back() == L'\n')
        shown.pop_back();
    return shown;
}

bool ViewerWindow::Create(HINSTANCE instance)
{
    Load();
    if (!RegisterWindowClass(instance, ViewerClass, CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW)))
        return false;
    const RECT area{0, WorkAreaTop, ScreenWidth, WorkAreaTop + WorkAreaHeight};
    if (!CreateWindowObject(instance, ViewerClass, ViewerTitle, WS_POPUP | WS_VISIBLE, 0, area))
        return false;
    SHMENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    bar.hwndParent = Window();
    bar.nToolBarId = IDM_VIEWER_BAR;
    bar.hInstRes = instance;
    if (!SHCreateMenuBar(&bar) || !bar.hwndMB)
        return false;
    m_menuBar = bar.hwndMB;
    // Back closes the viewer instead of only going home.
    ::SendMessageW(m_menuBar, SHCMBM_OVERRIDEKEY, VK_ESCAPE,
                   MAKELPARAM(SHMBOF_NODEFAULT | SHMBOF_NOTIFY, SHMBOF_NODEFAULT | SHMBOF_NOTIFY));
    ::SetForegroundWindow(Window());
    ::SetFocus(Window());
    return true;
}

void ViewerWindow::Load()
{
    const std::size_t slash = m_file.find_last_of(L"\\/");
    m_name = slash == std::wstring::npos ? m_file : m_file.substr(slash + 1);
    if (m_file.empty()) {
        m_text = L"No file was given.";
        return;
    }
    FileHandle file(::CreateFileW(ToDevicePath(m_file).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD error = 0;
    const std::optional<std::string> bytes =
        file ? ReadFileBytes(file.Get(), MaxReadBytes, error) : std::optional<std::string>();
    if (!bytes) {
        m_text = L"This file cannot be read.";
        return;
    }
    std::string_view shown(*bytes);
    if (shown.size() > MaxReadBytes)
        shown = WithoutCutSequence(shown.substr(0, MaxReadBytes));
    m_text = FirstLines(shown, MaxLines, MaxColumns);
    if (m_text.empty())
        m_text = L"(empty)";
}

LRESULT ViewerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == ID_VIEWER_CLOSE) {
            ::DestroyWindow(Window());
            return 0;
        }
        break;
    case WM_PAINT:
        Paint();
        return 0;
    default:
        break;
    }
    LRESULT result = 0;
    if (HandlePageMessage(Window(), message, lParam, true, result))
        return result;
    return ::DefWindowProcW(Window(), message, wParam, lParam);
}

void ViewerWindow::Paint()
{
    BufferedPaint paint(Window());
    HDC dc = paint.Dc();
    RECT box = BeginPage(paint);

    const FontHandle nameFont = CellFont(NameHeight, FW_BOLD);
    {
        SelectObjectScope select(dc, nameFont.Get());
        RECT nameBox = box;
        ::DrawTextW(dc, m_name.c_str(), -1, &nameBox,
                    DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_CALCRECT);
        nameBox.right = box.right;
        ::DrawTextW(dc, m_name.c_str(), -1, &nameBox, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        box.top = nameBox.bottom + 3;
    }
    RECT rule{box.left, box.top, box.right, box.top + 1};
    FillSolid(dc, rule, style::DimText);
    box.top += 4;

    const FontHandle textFont = CellFont(TextHeight, FW_NORMAL);
    SelectObjectScope select(dc, textFont.Get());
    ::DrawTextW(dc, m_text.c_str(), -1, &box, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    PublishScreenText(Window(), m_name + L"\n" + m_text);
}

}  // namespace vellumate
