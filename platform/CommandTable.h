#pragma once
// A list's commands in one table: the caption, the shortcuts, what runs and
// when it may. The pop-up menu and the key handling are both made from it, so
// a command and its shortcut cannot drift apart: every command shows its
// shortcut in the menu, and every shortcut runs a command of the menu.
#include "platform/Menu.h"

#include <functional>
#include <string>
#include <vector>

// A key with the modifiers held: 1 Shift, 2 Ctrl, 4 Alt, as ListView::KeyDown
// reports them.
struct Shortcut {
    int keyCode = 0;
    int shift = 0;
};
// "Ctrl+Shift+C", "Alt+Up", "Del": as menus show a shortcut.
std::string ShortcutText(const Shortcut& key);

struct Command {
    std::string caption = {};    // "-" for a separator
    std::vector<Shortcut> keys = {};  // the first is shown in the menu
    std::function<void()> run = {};
    std::function<bool()> enabled = {};   // none: always
    std::function<std::string()> named = {};  // the caption as things are now ("Undo Remove"); none: the caption
    std::vector<Command> submenu = {};    // a submenu of these, when not empty
};

class CommandTable {
public:
    void Create(std::vector<Command> commands);
    // Runs the command whose shortcut the key is, when it is enabled; true
    // when the key is a command's, enabled or not, so that it goes no further.
    bool KeyDown(int keyCode, int shift);
    // Shows the menu at the pointer, its items greyed and named as things are
    // now, and runs the one chosen.
    void Track(HWND owner);
    HMENU Handle() const { return menu_.Handle(); }

private:
    Menu menu_;
    std::vector<Command> flat_;  // every entry, in the order the menu numbers them
};
