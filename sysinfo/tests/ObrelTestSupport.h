// Helpers of Obrel's tests: a handset of their own with a profile the tests
// change as they go, an Obrel window driven tick by tick, and a surface to
// paint into and read pixels back from.
#pragma once

#include "sysinfo/MainWindow.h"
#include "sysinfo/OffscreenSurface.h"

#include "framework/testsupport/FontSizeGuard.h"
#include "framework/testsupport/MainWindowFixture.h"
#include "framework/testsupport/MessagePump.h"
#include "framework/testsupport/TempDevice.h"
#include "framework/testsupport/TestScratch.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The figures of a test handset's profile.
struct HandsetFigures {
    struct Card {
        std::string name;
        bool inserted = true;
        std::uint64_t size = 128ull << 20;
        std::uint64_t free = 96ull << 20;
    };
    struct Battery {
        int flag = 1;
        int percent = 80;
        unsigned voltage = 3900;
    };

    std::string oem = "Test Maker TM-1";
    int displayWidth = 176;
    int displayHeight = 220;
    int displayBits = 16;
    std::uint64_t memoryTotal = 32ull << 20;
    std::uint64_t memoryAvailable = 12ull << 20;
    std::uint32_t storeSize = 48u << 20;
    std::uint32_t storeFree = 20u << 20;
    Battery main;
    Battery backup{1, 100, 3000};
    int mainTemperature = 250;
    std::vector<Card> cards;
};

// A handset of its own for one test: its profile is written from the
// figures, and every rewrite is seen at once by the platform.
class TestHandset {
public:
    explicit TestHandset(const HandsetFigures& figures = {});

    HandsetFigures& Figures() noexcept { return m_figures; }
    // Writes the profile from Figures() and makes the card folders that an
    // inserted card needs.
    void Apply();

private:
    HandsetFigures m_figures;
    vellumate::TempDevice m_device;
};

// Obrel's start-up row, of which the tests make the main window.
ProgramStartup ObrelStartup();

// An Obrel window on the test's thread, made from Obrel's start-up row as the
// program makes it. Its timer is stopped: the test delivers the ticks.
class TestObrelWindow {
public:
    TestObrelWindow();
    TestObrelWindow(const TestObrelWindow&) = delete;
    TestObrelWindow& operator=(const TestObrelWindow&) = delete;

    explicit operator bool() const noexcept { return static_cast<bool>(m_window); }
    HWND Handle() const noexcept { return m_window.Handle(); }
    MainWindow& Object() const noexcept { return m_window.Object(); }
    const InfoPage* CurrentPage() const noexcept { return Object().Ring().Current(); }

    // Delivers `count` timer ticks, each followed by the painting it caused.
    void Tick(int count = 1);
    // Delivers ticks until the schedule reaches tick `tick` (the next tick
    // delivered has that number).
    void TickUntil(unsigned tick);
    // Paints what is invalid now.
    void Paint();
    unsigned RowsPainted() const noexcept { return Object().Painter().RowsPainted(); }

    void Key(UINT virtualKey);
    void Command(UINT command);

    // The left soft key's text.
    std::wstring LeftSoftKey() const;

private:
    ProgramWindow<MainWindow> m_window;
};

using vellumate::PumpUntil;

// A 176 x 220 surface to paint pages into.
class PageSurface {
public:
    PageSurface();
    HDC Dc() const noexcept { return m_surface.Dc(); }
    COLORREF Pixel(int x, int y) const noexcept;
    RECT Client() const noexcept { return RECT{0, 0, m_surface.Width(), m_surface.Height()}; }

private:
    OffscreenSurface m_surface;
};
