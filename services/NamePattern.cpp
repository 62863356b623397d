#include "services/NamePattern.h"

#include "platform/Letters.h"

#include <algorithm>

namespace {

// The position after the character at `at`: a UTF-8 sequence is one character.
std::size_t NextCharacter(std::string_view text, std::size_t at)
{
    ++at;
    while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
    return at;
}

bool MatchesOne(std::string_view pattern, std::string_view name)
{
    constexpr std::size_t kNoStar = std::string_view::npos;
    std::size_t p = 0, n = 0;
    std::size_t afterStar = kNoStar, starName = 0;  // where to retry with the last "*" taking one more character
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            afterStar = ++p;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n = NextCharacter(name, n);
        } else if (p < pattern.size() && FoldAscii(pattern[p]) == FoldAscii(name[n])) {
            ++p;
            ++n;
        } else if (afterStar != kNoStar) {
            p = afterStar;
            n = starName = NextCharacter(name, starName);
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

NamePatterns::NamePatterns(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(';'), text.size());
        std::string_view pattern = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        pattern = TrimBlanks(pattern);
        if (pattern.empty()) continue;
        // As in Windows' own searches, "*.*" means every file, with or without an extension.
        patterns_.emplace_back(pattern == "*.*" ? "*" : pattern);
    }
}

bool NamePatterns::Matches(std::string_view name) const
{
    return std::any_of(patterns_.begin(), patterns_.end(),
                       [&](const std::string& pattern) { return MatchesOne(pattern, name); });
}

void RememberRecent(std::vector<std::string>& recent, const std::string& text)
{
    const auto found = std::find(recent.begin(), recent.end(), text);
    if (found != recent.end()) recent.erase(found);
    recent.insert(recent.begin(), text);
}
