// The transfer of the picker's selected entries into the selection window's list.
#include "forms/SharedState.h"
#include "forms/frmAdd.h"
#include "forms/frmSel.h"

void frmAdd::AddSelectedFiles()
{
    ListView& target = frmSel::Default().LV;
    // The picker's list is neither shortened nor reordered here: one count serves.
    const int count = LV.ListItems.Count();
    for (int i = 1; i <= count; ++i) {
        ListItem entry = LV.ListItems.Item(i);
        if (!entry.Selected()) continue;
        entry.Selected(false);  // whether or not it is added
        // The search sees entries added earlier in this same pass.
        if (blnAllowDupes || !target.FindItem(entry.Text())) target.ListItems.Add(entry.Text(), entry.SmallIcon());
    }
    target.Refresh();
}
