#include "platform/DropFiles.h"

#include "platform/CodePage.h"

#include <string_view>

namespace {

// Each name ends with a NUL, and one more NUL ends the list; a list cut short
// ends where its block does.
template <class Char, class Take>
void ForEachName(const Char* names, std::size_t room, Take take)
{
    std::basic_string_view<Char> rest(names, room);
    while (!rest.empty() && rest.front() != Char{}) {
        const std::size_t end = rest.find(Char{});
        take(rest.substr(0, end));
        rest.remove_prefix(end == rest.npos ? rest.size() : end + 1);
    }
}

}  // namespace

std::vector<std::string> FileListNames(HGLOBAL list)
{
    std::vector<std::string> names;
    const SIZE_T size = GlobalSize(list);
    const auto* header = static_cast<const DROPFILES*>(GlobalLock(list));
    if (!header) return names;
    if (size >= sizeof(DROPFILES) && header->pFiles >= sizeof(DROPFILES) && header->pFiles < size) {
        const char* start = reinterpret_cast<const char*>(header) + header->pFiles;
        const std::size_t bytes = size - header->pFiles;
        std::string name;
        if (header->fWide) {
            ForEachName(reinterpret_cast<const wchar_t*>(start), bytes / sizeof(wchar_t), [&](std::wstring_view wide) {
                if (!ToCodePage(wide, name)) name.clear();
                names.push_back(name);
            });
        } else {
            // 8-bit names are in the sender's code page, the system's.
            ForEachName(start, bytes, [&](std::string_view text) {
                if (!FromSystemText(text, name)) name.clear();
                names.push_back(name);
            });
        }
    }
    GlobalUnlock(list);
    return names;
}
