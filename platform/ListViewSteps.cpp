// The changes of the list that are steps of its history: each goes through
// the model, which keeps selection and focus with their entries, and then the
// control, which keeps them by position, is put right.
#include "platform/ListView.h"

#include <algorithm>

int ListView::RemoveSelected()
{
    Arrange();
    std::vector<int> positions;
    for (int i = 0; i < controlCount_; ++i)
        if (model_.IsSelected(model_.At(static_cast<std::size_t>(i)))) positions.push_back(i);
    return TakeOut(std::move(positions), "Remove", true);
}

int ListView::Remove(const std::vector<int>& positions, std::string_view name)
{
    return TakeOut(positions, name, false);
}

int ListView::TakeOut(std::vector<int> positions, std::string_view name, bool selectNext)
{
    Arrange();
    const int count = static_cast<int>(model_.Count());
    positions.erase(std::remove_if(positions.begin(), positions.end(), [count](int p) { return p < 0 || p >= count; }),
                    positions.end());
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    if (positions.empty()) return 0;
    const int anchor = selectNext ? positions.back() + 1 : FocusedPosition();
    const auto gone = std::lower_bound(positions.begin(), positions.end(), anchor) - positions.begin();
    std::vector<ListModel::Id> ids;
    for (const int position : positions) ids.push_back(model_.At(static_cast<std::size_t>(position)));
    Change change(*this, name);
    model_.Remove(ids);
    const int left = static_cast<int>(model_.Count());
    const int focus = anchor < 0 || left == 0 ? -1 : std::min(anchor - static_cast<int>(gone), left - 1);
    if (selectNext && focus >= 0) model_.Select(model_.At(static_cast<std::size_t>(focus)), true);
    ShowChange(focus);
    return static_cast<int>(ids.size());
}

bool ListView::Undo()
{
    Arrange();
    if (!model_.Undo()) return false;
    ShowChange(-1);
    return true;
}

bool ListView::Redo()
{
    Arrange();
    if (!model_.Redo()) return false;
    ShowChange(-1);
    return true;
}

bool ListView::MoveSelected(Where where)
{
    return Moving([&] { return model_.MoveSelected(where); });
}

bool ListView::MoveSelectedTo(int position)
{
    return Moving([&] { return model_.MoveSelectedTo(static_cast<std::size_t>(std::max(position, 0))); });
}

void ListView::Reorder(const std::vector<int>& from, std::string_view name)
{
    Change change(*this, name);
    Moving([&] {
        model_.Reorder(from);
        return true;
    });
}

bool ListView::Moving(const std::function<bool()>& move)
{
    Arrange();
    const int focused = FocusedPosition();
    const ListModel::Id id =
        focused >= 0 && focused < controlCount_ ? model_.At(static_cast<std::size_t>(focused)) : ListModel::kNone;
    const std::vector<bool> shown = SelectionByPosition();
    if (!move()) return false;
    ShowChange(model_.PositionOf(id), &shown);
    return true;
}

void ListView::ShowChange(int focus, const std::vector<bool>* shown)
{
    SyncCount();
    const std::vector<bool> wanted = SelectionByPosition();
    // The model's mirror is made what the control shows, by position, so that
    // only what differs is sent; where the count changed, the control forgets
    // its selection, and the mirror with it (also where the control sends no
    // notice of it). A change of every row goes through all of them: where
    // none is selected (after Clear List) it is not made.
    model_.SelectAll(false);
    if (shown)
        for (std::size_t i = 0; i < shown->size(); ++i) model_.Select(model_.At(i), (*shown)[i]);
    else if (SendMessageA(hWnd(), LVM_GETSELECTEDCOUNT, 0, 0) != 0)
        SetState(-1, 0, LVIS_SELECTED);
    SetSelected(wanted);
    if (focus < 0) focus = static_cast<int>(std::find(wanted.begin(), wanted.end(), true) - wanted.begin());
    if (focus < static_cast<int>(wanted.size())) {
        SetState(focus, LVIS_FOCUSED, LVIS_FOCUSED);
        SendMessageA(hWnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(focus), FALSE);
    }
    InvalidateRect(hWnd(), nullptr, FALSE);
}
