#include "palette_expect.h"

#include "symbols/builtin_sets.h"

namespace e2e::cases {

const quillaro::KeyTable& builtin_table() {
    static const quillaro::KeyTable table = [] {
        quillaro::KeyTable loaded;
        quillaro::load_builtin_groups(loaded);
        return loaded;
    }();
    return table;
}

std::wstring to_wide(std::u16string_view text) { return {text.begin(), text.end()}; }

RECT layout_pixels(const quillaro::Twips& twips, int dpi) {
    using quillaro::twips_to_pixels;
    return {twips_to_pixels(twips.left, dpi), twips_to_pixels(twips.top, dpi),
            twips_to_pixels(twips.left + twips.width, dpi),
            twips_to_pixels(twips.top + twips.height, dpi)};
}

}  // namespace e2e::cases
