#pragma once
#include <string>

// Whether the command line asks for the main window to start minimised: the
// whole argument text is "-st", letter case counting; or "-st" stands beside
// an output switch (below).
bool StartsMinimised(const std::string& arguments);

// "-o FILE", alone or with "-st" before or after it: the list is written to
// FILE when the selection window closes. Any other command line asks for no
// output. FILE may be in double quotes.
struct OutputRequest {
    bool requested = false;
    std::string file;  // "" when the switch has no file after it
};
OutputRequest OutputFile(const std::string& arguments);
