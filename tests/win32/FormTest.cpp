// The form runtime itself: loading only when asked, failing handlers, menus.
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
    void Form_Load() override
    {
        ++loads;
        if (closeWhileLoading) {  // as a close among the messages a listing lets through
            PostMessageA(hWnd(), WM_CLOSE, 0, 0);
            Pump();
        }
    }
    void Form_Unload() override { throw std::runtime_error("unload failed"); }

public:
    bool closeWhileLoading = false;
};

}  // namespace

TEST(Form, OnlyLoadAndShowLoadAFormAndAClosedOneStaysClosed)
{
    FailingForm form;
    const std::size_t before = FormsOfThisThread(nullptr).size();
    form.Caption("Touched");
    form.Left(300);
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(form.Caption(), "");
    form.Show();
    form.Caption("Shown");
    EXPECT_EQ(form.Caption(), "Shown");
    SendMessageA(form.hWnd(), WM_CLOSE, 0, 0);
    form.Caption("Closed");
    form.WindowState(Form::vbMinimized);
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(FormsOfThisThread(nullptr).size(), before);
    EXPECT_EQ(form.loads, 1);
    form.Show();  // the user opens it again
    EXPECT_TRUE(form.Loaded());
    EXPECT_EQ(form.loads, 2);
}

TEST(Form, AFormClosedWhileItLoadsIsNotShownOrLoadedAgain)
{
    FailingForm form;
    form.closeWhileLoading = true;
    const std::size_t before = FormsOfThisThread(nullptr).size();
    form.Show();
    form.Caption("After");
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(form.loads, 1);
    EXPECT_EQ(FormsOfThisThread(nullptr).size(), before);
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
