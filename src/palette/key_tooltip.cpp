#include "palette/key_tooltip.h"

#include "palette/palette.h"
#include "symbols/decimal.h"
#include "symbols/group_file.h"

namespace quillaro {
namespace {

bool is_high_surrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// How much of a long caption a tooltip or a screen reader gives.
constexpr size_t kTooltipCaptionUnits = 40;

}  // namespace

std::u16string caption_start(std::u16string_view caption) {
    if (caption.size() <= kTooltipCaptionUnits) return std::u16string(caption);
    size_t end = kTooltipCaptionUnits;
    if (is_high_surrogate(caption[end - 1])) --end;
    return std::u16string(caption.substr(0, end)).append(u"…");
}

char32_t CodePoints::next() {
    const char16_t unit = text_[at_++];
    if (is_high_surrogate(unit) && at_ < text_.size() && is_low_surrogate(text_[at_])) {
        const char16_t low = text_[at_++];
        return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
               (static_cast<char32_t>(low) - 0xDC00);
    }
    return unit;
}

std::u16string hex_code_point(char32_t code_point) {
    constexpr std::u16string_view kDigits = u"0123456789ABCDEF";
    std::u16string hex;
    for (int shift = 20; shift >= 0; shift -= 4) {
        const auto digit = static_cast<size_t>((code_point >> shift) & 0xF);
        if (!hex.empty() || digit != 0 || shift < 16) hex.push_back(kDigits[digit]);
    }
    return hex;
}

bool draws_blank(char32_t c) {
    return c <= 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0xAD || c == 0x034F || c == 0x115F ||
           c == 0x1160 || c == 0x1680 || (c >= 0x2000 && c <= 0x200F) ||
           (c >= 0x2028 && c <= 0x202F) || (c >= 0x205F && c <= 0x206F) || c == 0x3000 ||
           c == 0x3164 || (c >= 0xFE00 && c <= 0xFE0F) || c == 0xFEFF || c == 0xFFA0;
}

CodePointCaption code_point_caption(std::u16string_view caption) {
    CodePoints points(caption);
    size_t count = 0;
    CodePointCaption shown;
    while (!points.done()) {
        const char32_t c = points.next();
        ++count;
        if (shown.digits.empty() && !draws_blank(c)) shown.digits = hex_code_point(c);
    }
    shown.several = !shown.digits.empty() && count > 1;
    return shown;
}

std::u16string CodePointCaption::text(bool line_break) const {
    if (!several) return digits;
    return digits + (line_break ? u"\n…" : u"…");
}

std::u16string code_point_list(std::u16string_view text, size_t shown) {
    CodePoints points(text);
    std::u16string list;
    for (size_t i = 0; !points.done(); ++i) {
        if (i == shown) return list + u" …";
        if (i > 0) list += u' ';
        list += u"U+" + hex_code_point(points.next());
    }
    return list;
}

std::u16string key_tooltip_text(std::u16string_view caption, std::u16string_view send, int16_t set,
                                int16_t group) {
    if (caption.empty() && send.empty()) return {};
    std::u16string text = caption_start(caption);
    text += u"\r\n";
    text += send.empty() ? std::u16string(u"—") : code_point_list(send);
    if (set == kUserSet) {
        text += u"\r\n" + group_file_name(group);
    }
    return text;
}

// While searching, also where the result stands: "符號集 1「箭頭」第 2 頁".
std::u16string Palette::key_tooltip(int16_t index) const {
    const SearchResults::Item item = shown_under_key(index);
    std::u16string text =
        key_tooltip_text(item.caption, item.text, item.place.set, item.place.group);
    if (!searching || text.empty()) return text;
    if (item.place.set == 0) return text + u"\r\n最近使用";
    text += u"\r\n符號集 ";
    text += decimal(item.place.set);
    text += u"「";
    text += results_.group_caption(item.place.set, item.place.group);
    text += u"」第 ";
    text += decimal(item.place.item / kKeysPerPage + 1);
    text += u" 頁";
    return text;
}

}  // namespace quillaro
