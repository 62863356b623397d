#pragma once
// A pop-up menu with an array of items, raised as Click(index). As in menu
// designers, an item captioned "-" is a separator; a caption's shortcut follows
// a tab ("Copy\tCtrl+C").
#include "platform/Handles.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class MenuItem {
public:
    // An item by its position in the menu, or by its command anywhere in its submenus.
    MenuItem(HMENU menu, UINT item, UINT by) : menu_(menu), item_(item), by_(by) {}
    void Enabled(bool enabled);
    void Checked(bool checked);
    void Caption(const std::string& caption);

private:
    HMENU menu_;
    UINT item_;
    UINT by_;  // MF_BYPOSITION or MF_BYCOMMAND
};

class Menu {
public:
    void Create(std::initializer_list<const char*> captions);
    // An item with entries under it opens a submenu of them. Every entry is
    // numbered in the order met, the submenu's own after it, so that a table
    // read in the same order finds the entry clicked by its index.
    struct Entry {
        std::string caption;
        std::vector<Entry> submenu;
    };
    void Create(const std::vector<Entry>& entries);
    MenuItem Item(int index) const { return MenuItem(menu_.get(), static_cast<UINT>(index), MF_BYPOSITION); }
    MenuItem Numbered(int index) const { return MenuItem(menu_.get(), kFirstCommand + index, MF_BYCOMMAND); }
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
