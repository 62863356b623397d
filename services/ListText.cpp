#include "services/ListText.h"

#include "platform/Letters.h"

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

std::string Grouped(unsigned long long number)
{
    std::string digits = Decimal(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, 1, ',');
    return digits;
}

std::string Counted(unsigned long long number, const std::string& noun)
{
    return Grouped(number) + ' ' + noun + (number == 1 ? "" : "s");
}

std::optional<ListFileLines> ListLines(std::string_view bytes)
{
    if (bytes.find('\0') != std::string_view::npos) return std::nullopt;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    ListFileLines file;
    file.utf8 = IsUtf8(bytes);
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view line = TrimBlanks(bytes.substr(0, end));  // a CR LF line end's CR too
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty()) file.lines.push_back(line);
    }
    return file;
}

bool IsUtf8(std::string_view bytes)
{
    // The well-formed sequences by their first byte: how long they are and the
    // range of their second byte (every later byte is 80..BF).
    struct Lead {
        unsigned char first, last;
        std::size_t length;
        unsigned char low, high;
    };
    static constexpr Lead kLeads[] = {
        {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF},  // E0: no overlong forms
        {0xE1, 0xEC, 3, 0x80, 0xBF}, {0xED, 0xED, 3, 0x80, 0x9F},  // ED: no surrogates
        {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},  // F0: no overlong forms
        {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},  // F4: nothing past U+10FFFF
    };
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        if (first < 0x80) {
            ++i;
            continue;
        }
        const Lead* lead = nullptr;
        for (const Lead& candidate : kLeads)
            if (first >= candidate.first && first <= candidate.last) lead = &candidate;
        if (!lead || bytes.size() - i < lead->length) return false;
        for (std::size_t k = 1; k < lead->length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if (next < (k == 1 ? lead->low : 0x80) || next > (k == 1 ? lead->high : 0xBF)) return false;
        }
        i += lead->length;
    }
    return true;
}

std::string_view PastedLinePath(std::string_view line)
{
    line = TrimBlanks(line);
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"') line = line.substr(1, line.size() - 2);
    return line;
}
