#include "services/CopyShapes.h"

#include "platform/Letters.h"
#include "platform/PathParts.h"
#include "services/ListText.h"

#include <string_view>

namespace {

// Blanks split words; the rest are the characters cmd reads as its own
// outside double quotes (cmd /? names them).
bool NeedsQuotes(std::string_view path)
{
    return path.empty() || path.find_first_of(" \t&|<>^(),;=!%'`+[]{}~") != std::string_view::npos;
}

// Quoted so that the platform's splitting gives the path back: backslashes
// before the closing quote would make it text, so they are doubled. A
// double-byte character's second byte may be a backslash's; it is no backslash.
void AppendArgument(std::string& text, std::string_view path)
{
    if (!NeedsQuotes(path)) {
        text.append(path);
        return;
    }
    std::size_t slashes = 0;
    for (std::string_view rest = path; !rest.empty() && rest.back() == '\\' && EndsWithSlash(rest);
         rest.remove_suffix(1))
        ++slashes;
    text.append(1, '"').append(path).append(slashes, '\\').append(1, '"');
}

bool OnDriveLetter(std::string_view path)
{
    const char drive = FoldAscii(path.empty() ? '\0' : path[0]);
    return path.size() >= 2 && drive >= 'a' && drive <= 'z' && path[1] == ':';
}

// The path with every backslash a forward slash.
void AppendForward(std::string& text, std::string_view path)
{
    for (std::size_t at = 0;;) {
        const std::size_t slash = NextSlash(path, at);
        text.append(path.substr(at, slash - at));
        if (slash == std::string_view::npos) return;
        text += '/';
        at = slash + 1;
    }
}

}  // namespace

ShapedText ShapePaths(const std::vector<std::string>& paths, CopyShape shape)
{
    ShapedText shaped;
    std::string& text = shaped.text;
    for (const std::string& path : paths) {
        switch (shape) {
        case CopyShape::QuotedPaths:
            text.append(1, '"').append(path).append(1, '"');
            break;
        case CopyShape::CommandLine:
            if (!text.empty()) text += ' ';
            AppendArgument(text, path);
            continue;
        case CopyShape::Names:
            text.append(NameOf(path));
            break;
        case CopyShape::ForwardSlashes:
            AppendForward(text, path);
            break;
        case CopyShape::WslPaths:
            if (OnDriveLetter(path)) {
                text.append("/mnt/").append(1, FoldAscii(path[0]));
                AppendForward(text, std::string_view(path).substr(2));
            } else {
                text.append(path);
                ++shaped.keptAsTheyAre;
            }
            break;
        }
        text.append("\r\n");
    }
    return shaped;
}

std::string ShapeMessage(const ShapedText& shaped)
{
    const std::size_t kept = shaped.keptAsTheyAre;
    if (kept == 0) return "";
    return Counted(kept, "path") + (kept == 1 ? " is" : " are") + " not on a drive letter and " +
           (kept == 1 ? "was copied as it is." : "were copied as they are.");
}
