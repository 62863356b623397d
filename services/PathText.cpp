#include "services/PathText.h"

#include "platform/PathParts.h"

#include <algorithm>
#include <vector>

std::string TrimNull(const std::string& text)
{
    return text.substr(0, text.find('\0'));
}

const std::string& IconKey(const std::string& typeName, const std::string& fullPath)
{
    return typeName == "Application" ? fullPath : typeName;
}

namespace {

// The length of a path's root: "C:", or "\\server\share".
std::size_t RootLength(const std::string& path)
{
    if (path.size() >= 2 && path[1] == ':') return 2;
    if (path.size() < 2 || !IsSlash(path[0]) || !IsSlash(path[1])) return 0;
    const std::size_t server = NextSlash(path, 2);
    if (server == std::string::npos) return path.size();
    return std::min(NextSlash(path, server + 1), path.size());
}

}  // namespace

std::string ListLinePath(const std::string& listFile, const std::string& line)
{
    if (line.empty() || RootLength(line) > 0) return line;
    const std::size_t root = RootLength(listFile);
    const std::string joined = IsSlash(line[0]) ? listFile.substr(0, root) + line
                                                : FolderOf(listFile) + line;
    std::vector<std::string> steps;
    std::size_t start = root;
    while (start <= joined.size()) {
        const std::size_t end = std::min(NextSlash(joined, start), joined.size());
        const std::string step = joined.substr(start, end - start);
        if (step == "..") {
            if (!steps.empty()) steps.pop_back();
        } else if (!step.empty() && step != ".") {
            steps.push_back(step);
        }
        start = end + 1;
    }
    std::string full = joined.substr(0, root);
    for (const auto& step : steps) full += '\\' + step;
    if (steps.empty()) full += '\\';  // the root itself: "C:" alone would be the drive's current folder
    return full;
}
