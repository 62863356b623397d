#include "services/ListBulk.h"

int GetSelCount(ListView& list)
{
    return static_cast<int>(SendMessageA(list.hWnd(), LVM_GETSELECTEDCOUNT, 0, 0));
}

void SetAllSelected(ListView& list, bool selected)
{
    LVITEMA item{};
    item.mask = LVIF_STATE;
    // Every state bit for "select": only the selected bit is in the mask.
    item.state = selected ? 0xFFFFFFFFu : 0u;
    item.stateMask = LVIS_SELECTED;
    // Wparam -1 addresses every item. A failure leaves the list as it was.
    SendMessageA(list.hWnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

void ClearLV(ListView& list)
{
    const ListView::Change change(list, "Clear List");
    // A failure leaves the list as it was; there is nothing to report.
    SendMessageA(list.hWnd(), LVM_DELETEALLITEMS, 0, 0);
}

std::vector<std::string> SelectedPaths(ListView& list)
{
    std::vector<std::string> paths;
    for (const ListItem& item : list.SelectedItems()) paths.emplace_back(item.Text());
    return paths;
}

std::vector<std::string> AllPaths(ListView& list)
{
    std::vector<std::string> paths;
    const int count = list.ListItems.Count();
    for (int i = 1; i <= count; ++i) paths.emplace_back(list.ListItems.Item(i).Text());
    return paths;
}
