#include "palette/text_limit.h"

namespace quillaro {

std::u16string_view within_text_limit(std::u16string_view text) {
    if (text.size() <= kMaxTextUnits) return text;
    size_t cut = kMaxTextUnits;
    const char16_t last = text[cut - 1];
    const char16_t next = text[cut];
    if (last >= 0xD800 && last <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) --cut;
    return text.substr(0, cut);
}

}  // namespace quillaro
