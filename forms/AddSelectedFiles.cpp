// The transfer of the picker's selected entries into the selection window's list.
#include "forms/SharedState.h"
#include "forms/frmAdd.h"
#include "services/ListBulk.h"

void frmAdd::AddSelectedFiles()
{
    // The selected entries in the order shown, then all of them deselected in
    // one change, duplicates or not: one change per entry costs the control a
    // repaint each, seconds for a large selection.
    const std::vector<ListItem> chosen = LV.SelectedItems();
    if (!chosen.empty()) SetAllSelected(LV, false);
    // Room for all of them made at once; the search sees entries added
    // earlier in this same pass.
    target_.ListItems.Reserve(static_cast<int>(chosen.size()));
    for (const ListItem& entry : chosen)
        if (blnAllowDupes || !target_.FindItem(entry.Text())) target_.ListItems.Add(entry.Text(), entry.SmallIcon());
    target_.Refresh();
}
