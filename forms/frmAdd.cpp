#include "forms/frmAdd.h"

#include "forms/Layout.h"
#include "forms/SharedState.h"
#include "services/PatternDialog.h"
#include "platform/Runtime.h"
#include "services/FolderChooser.h"
#include "services/FolderListing.h"
#include "services/ListBulk.h"
#include "services/ListCommands.h"
#include "services/ListText.h"
#include "services/NamePattern.h"
#include "services/SelectByPattern.h"

namespace {

enum ControlId { idLV = 100, idTxtPath, idCmdBr, idCmdAdd };
enum MenuIndex { kSelectAll = 0, kSelectNone = 1, kAdd = 2, kSelectMatching = 4, kDeselectMatching = 5, kInvert = 6,
                 kSubfolders = 7 };

// Keys in the list that run a menu command (shift as LV_KeyDown has it).
struct KeyCommand {
    int keyCode, shift;
    MenuIndex index;
};
constexpr KeyCommand kKeyCommands[] = {
    {'A', 2, kSelectAll},
    {'M', 2, kSelectMatching},
    {'B', 2, kSubfolders},
    {VK_ADD, 0, kSelectMatching},  // "+", "-" and "*" of the number pad
    {VK_SUBTRACT, 0, kDeselectMatching},
    {VK_MULTIPLY, 0, kInvert},
};

constexpr char kCaption[] = "Select Files";
constexpr std::uint32_t kWindow = 0x80000005;
constexpr std::uint32_t kWindowText = 0x80000008;

}  // namespace

frmAdd::frmAdd(ListView& target, ImageList& images, PictureBox& surface)
    : Form({kCaption, 4110, 4740, WS_OVERLAPPEDWINDOW, 0, false}),
      target_(target),
      images_(images),
      surface_(surface)
{
}

void frmAdd::CreateControls()
{
    LV.Create(hWnd(), idLV, {{0, 360, 4095, 4335}, "File Name", true, kWindow, kWindowText, "Files in the folder"});
    txtPath.Create(hWnd(), idTxtPath, {0, 0, 2895, 285});
    cmdBr.Create(hWnd(), idCmdBr, "...", {3000, 0, 375, 285});
    cmdAdd.Create(hWnd(), idCmdAdd, "Add", {3480, 0, 615, 285});
    cmdAdd.Enabled(false);
    LVPop.Create({"Select All", "Select None", "Add", "-", "Select Matching...\tCtrl+M",
                  "Deselect Matching...\tNum -", "Invert Selection\tNum *", "Include Subfolders\tCtrl+B"});
    LVArr(kSubfolders).Checked(blnSubfolders);

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
    LV.SmallIcons(images_);
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
    heldAdd_.reset();  // a listing that runs on after the close holds only the controls it finds next
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
    if (button != 2 || listing_) return;
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
    case kSelectMatching:
    case kDeselectMatching:
        SelectAskedPatterns(Index == kSelectMatching);
        break;
    case kInvert:
        InvertSelection(LV);
        break;
    case kSubfolders:
        blnSubfolders = !blnSubfolders;
        LVArr(kSubfolders).Checked(blnSubfolders);
        RefreshFileList();
        if (!Loaded()) return;  // closed while it listed
        break;
    }
    ApplySelectionRule();
}

void frmAdd::ApplySelectionRule()
{
    cmdAdd.Enabled(GetSelCount(LV) != 0);
}

void frmAdd::SelectAskedPatterns(bool selected)
{
    const auto patterns = AskForPatterns(hWnd(), selected ? "Select Matching" : "Deselect Matching", strRecentPatterns);
    if (patterns && SelectMatching(LV, *patterns, selected)) RememberRecent(strRecentPatterns, *patterns);
}

bool frmAdd::LV_KeyDown(int keyCode, int shift)
{
    if (listing_) return true;  // no command starts while a listing runs
    if (keyCode == 'C' && shift == 2) {
        CopySelected(hWnd(), LV);
        return true;
    }
    for (const KeyCommand& key : kKeyCommands) {
        if (key.keyCode != keyCode || key.shift != shift) continue;
        LVArr_Click(key.index);  // as the menu's command: "Add" follows
        return true;
    }
    return false;
}

void frmAdd::LV_BeginDrag()
{
    DragSelected(LV);
}


void frmAdd::ListFolder(const std::string& folder)
{
    strCurFolder = folder;
    txtPath.Text(folder);
    RefreshFileList();
}

void frmAdd::RefreshFileList()
{
    if (listing_) {  // asked from among the messages a listing lets through
        relist_ = true;
        return;
    }
    listing_ = true;
    Listing listing;
    do {
        relist_ = false;
        // Hidden while it changes: one repaint when the list is complete, not
        // one as it empties and one per file.
        LV.Visible(false);
        ClearLV(LV);
        Caption(kCaption);
        Pacing pacing(pace.pumpEvery, pace.countAfter);
        listing = FillTreeList(strCurFolder, blnSubfolders, LV, images_, surface_,
                               [&](unsigned long long entries) { return ListingGoesOn(entries, pacing); });
    } while (relist_ && Loaded());
    listing_ = false;
    if (!Loaded()) return;  // closed while it listed: the list went with it
    LV.Visible(true);
    if (heldAdd_) {
        cmdBr.Enabled(true);
        cmdAdd.Enabled(*heldAdd_);
        heldAdd_.reset();
    }
    Caption(listing.stopped ? std::string(kCaption) + " - stopped at " + Counted(listing.entries, "file") : kCaption);
    if (!listing.problem.empty()) MsgBox(hWnd(), listing.problem);
}

bool frmAdd::ListingGoesOn(unsigned long long entries, Pacing& pacing)
{
    if (!pacing.TurnDue()) return true;
    // Messages come through from here on: nothing that starts another
    // listing or uses the list until it ends.
    if (!heldAdd_) {
        heldAdd_ = cmdAdd.Enabled();
        cmdAdd.Enabled(false);
        cmdBr.Enabled(false);
    }
    if (pacing.ShowsCount()) Caption(std::string(kCaption) + " - " + Counted(entries, "file"));
    const bool escape = DoEventsSeeingKey(hWnd(), VK_ESCAPE);
    // The picker may have been closed, or another folder asked for, among the messages.
    return Loaded() && !escape && !relist_;
}
