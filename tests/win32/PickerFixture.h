#pragma once
// A selection window and a picker over a folder of five text files, a.txt to e.txt.
#include "TestSupport.h"
#include "forms/SharedState.h"
#include "forms/frmAdd.h"
#include "forms/frmSel.h"

#include <gtest/gtest.h>

class PickerFixture : public testing::Test {
protected:
    void SetUp() override
    {
        frmSel::Default().Show();
        for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}) folder.File(name);
        strCurFolder = folder.Path();
        blnSubfolders = false;
    }
    void Open()
    {
        picker.Show();
        Pump();
    }
    HWND List() { return picker.LV.hWnd(); }
    HWND SelectionList() { return frmSel::Default().LV.hWnd(); }
    std::string Path(const char* name) { return folder.Path() + "\\" + name; }

    TempFolder folder;
    frmAdd picker{frmSel::Default().LV, frmSel::Default().ImageList1, frmSel::Default().pIcon};
};
