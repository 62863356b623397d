#include "services/ListText.h"

std::string ListText(const std::vector<std::string>& paths)
{
    std::string text;
    for (const auto& path : paths) text.append(path).append("\r\n");
    return text;
}

std::string Decimal(unsigned long long number)
{
    std::string digits;
    do digits.insert(digits.begin(), static_cast<char>('0' + number % 10));
    while ((number /= 10) != 0);
    return digits;
}

std::optional<std::vector<std::string>> ListLines(std::string_view bytes)
{
    if (bytes.find('\0') != std::string_view::npos) return std::nullopt;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find_first_not_of(" \t") != std::string_view::npos) lines.emplace_back(line);
    }
    return lines;
}

std::string PastedLinePath(std::string_view line)
{
    const char* const blanks = " \t\r";
    const std::size_t first = line.find_first_not_of(blanks);
    if (first == std::string_view::npos) return "";
    line = line.substr(first, line.find_last_not_of(blanks) - first + 1);
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"') line = line.substr(1, line.size() - 2);
    return std::string(line);
}
