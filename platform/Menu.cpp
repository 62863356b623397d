#include "platform/Menu.h"

#include <cstring>

void MenuItem::Enabled(bool enabled)
{
    EnableMenuItem(menu_, static_cast<UINT>(index_), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

void MenuItem::Checked(bool checked)
{
    CheckMenuItem(menu_, static_cast<UINT>(index_), MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Menu::Create(std::initializer_list<const char*> captions)
{
    menu_.reset(CreatePopupMenu());
    UINT command = kFirstCommand;
    // A separator keeps its index in the array, so indexes stay the items' positions.
    for (const char* caption : captions) {
        const bool separator = std::strcmp(caption, "-") == 0;
        AppendMenuA(menu_.get(), separator ? MF_SEPARATOR : MF_STRING, command++, separator ? nullptr : caption);
    }
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
