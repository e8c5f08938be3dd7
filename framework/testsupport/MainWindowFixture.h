// A program's real main window on the test's thread, made from the program's
// own start-up row and resources as start-up makes it: the row's class, the
// title from the row, the main window's style at the work area. The test
// then drives it with messages.
//
//     class WindowTest : public MainWindowFixture<MainWindow> {
//     protected:
//         WindowTest() : MainWindowFixture(ProgramRow()) {}
//     };
//     TEST_F(WindowTest, Opens) { StartWindow(); ... Program().Object() ... }
//
// ProgramWindow<Main> alone serves tests and benchmarks that are no
// fixture.
#pragma once

#include "framework/Startup.h"
#include "framework/testsupport/MessagePump.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <utility>

// Binds the resource module the row names, as start-up does: the localized
// resource file beside the test executable (under its name, loaded once per
// process) when the row keeps its resources there; else the module the test
// program's set-up bound stays. False when the file is missing.
bool BindProgramResources(const ProgramStartup& row);

// Registers the row's window class (once per process) and makes the main
// window, hidden, handing it `creationParameter`; null on failure.
HWND CreateProgramWindow(const ProgramStartup& row, void* creationParameter);

template <typename Main>
class ProgramWindow {
public:
    ProgramWindow() = default;
    ~ProgramWindow() { Destroy(); }
    ProgramWindow(const ProgramWindow&) = delete;
    ProgramWindow& operator=(const ProgramWindow&) = delete;

    // Makes `object`'s window from the row, hidden: the caller makes what the
    // row's later steps make (panes), then Show(). False on failure.
    bool Create(const ProgramStartup& row, std::unique_ptr<Main> object)
    {
        Destroy();
        m_object = std::move(object);
        if (CreateProgramWindow(row, m_object->CreationParameter()))
            return true;
        m_object.reset();
        return false;
    }

    void Show()
    {
        ::ShowWindow(Handle(), SW_SHOW);
        ::UpdateWindow(Handle());
    }

    // Ends the window with its object.
    void Destroy()
    {
        if (!m_object)
            return;
        m_object.reset();
        vellumate::DropQuitMessages();
    }

    explicit operator bool() const noexcept { return Handle() != nullptr; }
    HWND Handle() const noexcept { return m_object ? m_object->Window() : nullptr; }
    Main& Object() const noexcept { return *m_object; }

private:
    std::unique_ptr<Main> m_object;
};

template <typename Main>
class MainWindowFixture : public ::testing::Test {
protected:
    explicit MainWindowFixture(ProgramStartup row) : m_row(std::move(row)) {}

    void SetUp() override
    {
        ASSERT_TRUE(BindProgramResources(m_row)) << "the localized resource file beside the test is missing";
    }
    void TearDown() override { StopWindow(); }

    // Makes the main window of a Main made from `args`, hidden.
    template <typename... Args>
    void CreateWindowOf(Args&&... args)
    {
        ASSERT_TRUE(m_window.Create(m_row, std::make_unique<Main>(std::forward<Args>(args)...)));
    }
    // CreateWindowOf, then shown.
    template <typename... Args>
    void StartWindow(Args&&... args)
    {
        ASSERT_NO_FATAL_FAILURE(CreateWindowOf(std::forward<Args>(args)...));
        m_window.Show();
    }
    void StopWindow() { m_window.Destroy(); }

    ProgramWindow<Main>& Program() noexcept { return m_window; }

private:
    ProgramStartup m_row;
    ProgramWindow<Main> m_window;
};
