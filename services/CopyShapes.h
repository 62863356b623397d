#pragma once
// The shapes a list's paths take as text for other programs: quoted for cmd
// and PowerShell, on one command line, names alone, forward slashes for
// cross-platform tools, and WSL's paths.
#include <string>
#include <vector>

enum class CopyShape { QuotedPaths, CommandLine, Names, ForwardSlashes, WslPaths };

struct ShapedText {
    std::string text;
    std::size_t keptAsTheyAre = 0;  // WSL paths: those not on a drive letter, left as written
};
// The paths in the shape: one per line with CR LF after each, or, for a
// command line, all on one line, each quoted where cmd or the platform's
// splitting of a command line would take it apart.
ShapedText ShapePaths(const std::vector<std::string>& paths, CopyShape shape);
// What the user is told of the shaped text, or "".
std::string ShapeMessage(const ShapedText& shaped);
