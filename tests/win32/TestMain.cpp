// Runs the tests on one thread with OLE and the common controls ready, as the
// program itself has them. Every test starts from the state of a fresh start:
// the selection window closed (so it loads anew when touched), the shared
// values as at process start.
#include "TestSupport.h"
#include "app/ListOutput.h"
#include "app/mdlMain.h"
#include "forms/SharedState.h"
#include "forms/frmSel.h"
#include "platform/Runtime.h"

#include <gtest/gtest.h>

namespace {

class FreshStart : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override
    {
        frmSel::Default().Unload();
        strCurFolder.clear();
        blnAllowDupes = false;
        requestedOutput = ListOutput();
        App.ExitCode(0);
        Screen.MousePointer(vbDefault);
        Pump();
    }
};

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_USEREX_CLASSES};
    InitCommonControlsEx(&controls);
    MakeWindows();
    testing::UnitTest::GetInstance()->listeners().Append(new FreshStart);
    const int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
