#include "platform/CommandTable.h"

namespace {

std::string KeyName(int keyCode)
{
    switch (keyCode) {
    case VK_DELETE: return "Del";
    case VK_UP: return "Up";
    case VK_DOWN: return "Down";
    case VK_HOME: return "Home";
    case VK_END: return "End";
    }
    if (keyCode >= VK_F1 && keyCode <= VK_F24) return "F" + std::to_string(keyCode - VK_F1 + 1);
    return std::string(1, static_cast<char>(keyCode));  // letters and digits are their own codes
}

// A caption as the menu shows it: with the first shortcut after a tab.
std::string Shown(std::string caption, const Command& command)
{
    if (!command.keys.empty()) caption += "\t" + ShortcutText(command.keys.front());
    return caption;
}

void Flatten(const std::vector<Command>& commands, std::vector<Command>& flat, std::vector<Menu::Entry>& entries)
{
    for (const Command& command : commands) {
        flat.push_back(command);
        Menu::Entry entry{Shown(command.caption, command), {}};
        Flatten(command.submenu, flat, entry.submenu);
        entries.push_back(std::move(entry));
    }
}

}  // namespace

std::string ShortcutText(const Shortcut& key)
{
    std::string text;
    if (key.shift & 2) text += "Ctrl+";
    if (key.shift & 4) text += "Alt+";
    if (key.shift & 1) text += "Shift+";
    return text + KeyName(key.keyCode);
}

void CommandTable::Create(std::vector<Command> commands)
{
    flat_.clear();
    std::vector<Menu::Entry> entries;
    Flatten(commands, flat_, entries);
    menu_.Create(entries);
    menu_.Click = [this](int index) {
        if (index < 0 || static_cast<std::size_t>(index) >= flat_.size()) return;
        const Command& command = flat_[static_cast<std::size_t>(index)];
        if (command.run) command.run();
    };
}

bool CommandTable::KeyDown(int keyCode, int shift)
{
    for (const Command& command : flat_) {
        for (const Shortcut& key : command.keys) {
            if (key.keyCode != keyCode || key.shift != shift) continue;
            if ((!command.enabled || command.enabled()) && command.run) command.run();
            return true;
        }
    }
    return false;
}

void CommandTable::Track(HWND owner)
{
    for (std::size_t i = 0; i < flat_.size(); ++i) {
        const Command& command = flat_[i];
        if (command.caption == "-" || !command.submenu.empty()) continue;
        MenuItem item = menu_.Numbered(static_cast<int>(i));
        item.Enabled(!command.enabled || command.enabled());
        if (command.named) item.Caption(Shown(command.named(), command));
    }
    menu_.Track(owner);
}
