// Runs the tests on one thread with OLE and the common controls ready, as the
// program itself has them. Every test starts from the state of a fresh start:
// the selection window closed and loaded anew (a closed form stays closed
// until loaded explicitly, as the program loads it once at start), its picker
// at the program's pace, the shared values as at process start.
#include "TestSupport.h"
#include "app/ListOutput.h"
#include "app/mdlMain.h"
#include "forms/SharedState.h"
#include "forms/frmAdd.h"
#include "forms/frmSel.h"
#include "platform/Runtime.h"

#include <gtest/gtest.h>

namespace {

class FreshStart : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override
    {
        frmSel& selection = frmSel::Default();
        selection.Unload();
        strCurFolder.clear();
        blnAllowDupes = false;
        requestedOutput = ListOutput();
        App.ExitCode(0);
        Screen.MousePointer(vbDefault);
        Pump();
        selection.Picker().pace = frmAdd::ListingPace();
        selection.Load();
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
