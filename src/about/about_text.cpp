#include "about/about_text.h"

#include <array>

namespace quillaro {
namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";
constexpr std::u16string_view kRule = u"                  ===================================";

// The pieces in window order; leading spaces are part of the text. The long ones stay on one
// line each so the source reads as the window shows them.
// clang-format off
constexpr std::array<AboutPiece, 21> kPieces{{
    {u"                        Quillaro特殊符號輸入小工具 1.1版", 1},  // 1
    {kRule, 1},  // 2
    {u"", 1},  // 3
    {u"                                             使用授權聲明", 2},  // 4
    {u"    本程式為免費軟體,歡迎自由使用,也歡迎轉寄分享給需要的朋友.本程式依現狀提供,不附帶任何明示或暗示的保證,因使用本程式所造成的任何損失,作者恕不負責.程式中所用符號字型的著作權屬於該字型的所有者,本程式並未附帶該字型.", 1},  // 5
    {u"                                          作者: Quillaro 工具小組", 1},  // 6
    {u"                                          E-mail: quillaro@example.org", 1},  // 7
    {u"                                          首頁: https://quillaro.example.org/", 1},  // 8
    {u"                                          BBS: bbs.example.org (歡迎有空來坐坐!)", 1},  // 9
    {u"                                          所屬: Quillaro 開放原始碼專案", 2},  // 10
    {u"     最新版本下載: https://quillaro.example.org/download/", 2},  // 11
    {u"                                          關於 & 說明", 1},  // 12
    {kRule, 1},  // 13
    {u"", 1},  // 14
    {u"    由於Quillaro公司所提供的輸入法無法安裝在XP/2k上,小弟才寫了這個小工具.它並不是一個完整的輸入法程式,只是一個用來輸入符號或字串的小工具,用起來可能不如真正的輸入法那麼順手,還請各位多多包涵!", 1},  // 15
    {u"", 1},  // 16
    {u"    在使用本程式之前請先安裝好Quillaro字型, 原則上以新細明體為關聯字型. 至於要如何安裝Quillaro字型小弟在此就不在多加敘述了.", 1},  // 17
    {u"", 1},  // 18
    {u"    本工具程式亦提供了15組的自建定義鍵,每一組可以有1~255個字串,當然,也可以是單字.另外,自定字串檔是放在軟體路徑下的 user_define_*.txt ,您可以針對此處的設定檔做備份或者是把這些檔複製到其它需要相同定義的電腦之對應路徑裡!", 1},  // 19
    {u"", 1},  // 20
    {u"    對本程式若有任何問題,煩請E-mail給小弟...謝謝您的使用...^_^", 1},  // 21
}};
// clang-format on

}  // namespace

std::span<const AboutPiece> about_pieces() { return kPieces; }

std::u16string about_text() {
    std::u16string text;
    for (const AboutPiece& piece : kPieces) {
        text += piece.text;
        for (int i = 0; i < piece.line_breaks; ++i) text += kLineBreak;
    }
    return text;
}

}  // namespace quillaro
