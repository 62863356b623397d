// The shapes a list leaves in: copied as text, written as a table or a
// playlist, and read back.
#include "services/CopyShapes.h"
#include "services/ListFormats.h"

#include <gtest/gtest.h>

namespace {

// Names with blanks, commas, quotes, '=', '#' and letters outside most code
// pages (the program's text is UTF-8 here); the last file has gone.
const std::vector<std::string> kNames = {"C:\\My Files\\a, \"b\".txt", "C:\\=sum.csv", "D:\\#1 \xE8\xA1\xA8", "E:\\gone"};

std::string TimeOf(std::uint64_t ticks)
{
    return "t" + Decimal(ticks);
}

std::string Written(ListFormat format, const std::vector<std::string>& paths)
{
    std::string text(ListHeader(format));
    for (std::size_t i = 0; i < paths.size(); ++i)
        AppendRow(text, format, paths[i], FileFacts{i + 1 < paths.size(), 1000 + i, 7, 8, i == 0 ? 0x21u : 0x6u},
                  TimeOf);
    return text;
}

std::vector<std::string> ReadBack(ListFormat format, const std::string& bytes)
{
    ListFileLines lines;
    EXPECT_EQ(FormatLines(format, bytes, lines), "");
    std::vector<std::string> paths;
    for (const std::string_view line : lines.lines)
        paths.push_back(format == ListFormat::Csv || format == ListFormat::Tsv ? TableFieldText(line)
                                                                                 : std::string(line));
    return paths;
}

}  // namespace

TEST(CopyShapes, EachShapeOfThePaths)
{
    const struct {
        CopyShape shape;
        const char* text;
        std::size_t kept;
    } cases[] = {
        {CopyShape::QuotedPaths, "\"C:\\a b\\x.txt\"\r\n\"D:\\y&z(1).txt\"\r\n\"\\\\srv\\share\\n.txt\"\r\n", 0},
        {CopyShape::CommandLine, "\"C:\\a b\\x.txt\" \"D:\\y&z(1).txt\" \\\\srv\\share\\n.txt", 0},
        {CopyShape::Names, "x.txt\r\ny&z(1).txt\r\nn.txt\r\n", 0},
        {CopyShape::ForwardSlashes, "C:/a b/x.txt\r\nD:/y&z(1).txt\r\n//srv/share/n.txt\r\n", 0},
        {CopyShape::WslPaths, "/mnt/c/a b/x.txt\r\n/mnt/d/y&z(1).txt\r\n\\\\srv\\share\\n.txt\r\n", 1},
    };
    for (const auto& c : cases) {
        const ShapedText shaped = ShapePaths({"C:\\a b\\x.txt", "D:\\y&z(1).txt", "\\\\srv\\share\\n.txt"}, c.shape);
        EXPECT_EQ(shaped.text, c.text);
        EXPECT_EQ(shaped.keptAsTheyAre, c.kept) << c.text;
    }
    EXPECT_EQ(ShapeMessage(ShapePaths({"\\\\a\\b", "\\\\c\\d"}, CopyShape::WslPaths)),
              "2 paths are not on a drive letter and were copied as they are.");
}

TEST(ListFormats, EachFormatByteForByteChosenByExtension)
{
    const struct {
        const char* file;
        ListFormat format;
        const char* bytes;
    } cases[] = {
        {"C:\\x\\list.txt", ListFormat::Paths, "C:\\My Files\\a, \"b\".txt\r\nC:\\=sum.csv\r\nD:\\#1 \xE8\xA1\xA8\r\nE:\\gone\r\n"},
        {"list.CSV", ListFormat::Csv,
         "Path,Name,Folder,Extension,Size,Modified,Created,Attributes\r\n"
         "\"C:\\My Files\\a, \"\"b\"\".txt\",\"a, \"\"b\"\".txt\",C:\\My Files,txt,1000,t7,t8,RA\r\n"
         "C:\\=sum.csv,'=sum.csv,C:\\,csv,1001,t7,t8,HS\r\n"
         "D:\\#1 \xE8\xA1\xA8,#1 \xE8\xA1\xA8,D:\\,,1002,t7,t8,HS\r\n"
         "E:\\gone,gone,E:\\,,,,,\r\n"},
        {"list.tsv", ListFormat::Tsv,
         "Path\tName\tFolder\tExtension\tSize\tModified\tCreated\tAttributes\r\n"
         "\"C:\\My Files\\a, \"\"b\"\".txt\"\t\"a, \"\"b\"\".txt\"\tC:\\My Files\ttxt\t1000\tt7\tt8\tRA\r\n"
         "C:\\=sum.csv\t'=sum.csv\tC:\\\tcsv\t1001\tt7\tt8\tHS\r\n"
         "D:\\#1 \xE8\xA1\xA8\t#1 \xE8\xA1\xA8\tD:\\\t\t1002\tt7\tt8\tHS\r\n"
         "E:\\gone\tgone\tE:\\\t\t\t\t\t\r\n"},
        {"a.b.m3u8", ListFormat::Playlist,
         "#EXTM3U\r\n#EXTINF:-1,a, \"b\".txt\r\nC:\\My Files\\a, \"b\".txt\r\n#EXTINF:-1,=sum.csv\r\nC:\\=sum.csv\r\n"
         "#EXTINF:-1,#1 \xE8\xA1\xA8\r\nD:\\#1 \xE8\xA1\xA8\r\n#EXTINF:-1,gone\r\nE:\\gone\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SavedFormat(c.file), c.format) << c.file;
        EXPECT_EQ(Written(c.format, kNames), c.bytes) << c.file;
        EXPECT_EQ(ReadBack(ReadFormat(c.file), c.bytes), kNames) << c.file;
    }
    EXPECT_EQ(ReadFormat("C:\\x.m3u"), ListFormat::Playlist);
    EXPECT_EQ(SavedFormat("C:\\x.m3u"), ListFormat::Paths);
    EXPECT_EQ(SavedFormat("C:\\csv"), ListFormat::Paths);
}

TEST(ListFormats, ATableIsReadByItsPathColumnWhereverItIs)
{
    const struct {
        ListFormat format;
        const char* bytes;
        std::vector<std::string> paths;
    } cases[] = {
        {ListFormat::Csv, "\xEF\xBB\xBFSize,\"PATH\"\r\n1,\"C:\\a\r\n,\"\"b\"\"\"\r\n2,C:\\c\n\n3,\r\n4", {"C:\\a\r\n,\"b\"", "C:\\c"}},
        {ListFormat::Tsv, "Name\tpath\tx\r\nn,1\t \"'=C:\\q\" \t\r\nm\t''y\r\n", {"=C:\\q", "'y"}},
        {ListFormat::Playlist, "#EXTM3U\n#EXTINF:1,x\n\nrel\\a.mp3\r\n", {"rel\\a.mp3"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadBack(c.format, c.bytes), c.paths) << c.bytes;
    ListFileLines lines;
    EXPECT_EQ(FormatLines(ListFormat::Csv, "Name,Size\r\nC:\\a,1\r\n", lines), "The table has no Path column.");
    EXPECT_EQ(FormatLines(ListFormat::Tsv, std::string("Path\n\0", 6), lines), "The file is not a text file.");
}
