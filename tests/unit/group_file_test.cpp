#include "symbols/group_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillaro {
namespace {

using Lines = std::vector<std::u16string>;

// Stands in for the system's code page: ASCII as is, two known Big5 pairs, and U+FFFD for
// everything else, so a test sees which path a file took. Counts its calls.
struct FakeAnsi {
    int calls = 0;

    std::u16string operator()(std::string_view bytes) {
        ++calls;
        std::u16string out;
        for (size_t i = 0; i < bytes.size(); ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            if (b < 0x80) {
                out.push_back(static_cast<char16_t>(b));
                continue;
            }
            const std::string_view pair = bytes.substr(i, 2);
            if (pair == "\xA4\xA4") {
                out.push_back(u'\u4E2D');
                ++i;
            } else if (pair == "\xFA\x40") {
                out.push_back(u'\uE000');
                ++i;
            } else {
                out.push_back(u'\uFFFD');
            }
        }
        return out;
    }
};

struct Result {
    Lines lines;
    int ansi_calls;
};

Result read(std::string_view bytes, size_t max_lines = 3) {
    FakeAnsi fake;
    const AnsiDecoder decoder = [&fake](std::string_view b) { return fake(b); };
    Lines lines = read_group_lines(bytes, decoder, max_lines);
    return {std::move(lines), fake.calls};
}

std::string bytes_of(std::initializer_list<int> values) {
    std::string s;
    for (const int v : values) s.push_back(static_cast<char>(v));
    return s;
}

struct LineCase {
    const char* name;
    std::string bytes;
    size_t max_lines;
    Lines expected;
};

class LineEnds : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineEnds, SplitsAsExpected) {
    const LineCase& c = GetParam();
    EXPECT_EQ(read(c.bytes, c.max_lines).lines, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    GroupFile, LineEnds,
    ::testing::Values(LineCase{"Empty", "", 3, {}}, LineCase{"NoLineEnd", "A", 3, {u"A"}},
                      LineCase{"Crlf", "A\r\nB\r\nC", 3, {u"A", u"B", u"C"}},
                      LineCase{"LoneCr", "A\rB\rC", 3, {u"A", u"B", u"C"}},
                      LineCase{"LoneLf", "A\nB\nC", 3, {u"A", u"B", u"C"}},
                      LineCase{"Mixed", "A\nB\r\nC\rD", 4, {u"A", u"B", u"C", u"D"}},
                      LineCase{"LfCrIsTwoEnds", "A\n\rB", 3, {u"A", u"", u"B"}},
                      LineCase{"TrailingCrlf", "A\r\n", 3, {u"A"}},
                      LineCase{"TrailingCr", "A\r", 3, {u"A"}},
                      LineCase{"OnlyCrlf", "\r\n", 3, {u""}}, LineCase{"OnlyCr", "\r", 3, {u""}},
                      LineCase{"TwoCrlf", "\r\n\r\n", 3, {u"", u""}},
                      LineCase{"LineThenEmpty", "A\r\n\r\n", 3, {u"A", u""}},
                      LineCase{"EmptyFirstLine", "\r\nB\r\nC", 3, {u"", u"B", u"C"}},
                      LineCase{"MaxOne", "A\r\nB\r\nC", 1, {u"A"}},
                      LineCase{"MaxThreeOfFive", "1\n2\n3\n4\n5", 3, {u"1", u"2", u"3"}},
                      LineCase{"MaxZero", "A\r\nB", 0, {}},
                      LineCase{"FewerThanMax", "A\r\nB", 3, {u"A", u"B"}},
                      LineCase{"SpacesAndCommasKept", " a , b ,\r\n,", 3, {u" a , b ,", u","}}),
    [](const auto& test) { return std::string(test.param.name); });

struct EncodingCase {
    const char* name;
    std::string bytes;
    Lines expected;
    bool via_ansi;
};

class Encodings : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(Encodings, DecodesThroughTheRightPath) {
    const EncodingCase& c = GetParam();
    const Result r = read(c.bytes);
    EXPECT_EQ(r.lines, c.expected);
    if (c.via_ansi) {
        EXPECT_GT(r.ansi_calls, 0);
    } else {
        EXPECT_EQ(r.ansi_calls, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    GroupFile, Encodings,
    ::testing::Values(
        // Byte-order marks select the encoding and are no part of line 1.
        EncodingCase{"Utf8Bom",
                     "\xEF\xBB\xBF"
                     "A\r\n\xE4\xB8\xAD",
                     {u"A", u"\u4E2D"},
                     false},
        EncodingCase{"Utf8BomAscii",
                     "\xEF\xBB\xBF"
                     "Arrows",
                     {u"Arrows"},
                     false},
        EncodingCase{"Utf8BomAlone", "\xEF\xBB\xBF", {}, false},
        EncodingCase{"Utf8BomThenCrlf", "\xEF\xBB\xBF\r\n", {u""}, false},
        EncodingCase{"Utf8BomDamagedBytes",
                     "\xEF\xBB\xBF"
                     "a\xFF"
                     "b\xE4\xB8",
                     {u"a\uFFFDb\uFFFD"},
                     false},
        EncodingCase{"Utf16LeBomAlone", "\xFF\xFE", {}, false},
        EncodingCase{"Utf16BeBomAlone", "\xFE\xFF", {}, false},
        EncodingCase{"Utf16LeCjkPairPua",
                     bytes_of({0xFF, 0xFE, 0x2D, 0x4E, 0x0D, 0x00, 0x0A, 0x00, 0x3D, 0xD8, 0x00,
                               0xDE, 0x0A, 0x00, 0x00, 0xE0}),
                     {u"\u4E2D", u"\U0001F600", u"\uE000"},
                     false},
        EncodingCase{"Utf16BeCjkPairPua",
                     bytes_of({0xFE, 0xFF, 0x4E, 0x2D, 0x00, 0x0D, 0x00, 0x0A, 0xD8, 0x3D, 0xDE,
                               0x00, 0x00, 0x0D, 0xE0, 0x00}),
                     {u"\u4E2D", u"\U0001F600", u"\uE000"},
                     false},
        // A CR or LF byte inside a UTF-16 unit is no line end.
        EncodingCase{"Utf16LeNoFalseLineEnd",
                     bytes_of({0xFF, 0xFE, 0x0A, 0x30, 0x0D, 0x4E}),
                     {u"\u300A\u4E0D"},
                     false},
        EncodingCase{
            "Utf16LeOddByteDropped", bytes_of({0xFF, 0xFE, 0x41, 0x00, 0x42}), {u"A"}, false},
        EncodingCase{"Utf16LeLoneOddByte", bytes_of({0xFF, 0xFE, 0x41}), {}, false},
        EncodingCase{"Utf16LeUnpairedSurrogateKept",
                     bytes_of({0xFF, 0xFE, 0x3D, 0xD8, 0x41, 0x00, 0x00, 0xDC}),
                     {std::u16string{char16_t{0xD83D}, u'A', char16_t{0xDC00}}},
                     false},
        // Without a mark: well-formed UTF-8 holding a multi-byte sequence is UTF-8.
        EncodingCase{"Utf8PuaNoBom", "\xEE\x80\x80,\xE4\xB8\xAD", {u"\uE000,\u4E2D"}, false},
        EncodingCase{"Utf8FourByteNoBom", "\xF0\x9F\x98\x80", {u"\U0001F600"}, false},
        EncodingCase{"Utf8HighestNoBom", "\xF4\x8F\xBF\xBF", {u"\U0010FFFF"}, false},
        // Everything else goes through the code page.
        EncodingCase{"AsciiToAnsi", "left,right\r\nL,R", {u"left,right", u"L,R"}, true},
        EncodingCase{"Big5ToAnsi", "\xA4\xA4\r\n\xFA\x40", {u"\u4E2D", u"\uE000"}, true},
        EncodingCase{"Big5WithUtf8LookalikeToAnsi",
                     "\xE4\xB8\xAD\xFA\x40",
                     {u"\uFFFD\uFFFD\uFFFD\uE000"},
                     true},
        EncodingCase{"OverlongToAnsi", "\xC0\x80", {u"\uFFFD\uFFFD"}, true},
        EncodingCase{"OverlongThreeByteToAnsi", "\xE0\x80\xAF", {u"\uFFFD\uFFFD\uFFFD"}, true},
        EncodingCase{
            "LoneContinuationToAnsi", "\xE4\xB8\xAD\x80", {u"\uFFFD\uFFFD\uFFFD\uFFFD"}, true},
        EncodingCase{
            "TruncatedAtEndToAnsi", "\xE4\xB8\xAD\xE4\xB8", {std::u16string(5, u'\uFFFD')}, true},
        EncodingCase{"SurrogateToAnsi", "\xED\xA0\x80", {u"\uFFFD\uFFFD\uFFFD"}, true},
        EncodingCase{"AboveMaxToAnsi", "\xF4\x90\x80\x80", {std::u16string(4, u'\uFFFD')}, true},
        // A bad byte on a line the caller never reads still decides the file's encoding.
        EncodingCase{"LaterBadByteDecidesWholeFile",
                     "\xE4\xB8\xAD\r\nB\r\nC\r\n\xFF",
                     {u"\uFFFD\uFFFD\uFFFD", u"B", u"C"},
                     true}),
    [](const auto& test) { return std::string(test.param.name); });

// NUL would cut a window text short, and the other control characters act as editing commands
// in the target window (backspace, Ctrl+V paste, Ctrl+Z undo); TAB is text and stays.
TEST(GroupFile, ControlCharactersOtherThanTabAreDropped) {
    using namespace std::string_literals;
    // Through the code page, through UTF-8 (with and without a mark) and through UTF-16.
    EXPECT_EQ(read("a\0b\r\n\0"s).lines, (Lines{u"ab", u""}));
    EXPECT_EQ(read("\x08x\x16y\x1Az\x1B\x7F\x01\tt"s).lines, (Lines{u"xyz\tt"}));
    EXPECT_EQ(read("\xE4\xB8\xAD\0x\x08"s).lines, (Lines{u"\u4E2Dx"}));
    EXPECT_EQ(read("\xEF\xBB\xBF"
                   "a\0b"s)
                  .lines,
              (Lines{u"ab"}));
    EXPECT_EQ(read("\xFF\xFE\x00\x00\x41\x00\x16\x00\x09\x00"s).lines, (Lines{u"A\t"}));
    // Only C0 and DEL: C1 controls and everything above stay as they are.
    EXPECT_EQ(read("\xC2\x80\xC2\x9F"s).lines, (Lines{u"\u0080\u009F"}));
}

// Like the code page 950 decoder of Wine: a lead byte always takes the next byte as its trail,
// even one that cannot be a trail byte (a comma, a space); an unknown pair becomes "?".
std::u16string greedy_dbcs(std::string_view bytes) {
    std::u16string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out.push_back(static_cast<char16_t>(b));
        } else if (bytes.substr(i, 2) == "\xA4\xA4") {
            out.push_back(u'\u4E2D');
            ++i;
        } else {
            out.push_back(u'?');
            ++i;  // the lead byte swallows whatever follows
        }
    }
    return out;
}

TEST(GroupFile, ALeadByteCutOffNeverSwallowsAComma) {
    const AnsiDecoder decoder = greedy_dbcs;
    // The keys stay apart: three items, the damaged ones marked where they were damaged.
    EXPECT_EQ(read_group_lines("\xA4\xA4\xA4,\xA4,x\xA5", decoder, 3), (Lines{u"\u4E2D?,?,x?"}));
    // A lead byte before the line end takes neither the CR nor the next line.
    EXPECT_EQ(read_group_lines("T\xA4\r\nk\xA4\nx", decoder, 3), (Lines{u"T?", u"k?", u"x"}));
    // Empty items between commas stay empty, and well-formed pairs decode as before.
    EXPECT_EQ(read_group_lines(",,\xA4\xA4,", decoder, 3), (Lines{u",,\u4E2D,"}));
}

TEST(GroupFile, OnlyNeededLinesAreDecoded) {
    const Result r = read("A\r\nB\r\nC\r\nD\r\nE", 1);
    EXPECT_EQ(r.lines, Lines{u"A"});
    EXPECT_EQ(r.ansi_calls, 1);
}

TEST(GroupFile, ALongFileIsReadOnlyAsFarAsTheLimit) {
    const std::string big(10u * 1024u * 1024u, 'x');
    const Result r = read(big, 3);
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.lines[0].size(), kMaxGroupFileBytes);
    // Lines past the limit do not exist.
    const Result beyond = read("A\r\n" + std::string(kMaxGroupFileBytes, 'b') + "\r\nC", 3);
    ASSERT_EQ(beyond.lines.size(), 2u);
    EXPECT_EQ(beyond.lines[1].size(), kMaxGroupFileBytes - 3);
}

// The encoding is decided from the bytes read, and the limit may cut a character in two.
struct CutCase {
    const char* name;
    std::string head;          // before the filler
    std::u16string head_text;  // what it decodes to
    std::string filler;        // repeated up to the limit and beyond
    std::u16string unit;       // what one filler decodes to
    size_t kept;               // whole fillers in the first kMaxGroupFileBytes bytes, after `head`
};

class CutAtTheLimit : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutAtTheLimit, KeepsTheEncodingOfWhatIsRead) {
    const CutCase& c = GetParam();
    std::string bytes = c.head;
    while (bytes.size() < kMaxGroupFileBytes + 16) bytes += c.filler;
    bytes += "\xFF\xFE\xC0";  // ill-formed UTF-8 past the limit changes nothing
    const Result r = read(bytes, 1);
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.ansi_calls, 0);
    std::u16string expected = c.head_text;
    for (size_t i = 0; i < c.kept; ++i) expected += c.unit;
    EXPECT_EQ(r.lines[0], expected);
}

// 2 MiB = 2,097,152 bytes: 699,050 three-byte characters and two bytes of the next one;
// after a three-byte mark, 699,049 and two bytes; after "ab", 524,287 four-byte characters and
// two bytes; after "a", as many and three bytes.
INSTANTIATE_TEST_SUITE_P(GroupFile, CutAtTheLimit,
                         ::testing::Values(CutCase{"Utf8", "", u"", "\xE4\xB8\xAD", u"中", 699050},
                                           CutCase{"Utf8WithMark", "\xEF\xBB\xBF", u"",
                                                   "\xE4\xB8\xAD", u"中", 699049},
                                           CutCase{"Utf8FourBytes", "ab", u"ab", "\xF0\x9F\x98\x80",
                                                   u"\U0001F600", 524287},
                                           CutCase{"Utf8FourBytesCutAfterThree", "a", u"a",
                                                   "\xF0\x9F\x98\x80", u"\U0001F600", 524287}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(GroupFile, AnAnsiFileCutAtTheLimitStaysAnsi) {
    // Big5 pairs, cut after a lead byte: still the code page's, and the lone lead byte goes to
    // it as the file's last byte.
    std::string bytes;
    while (bytes.size() < kMaxGroupFileBytes + 1) bytes += "\xA4\xA4";
    bytes.insert(0, "x");
    const Result r = read(bytes, 1);
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_GT(r.ansi_calls, 0);
    EXPECT_EQ(r.lines[0].size(), 1 + (kMaxGroupFileBytes - 2) / 2 + 1);
    EXPECT_EQ(r.lines[0].back(), u'\uFFFD');
}

TEST(GroupFile, EveryByteValueIsSafe) {
    std::string all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
    for (size_t cut = 0; cut <= all.size(); ++cut) {
        const std::string_view head(all.data(), cut);
        const std::string_view tail(all.data() + cut, all.size() - cut);
        EXPECT_LE(read(head).lines.size(), 3u);
        EXPECT_LE(read(tail).lines.size(), 3u);
    }
}

TEST(GroupFile, FileNames) {
    EXPECT_EQ(group_file_name(0), u"user_define_0.txt");
    EXPECT_EQ(group_file_name(7), u"user_define_7.txt");
    EXPECT_EQ(group_file_name(15), u"user_define_15.txt");
}

TEST(GroupFile, ChangesThatMayTouchAGroupFile) {
    struct Case {
        std::u16string_view name;
        bool group_file;
    };
    const Case cases[] = {
        {u"user_define_0.txt", true},   {u"user_define_15.txt", true},
        {u"USER_DEFINE_3.TXT", true},   {u"User_Define_9.Txt", true},
        {u"USER_D~1.TXT", true},        {u"user_define_16.txt", false},
        {u"user_define_07.txt", false}, {u"user_define_3.txt.bak", false},
        {u"user_define_3.tmp", false},  {u"notes.txt", false},
        {u"~user_define_3.tmp", false}, {u"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(may_name_group_file(c.name), c.group_file)
            << ::testing::PrintToString(std::u16string(c.name));
    }
}

}  // namespace
}  // namespace quillaro
