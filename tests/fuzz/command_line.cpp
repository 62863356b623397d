// The command line given any text: no crash, no undefined behaviour, and words
// quoted as a caller quotes them come back whole.
#include "app/CommandLine.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// A word as a program starting Quorvel would quote it: in double quotes, with
// the backslashes before a quote (or before the closing one) doubled and each
// quote inside escaped.
std::string Quoted(const std::string& word)
{
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : word) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + '"';
}

// Whether a word other than the one after "-o" is the switch "-st".
bool SwitchSt(const std::vector<std::string>& words, const StartRequest& request)
{
    const auto switches = std::count(words.begin(), words.end(), "-st");
    return switches > (request.output && request.outputFile == "-st" ? 1 : 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> words = SplitArguments(text);
    if (words.size() > size) std::abort();  // every word takes at least one character

    // No word names anything: without "-o", only the exact switch minimises.
    const StartRequest plain = ReadCommandLine(text, [](const std::string&) { return false; });
    if (plain.paths || (!plain.output && plain.minimised != (text == "-st"))) std::abort();
    CommandLineProblem(plain);
    // Every word names something: they are paths, and "-st" anywhere minimises.
    const StartRequest paths = ReadCommandLine(text, [](const std::string&) { return true; });
    if (paths.paths != !paths.words.empty()) std::abort();
    if (paths.paths && paths.minimised != SwitchSt(words, paths)) std::abort();
    if (paths.paths && !paths.output && !CommandLineProblem(paths).empty()) std::abort();

    std::string again;
    for (const std::string& word : words) again += Quoted(word) + ' ';
    if (SplitArguments(again) != words) std::abort();
    return 0;
}
