#include "app/CommandLine.h"

#include <vector>

namespace {

// The words of a command line: runs of non-blanks, or text in double quotes.
std::vector<std::string> Words(const std::string& arguments)
{
    std::vector<std::string> words;
    std::size_t at = 0;
    while (true) {
        at = arguments.find_first_not_of(' ', at);
        if (at == std::string::npos) return words;
        if (arguments[at] == '"') {
            const std::size_t close = arguments.find('"', at + 1);
            words.push_back(arguments.substr(at + 1, close == std::string::npos ? std::string::npos : close - at - 1));
            if (close == std::string::npos) return words;
            at = close + 1;
        } else {
            const std::size_t end = arguments.find(' ', at);
            words.push_back(arguments.substr(at, end == std::string::npos ? std::string::npos : end - at));
            at = end;
        }
    }
}

}  // namespace

OutputRequest OutputFile(const std::string& arguments)
{
    std::vector<std::string> words = Words(arguments);
    if (!words.empty() && words.front() == "-st") words.erase(words.begin());
    else if (!words.empty() && words.back() == "-st") words.pop_back();
    OutputRequest request;
    if (words.empty() || words.front() != "-o" || words.size() > 2) return request;
    request.requested = true;
    if (words.size() == 2) request.file = words[1];
    return request;
}

bool StartsMinimised(const std::string& arguments)
{
    if (arguments == "-st") return true;
    const std::vector<std::string> words = Words(arguments);
    const bool withSwitch = !words.empty() && (words.front() == "-st" || words.back() == "-st");
    return withSwitch && OutputFile(arguments).requested;
}
