// The name-pattern matcher given any patterns and name (the input's first
// line, then the rest): no crash, no undefined behaviour, and the matches a
// user can be sure of are found.
#include "services/ListText.h"
#include "services/NamePattern.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// A name as a file can have it (no control characters), that is one pattern
// as it is: no wildcard, no separator, no blank around it to be trimmed.
bool Plain(std::string_view name)
{
    const auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20; };
    return !name.empty() && name.find_first_of("*?; ") == std::string_view::npos &&
           std::none_of(name.begin(), name.end(), control);
}

// The name with each of its characters (UTF-8 sequences whole) as "?".
std::string EachCharacterAsAny(std::string_view name)
{
    std::string pattern;
    for (const char c : name)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) pattern += '?';
    return pattern;
}

std::string SwappedAsciiCase(std::string_view name)
{
    std::string swapped(name);
    for (char& c : swapped) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return swapped;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t end = input.find('\n');
    const std::string_view patterns = input.substr(0, end);
    const std::string_view name = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);

    const NamePatterns rule(patterns);
    const bool matches = rule.Matches(name);
    if (rule.Empty() && matches) std::abort();
    if (!NamePatterns(std::string(patterns) + ";*").Matches(name)) std::abort();  // "*" takes every name
    if (!Plain(name)) return 0;
    // A plain name matches itself, whatever the letter case of its ASCII
    // letters, and as many "?" as it has characters.
    if (!NamePatterns(name).Matches(SwappedAsciiCase(name))) std::abort();
    if (IsUtf8(name) && !NamePatterns(EachCharacterAsAny(name)).Matches(name)) std::abort();
    if (IsUtf8(name) && NamePatterns(EachCharacterAsAny(name) + "?").Matches(name)) std::abort();
    return 0;
}
