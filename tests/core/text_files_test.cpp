#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/errors.h"
#include "core/file_io.h"
#include "core/line_read_ahead.h"
#include "core/home.h"
#include "core/text.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

std::vector<std::string> Lines(std::string_view text) {
    LineSplitter s(text);
    std::vector<std::string> out;
    std::string_view line;
    while (s.Next(line)) out.emplace_back(line);
    return out;
}

using V = std::vector<std::string>;

// CR LF, CR and LF each end a line, also mixed in one text; a UTF-8 byte order mark at the start is
// skipped (anywhere else it is text).
TEST(LineSplitter, LinesEndAtCrLfCrOrLfAndAByteOrderMarkIsSkipped) {
    const std::pair<std::string, V> cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\nb\r\nc", {"a", "b", "c"}},  // mixed: a lone LF ends a line too
        {"a\r\nb\nc\r\nd\ne", {"a", "b", "c", "d", "e"}},
        {"a\n\rb", {"a", "", "b"}},  // LF then CR: two line ends
        {"\r\n", {""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"one line", {"one line"}},
        {"\xEF\xBB\xBF"
         "a\r\nb",
         {"a", "b"}},
        {"\xEF\xBB\xBF", {}},
        {"\xEF\xBB\xBF"
         "\r\n",
         {""}},
        {"a\r\n\xEF\xBB\xBF"
         "b",
         {"a",
          "\xEF\xBB\xBF"
          "b"}},
        {"\xEF\xBB"
         "a",
         {"\xEF\xBB"
          "a"}},  // not a whole mark: text
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(Lines(text), expected) << testing::PrintToString(text);
}

TEST(TextFileReader, ReadsLinesAndReportsPosition) {
    test::TempDir dir;
    WriteFileBytes(dir / "route.txt", "A1\r\nB22\r\n");
    TextFileReader reader(dir / "route.txt");
    EXPECT_EQ(reader.Size(), 9u);
    std::string line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "A1");
    EXPECT_EQ(reader.Position(), 4u);
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "B22");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.ReadLine(line));
    reader.Rewind();
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "A1");
}

TEST(FileIO, MissingFileIsFileNotFoundAndBytesRoundTrip) {
    test::TempDir dir;
    try {
        ReadFileBytes(dir / "missing.txt");
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), 53);
        EXPECT_EQ(e.Description(), "File not found");
    }
    EXPECT_THROW(ReadFileBytes(dir.Path()), RuntimeError);  // a folder is not a file
    std::string all;
    for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
    WriteFileBytes(dir / "bytes.bin", all);
    EXPECT_EQ(ReadFileBytes(dir / "bytes.bin"), all);
}

TEST(FileIO, SameFileSeesThroughLinksAndRelativePaths) {
    test::TempDir dir;
    WriteFileBytes(dir / "a.txt", "x");
    WriteFileBytes(dir / "b.txt", "x");
    std::filesystem::create_directory(dir / "sub");
    std::filesystem::create_symlink(dir / "a.txt", dir / "link.txt");
    EXPECT_TRUE(SameFile(dir / "a.txt", dir / "sub" / ".." / "a.txt"));
    EXPECT_TRUE(SameFile(dir / "a.txt", dir / "link.txt"));
    EXPECT_FALSE(SameFile(dir / "a.txt", dir / "b.txt"));  // equal bytes, different files
    EXPECT_FALSE(SameFile(dir / "a.txt", dir / "missing.txt"));
}

// Every byte: the letters with two cases are the ASCII letters, the Windows-1252 letters 0xC0-0xDE
// (but the multiplication sign) with their lower case 32 above, and the pairs of š, œ, ž and ÿ.
TEST(Text, EveryByteHasTheCaseOfWindows1252) {
    std::vector<std::pair<int, int>> pairs = {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};
    for (int c = 'A'; c <= 'Z'; ++c) pairs.emplace_back(c, c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) pairs.emplace_back(c, c + 32);
    std::vector<int> upper(256), lower(256);
    for (int c = 0; c < 256; ++c) upper[c] = lower[c] = c;
    for (const auto& [u, l] : pairs) {
        upper[l] = u;
        lower[u] = l;
    }
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(static_cast<unsigned char>(UpperChar(static_cast<char>(c))), upper[c]) << c;
        EXPECT_EQ(static_cast<unsigned char>(LowerChar(static_cast<char>(c))), lower[c]) << c;
    }
}

TEST(Text, CaseAndTrimRules) {
    EXPECT_EQ(UCase("abc\xe9\xff"
                    "1"),
              "ABC\xc9\x9f"
              "1");
    EXPECT_EQ(LCase("ABC\xc9"), "abc\xe9");
    EXPECT_TRUE(EqualsNoCase("LoginSetup", "LOGINSETUP"));
    EXPECT_FALSE(EqualsNoCase("Login", "Logins"));
    EXPECT_TRUE(EqualsNoCase("\x9a\xe9", "\x8a\xc9"));
    EXPECT_EQ(Trim("  a b \t "), "a b \t");  // only spaces are trimmed
    EXPECT_EQ(Trim("   "), "");
    // Long runs of blanks (skipped eight at a time) ending anywhere.
    for (std::size_t blanks : {7, 8, 9, 16, 17, 40}) {
        EXPECT_EQ(Trim("  word" + std::string(blanks, ' ')), "word") << blanks;
        EXPECT_EQ(Trim(std::string(blanks, ' ')), "") << blanks;
        EXPECT_EQ(Trim("x" + std::string(blanks, ' ') + "y" + std::string(blanks, ' ')),
                  "x" + std::string(blanks, ' ') + "y");
    }
    EXPECT_EQ(Split("a||b||", "||"), (V{"a", "b", ""}));
    EXPECT_EQ(ReplaceAll("a\r\nb\r\n", "\r\n", "\n"), "a\nb\n");
}

TEST(HomeFolder, OptionThenEnvironmentThenDataFolder) {
    test::TempDir dir;
    ::setenv("ZAVDEPOT_HOME", (dir / "env").c_str(), 1);
    EXPECT_EQ(ResolveHomeFolder(std::string((dir / "opt").string())), dir / "opt");
    EXPECT_EQ(ResolveHomeFolder(std::nullopt), dir / "env");
    ::unsetenv("ZAVDEPOT_HOME");
    ::setenv("XDG_DATA_HOME", (dir / "xdg").c_str(), 1);
    EXPECT_EQ(ResolveHomeFolder(std::nullopt), dir / "xdg" / "zavdepot");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", dir.Path().c_str(), 1);
    EXPECT_EQ(ResolveHomeFolder(std::nullopt), dir / ".local" / "share" / "zavdepot");

    EnsureFolder(dir / "a" / "b");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "a" / "b"));
    WriteFileBytes(dir / "file", "x");
    EXPECT_THROW(EnsureFolder(dir / "file"), RuntimeError);
    EXPECT_EQ(ResolveAgainst("/home/x", "maps/a.zcm"), std::filesystem::path("/home/x/maps/a.zcm"));
    EXPECT_EQ(ResolveAgainst("/home/x", "/abs.pdb"), std::filesystem::path("/abs.pdb"));
}

}  // namespace
}  // namespace zav

namespace zav {
namespace {

// `count` numbered lines, each ended by `end`.
std::string CountedLines(int count, const char* end) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + end;
    return text;
}

// The block-by-block reader gives the lines the whole-text splitter gives, also where a line or a
// CR LF pair straddles two blocks, and counts every byte it consumed.
TEST(TextFileStream, SameLinesAsTheWholeTextAcrossBlocks) {
    test::TempDir dir;
    const std::size_t block = 1 << 16;
    const std::string longLine(block + 10, 'x');
    const std::string texts[] = {
        "",
        "a",
        "a\r\nb\r\n",
        "a\rb\r",
        "a\r\n\r\nb",
        "a\nb\n",     // line feeds end lines
        "a\nb\rc\n",  // mixed line ends
        "\xEF\xBB\xBF"
        "a\r\nb\nc",  // a byte order mark is skipped
        "\xEF\xBB\xBF",
        std::string(block - 1, 'y') + "\r\nz",         // CR at the end of the first block, LF in the next
        std::string(block - 1, 'y') + "\r",            // CR as the file's last byte, at a block's end
        longLine + "\r\n" + longLine,                  // lines longer than a block
        std::string(3 * block, 'q') + "\n" + "tail",   // a line over several blocks
        std::string(block - 1, 'y') + "\n\r\n" + "z",  // LF at a block's end, then CR LF
        CountedLines(20000, "\r"),                     // many lines over several blocks, CR only
        CountedLines(20000, "\n"),                     // LF only
        CountedLines(20000, "\r\n"),                   // CR LF
    };
    for (const std::string& text : texts) {
        WriteFileBytes(dir / "t.txt", text);
        TextFileStream stream(dir / "t.txt");
        EXPECT_EQ(stream.Size(), text.size());
        V lines;
        std::string line;
        while (stream.ReadLine(line)) lines.push_back(line);
        EXPECT_EQ(lines, Lines(text)) << text.size();
        EXPECT_EQ(stream.Position(), text.size());
        EXPECT_FALSE(stream.ReadLine(line));

        TextFileStream views(dir / "t.txt");  // the same lines as views into the reader's buffer
        V viewed;
        std::string_view view;
        while (views.ReadLine(view)) viewed.emplace_back(view);
        EXPECT_EQ(viewed, lines) << text.size();
        EXPECT_EQ(views.Position(), text.size());

        // Read in two parts, split after a line feed from the middle on: the same lines (a byte order
        // mark counts only at the start).
        if (const std::size_t lf = text.find('\n', text.size() / 2); lf != std::string::npos) {
            V parts;
            TextFileStream first(dir / "t.txt", 0, lf + 1), second(dir / "t.txt", lf + 1, text.size());
            EXPECT_EQ(second.Size(), text.size() - lf - 1);
            for (TextFileStream* part : {&first, &second})
                while (part->ReadLine(view)) parts.emplace_back(view);
            EXPECT_EQ(parts, lines) << text.size();
        }

        LineReadAhead ahead(dir / "t.txt");  // read on a second thread: the same lines
        V readAhead;
        while (ahead.ReadLine(view)) readAhead.emplace_back(view);
        EXPECT_EQ(readAhead, lines) << text.size();
        EXPECT_TRUE(ahead.AtEnd());
    }
}

// Many batches' worth of lines (by count and by bytes): every line and each one's position as the
// stream gives them.
TEST(LineReadAhead, LinesOfManyBatchesComeInOrderWithTheirPositions) {
    test::TempDir dir;
    std::string text;
    for (int i = 0; i < 6000; ++i) text += std::string(static_cast<std::size_t>(i % 97), 'a' + i % 26) + "\r\n";
    WriteFileBytes(dir / "t.txt", text);
    TextFileStream stream(dir / "t.txt");
    LineReadAhead ahead(dir / "t.txt");
    std::string_view expected, line;
    while (stream.ReadLine(expected)) {
        ASSERT_TRUE(ahead.ReadLine(line));
        ASSERT_EQ(line, expected);
        ASSERT_EQ(ahead.Position(), stream.Position());
    }
    EXPECT_FALSE(ahead.ReadLine(line));
    EXPECT_FALSE(ahead.ReadLine(line)) << "and stays at the end";
    EXPECT_TRUE(ahead.AtEnd());
}

TEST(TextFileStream, FilesThatCannotBeReadThrow) {
    test::TempDir dir;
    EXPECT_THROW(TextFileStream(dir / "missing.txt"), RuntimeError);
    EXPECT_THROW(TextFileStream(dir.Path()), RuntimeError);
}

}  // namespace
}  // namespace zav
