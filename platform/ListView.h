#pragma once
// A report-view list over the system list view. Entries live in a ListModel and
// the control is virtual (LVS_OWNERDATA): it asks for the rows it paints, so
// filling and searching stay fast at any size. The control keeps the selection
// itself, so list-view messages sent straight to hWnd see the same entries as
// ListItems does.
#include "platform/Control.h"
#include "platform/ListModel.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class ImageList;
class ListView;

// One entry of a list view, or no entry.
class ListItem {
public:
    ListItem() = default;
    ListItem(ListView* owner, ListModel::Id id);

    explicit operator bool() const { return owner_ != nullptr; }
    // No entry, or one no longer in its list, reads as unselected, with empty
    // text and icon key; writes to it do nothing.
    bool Selected() const;
    void Selected(bool selected);
    std::string_view Text() const;
    void Text(std::string_view text);
    const std::string& SmallIcon() const;
    void SmallIcon(std::string_view key);

private:
    friend class ListView;
    int Position() const;
    ListView* owner_ = nullptr;
    ListModel::Id id_ = ListModel::kNone;
    std::uint32_t generation_ = 0;
};

class ListView : public Control {
public:
    struct Design {
        TwipRect rect;
        const char* columnHeading;
        bool sorted;
        std::uint32_t backColor, foreColor;  // 0x00BBGGRR or 0x800000nn
        // What the list holds, as a screen reader names it; never shown.
        const char* accessibleName = "";
    };
    ListView();
    ~ListView() override;
    void Create(HWND parent, int id, const Design& design);

    class ListItemCollection {
    public:
        // Appends an entry with no text and no icon.
        ListItem Add();
        ListItem Add(std::string_view text, std::string_view smallIcon);
        // Makes room for as many more entries, about to be added.
        void Reserve(int more);
        int Count() const;
        // The entry at a position counted from 1; throws std::out_of_range outside 1..Count.
        ListItem Item(int index);

    private:
        friend class ListView;
        explicit ListItemCollection(ListView& owner) : owner_(owner) {}
        ListView& owner_;
    };
    ListItemCollection ListItems{*this};

    class ColumnHeader {
    public:
        void Width(float twips);

    private:
        friend class ListView;
        ColumnHeader(HWND list, int index) : list_(list), index_(index) {}
        HWND list_;
        int index_;
    };
    class ColumnHeaderCollection {
    public:
        // Columns counted from 1.
        ColumnHeader Item(int index) const { return ColumnHeader(owner_.hWnd(), index - 1); }

    private:
        friend class ListView;
        explicit ColumnHeaderCollection(ListView& owner) : owner_(owner) {}
        ListView& owner_;
    };
    ColumnHeaderCollection ColumnHeaders{*this};

    ListItem FindItem(std::string_view text);
    // The selected entries, in the order shown.
    std::vector<ListItem> SelectedItems();
    // Selects and deselects entries in one go: `choose` is told each entry's
    // text and whether it is selected, and answers whether it is to be.
    void Reselect(const std::function<bool(std::string_view text, bool selected)>& choose);
    // Takes the selected entries out, as a step "Remove"; the entry after the
    // last of them (or the last entry) is then selected and has the focus.
    // Returns how many went.
    int RemoveSelected();

    // The list's history (off by default), as the model keeps it; each change
    // below is a step, and the control then shows the model's count,
    // selection and focus, with the focus in view.
    // Changes made while a Change lives are one step under its name.
    class Change {
    public:
        Change(ListView& list, std::string_view name) : change_(list.model_, name) {}

    private:
        ListModel::Change change_;
    };
    void KeepHistory(bool on) { model_.KeepHistory(on); }
    void StartHistory() { model_.StartHistory(); }
    // False when there is nothing to undo or redo, or while a Change is open.
    // The focus goes to the first entry selected.
    bool Undo();
    bool Redo();
    std::string UndoName() const { return model_.UndoName(); }
    std::string RedoName() const { return model_.RedoName(); }
    // The selected entries moved (see ListModel), the focus with its entry.
    // False when nothing moved.
    using Where = ListModel::Where;
    bool MoveSelected(Where where);
    bool MoveSelectedTo(int position);
    // A new order: from[i] is the position before of the entry now at i.
    void Reorder(const std::vector<int>& from, std::string_view name);
    // Takes the entries at the given positions out; the others keep their
    // selection, and the focus stays on its entry or, when that went, the
    // one after it. Returns how many went.
    int Remove(const std::vector<int>& positions, std::string_view name);
    // The entry under a point of the list's client area (twips), or no entry.
    ListItem HitTest(float x, float y);
    // 0 ascending, 1 descending; the list re-sorts at once when it is sorted.
    int SortOrder() const { return model_.SortOrder(); }
    void SortOrder(int order);
    void SmallIcons(ImageList& images);
    void Visible(bool visible);
    void Move(float left, float top, float width, float height);
    void Refresh();
    void DpiChanged(int dpi) override;
    // The image list's images changed size: rows follow.
    void ImagesResized();
    // Where entries let go at a point of the screen would go: the position
    // they would take (ListItems.Count() after the last), or -1 when the point
    // is not over the list below its header.
    int InsertionPoint(POINT screen);
    // Shows a line where entries would go: before the entry at a position
    // (Count after the last), or no line (-1).
    void InsertMark(int position);

    std::function<void(ListItem item)> ItemClick;
    std::function<void(int column)> ColumnClick;
    // button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt; x, y in twips.
    std::function<void(int button, int shift, float x, float y)> MouseDown;
    // A key pressed in the list (shift as for MouseDown); a handler that
    // returns true has dealt with it.
    std::function<bool(int keyCode, int shift)> KeyDown;
    // The user starts dragging the selected entries with the left button.
    std::function<void()> BeginDrag;
    // The dragged selected entries were let go inside the list, to go before
    // the entry at a position (Count: after the last).
    std::function<void(int position)> DropInside;

protected:
    LRESULT OnNotify(NMHDR& header) override;

private:
    friend class ListItem;
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseDown(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnKey(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnSetAllStates(LPARAM item);
    LRESULT OnSync();
    // The width a row's label has for its text, and the font it is drawn in:
    // the same for every row; none while the list has no rows.
    struct TextRoom {
        int width;
        HGDIOBJ font;
    };
    std::optional<TextRoom> Room();
    // A text as it fits the room and a buffer of `bytes`: when too wide or too
    // long, shortened in the middle, keeping the start of the path and the
    // whole file name.
    std::string Fitted(std::string_view text, const TextRoom& room, std::size_t bytes) const;
    LRESULT OnPaint(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT PassOn(std::optional<TextRoom> drawing, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnSetInsertMark(const LVINSERTMARK& mark);
    LRESULT OnGetInsertMark(LVINSERTMARK& mark) const;
    LRESULT OnCustomDraw(const NMCUSTOMDRAW& draw);
    void OnGetDispInfo(NMLVDISPINFOA& info);
    void OnGetInfoTip(NMLVGETINFOTIPA& tip, bool wide);
    int OnFindItem(const NMLVFINDITEMA& find, bool wide);
    void OnSelectionChanged(int from, int to, UINT oldState, UINT newState);
    std::vector<ListItem> SelectedAsHeld();
    ListItem ItemAt(int position);
    bool KnownToControl(int position) const { return position < controlCount_; }
    int FocusedPosition() const;
    void SetState(int position, UINT state, UINT mask);
    // Sets the control's selection to `wanted` (by position), from the
    // selection the model mirrors, in the fewest messages.
    void SetSelected(const std::vector<bool>& wanted);
    std::vector<bool> SelectionByPosition() const;  // of the model
    // Puts the control right after the model changed under it: its count, the
    // model's selection, and the focus at a position (none: the first entry
    // selected), kept in view. `shown`, where the count stayed, is the
    // selection the control shows, by position: only what differs is changed.
    void ShowChange(int focus, const std::vector<bool>* shown = nullptr);
    // Runs a move of entries, the focus following its entry.
    bool Moving(const std::function<bool()>& move);
    // Takes the entries at the positions out as a step; the focus stays on its
    // entry, or goes to the one after it, or (selectNext) to the entry after
    // the last removed, which is selected.
    int TakeOut(std::vector<int> positions, std::string_view name, bool selectNext);
    void Changed();
    void SyncCount();
    void Arrange();
    void ShowSortArrow();

    ListModel model_;
    WNDPROC controlProc_ = nullptr;  // the control's own procedure, under the subclass
    ImageList* smallIcons_ = nullptr;
    int controlCount_ = 0;     // the item count the control has been told
    bool syncing_ = false;     // inside SyncCount: its own message must not re-enter
    bool syncPosted_ = false;  // a deferred update is on its way
    bool unshown_ = false;     // entries changed since the list was last redrawn whole
    bool hidden_ = false;      // hidden by Visible(false), redrawing off: changes need no update meanwhile
    // While the control paints, the texts it asks for are drawn, not read: they
    // are given to fit this room.
    std::optional<TextRoom> drawing_;
    int insertMark_ = -1;  // the position the insertion line stands before, or none
};
