#include "services/PatternDialog.h"

#include "platform/Control.h"
#include "platform/Runtime.h"
#include "resources/patterns.h"

namespace {

struct Asking {
    const char* caption;
    const std::vector<std::string>& offered;
    std::string answer;
};

void OnInitDialog(HWND dialog, Asking& asking)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&asking));
    SetWindowTextA(dialog, asking.caption);
    HWND box = GetDlgItem(dialog, IDC_PATTERNS_TEXT);
    for (const std::string& pattern : asking.offered)
        SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pattern.c_str()));
    if (!asking.offered.empty()) SendMessageA(box, CB_SETCURSEL, 0, 0);
}

BOOL OnCommand(HWND dialog, WORD id)
{
    if (id != IDOK && id != IDCANCEL) return FALSE;
    if (id == IDOK) {
        auto& asking = *reinterpret_cast<Asking*>(GetWindowLongPtrA(dialog, DWLP_USER));
        asking.answer = WindowText(GetDlgItem(dialog, IDC_PATTERNS_TEXT));
    }
    EndDialog(dialog, id);
    return TRUE;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    // No exception may unwind into the dialog manager: a failure cancels.
    try {
        switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(dialog, *reinterpret_cast<Asking*>(lParam));
            return TRUE;
        case WM_COMMAND:
            return OnCommand(dialog, LOWORD(wParam));
        default:
            return FALSE;
        }
    } catch (...) {
        ReportFailure(dialog);
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
}

}  // namespace

std::optional<std::string> AskForPatterns(HWND owner, const char* caption, const std::vector<std::string>& offered)
{
    Asking asking{caption, offered, {}};
    // A dialog that cannot be shown (-1) asked nothing: as Cancel.
    const INT_PTR result = DialogBoxParamA(App.hInstance(), "PATTERNS", owner, DialogProc, reinterpret_cast<LPARAM>(&asking));
    if (result != IDOK) return std::nullopt;
    return asking.answer;
}
