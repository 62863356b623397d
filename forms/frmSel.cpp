#include "forms/frmSel.h"

#include "forms/Layout.h"
#include "forms/SharedState.h"
#include "forms/frmAdd.h"
#include "platform/Runtime.h"
#include "services/ListBulk.h"
#include "services/ListCommands.h"
#include "services/CopyShapes.h"
#include "services/ListDialogs.h"
#include "services/ListFile.h"
#include "services/ListShape.h"
#include "services/ListText.h"
#include "services/PathData.h"
#include "services/PathText.h"

#include <cstdlib>
#include <stdexcept>

namespace {

enum ControlId { idLV = 100, idPIcon, idCmdSel, idChkDups, idCmdClear, idPicTitle, idLblTitle };

// A list file larger than this is refused rather than read into memory.
constexpr unsigned long long kMaxListFileBytes = 64ull * 1024 * 1024;

constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kWindowText = 0x80000008;
constexpr std::uint32_t kHighlight = 0x8000000D;

std::unique_ptr<frmSel>& Instance()
{
    static std::unique_ptr<frmSel> instance;
    return instance;
}

}  // namespace

void frmSel::Make(ProgramServices& program)
{
    if (!Instance()) Instance().reset(new frmSel(program));
}

frmSel& frmSel::Default()
{
    if (!Instance()) throw std::logic_error("the selection window is used before it is made");
    return *Instance();
}

frmSel::frmSel(ProgramServices& program)
    // Overlapped, not pop-up: only overlapped windows get the system's default
    // placement; a pop-up created at CW_USEDEFAULT lands at the screen's corner.
    : Form({"File Selection Wizard", 4320, 5385, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
            WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE, true}),
      program_(program)
{
}

frmSel::~frmSel() = default;

void frmSel::CreateControls()
{
    // Created in tab order: the list first, so it has the focus.
    LV.Create(hWnd(), idLV, {{120, 960, 4095, 4335}, "File Name", false, kWhite, kWindowText, "Chosen files"});
    // Beyond the right edge of the client area: never seen, only drawn on.
    pIcon.Create(hWnd(), idPIcon, {4920, 5280, 240, 240}, kWhite);
    cmdSel.Create(hWnd(), idCmdSel, "Select Files", {3240, 600, 975, 255});
    chkDups.Create(hWnd(), idChkDups, "Allow Dupes", {120, 600, 1215, 255});
    cmdClear.Create(hWnd(), idCmdClear, "Clear List", {2160, 600, 975, 255});
    picTitle.Create(hWnd(), idPicTitle, {0, 0, 9045, 375}, kHighlight);
    lblTitle.Create(picTitle.hWnd(), idLblTitle, {120, 60, 5835, 240});
    lblTitle.SetFont("Tahoma", 11.25f, FW_NORMAL);
    lblTitle.ForeColor(TranslateColor(kWhite));
    // Images of the system's small icon size: 16 x 16 pixels at 96 dots per inch.
    ImageList1.Create(SmallIconSize(Dpi()), SmallIconSize(Dpi()));
    LV.SmallIcons(ImageList1);
    LV.KeepHistory(true);

    mnuList.Create(ListCommands());
    AcceptDroppedFiles();

    chkDups.Click = [this] { chkDups_Click(); };
    LV.MouseDown = [this](int button, int, float x, float y) { LV_MouseDown(button, x, y); };
    LV.KeyDown = [this](int keyCode, int shift) { return LV_KeyDown(keyCode, shift); };
    LV.BeginDrag = [this] { LV_BeginDrag(); };
    LV.DropInside = [this](int position) { LV_DropInside(position); };
    cmdClear.Click = [this] { cmdClear_Click(); };
    cmdSel.Click = [this] { cmdSel_Click(); };
}

void frmSel::Form_Load()
{
    program_.SetFormIcon(hWnd(), "AAA", true);
    program_.InitProductInfo();
    Caption(program_.ProductName());
    lblTitle.Caption(program_.ProductName());
    // Decimal text of a whole number: read as an integer, which keeps the
    // floating-point reader (and its size) out of the program.
    picTitle.BackColor(static_cast<std::uint32_t>(std::strtoul(program_.BannerColor().c_str(), nullptr, 10)));
    strCurFolder = "C:\\";
}

void frmSel::Form_Resize()
{
    const auto layout = SelectionListLayout(ScaleWidth(), ScaleHeight(), picTitle.Height());
    if (!layout) return;
    LV.Move(layout->list.left, layout->list.top, layout->list.width, layout->list.height);
    LV.ColumnHeaders.Item(1).Width(layout->columnWidth);
}

bool frmSel::Form_QueryUnload(int UnloadMode)
{
    const std::string failure = program_.WriteListAtClose(AllPaths(LV));
    // Only a close the user asked for can wait for the cause to be mended; at
    // the session's end, or with the owner gone, the exit code alone tells.
    if (failure.empty() || UnloadMode != vbFormControlMenu) return false;
    MsgBox(hWnd(), failure);
    return true;
}

void frmSel::Form_Unload()
{
    ClearLV(LV);
    // Closing the picker may fail in any way without keeping this window open:
    // the failure is told, and the closing goes on.
    try {
        if (frmPicker) frmPicker->Unload();
    } catch (...) {
        ReportFailure(hWnd());
    }
}

void frmSel::Form_DpiChanged()
{
    ImageList1.Resize(SmallIconSize(Dpi()), SmallIconSize(Dpi()));
    LV.ImagesResized();
    if (frmPicker && frmPicker->Loaded()) frmPicker->LV.ImagesResized();
}

frmAdd& frmSel::Picker()
{
    // One picker object for the life of the program, loaded again after the
    // user closed it: a handler of the picker may still be running (its folder
    // choice lets queued clicks in), so the object must never go away under it.
    if (!frmPicker) frmPicker = std::make_unique<frmAdd>(LV, ImageList1, pIcon);
    return *frmPicker;
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
    frmAdd& picker = Picker();
    if (picker.Loaded()) return;
    // Loaded first, so its list is filled before it is shown. The listing lets
    // messages through: a close of either window among them ends the opening.
    picker.Load();
    if (!Loaded() || !picker.Loaded()) return;
    picker.Left(Left() + Width());
    picker.Top(Top());
    picker.Show();
}

void frmSel::ShowFolderInPicker(const std::string& folder)
{
    if (!Loaded()) return;
    if (Picker().Loaded()) {
        Picker().ListFolder(folder);
        return;
    }
    strCurFolder = folder;  // the picker lists it as it loads
    cmdSel_Click();
}

void frmSel::TakeIn(const std::vector<std::string>& paths, const std::string& what, const std::string& from,
                    std::string_view step)
{
    TakeIn(PathsOf(paths), what, from, step);
}

void frmSel::TakeIn(const PathSource& paths, const std::string& what, const std::string& from, std::string_view step)
{
    if (RefusedWhileReading()) return;
    struct Reading {
        bool& on;
        ~Reading() { on = false; }
    } reading{reading_ = true};
    // Open while the reading lets messages through: an undo meanwhile is refused.
    const ListView::Change change(LV, step);
    Pacing pacing;
    const Taking taking = TakeFiles(
        paths, {LV, ImageList1, pIcon, blnAllowDupes, [this](const std::string& folder) { ShowFolderInPicker(folder); }},
        what, from, [&](std::size_t taken, std::size_t count) { return ReadingGoesOn(taken, count, pacing); });
    if (!Loaded()) return;  // closed while it read
    Caption(program_.ProductName());
    if (!taking.message.empty()) MsgBox(hWnd(), taking.message);
}

bool frmSel::ReadingGoesOn(std::size_t taken, std::size_t count, Pacing& pacing)
{
    if (!pacing.TurnDue()) return true;
    LV.Refresh();
    if (pacing.ShowsCount())
        Caption(program_.ProductName() + " - reading " + Grouped(taken) + " of " + Grouped(count));
    const bool escape = DoEventsSeeingKey(hWnd(), VK_ESCAPE);
    return Loaded() && !escape;  // the window may have been closed among the messages
}

bool frmSel::RefusedWhileReading()
{
    if (!reading_) return false;
    MsgBox(hWnd(), "A list is still being read. Wait until it is in, or press Esc to stop it, and try again.");
    return true;
}

void frmSel::Form_DragDrop(const std::vector<std::string>& paths)
{
    TakeIn(paths, "dropped item", "", "Drop");
}

void frmSel::LV_MouseDown(int button, float x, float y)
{
    if (button != 2) return;
    // As in the shell's own lists, the commands act on the entry right-clicked
    // when it was not among the selected ones.
    ListItem hit = LV.HitTest(x, y);
    if (hit && !hit.Selected()) {
        SetAllSelected(LV, false);
        hit.Selected(true);
    }
    mnuList.Track(hWnd());
}

bool frmSel::LV_KeyDown(int keyCode, int shift)
{
    return mnuList.KeyDown(keyCode, shift);
}

void frmSel::LV_BeginDrag()
{
    DragSelected(LV);
}

void frmSel::LV_DropInside(int position)
{
    if (!reading_) LV.MoveSelectedTo(position);  // a step named "Move"
}

std::vector<Command> frmSel::ListCommands()
{
    constexpr int kShift = 1, kCtrl = 2, kAlt = 4;
    // While a list is read in, its entries are one step still open: the
    // commands that change the list wait for it.
    const auto idle = [this] { return !reading_; };
    const auto anySelected = [this] { return GetSelCount(LV) != 0; };
    const auto anyEntry = [this] { return LV.ListItems.Count() != 0; };
    const auto idleSelected = [=] { return idle() && anySelected(); };
    const auto idleEntries = [=] { return idle() && LV.ListItems.Count() > 1; };
    // "Undo Clear List": the command with the step it takes back or does again.
    const auto naming = [](const char* command, std::string step) {
        return step.empty() ? std::string(command) : command + (" " + step);
    };
    const auto copyAs = [this, anySelected](const char* caption, Shortcut key, CopyShape shape) {
        return Command{caption, {key}, [this, shape] { CopySelectedAs(hWnd(), LV, shape); }, anySelected};
    };
    const auto sort = [this, idleEntries](const char* caption, Shortcut key, SortKey by) {
        return Command{caption, {key}, [this, caption, by] { SortList(by, std::string("Sort by ") + caption); },
                       idleEntries};
    };
    return {
        {"Undo", {{'Z', kCtrl}}, [this] { LV.Undo(); }, [=] { return idle() && !LV.UndoName().empty(); },
         [=] { return naming("Undo", LV.UndoName()); }},
        {"Redo", {{'Y', kCtrl}, {'Z', kCtrl | kShift}}, [this] { LV.Redo(); },
         [=] { return idle() && !LV.RedoName().empty(); }, [=] { return naming("Redo", LV.RedoName()); }},
        {"-"},
        {"Copy", {{'C', kCtrl}}, [this] { CopySelection(); }, anySelected},
        {"Copy As", {}, {}, {}, {},
         {copyAs("Quoted Paths", {'Q', kCtrl | kShift}, CopyShape::QuotedPaths),
          copyAs("Command Line", {'C', kCtrl | kShift}, CopyShape::CommandLine),
          copyAs("Names", {'C', kCtrl | kAlt}, CopyShape::Names),
          copyAs("Forward Slashes", {'F', kCtrl | kShift}, CopyShape::ForwardSlashes),
          copyAs("WSL Paths", {'W', kCtrl | kShift}, CopyShape::WslPaths)}},
        {"Paste", {{'V', kCtrl}}, [this] { PasteFiles(); }, ClipboardHasPaths},
        {"Remove", {{VK_DELETE, 0}}, [this] { RemoveSelection(); }, idleSelected},
        {"Remove Missing", {{VK_DELETE, kCtrl}}, [this] { RemoveMissing(); }, [=] { return idle() && anyEntry(); }},
        {"Select All", {{'A', kCtrl}}, [this] { SetAllSelected(LV, true); }, anyEntry},
        {"-"},
        {"Move Up", {{VK_UP, kAlt}}, [this] { Move(ListView::Where::Up, "Move Up"); }, idleSelected},
        {"Move Down", {{VK_DOWN, kAlt}}, [this] { Move(ListView::Where::Down, "Move Down"); }, idleSelected},
        {"Move to Top", {{VK_HOME, kAlt}}, [this] { Move(ListView::Where::Top, "Move to Top"); }, idleSelected},
        {"Move to Bottom", {{VK_END, kAlt}}, [this] { Move(ListView::Where::Bottom, "Move to Bottom"); },
         idleSelected},
        {"Sort By", {}, {}, {}, {},
         {sort("Name", {'1', kCtrl}, SortKey::Name), sort("Folder", {'2', kCtrl}, SortKey::Folder),
          sort("Extension", {'3', kCtrl}, SortKey::Extension), sort("Size", {'4', kCtrl}, SortKey::Size),
          sort("Date Modified", {'5', kCtrl}, SortKey::Modified), {"-"},
          {"Reverse Order", {{'R', kCtrl}}, [this] { ReverseList(); }, idleEntries}}},
        {"-"},
        {"Save List...", {{'S', kCtrl}}, [this] { SaveList(); }, anyEntry},
        {"Open List...", {{'O', kCtrl}}, [this] { OpenList(); }},
    };
}

void frmSel::CopySelection()
{
    CopySelected(hWnd(), LV);
}

void frmSel::PasteFiles()
{
    if (RefusedWhileReading()) return;
    const PastedPaths pasted = PathsOnClipboard(hWnd());
    if (!pasted.error.empty()) {
        MsgBox(hWnd(), pasted.error);
        return;
    }
    const auto line = [&pasted](std::size_t index, std::string& path) { return pasted.LinePath(index, path); };
    TakeIn(pasted.names.empty() ? PathSource{pasted.lines.size(), line} : PathsOf(pasted.names), "pasted item", "",
           "Paste");
}

void frmSel::RemoveSelection()
{
    LV.RemoveSelected();  // only entries go: no file is touched
}

void frmSel::RemoveMissing()
{
    const std::vector<std::string> paths = AllPaths(LV);
    const MissingFiles missing = FindMissing({paths.begin(), paths.end()});
    if (missing.positions.empty()) return;
    LV.Remove(missing.positions, "Remove Missing");
    MsgBox(hWnd(), missing.message);
}

void frmSel::Move(ListView::Where where, std::string_view step)
{
    const ListView::Change change(LV, step);
    LV.MoveSelected(where);
}

void frmSel::SortList(SortKey key, std::string_view step)
{
    // Chosen again straight after itself, a sort turns; after any other change it starts ascending.
    descending_ = lastSort_ == key && LV.UndoName() == step && !descending_;
    lastSort_ = key;
    const std::vector<std::string> paths = AllPaths(LV);
    LV.Reorder(SortedBy({paths.begin(), paths.end()}, key, descending_), step);
}

void frmSel::ReverseList()
{
    LV.Reorder(ReversedOrder(static_cast<std::size_t>(LV.ListItems.Count())), "Reverse Order");
}

void frmSel::SaveList()
{
    if (LV.ListItems.Count() == 0) return;
    const std::string path = AskSaveListPath(hWnd());
    if (path.empty()) return;
    const SavedList saved = ::SaveList(path, AllPaths(LV));
    if (!saved.failure.empty()) MsgBox(hWnd(), "The list could not be saved to " + path + ":\n\n" + saved.failure);
    else if (const std::string gone = GoneMessage(saved.gone); !gone.empty()) MsgBox(hWnd(), gone, MB_ICONINFORMATION);
}

void frmSel::OpenList()
{
    if (RefusedWhileReading()) return;
    const std::string path = AskOpenListPath(hWnd());
    if (!path.empty() && Loaded()) OpenListFile(path);
}

void frmSel::OpenListFile(const std::string& path)
{
    if (RefusedWhileReading()) return;
    const ListFileContents contents = ReadListFile(path, kMaxListFileBytes);
    if (!contents.error.empty()) {
        MsgBox(hWnd(), "The list " + path + " could not be opened:\n\n" + contents.error);
        return;
    }
    std::string line;  // one buffer for every line
    TakeIn({contents.lines.size(),
            [&](std::size_t index, std::string& full) {
                if (!ListLineInCodePage(contents, index, line)) return false;
                full = ListLinePath(path, line);
                return true;
            }},
           "line", " of " + path, "Open List");
}
