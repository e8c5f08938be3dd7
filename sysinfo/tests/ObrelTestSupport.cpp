#include "ObrelTestSupport.h"

#include "sysinfo/resource.h"

#include "framework/RegistryKey.h"

#include <commctrl.h>

#include <sstream>

namespace {

constexpr wchar_t AccessibilityKey[] = L"ControlPanel\\Accessibility";

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

// Each profile written gets a later last-write time than the one before, so
// that the platform sees every rewrite, however quick.
void StampProfile(const std::wstring& path)
{
    static ULONGLONG stamp = 0;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG current = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    stamp = std::max(current, stamp + 10'000'000);  // at least a second apart
    const FILETIME time{static_cast<DWORD>(stamp), static_cast<DWORD>(stamp >> 32)};
    vellumate::FileHandle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, 0, nullptr));
    if (file)
        SetFileTime(file.Get(), nullptr, nullptr, &time);
}

void RegisterObrelClass()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = MainWindow::Procedure();
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = MainWindow::ClassName;
    RegisterClassW(&windowClass);  // once per process; later calls fail harmlessly
}

}  // namespace

TestHandset::TestHandset(const HandsetFigures& figures) : m_figures(figures)
{
    Apply();
}

void TestHandset::Apply()
{
    const HandsetFigures& f = m_figures;
    std::ostringstream text;
    text << "[device]\noem=" << f.oem << "\n"
         << "[display]\nwidth=" << f.displayWidth << "\nheight=" << f.displayHeight << "\nbits=" << f.displayBits
         << "\n"
         << "[memory]\ntotal=" << f.memoryTotal << "\navailable=" << f.memoryAvailable << "\n"
         << "[store]\nsize=" << f.storeSize << "\nfree=" << f.storeFree << "\n"
         << "[power]\nac=0\n"
         << "main_flag=" << f.main.flag << "\nmain_percent=" << f.main.percent << "\n"
         << "main_voltage=" << f.main.voltage << "\nmain_temperature=" << f.mainTemperature << "\n"
         << "backup_flag=" << f.backup.flag << "\nbackup_percent=" << f.backup.percent << "\n"
         << "backup_voltage=" << f.backup.voltage << "\n";
    for (const HandsetFigures::Card& card : f.cards) {
        text << "[card:" << card.name << "]\nstate=" << (card.inserted ? "inserted" : "removed") << "\n"
             << "size=" << card.size << "\nfree=" << card.free << "\n";
        if (card.inserted)
            m_device.MakeFolder(Wide(card.name));
    }
    m_device.WriteProfile(text.str());
    StampProfile(m_device.ProfilePath());
}

FontSizeGuard::FontSizeGuard()
{
    m_saved = GetRawRegistryValue(HKEY_CURRENT_USER, AccessibilityKey, L"FontSize");
    m_keyExisted = RegistryKeyExists(HKEY_CURRENT_USER, AccessibilityKey);
    if (Held())
        Set(1);
}

FontSizeGuard::~FontSizeGuard()
{
    if (!Held())
        return;
    if (m_saved.exists) {
        SetRawRegistryValue(HKEY_CURRENT_USER, AccessibilityKey, L"FontSize", m_saved.type, m_saved.data.data(),
                            static_cast<DWORD>(m_saved.data.size()));
    } else if (m_keyExisted) {
        RegistryKey key;
        if (key.Open(HKEY_CURRENT_USER, AccessibilityKey, KEY_SET_VALUE))
            RegDeleteValueW(key.Get(), L"FontSize");
    } else {
        RegDeleteKeyW(HKEY_CURRENT_USER, AccessibilityKey);
    }
}

void FontSizeGuard::Set(DWORD size)
{
    SetRawRegistryValue(HKEY_CURRENT_USER, AccessibilityKey, L"FontSize", REG_DWORD, &size, sizeof size);
}

TestObrelWindow::TestObrelWindow()
{
    RegisterObrelClass();
    m_object = std::make_unique<MainWindow>();
    m_window = CreateWindowExW(0, MainWindow::ClassName, L"System Info", WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr),
                               m_object->CreationParameter());
    if (!m_window)
        return;
    KillTimer(m_window, MainWindow::RefreshTimer);
    ShowWindow(m_window, SW_SHOW);
    UpdateWindow(m_window);
}

TestObrelWindow::~TestObrelWindow()
{
    m_object.reset();
    // The window ends the message loop it thinks it runs; this thread has none.
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void TestObrelWindow::Tick(int count)
{
    for (int i = 0; i < count; ++i) {
        SendMessageW(m_window, WM_TIMER, MainWindow::RefreshTimer, 0);
        UpdateWindow(m_window);
    }
}

void TestObrelWindow::TickUntil(unsigned tick)
{
    while (Object().Schedule().Tick() < tick)
        Tick();
}

void TestObrelWindow::Paint()
{
    UpdateWindow(m_window);
}

void TestObrelWindow::Key(UINT virtualKey)
{
    SendMessageW(m_window, WM_KEYDOWN, virtualKey, 1);
    SendMessageW(m_window, WM_KEYUP, virtualKey, 0xC0000001);
    UpdateWindow(m_window);
}

void TestObrelWindow::Command(UINT command)
{
    SendMessageW(m_window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    UpdateWindow(m_window);
}

std::wstring TestObrelWindow::LeftSoftKey() const
{
    wchar_t text[64] = L"";
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT;
    info.pszText = text;
    info.cchText = static_cast<int>(std::size(text));
    if (SendMessageW(Object().MenuBar(), TB_GETBUTTONINFO, IDC_NEXT_PAGE, reinterpret_cast<LPARAM>(&info)) < 0)
        return L"(no such button)";
    return text;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeout)
{
    const ULONGLONG end = GetTickCount64() + timeout;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done())
            return true;
        if (GetTickCount64() >= end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

PageSurface::PageSurface()
{
    m_surface.Create(176, 220);
}

COLORREF PageSurface::Pixel(int x, int y) const noexcept
{
    GdiFlush();
    const std::uint32_t pixel = m_surface.Row(y)[x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}
