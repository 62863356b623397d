// The form runtime itself: loading on first touch, failing handlers, menus.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class FailingForm : public Form {
public:
    FailingForm() : Form({"Failing", 3000, 2000, WS_OVERLAPPEDWINDOW, 0, false}) {}
    CommandButton button;
    int loads = 0;

private:
    void CreateControls() override
    {
        button.Create(hWnd(), 100, "Fail", {0, 0, 1000, 300});
        button.Click = [] { throw std::runtime_error("handler failed"); };
    }
    void Form_Load() override { ++loads; }
    void Form_Unload() override { throw std::runtime_error("unload failed"); }
};

}  // namespace

TEST(Form, TouchingAFormLoadsItOnce)
{
    FailingForm form;
    EXPECT_FALSE(form.Loaded());
    form.Caption("Touched");
    EXPECT_TRUE(form.Loaded());
    form.Left(300);
    EXPECT_EQ(form.loads, 1);
    EXPECT_EQ(form.Caption(), "Touched");
}

TEST(Form, AFailingHandlerEndsOnlyItsEventAndClosingStillGoesAhead)
{
    FailingForm form;
    form.Show();
    int told = 0;  // each failure says so in a message
    WhenWindowOpens answer("#32770", [&told](HWND box) {
        ++told;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    SendMessageA(form.button.hWnd(), BM_CLICK, 0, 0);  // returns: nothing unwinds into the system
    EXPECT_TRUE(form.Loaded());
    SendMessageA(form.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.Loaded());
    EXPECT_GE(told, 1);
}

TEST(Menu, AnItemCanBeCheckedAndUncheckedAlone)
{
    Menu menu;
    menu.Create({"One", "-", "Two"});
    menu.Item(2).Checked(true);
    EXPECT_EQ(GetMenuState(menu.Handle(), 2, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(GetMenuState(menu.Handle(), 0, MF_BYPOSITION) & MF_CHECKED, 0u);
    menu.Item(2).Checked(false);
    EXPECT_EQ(GetMenuState(menu.Handle(), 2, MF_BYPOSITION) & MF_CHECKED, 0u);
}
