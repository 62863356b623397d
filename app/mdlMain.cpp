#include "app/mdlMain.h"

#include "app/CommandLine.h"
#include "app/ListOutput.h"
#include "app/mdlModes.h"
#include "app/mdlSetFormIcon32.h"
#include "forms/frmSel.h"
#include "platform/Runtime.h"

static_assert(sizeof(INITCOMMONCONTROLSEX) == 8, "the record gives its own size");

namespace {

class Services : public ProgramServices {
    void SetFormIcon(HWND hWnd, const std::string& strIconName, bool blnTopOwner) override
    {
        ::SetFormIcon(hWnd, strIconName, blnTopOwner);
    }
    void InitProductInfo() override { ::InitProductInfo(); }
    std::string ProductName() override { return strProductName; }
    std::string BannerColor() override { return strBannerColor; }
    std::string ListClosing(const std::vector<std::string>& paths) override { return Output.Closing(paths); }
};

}  // namespace

void MakeWindows()
{
    static Services services;
    frmSel::Make(services);
}

bool Main(const std::string& arguments)
{
    const StartRequest request = ReadCommandLine(arguments);
    std::string refusal = CommandLineProblem(request);
    if (refusal.empty() && request.output) refusal = Output.Request(request.outputFile);
    if (!refusal.empty()) {
        // The program has no console: a batch file's user sees this instead.
        MessageBoxA(nullptr, refusal.c_str(), "Quorvel", MB_ICONERROR);
        App.ExitCode(2);
        return false;
    }
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

    MakeWindows();
    frmSel& main = frmSel::Default();
    main.Show();
    if (request.minimised) main.WindowState(Form::vbMinimized);
    return true;
}
