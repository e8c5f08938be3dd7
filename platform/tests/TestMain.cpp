// Entry point of the platform's test programs. They are linked with
// -municode, which wants wmain; GoogleTest's own main is a narrow main.
#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
