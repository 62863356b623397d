#include "platform/PathParts.h"

namespace {

LeadBytes leadBytes;
bool anyLeadBytes = false;

bool IsLead(char c)
{
    return leadBytes[static_cast<unsigned char>(c)];
}

}  // namespace

bool IsSlash(char c)
{
    return c == '\\' || c == '/';
}

LeadBytes UsePathLeadBytes(const LeadBytes& lead)
{
    const LeadBytes before = leadBytes;
    leadBytes = lead;
    anyLeadBytes = lead.any();
    return before;
}

std::size_t NextSlash(std::string_view path, std::size_t from)
{
    if (!anyLeadBytes) return path.find_first_of("\\/", from);
    for (std::size_t i = from; i < path.size(); ++i) {
        if (IsLead(path[i]))
            ++i;  // its second byte is no character of its own
        else if (IsSlash(path[i]))
            return i;
    }
    return std::string_view::npos;
}

std::size_t NameStart(std::string_view path)
{
    if (!anyLeadBytes) return path.find_last_of("\\/") + 1;  // npos + 1 is 0
    std::size_t start = 0;
    for (std::size_t slash = NextSlash(path, 0); slash != std::string_view::npos; slash = NextSlash(path, slash + 1))
        start = slash + 1;
    return start;
}

std::string FolderOf(std::string_view path)
{
    return std::string(path.substr(0, NameStart(path)));
}

std::string_view NameOf(std::string_view path)
{
    return path.substr(NameStart(path));
}

bool EndsWithSlash(std::string_view path)
{
    return !path.empty() && NameStart(path) == path.size();
}

std::string WithSlash(std::string path)
{
    if (!EndsWithSlash(path)) path += '\\';
    return path;
}

std::string_view FolderPart(std::string_view path)
{
    const std::size_t name = NameStart(path);
    return name == 0 || name == path.size() ? std::string_view() : path.substr(0, name);
}

std::string_view ExtensionOf(std::string_view name)
{
    // A dot is never the second byte of a double-byte character.
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos || name.find(' ', dot) != std::string_view::npos ? std::string_view()
                                                                                         : name.substr(dot);
}
