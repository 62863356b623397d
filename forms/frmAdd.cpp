#include "forms/frmAdd.h"

#include "forms/Layout.h"
#include "forms/SharedState.h"
#include "forms/frmSel.h"
#include "platform/Runtime.h"
#include "services/FolderChooser.h"
#include "services/FolderListing.h"
#include "services/DragOut.h"
#include "services/ListBulk.h"
#include "services/PathData.h"

namespace {

enum ControlId { idLV = 100, idTxtPath, idCmdBr, idCmdAdd };
enum MenuIndex { kSelectAll = 0, kSelectNone = 1, kAdd = 2 };

constexpr std::uint32_t kWindow = 0x80000005;
constexpr std::uint32_t kWindowText = 0x80000008;

}  // namespace

frmAdd::frmAdd() : Form({"Select Files", 4110, 4740, WS_OVERLAPPEDWINDOW, 0, false}) {}

void frmAdd::CreateControls()
{
    LV.Create(hWnd(), idLV, {{0, 360, 4095, 4335}, "File Name", true, kWindow, kWindowText});
    txtPath.Create(hWnd(), idTxtPath, {0, 0, 2895, 285});
    cmdBr.Create(hWnd(), idCmdBr, "...", {3000, 0, 375, 285});
    cmdAdd.Create(hWnd(), idCmdAdd, "Add", {3480, 0, 615, 285});
    cmdAdd.Enabled(false);
    LVPop.Create({"Select All", "Select None", "Add"});

    cmdBr.Click = [this] { cmdBr_Click(); };
    cmdAdd.Click = [this] { cmdAdd_Click(); };
    LV.ItemClick = [this](ListItem) { LV_ItemClick(); };
    LV.ColumnClick = [this](int) { LV_ColumnClick(); };
    LV.MouseDown = [this](int button, int, float x, float y) { LV_MouseDown(button, x, y); };
    LVPop.Click = [this](int index) { LVArr_Click(index); };
    LV.KeyDown = [this](int keyCode, int shift) { return LV_KeyDown(keyCode, shift); };
    LV.BeginDrag = [this] { LV_BeginDrag(); };
}

void frmAdd::Form_Load()
{
    LV.SmallIcons(frmSel::Default().ImageList1);
    if (strCurFolder.empty()) return;
    txtPath.Text(strCurFolder);
    RefreshFileList();
}

void frmAdd::Form_Resize()
{
    const auto layout = PickerListLayout(ScaleWidth(), ScaleHeight());
    if (!layout) return;
    LV.Move(layout->list.left, layout->list.top, layout->list.width, layout->list.height);
    LV.ColumnHeaders.Item(1).Width(layout->columnWidth);
}

void frmAdd::Form_Unload()
{
    ClearLV(LV);
}

void frmAdd::cmdBr_Click()
{
    const std::string folder = BrowseFolder(strCurFolder, hWnd(), "Select Folder");
    if (folder.empty()) return;
    strCurFolder = folder;
    txtPath.Text(folder);
    DoEvents();
    if (!Loaded()) return;  // closed while the queue was processed: nothing left to fill
    RefreshFileList();
}

void frmAdd::cmdAdd_Click()
{
    AddSelectedFiles();
}

void frmAdd::LV_ItemClick()
{
    ApplySelectionRule();
}

void frmAdd::LV_ColumnClick()
{
    LV.SortOrder(LV.SortOrder() ^ 1);
}

void frmAdd::LV_MouseDown(int button, float x, float y)
{
    if (button != 2) return;
    if (!LV.HitTest(x, y)) return;
    LVArr(kAdd).Enabled(GetSelCount(LV) != 0);
    PopupMenu(LVPop);
}

void frmAdd::LVArr_Click(int Index)
{
    switch (Index) {
    case kSelectAll:
        SetAllSelected(LV, true);
        break;
    case kSelectNone:
        SetAllSelected(LV, false);
        break;
    case kAdd:
        AddSelectedFiles();
        break;
    }
    ApplySelectionRule();
}

void frmAdd::ApplySelectionRule()
{
    cmdAdd.Enabled(GetSelCount(LV) != 0);
}

bool frmAdd::LV_KeyDown(int keyCode, int shift)
{
    if (shift != 2) return false;
    if (keyCode == 'C') {
        const std::vector<std::string> paths = SelectedPaths(LV);
        if (!paths.empty()) CopyPaths(hWnd(), paths);  // a busy clipboard takes nothing; the user may copy again
        return true;
    }
    if (keyCode == 'A') {
        LVArr_Click(kSelectAll);  // as the menu's "Select All": "Add" follows
        return true;
    }
    return false;
}

void frmAdd::LV_BeginDrag()
{
    DragPaths(SelectedPaths(LV));
}


void frmAdd::ListFolder(const std::string& folder)
{
    strCurFolder = folder;
    txtPath.Text(folder);
    RefreshFileList();
}

void frmAdd::RefreshFileList()
{
    ClearLV(LV);
    LV.Visible(false);  // one repaint when the list is complete, not one per file
    frmSel& selection = frmSel::Default();
    const std::string problem = FillFileList(strCurFolder, LV, selection.ImageList1, selection.pIcon);
    LV.Visible(true);
    // Titled as the selection window's messages are: with the product's name, its caption.
    if (!problem.empty()) MessageBoxA(hWnd(), problem.c_str(), selection.Caption().c_str(), MB_ICONWARNING);
}
