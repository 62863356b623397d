#include "forms/frmSel.h"

#include "app/mdlModes.h"
#include "app/mdlSetFormIcon32.h"
#include "forms/Layout.h"
#include "forms/SharedState.h"
#include "forms/frmAdd.h"
#include "services/ListBulk.h"

#include <cstdlib>

namespace {

enum ControlId { idLV = 100, idPIcon, idCmdSel, idChkDups, idCmdClear, idPicTitle, idLblTitle };

constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kWindowText = 0x80000008;
constexpr std::uint32_t kHighlight = 0x8000000D;

}  // namespace

frmSel& frmSel::Default()
{
    static std::unique_ptr<frmSel> instance(new frmSel);
    instance->Load();
    return *instance;
}

frmSel::frmSel()
    // Overlapped, not pop-up: only overlapped windows get the system's default
    // placement; a pop-up created at CW_USEDEFAULT lands at the screen's corner.
    : Form({"File Selection Wizard", 4320, 5385, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
            WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE, true})
{
}

frmSel::~frmSel() = default;

void frmSel::CreateControls()
{
    // Created in tab order: the list first, so it has the focus.
    LV.Create(hWnd(), idLV, {{120, 960, 4095, 4335}, "File Name", false, kWhite, kWindowText});
    // Beyond the right edge of the client area: never seen, only drawn on.
    pIcon.Create(hWnd(), idPIcon, {4920, 5280, 240, 240}, kWhite);
    cmdSel.Create(hWnd(), idCmdSel, "Select Files", {3240, 600, 975, 255});
    chkDups.Create(hWnd(), idChkDups, "Allow Dupes", {120, 600, 1215, 255});
    cmdClear.Create(hWnd(), idCmdClear, "Clear List", {2160, 600, 975, 255});
    picTitle.Create(hWnd(), idPicTitle, {0, 0, 9045, 375}, kHighlight);
    lblTitle.Create(picTitle.hWnd(), idLblTitle, {120, 60, 5835, 240});
    lblTitle.SetFont("Tahoma", 11.25f, FW_NORMAL);
    lblTitle.ForeColor(TranslateColor(kWhite));
    ImageList1.Create(16, 16);
    LV.SmallIcons(ImageList1);

    chkDups.Click = [this] { chkDups_Click(); };
    cmdClear.Click = [this] { cmdClear_Click(); };
    cmdSel.Click = [this] { cmdSel_Click(); };
}

void frmSel::Form_Load()
{
    SetFormIcon(hWnd(), "AAA", true);
    InitProductInfo();
    Caption(strProductName);
    lblTitle.Caption(strProductName);
    // Decimal text of a whole number: read as an integer, which keeps the
    // floating-point reader (and its size) out of the program.
    picTitle.BackColor(static_cast<std::uint32_t>(std::strtoul(strBannerColor.c_str(), nullptr, 10)));
    strCurFolder = "C:\\";
}

void frmSel::Form_Resize()
{
    const auto layout = SelectionListLayout(ScaleWidth(), ScaleHeight(), picTitle.Height());
    if (!layout) return;
    LV.Move(layout->list.left, layout->list.top, layout->list.width, layout->list.height);
    LV.ColumnHeaders.Item(1).Width(layout->columnWidth);
}

void frmSel::Form_Unload()
{
    ClearLV(LV);
    // Closing the picker may fail in any way without keeping this window open.
    try {
        if (frmPicker) frmPicker->Unload();
    } catch (...) {
    }
}

void frmSel::chkDups_Click()
{
    blnAllowDupes = chkDups.Value() != 0;
}

void frmSel::cmdClear_Click()
{
    ClearLV(LV);
}

void frmSel::cmdSel_Click()
{
    // One picker object for the life of the program, loaded again after the
    // user closed it: a handler of the picker may still be running (its folder
    // choice lets queued clicks in), so the object must never go away under it.
    if (!frmPicker) frmPicker = std::make_unique<frmAdd>();
    if (frmPicker->Loaded()) return;
    // Placing the picker loads it, so its list is filled before it is shown.
    frmPicker->Left(Left() + Width());
    frmPicker->Top(Top());
    frmPicker->Show();
}
