#pragma once
// The command line: its words, and what it asks the program for.
#include <functional>
#include <string>
#include <vector>

// The words of an argument text as the platform splits a command line
// (CommandLineToArgvW): blanks and tabs separate words; double quotes group
// them and are dropped; backslashes are text except before a double quote,
// where each pair gives one backslash and an odd one more makes the quote
// text; within quotes, every third quote in a row gives a quote.
std::vector<std::string> SplitArguments(const std::string& arguments);

// What the command line asks for.
struct StartRequest {
    bool minimised = false;          // "-st"
    bool output = false;             // "-o": the list goes to outputFile when the window closes
    std::string outputFile;          // the word after "-o"; "" when there is none
    bool paths = false;              // the words are paths to take in
    std::vector<std::string> words;  // every other word, in order
};
// With "-o" as the first word (or the second, after "-st"), "-st" anywhere
// minimises and "-o" takes exactly the next word as the file. When at least
// one other word names something (an existing file or folder, as `names`
// tells), the words are paths and "-st" anywhere minimises too. Otherwise,
// without "-o", only the whole text "-st", letter case counting, minimises,
// and no word has an effect.
StartRequest ReadCommandLine(const std::string& arguments, const std::function<bool(const std::string&)>& names);
// "" when the program can do what the command line asks; else the message
// that says why not (the missing file after "-o", or, when the words are not
// paths, the first word it does not understand) and shows the usage.
std::string CommandLineProblem(const StartRequest& request);
