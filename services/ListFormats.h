#pragma once
// The formats a list file takes, chosen by its extension: full paths one a
// line (".txt" and any other), a table of the files' facts (".csv" with
// commas, ".tsv" with tabs) and a playlist (".m3u8"; ".m3u" read too). Rows
// are the program's text; a list file is written in UTF-8.
#include "services/FileFacts.h"
#include "services/ListText.h"

#include <cstdint>
#include <string>
#include <string_view>

enum class ListFormat { Paths, Csv, Tsv, Playlist };

ListFormat SavedFormat(std::string_view path);
ListFormat ReadFormat(std::string_view path);

// Whether the format is a table of the files' facts, read by its Path column.
bool IsTable(ListFormat format);
// A CSV file starts with UTF-8's byte-order mark, by which spreadsheets read
// it as UTF-8 rather than in their code page.
bool StartsWithByteOrderMark(ListFormat format);
// What a format writes before its first entry: a table's header, a
// playlist's mark; "" for paths.
std::string_view ListHeader(ListFormat format);

// A file time (UTC ticks) as local time, "2026-12-07 23:48:40"; "" for 0.
using TimeText = std::string (*)(std::uint64_t ticks);
// Appends the row of one entry; a table's takes the file's facts, and has
// empty size, dates and attributes for a file that has gone. A table's field
// that begins with = + - @ (which a spreadsheet runs as a formula) or with an
// apostrophe is written after an apostrophe, which shows it as text and which
// reading takes away again.
void AppendRow(std::string& rows, ListFormat format, std::string_view path, const FileFacts& facts,
               TimeText timeText);

// The lines of a list file's bytes in its format, as ListLines reads a list
// of paths: a playlist's lines that do not begin with '#'; a table's field of
// its Path column (found by the header) in each record after it, as written,
// to be read by TableFieldText. Returns "" or why nothing could be read.
std::string FormatLines(ListFormat format, std::string_view bytes, ListFileLines& lines);
// A table's field as written, as its text: the quotes around it taken away,
// doubled quotes made one, and then the apostrophe put before a formula.
std::string TableFieldText(std::string_view field);
