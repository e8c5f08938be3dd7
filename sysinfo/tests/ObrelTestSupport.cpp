#include "ObrelTestSupport.h"

#include "sysinfo/resource.h"

#include "framework/testsupport/KeyPress.h"

#include <commctrl.h>

#include <sstream>

namespace {

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

ProgramStartup ObrelStartup()
{
    // The row's steps make the program's own window object; the tests make
    // theirs, so this one stays empty.
    static std::unique_ptr<MainWindow> unused;
    return MainWindow::Startup(unused);
}

TestObrelWindow::TestObrelWindow()
{
    if (!m_window.Create(ObrelStartup(), std::make_unique<MainWindow>()))
        return;
    KillTimer(Handle(), MainWindow::RefreshTimer);
    m_window.Show();
}

void TestObrelWindow::Tick(int count)
{
    for (int i = 0; i < count; ++i) {
        SendMessageW(Handle(), WM_TIMER, MainWindow::RefreshTimer, 0);
        UpdateWindow(Handle());
    }
}

void TestObrelWindow::TickUntil(unsigned tick)
{
    while (Object().Schedule().Tick() < tick)
        Tick();
}

void TestObrelWindow::Paint()
{
    UpdateWindow(Handle());
}

void TestObrelWindow::Key(UINT virtualKey)
{
    vellumate::SendKeyPress(Handle(), virtualKey);
    UpdateWindow(Handle());
}

void TestObrelWindow::Command(UINT command)
{
    SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    UpdateWindow(Handle());
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
