#pragma once
// The selection window: the collected list of files, "Allow Dupes", "Clear List"
// and "Select Files" below the banner. It also holds the image list and the
// drawing surface that every file icon of both windows passes through.
#include "forms/ProgramServices.h"
#include "platform/Form.h"
#include "platform/ImageList.h"
#include "platform/ListView.h"
#include "platform/CommandTable.h"
#include "platform/PictureBox.h"
#include "platform/Runtime.h"
#include "services/ListCommands.h"
#include "services/ListOrder.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class frmAdd;

class frmSel : public Form {
public:
    // Makes the application's one selection window, with what the program
    // gives it; before the first Default. Once made, it stays.
    static void Make(ProgramServices& program);
    // The window Make made. The program loads it once, as it starts; closed,
    // it stays closed.
    static frmSel& Default();
    ~frmSel() override;

    ListView LV;
    ImageList ImageList1;
    PictureBox pIcon;
    // The list's commands: its pop-up menu and its shortcuts.
    CommandTable mnuList;

    // The picker, made on first use and kept for the life of the program; it
    // is loaded by "Select Files" or a folder to show, never by this.
    frmAdd& Picker();
    // Lists a folder in the picker, opening the picker when it is not open;
    // nothing once this window has closed.
    void ShowFolderInPicker(const std::string& folder);
    // Takes files in as dropped files are taken: existing files join the list,
    // a folder opens in the picker, the rest are counted in one message
    // ("2 lines of C:\in.txt named ...": what "line", from " of C:\in.txt").
    // While one taking reads (it lets messages through), another is refused
    // with a message: a read never runs inside a read.
    // All that joins is one step of the list's history, under the name given ("Paste").
    void TakeIn(const std::vector<std::string>& paths, const std::string& what, const std::string& from,
                std::string_view step);
    void TakeIn(const PathSource& paths, const std::string& what, const std::string& from, std::string_view step);
    // Takes in the paths of a list file, as Open List does once the file is chosen.
    void OpenListFile(const std::string& path);

private:
    explicit frmSel(ProgramServices& program);
    void CreateControls() override;
    void Form_Load() override;
    void Form_Resize() override;
    bool Form_QueryUnload(int UnloadMode) override;
    void Form_Unload() override;
    void Form_DpiChanged() override;
    void chkDups_Click();
    void cmdClear_Click();
    void cmdSel_Click();
    void Form_DragDrop(const std::vector<std::string>& paths) override;
    void LV_MouseDown(int button, float x, float y);
    bool LV_KeyDown(int keyCode, int shift);
    void LV_BeginDrag();
    void LV_DropInside(int position);
    std::vector<Command> ListCommands();

    void CopySelection();
    void PasteFiles();
    void RemoveSelection();
    void RemoveMissing();
    void Move(ListView::Where where, std::string_view step);
    void SortList(SortKey key, std::string_view step);
    void ReverseList();
    void SaveList();
    void OpenList();
    // Shows the count and lets messages through, at the pace; false when the
    // reading is to stop (Esc, or the window closed).
    bool ReadingGoesOn(std::size_t taken, std::size_t count, Pacing& pacing);
    bool RefusedWhileReading();

    ProgramServices& program_;
    PictureBox picTitle;
    Label lblTitle;
    CheckBox chkDups;
    CommandButton cmdClear;
    CommandButton cmdSel;
    std::unique_ptr<frmAdd> frmPicker;
    bool reading_ = false;  // paths are being taken in
    // The last sort chosen and its direction.
    std::optional<SortKey> lastSort_;
    bool descending_ = false;
};
