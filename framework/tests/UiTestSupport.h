// Helpers of the dialog, about box and start-up tests.
#pragma once

#include "framework/String.h"
#include "framework/testsupport/ChildProcess.h"
#include "framework/testsupport/KeyPress.h"
#include "framework/testsupport/MessagePump.h"
#include "framework/testsupport/StringPrinting.h"
#include "framework/testsupport/WindowSearch.h"

#include <windows.h>

#include <gtest/gtest.h>

using vellumate::ChildProcess;
using vellumate::CountWindows;
using vellumate::FindProcessWindow;
using vellumate::PostKeyToFocus;
using vellumate::PumpFor;
using vellumate::WaitUntil;

// A window's text, any length.
String WindowTextOf(HWND window);

// The lines an HTML viewer shows now, joined by "\r\n".
inline String ViewerText(HWND viewer)
{
    return WindowTextOf(viewer);
}

// A test with the framework set up on the test program's own resources and a
// visible top-level window over the work area to own its dialogs.
class OwnerWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND m_owner = nullptr;
};
