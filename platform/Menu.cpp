#include "platform/Menu.h"

namespace {

// Appends the entries to the menu, numbering them from `command` on.
void AppendEntries(HMENU menu, const std::vector<Menu::Entry>& entries, UINT& command)
{
    for (const Menu::Entry& entry : entries) {
        const UINT number = command++;
        if (entry.caption == "-") {
            AppendMenuA(menu, MF_SEPARATOR, number, nullptr);
        } else if (entry.submenu.empty()) {
            AppendMenuA(menu, MF_STRING, number, entry.caption.c_str());
        } else {
            OwnedMenu submenu(CreatePopupMenu());
            AppendEntries(submenu.get(), entry.submenu, command);
            // Once appended, the submenu is the menu's own, destroyed with it.
            if (AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.get()), entry.caption.c_str()))
                submenu.release();
        }
    }
}

}  // namespace

void MenuItem::Enabled(bool enabled)
{
    EnableMenuItem(menu_, item_, by_ | (enabled ? MF_ENABLED : MF_GRAYED));
}

void MenuItem::Checked(bool checked)
{
    CheckMenuItem(menu_, item_, by_ | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void MenuItem::Caption(const std::string& caption)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(caption.c_str());
    SetMenuItemInfoA(menu_, item_, by_ == MF_BYPOSITION, &info);
}

void Menu::Create(std::initializer_list<const char*> captions)
{
    std::vector<Entry> entries;
    for (const char* caption : captions) entries.push_back({caption, {}});
    Create(entries);
}

void Menu::Create(const std::vector<Entry>& entries)
{
    menu_.reset(CreatePopupMenu());
    UINT command = kFirstCommand;
    AppendEntries(menu_.get(), entries, command);
}

int Menu::timesShown_ = 0;

void Menu::Track(HWND owner)
{
    POINT at{};
    GetCursorPos(&at);
    ++timesShown_;
    // The owner must be in front, or the menu does not close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    const UINT command = static_cast<UINT>(TrackPopupMenu(menu_.get(), TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
                                                          at.x, at.y, 0, owner, nullptr));
    if (command >= kFirstCommand && Click) Click(static_cast<int>(command - kFirstCommand));
}
