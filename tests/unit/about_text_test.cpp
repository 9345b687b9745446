#include "about/about_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quillaro {
namespace {

std::u16string indented(size_t spaces, std::u16string_view text) {
    return std::u16string(spaces, u' ') + std::u16string(text);
}

std::u16string_view piece(size_t number) { return about_pieces()[number - 1].text; }

// Leading spaces of `line`, or npos when the line is blank.
size_t indent_of(std::u16string_view line) { return line.find_first_not_of(u' '); }

std::vector<std::u16string> split_crlf(std::u16string_view text) {
    std::vector<std::u16string> lines;
    size_t start = 0;
    for (size_t end = text.find(u"\r\n"); end != std::u16string_view::npos;
         end = text.find(u"\r\n", start)) {
        lines.emplace_back(text.substr(start, end - start));
        start = end + 2;
    }
    lines.emplace_back(text.substr(start));
    return lines;
}

TEST(AboutText, FixedPiecesReadExactly) {
    const std::u16string rule = indented(18, std::u16string(35, u'='));
    const struct {
        size_t number;
        std::u16string text;
    } cases[] = {
        {1, indented(24, u"Quillaro特殊符號輸入小工具 1.1版")},
        {2, rule},
        {3, u""},
        {12, indented(42, u"關於 & 說明")},
        {13, rule},
        {14, u""},
        {16, u""},
        {17, indented(4,
                      u"在使用本程式之前請先安裝好Quillaro字型, 原則上以新細明體為關聯字型. "
                      u"至於要如何安裝Quillaro字型小弟在此就不在多加敘述了.")},
        {18, u""},
        {19, indented(4,
                      u"本工具程式亦提供了15組的自建定義鍵,每一組可以有1~255個字串,當然,"
                      u"也可以是單字.另外,自定字串檔是放在軟體路徑下的 user_define_*.txt "
                      u",您可以針對此處的設定檔做備份或者是把這些檔複製到其它需要相同定義的電腦之對"
                      u"應路徑裡!")},
        {20, u""},
        {21, indented(4, u"對本程式若有任何問題,煩請E-mail給小弟...謝謝您的使用...^_^")},
    };
    ASSERT_EQ(about_pieces().size(), 21u);
    for (const auto& c : cases) EXPECT_EQ(piece(c.number), c.text) << "piece " << c.number;
}

TEST(AboutText, OwnPiecesAreIndentedLinesOfText) {
    const struct {
        size_t number;
        size_t indent;
    } cases[] = {{4, 45}, {5, 4}, {6, 42}, {7, 42}, {8, 42}, {9, 42}, {10, 42}, {11, 5}, {15, 4}};
    for (const auto& c : cases) {
        const std::u16string_view text = piece(c.number);
        EXPECT_EQ(indent_of(text), c.indent) << "piece " << c.number;
        EXPECT_EQ(text.find_first_of(u"\r\n"), std::u16string_view::npos) << "piece " << c.number;
    }
}

TEST(AboutText, LinesFollowThePieces) {
    const std::vector<std::u16string> lines = split_crlf(about_text());
    std::vector<std::u16string> expected;
    for (size_t n = 1; n <= 21; ++n) {
        expected.emplace_back(piece(n));
        if (n == 4 || n == 10 || n == 11) expected.emplace_back();  // an empty line after these
    }
    expected.emplace_back();  // after the final line break
    EXPECT_EQ(lines, expected);
}

TEST(AboutText, LineBreaksAreCrlfAndEndTheText) {
    const std::u16string text = about_text();
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), u"\r\n");
    EXPECT_FALSE(text.ends_with(u"\r\n\r\n"));
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == u'\n') << "lone CR at " << i;
        } else if (text[i] == u'\n') {
            EXPECT_TRUE(i > 0 && text[i - 1] == u'\r') << "lone LF at " << i;
        }
    }
}

TEST(AboutText, LengthIsPiecesPlusBreaksAndStable) {
    size_t length = 0;
    for (const AboutPiece& p : about_pieces()) {
        length += p.text.size() + 2 * static_cast<size_t>(p.line_breaks);
    }
    const std::u16string first = about_text();
    EXPECT_EQ(first.size(), length);
    EXPECT_EQ(about_text(), first);
}

}  // namespace
}  // namespace quillaro
