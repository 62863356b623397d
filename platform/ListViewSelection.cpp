// The selection: the control keeps it by position, and tells of every change,
// which the model mirrors by entry, so that reading it costs no message per
// entry and a reordering can carry it along.
#include "platform/ListView.h"

#include <algorithm>

bool ListItem::Selected() const
{
    const int position = Position();
    if (position < 0 || !owner_->KnownToControl(position)) return false;
    return SendMessageA(owner_->hWnd(), LVM_GETITEMSTATE, static_cast<WPARAM>(position), LVIS_SELECTED) != 0;
}

void ListItem::Selected(bool selected)
{
    const int position = Position();
    if (position < 0) return;
    // Entries the control has not been told about yet are unselected; leaving
    // them so keeps a bulk fill from updating the control once per entry.
    if (!selected && !owner_->KnownToControl(position)) return;
    owner_->SetState(position, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

std::vector<ListItem> ListView::SelectedItems()
{
    Arrange();
    return SelectedAsHeld();
}

void ListView::Reselect(const std::function<bool(std::string_view text, bool selected)>& choose)
{
    Arrange();
    std::vector<bool> wanted(static_cast<std::size_t>(controlCount_));
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        const ListModel::Id id = model_.At(i);
        wanted[i] = choose(model_.Text(id), model_.IsSelected(id));
    }
    SetSelected(wanted);
}

std::vector<bool> ListView::SelectionByPosition() const
{
    std::vector<bool> selection(model_.Count());
    for (std::size_t i = 0; i < selection.size(); ++i) selection[i] = model_.IsSelected(model_.At(i));
    return selection;
}

void ListView::SetSelected(const std::vector<bool>& wanted)
{
    int changes = 0, selectedAfter = 0;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        changes += wanted[i] != model_.IsSelected(model_.At(i));
        selectedAfter += wanted[i];
    }
    // Each entry changed alone costs a message and a notification; starting
    // from none or all selected, in one change, may leave fewer to change.
    // That one change goes through every entry of the list, though, at about
    // a fifth of the cost of a change alone each (Wine 8, 100,000 entries).
    const int entries = static_cast<int>(wanted.size());
    const int saved = changes - 1 - std::min(selectedAfter, entries - selectedAfter);
    if (saved > 0 && saved * 5 > entries)
        SetState(-1, selectedAfter * 2 > entries ? LVIS_SELECTED : 0, LVIS_SELECTED);
    const bool visible = IsWindowVisible(hWnd()) != FALSE;
    if (visible) SendMessageA(hWnd(), WM_SETREDRAW, FALSE, 0);
    // Straight to the control's own procedure: a message sent goes through the
    // system and the subclass chain (which under Wine asks the server for the
    // window's properties twice), some twenty times the cost of the change.
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (wanted[i] == model_.IsSelected(model_.At(i))) continue;
        item.state = wanted[i] ? LVIS_SELECTED : 0;
        CallWindowProcA(controlProc_, hWnd(), LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&item));
    }
    if (!visible) return;
    SendMessageA(hWnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hWnd(), nullptr, FALSE);
}

std::vector<ListItem> ListView::SelectedAsHeld()
{
    SyncCount();
    // From the model's copy of the selection: asking the control item by item
    // costs some list views a notification per item.
    std::vector<ListItem> selected;
    for (int i = 0; i < controlCount_; ++i)
        if (model_.IsSelected(model_.At(static_cast<std::size_t>(i)))) selected.push_back(ItemAt(i));
    return selected;
}

void ListView::OnSelectionChanged(int from, int to, UINT oldState, UINT newState)
{
    if (!((oldState ^ newState) & LVIS_SELECTED)) return;
    const bool selected = (newState & LVIS_SELECTED) != 0;
    if (from < 0) {  // every item
        model_.SelectAll(selected);
        return;
    }
    for (int i = from; i <= to && i < static_cast<int>(model_.Count()); ++i)
        model_.Select(model_.At(static_cast<std::size_t>(i)), selected);
}

LRESULT ListView::OnSetAllStates(LPARAM item)
{
    // Some list views repaint each item they change; one repaint of the whole
    // list afterwards is all that a change of every item needs. A hidden list
    // paints nothing, and WM_SETREDRAW would show it on some systems.
    SyncCount();
    if (!IsWindowVisible(hWnd())) return DefSubclassProc(hWnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), item);
    SendMessageA(hWnd(), WM_SETREDRAW, FALSE, 0);
    const LRESULT result = DefSubclassProc(hWnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), item);
    SendMessageA(hWnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hWnd(), nullptr, FALSE);
    return result;
}

int ListView::FocusedPosition() const
{
    return static_cast<int>(SendMessageA(hWnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void ListView::SetState(int position, UINT state, UINT mask)
{
    LVITEMA item{};
    item.stateMask = mask;
    item.state = state;
    SendMessageA(hWnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
}

void ListView::Arrange()
{
    SyncCount();
    if (!model_.NeedsArranging()) return;
    // The control keeps selection and focus by position: carry them to where
    // their entries move.
    const std::vector<ListItem> selected = SelectedAsHeld();
    const int focused = FocusedPosition();
    const std::vector<int> from = model_.Arrange();
    std::vector<int> to(from.size());
    for (std::size_t i = 0; i < from.size(); ++i) to[static_cast<std::size_t>(from[i])] = static_cast<int>(i);
    if (!selected.empty() || focused >= 0) {
        SetState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (!selected.empty() && static_cast<int>(selected.size()) == controlCount_)
            SetState(-1, LVIS_SELECTED, LVIS_SELECTED);  // all of them, in one change
        else
            for (const ListItem& item : selected) SetState(item.Position(), LVIS_SELECTED, LVIS_SELECTED);
        if (focused >= 0) SetState(to[static_cast<std::size_t>(focused)], LVIS_FOCUSED, LVIS_FOCUSED);
    }
    InvalidateRect(hWnd(), nullptr, FALSE);
}
