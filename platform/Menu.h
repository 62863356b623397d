#pragma once
// A pop-up menu with an array of items, raised as Click(index). As in menu
// designers, an item captioned "-" is a separator; a caption's shortcut follows
// a tab ("Copy\tCtrl+C").
#include "platform/Handles.h"

#include <functional>
#include <initializer_list>

class MenuItem {
public:
    MenuItem(HMENU menu, int index) : menu_(menu), index_(index) {}
    void Enabled(bool enabled);
    void Checked(bool checked);

private:
    HMENU menu_;
    int index_;
};

class Menu {
public:
    void Create(std::initializer_list<const char*> captions);
    MenuItem Item(int index) const { return MenuItem(menu_.get(), index); }
    HMENU Handle() const { return menu_.get(); }

    // Shows the menu at the mouse pointer, owned by the given window, and
    // raises Click for the chosen item once the menu has closed.
    void Track(HWND owner);
    // How many times a menu has been shown; a control compares it before and
    // after an event to tell whether a handler opened one.
    static int TimesShown() { return timesShown_; }

    // Raised with the chosen item's index.
    std::function<void(int index)> Click;

    // Command identifiers are the item index plus this, so 0 can mean "none".
    static constexpr UINT kFirstCommand = 1;

private:
    OwnedMenu menu_;
    static int timesShown_;
};
