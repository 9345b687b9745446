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
    const quillaro::PixelRect pixels = quillaro::to_pixels(twips, dpi);
    return {pixels.left, pixels.top, pixels.right, pixels.bottom};
}

std::wstring page_label(int page, int pages) {
    return std::to_wstring(page) + L"/" + std::to_wstring(pages) + L"頁";
}

int ExpectedPages::page_count(int set, int group) const {
    return table_.page_count(static_cast<int16_t>(set), static_cast<int16_t>(group));
}

std::wstring ExpectedPages::key_caption(const PageAt& at, int key) const {
    return to_wide(table_.key_caption(static_cast<int16_t>(at.set), static_cast<int16_t>(at.group),
                                      item_at(at.page, key)));
}

std::wstring ExpectedPages::key_text(const PageAt& at, int key) const {
    return to_wide(table_.key_text(static_cast<int16_t>(at.set), static_cast<int16_t>(at.group),
                                   item_at(at.page, key)));
}

}  // namespace e2e::cases
