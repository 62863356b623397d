#pragma once
// The selection window: the collected list of files, "Allow Dupes", "Clear List"
// and "Select Files" below the banner. It also holds the image list and the
// drawing surface that every file icon of both windows passes through.
#include "platform/Form.h"
#include "platform/ImageList.h"
#include "platform/ListView.h"
#include "platform/PictureBox.h"

#include <memory>

class frmAdd;

class frmSel : public Form {
public:
    // The application's one selection window, loaded on first use.
    static frmSel& Default();
    ~frmSel() override;

    ListView LV;
    ImageList ImageList1;
    PictureBox pIcon;

private:
    frmSel();
    void CreateControls() override;
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload() override;
    void chkDups_Click();
    void cmdClear_Click();
    void cmdSel_Click();

    PictureBox picTitle;
    Label lblTitle;
    CheckBox chkDups;
    CommandButton cmdClear;
    CommandButton cmdSel;
    std::unique_ptr<frmAdd> frmPicker;
};
