#include "app/mdlMain.h"

#include "app/CommandLine.h"
#include "app/mdlModes.h"
#include "forms/frmSel.h"

static_assert(sizeof(INITCOMMONCONTROLSEX) == 8, "the record gives its own size");

void Main(const std::string& arguments)
{
    // Start-up goes on whatever these two do: the product information is set
    // again when the window loads, and the controls work without the call on
    // systems whose common controls register their classes themselves.
    try {
        InitProductInfo();
    } catch (...) {
    }
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_USEREX_CLASSES;
    InitCommonControlsEx(&controls);

    frmSel& main = frmSel::Default();
    main.Show();
    if (StartsMinimised(arguments)) main.WindowState(Form::vbMinimized);
}
