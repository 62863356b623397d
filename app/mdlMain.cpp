#include "app/mdlMain.h"

#include "app/CommandLine.h"
#include "app/ListOutput.h"
#include "app/mdlModes.h"
#include "app/mdlSetFormIcon32.h"
#include "forms/frmSel.h"
#include "platform/Runtime.h"
#include "services/ListCommands.h"

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
    std::string WriteListAtClose(const std::vector<std::string>& paths) override
    {
        return requestedOutput.WriteAtClose(paths);
    }
};

bool NamesSomething(const std::string& word)
{
    return KindOfPath(word) != PathKind::None;
}

// The list holds full paths: a word typed relative to the current folder is
// made full; one the system cannot make full stays as it is.
std::vector<std::string> FullPaths(std::vector<std::string> words)
{
    for (auto& word : words) {
        std::string full(GetFullPathNameA(word.c_str(), 0, nullptr, nullptr), '\0');
        if (full.empty()) continue;
        const DWORD length = GetFullPathNameA(word.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
        if (length == 0 || length >= full.size()) continue;
        full.resize(length);
        word = std::move(full);
    }
    return words;
}

}  // namespace

void MakeWindows()
{
    static Services services;
    frmSel::Make(services);
}

bool Main(const std::string& arguments)
{
    // Start-up goes on whatever these two do: the product information is set
    // again when the window loads, and the controls work without the call on
    // systems whose common controls register their classes themselves.
    try {
        InitProductInfo();
    } catch (...) {
    }
    const StartRequest request = ReadCommandLine(arguments, NamesSomething);
    std::string refusal = CommandLineProblem(request);
    // Made full now: the Open dialog moves the current folder on Windows,
    // whatever it is asked, and the list would follow it.
    if (refusal.empty() && request.output)
        refusal = requestedOutput.Request(NamesStandardOutput(request.outputFile)
                                              ? request.outputFile
                                              : FullPaths({request.outputFile}).front());
    if (!refusal.empty()) {
        // The program has no console: a batch file's user sees this instead.
        MsgBox(nullptr, refusal, MB_ICONERROR);
        App.ExitCode(2);
        return false;
    }
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_USEREX_CLASSES;
    InitCommonControlsEx(&controls);

    MakeWindows();
    frmSel& main = frmSel::Default();
    main.Show();
    // Before minimising: a folder's picker opens beside the window as it is shown.
    if (request.paths) main.TakeIn(FullPaths(request.words), "word", " of the command line", "Add");
    main.LV.StartHistory();  // what the command line gave is where the list begins
    if (request.minimised) main.WindowState(Form::vbMinimized);
    return true;
}
