// The transfer of the picker's selected entries into the selection window's list.
#include "forms/SharedState.h"
#include "forms/frmAdd.h"
#include "services/ListBulk.h"

#include <algorithm>

void frmAdd::AddSelectedFiles()
{
    // The selected entries in the order shown, then all of them deselected in
    // one change, duplicates or not: one change per entry costs the control a
    // repaint each, seconds for a large selection.
    std::vector<ListItem> chosen = LV.SelectedItems();
    if (!chosen.empty()) SetAllSelected(LV, false);
    // Room made at once for those not in the list yet, and only for them:
    // chosen again, a list of 100,000 would otherwise double its tables for nothing.
    const auto inList = [this](const ListItem& entry) { return !blnAllowDupes && target_.FindItem(entry.Text()); };
    chosen.erase(std::remove_if(chosen.begin(), chosen.end(), inList), chosen.end());
    target_.ListItems.Reserve(static_cast<int>(chosen.size()));
    const ListView::Change change(target_, "Add");
    // The search sees entries added earlier in this same pass.
    for (const ListItem& entry : chosen)
        if (!inList(entry)) target_.ListItems.Add(entry.Text(), entry.SmallIcon());
    target_.Refresh();
}
