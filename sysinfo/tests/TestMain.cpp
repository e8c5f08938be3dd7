// Entry point of Obrel's tests (linked with -municode, so wmain). The test
// program carries Obrel's resources and is set up as Obrel sets itself up.
#include "framework/Globals.h"

#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const HINSTANCE self = GetModuleHandleW(nullptr);
    InitFramework(self, self, IDS_PROGRAM_TITLE);
    return RUN_ALL_TESTS();
}
