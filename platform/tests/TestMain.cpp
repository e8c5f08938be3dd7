// The entry point of every test program: they are linked with -municode,
// which wants wmain, and GoogleTest's own main is a narrow main.
#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
