// The list-file reader given any bytes: no crash, no undefined behaviour, and
// what it gives keeps its promises.
#include "services/ListText.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto file = ListLines(bytes);
    if (!file) {
        if (bytes.find('\0') == std::string_view::npos) std::abort();  // only a NUL makes bytes not text
        return 0;
    }
    for (const std::string_view line : file->lines) {
        if (line.empty() || line.find('\n') != std::string_view::npos) std::abort();
        for (const char end : {line.front(), line.back()})
            if (end == ' ' || end == '\t' || end == '\r') std::abort();  // trimmed
        if (file->utf8 && !IsUtf8(line)) std::abort();
    }
    // Written as a list file and read again, the lines come back the same; a
    // first line that starts with a byte-order mark loses it, as it must.
    if (!file->lines.empty() && file->lines.front().compare(0, 3, "\xEF\xBB\xBF") == 0) return 0;
    const std::string written = ListText(std::vector<std::string>(file->lines.begin(), file->lines.end()));
    const auto again = ListLines(written);
    if (!again || again->lines != file->lines || again->utf8 != file->utf8) std::abort();
    return 0;
}
