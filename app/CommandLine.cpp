#include "app/CommandLine.h"

std::vector<std::string> SplitArguments(const std::string& arguments)
{
    std::vector<std::string> words;
    const char* const blanks = " \t";
    std::size_t at = arguments.find_first_not_of(blanks);
    if (at == std::string::npos) return words;
    std::string word;
    int quotes = 0;  // 1 within quotes; 2 just after a closing quote
    std::size_t backslashes = 0;
    while (at < arguments.size()) {
        const char c = arguments[at];
        if ((c == ' ' || c == '\t') && quotes == 0) {
            words.push_back(std::move(word));
            word.clear();
            backslashes = 0;
            at = arguments.find_first_not_of(blanks, at);
            if (at == std::string::npos) return words;
            continue;
        }
        ++at;
        if (c != '"') {
            word += c;
            backslashes = c == '\\' ? backslashes + 1 : 0;
            continue;
        }
        word.resize(word.size() - backslashes / 2 - backslashes % 2);
        if (backslashes % 2) word += '"';
        else ++quotes;
        backslashes = 0;
        for (; at < arguments.size() && arguments[at] == '"'; ++at) {
            if (++quotes == 3) {
                word += '"';
                quotes = 0;
            }
        }
        if (quotes == 2) quotes = 0;
    }
    words.push_back(std::move(word));
    return words;
}

StartRequest ReadCommandLine(const std::string& arguments, const std::function<bool(const std::string&)>& names)
{
    StartRequest request;
    const std::vector<std::string> words = SplitArguments(arguments);
    const std::size_t switchAt = !words.empty() && words.front() == "-st" ? 1 : 0;
    request.output = words.size() > switchAt && words[switchAt] == "-o";
    bool switchSt = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (request.output && i == switchAt) {
            if (i + 1 < words.size()) request.outputFile = words[++i];
        } else if (words[i] == "-st") {
            switchSt = true;
        } else {
            request.words.push_back(words[i]);
            request.paths = request.paths || names(words[i]);
        }
    }
    request.minimised = arguments == "-st" || (switchSt && (request.output || request.paths));
    return request;
}

std::string CommandLineProblem(const StartRequest& request)
{
    if (!request.output) return "";
    const std::string usage = "\n\nUsage: quorvel.exe [-st] [-o FILE] [PATH ...]\n\n"
                              "A FILE or PATH whose name has blanks in it goes in double quotes. "
                              "FILE - is standard output.";
    if (request.outputFile.empty()) return "The -o switch needs the name of the file to write the list to." + usage;
    // The one place that decides what an extra word means.
    if (!request.words.empty() && !request.paths)
        return "The word \"" + request.words.front() + "\" is not understood." + usage;
    return "";
}
