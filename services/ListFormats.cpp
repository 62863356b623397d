#include "services/ListFormats.h"

#include "platform/Letters.h"
#include "platform/PathParts.h"

#include <algorithm>

namespace {

constexpr const char* kNotText = "The file is not a text file.";

// FILE_ATTRIBUTE_* bits: the letters Explorer and attrib show for them.
constexpr struct {
    std::uint32_t bit;
    char letter;
} kAttributeLetters[] = {{0x1, 'R'}, {0x2, 'H'}, {0x4, 'S'}, {0x20, 'A'}};

bool HasExtension(std::string_view path, std::string_view extension)
{
    const std::string_view name = NameOf(path);
    return name.size() > extension.size() && EqualFolded(name.substr(name.size() - extension.size()), extension);
}

char Delimiter(ListFormat format)
{
    return format == ListFormat::Tsv ? '\t' : ',';
}

bool Guarded(std::string_view text)
{
    return !text.empty() && std::string_view("=+-@'").find(text.front()) != std::string_view::npos;
}

// RFC 4180: a field holding the delimiter, a quote or a line break is quoted
// and its quotes doubled; so is one with blanks at its ends, which reading
// trims from a field that is not quoted.
void AppendField(std::string& rows, std::string_view text, char delimiter)
{
    const bool quoted = text.find_first_of(std::string{delimiter, '"', '\r', '\n'}) != std::string_view::npos ||
                        TrimBlanks(text).size() != text.size();
    if (quoted) rows += '"';
    if (Guarded(text)) rows += '\'';
    for (const char c : text) {
        if (c == '"' && quoted) rows += '"';
        rows += c;
    }
    if (quoted) rows += '"';
}

// The folder as Explorer shows it: without its last backslash, but for a root.
std::string_view FolderShown(std::string_view path)
{
    std::string_view folder = path.substr(0, NameStart(path));
    if (folder.size() > 1 && folder.back() == '\\' && folder[folder.size() - 2] != ':') folder.remove_suffix(1);
    return folder;
}

// An extension as its column shows it: without its dot.
std::string_view Undotted(std::string_view extension)
{
    return extension.empty() ? extension : extension.substr(1);
}

// Where the field that starts at `at` ends: at the delimiter or line end that
// follows it, outside quotes; npos at the end of the bytes.
std::size_t FieldEnd(std::string_view bytes, std::size_t at, char delimiter)
{
    bool quoted = false;
    for (; at < bytes.size(); ++at) {
        const char c = bytes[at];
        if (c == '"') quoted = !quoted;  // a doubled quote leaves and enters again
        else if (!quoted && (c == delimiter || c == '\n')) return at;
    }
    return std::string_view::npos;
}

bool IsPathColumn(std::string_view field)
{
    return EqualFolded(TableFieldText(field), "path");
}

std::string TableLines(std::string_view bytes, char delimiter, ListFileLines& lines)
{
    std::size_t column = 0, pathColumn = std::string_view::npos;
    bool header = true;
    for (std::size_t at = 0; at <= bytes.size();) {
        const std::size_t end = FieldEnd(bytes, at, delimiter);
        const std::string_view field = TrimBlanks(bytes.substr(at, end - at));
        if (header && IsPathColumn(field) && pathColumn == std::string_view::npos) pathColumn = column;
        if (!header && column == pathColumn && !field.empty()) lines.lines.push_back(field);
        if (end == std::string_view::npos) break;
        ++column;
        if (bytes[end] == '\n') {
            if (header && pathColumn == std::string_view::npos) return "The table has no Path column.";
            header = false;
            column = 0;
        }
        at = end + 1;
    }
    return header && pathColumn == std::string_view::npos ? "The table has no Path column." : "";
}

}  // namespace

ListFormat SavedFormat(std::string_view path)
{
    if (HasExtension(path, ".csv")) return ListFormat::Csv;
    if (HasExtension(path, ".tsv")) return ListFormat::Tsv;
    if (HasExtension(path, ".m3u8")) return ListFormat::Playlist;
    return ListFormat::Paths;
}

ListFormat ReadFormat(std::string_view path)
{
    return HasExtension(path, ".m3u") ? ListFormat::Playlist : SavedFormat(path);
}

bool IsTable(ListFormat format)
{
    return format == ListFormat::Csv || format == ListFormat::Tsv;
}

bool StartsWithByteOrderMark(ListFormat format)
{
    return format == ListFormat::Csv;
}

std::string_view ListHeader(ListFormat format)
{
    switch (format) {
    case ListFormat::Csv:
        return "Path,Name,Folder,Extension,Size,Modified,Created,Attributes\r\n";
    case ListFormat::Tsv:
        return "Path\tName\tFolder\tExtension\tSize\tModified\tCreated\tAttributes\r\n";
    case ListFormat::Playlist:
        return "#EXTM3U\r\n";
    case ListFormat::Paths:
        break;
    }
    return "";
}

void AppendRow(std::string& rows, ListFormat format, std::string_view path, const FileFacts& facts,
               TimeText timeText)
{
    const std::string_view name = NameOf(path);
    if (format == ListFormat::Playlist) rows.append("#EXTINF:-1,").append(name).append("\r\n");
    if (!IsTable(format)) {
        rows.append(path).append("\r\n");
        return;
    }
    std::string attributes;
    for (const auto& letter : kAttributeLetters)
        if (facts.attributes & letter.bit) attributes += letter.letter;
    const std::string_view texts[] = {path, name, FolderShown(path), Undotted(ExtensionOf(name))};
    const char delimiter = Delimiter(format);
    for (const std::string_view text : texts) {
        AppendField(rows, text, delimiter);
        rows += delimiter;
    }
    if (facts.exists)
        rows.append(Decimal(facts.size))
            .append(1, delimiter)
            .append(timeText(facts.modified))
            .append(1, delimiter)
            .append(timeText(facts.created))
            .append(1, delimiter)
            .append(attributes);
    else
        rows.append(3, delimiter);
    rows.append("\r\n");
}

std::string FormatLines(ListFormat format, std::string_view bytes, ListFileLines& lines)
{
    if (IsTable(format)) {
        if (bytes.find('\0') != std::string_view::npos) return kNotText;
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
        lines.utf8 = IsUtf8(bytes);
        return TableLines(bytes, Delimiter(format), lines);
    }
    auto file = ListLines(bytes);
    if (!file) return kNotText;
    lines.utf8 = file->utf8;
    if (format == ListFormat::Playlist)
        for (const std::string_view line : file->lines)
            if (line.front() != '#') lines.lines.push_back(line);
    if (format == ListFormat::Paths) lines.lines = std::move(file->lines);
    return "";
}

std::string TableFieldText(std::string_view field)
{
    std::string text;
    bool quoted = false;
    for (std::size_t at = 0; at < field.size(); ++at) {
        const char c = field[at];
        if (c != '"') text += c;
        else if (quoted && at + 1 < field.size() && field[at + 1] == '"') text += field[++at];
        else quoted = !quoted;
    }
    if (text.size() > 1 && text.front() == '\'' && Guarded(std::string_view(text).substr(1))) text.erase(0, 1);
    return text;
}
