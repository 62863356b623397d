// The list-file readers given any bytes: no crash, no undefined behaviour, and
// what they give keeps its promises: lines trimmed, UTF-8 when it says so, the
// same lines again when written and read back, and every line a full path
// once taken from the list file's folder; a playlist's lines are no comments,
// and a table's paths come back the same when written as a table again.
#include "services/ListFormats.h"
#include "services/ListText.h"
#include "services/PathText.h"

#include <cstdint>
#include <cstdlib>

namespace {

// No "." or ".." step is left in a path made from a relative line.
bool HasDotSteps(const std::string& path)
{
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find_first_of("\\/", start), path.size());
        const std::string_view step = std::string_view(path).substr(start, end - start);
        if (step == "." || step == "..") return true;
        start = end + 1;
    }
    return false;
}

void CheckPaths(const std::vector<std::string_view>& lines)
{
    const std::string listFile = "C:\\Lists\\in.txt";
    for (const std::string_view view : lines) {
        const std::string line(view);
        const std::string path = ListLinePath(listFile, line);
        const auto slash = [](char c) { return c == '\\' || c == '/'; };
        const bool full = line.size() >= 2 && (line[1] == ':' || (slash(line[0]) && slash(line[1])));
        if (full && path != line) std::abort();  // a full path stays as it is
        if (!full && (path.compare(0, 3, "C:\\") != 0 || HasDotSteps(path))) std::abort();
    }
}

void CheckFormats(std::string_view bytes)
{
    for (const ListFormat format : {ListFormat::Csv, ListFormat::Tsv, ListFormat::Playlist}) {
        ListFileLines lines;
        if (!FormatLines(format, bytes, lines).empty()) {
            if (!lines.lines.empty()) std::abort();
            continue;
        }
        if (format == ListFormat::Playlist) {
            for (const std::string_view line : lines.lines)
                if (line.empty() || line.front() == '#') std::abort();
            continue;
        }
        std::vector<std::string> paths;
        std::string written(ListHeader(format));
        for (const std::string_view line : lines.lines) {
            paths.push_back(TableFieldText(line));
            if (paths.back().empty()) paths.pop_back();  // a blank field names nothing and is passed over
            else AppendRow(written, format, paths.back(), FileFacts{}, nullptr);
        }
        ListFileLines again;
        if (!FormatLines(format, written, again).empty() || again.lines.size() != paths.size()) std::abort();
        for (std::size_t i = 0; i < paths.size(); ++i)
            if (TableFieldText(again.lines[i]) != paths[i]) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckFormats(bytes);
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
    CheckPaths(file->lines);
    // Written as a list file and read again, the lines come back the same; a
    // first line that starts with a byte-order mark loses it, as it must.
    if (!file->lines.empty() && file->lines.front().compare(0, 3, "\xEF\xBB\xBF") == 0) return 0;
    const std::string written = ListText(std::vector<std::string>(file->lines.begin(), file->lines.end()));
    const auto again = ListLines(written);
    if (!again || again->lines != file->lines || again->utf8 != file->utf8) std::abort();
    return 0;
}
