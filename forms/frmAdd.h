#pragma once
// The picker, "Select Files": lists the files of the current folder, lets the
// user choose another folder and select files, and adds the selected files to
// the selection window's list.
#include "platform/Form.h"
#include "platform/ImageList.h"
#include "platform/ListView.h"
#include "platform/Menu.h"
#include "platform/PictureBox.h"
#include "platform/Runtime.h"

#include <optional>

class frmAdd : public Form {
public:
    // The list the picker adds to, and the image list and drawing surface
    // that every file icon passes through, which outlive the picker.
    frmAdd(ListView& target, ImageList& images, PictureBox& surface);

    ListView LV;
    TextBox txtPath;
    CommandButton cmdBr;
    CommandButton cmdAdd;
    Menu LVPop;

    // Lists a folder as a folder chosen with "..." is listed. Asked while a
    // listing lets messages through, it stops that listing, which then lists
    // this folder instead: one listing at a time, the last folder asked shown.
    void ListFolder(const std::string& folder);

    // How long a listing goes between letting the window's messages through,
    // and how long before it shows its count in the caption, in milliseconds.
    // It stays open to change because a real folder lists too fast to let
    // anything through at the program's pace: the tests run listings at a
    // pace of 0, to put a drop, a close or Esc in the middle of one.
    struct ListingPace {
        DWORD pumpEvery = Pacing::kTurnEvery;
        DWORD countAfter = Pacing::kCountAfter;
    };
    ListingPace pace;

private:
    void CreateControls() override;
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload() override;
    void cmdBr_Click();
    void cmdAdd_Click();
    void LV_ItemClick();
    void LV_ColumnClick();
    void LV_MouseDown(int button, float x, float y);
    void LVArr_Click(int Index);
    bool LV_KeyDown(int keyCode, int shift);
    void LV_BeginDrag();
    MenuItem LVArr(int index) const { return LVPop.Item(index); }

    void RefreshFileList();
    // Shows the count and lets messages through, at the pace; false when the
    // listing is to stop (Esc, or the picker closed).
    bool ListingGoesOn(unsigned long long entries, Pacing& pacing);
    void AddSelectedFiles();
    void ApplySelectionRule();
    void SelectAskedPatterns(bool selected);

    ListView& target_;
    ImageList& images_;
    PictureBox& surface_;
    bool listing_ = false;
    bool relist_ = false;  // another folder was asked for while listing_
    // While a listing lets messages through, "Add" and "..." are disabled:
    // whether "Add" was enabled before.
    std::optional<bool> heldAdd_;
};
