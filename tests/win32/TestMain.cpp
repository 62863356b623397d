// Runs the tests on one thread with OLE and the common controls ready, as the
// program itself has them.
#include "platform/Win32.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_USEREX_CLASSES};
    InitCommonControlsEx(&controls);
    const int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
