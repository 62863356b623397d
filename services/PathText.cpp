#include "services/PathText.h"

#include <vector>

std::string AddSlash(const std::string& path)
{
    if (!path.empty() && path.back() == '\\') return path;
    return path + '\\';
}

std::string TrimNull(const std::string& text)
{
    return text.substr(0, text.find('\0'));
}

const std::string& IconKey(const std::string& typeName, const std::string& fullPath)
{
    return typeName == "Application" ? fullPath : typeName;
}

namespace {

bool IsSlash(char c)
{
    return c == '\\' || c == '/';
}

// The length of a path's root: "C:", or "\\server\share".
std::size_t RootLength(const std::string& path)
{
    if (path.size() >= 2 && path[1] == ':') return 2;
    if (path.size() < 2 || !IsSlash(path[0]) || !IsSlash(path[1])) return 0;
    std::size_t end = 2;
    for (int part = 0; part < 2 && end < path.size(); ++part) {
        while (end < path.size() && !IsSlash(path[end])) ++end;
        if (part == 0 && end < path.size()) ++end;
    }
    return end;
}

}  // namespace

std::string ListLinePath(const std::string& listFile, const std::string& line)
{
    if (line.empty() || RootLength(line) > 0) return line;
    const std::size_t root = RootLength(listFile);
    const std::string joined = IsSlash(line[0]) ? listFile.substr(0, root) + line
                                                : listFile.substr(0, listFile.find_last_of("\\/") + 1) + line;
    std::vector<std::string> steps;
    std::size_t start = root;
    while (start <= joined.size()) {
        std::size_t end = start;
        while (end < joined.size() && !IsSlash(joined[end])) ++end;
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
