#pragma once
// Choosing files by name: patterns such as "*.jpg;*.png", where "*" stands for
// any run of characters and "?" for exactly one, several separated by ";".
#include <string>
#include <string_view>
#include <vector>

class NamePatterns {
public:
    // Patterns in UTF-8; blanks around each are dropped and empty ones ignored.
    explicit NamePatterns(std::string_view text);
    bool Empty() const { return patterns_.empty(); }
    // Whether a file name (UTF-8) matches one of the patterns. ASCII letters
    // match in either case; for other letters, give the name and the patterns
    // in one case.
    bool Matches(std::string_view name) const;

private:
    std::vector<std::string> patterns_;
};

// Puts a text first among the recent ones, once (exact bytes).
void RememberRecent(std::vector<std::string>& recent, const std::string& text);
