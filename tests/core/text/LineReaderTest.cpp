#include "core/text/LineReader.h"
#include "TempFolder.h"
#include "core/text/FileError.h"
#include "core/text/LineSplitter.h"

#include <gtest/gtest.h>

#include <utility>

namespace qs {
namespace {

using Lines = std::vector<std::string>;

Lines readLines(const std::string& path, std::size_t chunkSize)
{
    LineReader reader(path, chunkSize);
    Lines lines;
    std::string_view line;
    while (reader.next(line))
        lines.emplace_back(line);
    return lines;
}

Lines splitLines(std::string_view text)
{
    Lines lines;
    forEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

// The smallest chunk the reader accepts, so that line ends fall on chunk boundaries.
constexpr std::size_t tinyChunk = 1;

struct FileCase {
    const char* what;
    std::string text;
    Lines lines;
};

TEST(LineReader, ReadsLinesAcrossChunkBoundaries)
{
    const std::string sixteen(16, 'x');
    const std::string fifteen(15, 'y');
    const FileCase cases[] = {
        {"empty file", "", {}},
        {"CR LF split between two chunks", fifteen + "\r\nnext", {fifteen, "next"}},
        {"LF right after a full chunk", sixteen + "\nnext\n", {sixteen, "next"}},
        {"lone CR at the end", "a\r", {"a"}},
        {"lone CR ending a full chunk", fifteen + "\r", {fifteen}},
        {"lone CR at a boundary, then a line", fifteen + "\rz", {fifteen, "z"}},
        {"line much longer than the chunk",
         std::string(100, 'L') + "\r\nshort",
         {std::string(100, 'L'), "short"}},
        {"no final line end", "a\r\nb", {"a", "b"}},
        {"empty lines", "\r\n\n\r", {"", "", ""}},
        {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
    };
    const test::TempFolder folder;
    for (const auto& c : cases) {
        const auto path = folder.write("lines.txt", c.text);
        EXPECT_EQ(readLines(path, tinyChunk), c.lines) << c.what;
        EXPECT_EQ(readLines(path, 8u << 20), c.lines) << c.what << " (large chunk)";
        EXPECT_EQ(splitLines(c.text), c.lines) << c.what << " (in memory)";
    }
}

// A CR LF at every offset meets every position relative to the chunk boundaries.
TEST(LineReader, AgreesWithTheInMemorySplitterForEveryLineEndPosition)
{
    const test::TempFolder folder;
    for (const char* end : {"\r\n", "\r", "\n"}) {
        for (std::size_t offset = 0; offset < 40; ++offset) {
            std::string text =
                std::string(offset, 'a') + end + "b" + end + std::string(offset % 7, 'c') + end;
            const auto path = folder.write("lines.txt", text);
            EXPECT_EQ(readLines(path, tinyChunk), splitLines(text)) << "offset " << offset;
        }
    }
}

TEST(LineReader, MissingFileAndUnreadableFileAreFileErrors)
{
    const test::TempFolder folder;
    const std::string missing = folder.file("absent.txt");
    try {
        LineReader reader(missing);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + missing + ": No such file or directory");
    }
    EXPECT_THROW(readLines(folder.path().string(), tinyChunk), FileError);
}

TEST(LineReaderTest, FirstLineIsTheFirstThatEveryLineGives)
{
    for (const std::string_view text :
         {"", "one", "one\r\ntwo", "one\ntwo", "one\rtwo", "\r\nsecond", "\nx", "only\r\n"}) {
        SCOPED_TRACE(std::string(text));
        std::string first;
        bool seen = false;
        forEachLine(text, [&](std::string_view line) {
            if (!std::exchange(seen, true))
                first = line;
        });
        EXPECT_EQ(firstLine(text), first);
    }
}

} // namespace
} // namespace qs
