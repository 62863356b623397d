#include "platform/Menu.h"

void MenuItem::Enabled(bool enabled)
{
    EnableMenuItem(menu_, static_cast<UINT>(index_), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Menu::Create(std::initializer_list<const char*> captions)
{
    menu_.reset(CreatePopupMenu());
    UINT command = kFirstCommand;
    for (const char* caption : captions) AppendMenuA(menu_.get(), MF_STRING, command++, caption);
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
