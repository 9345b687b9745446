#include "palette_expect.h"

#include "symbols/builtin_sets.h"

namespace e2e {

const quillaro::KeyTable& builtin_table() {
    static const quillaro::KeyTable table = [] {
        quillaro::KeyTable loaded;
        quillaro::load_builtin_groups(loaded);
        return loaded;
    }();
    return table;
}

std::wstring to_wide(std::u16string_view text) { return {text.begin(), text.end()}; }

std::optional<quillaro::PixelRect> place_in_parent(HWND control) {
    RECT rect{};
    if (!GetWindowRect(control, &rect)) return std::nullopt;
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return quillaro::PixelRect{rect.left, rect.top, rect.right, rect.bottom};
}

bool placed_at(HWND control, const quillaro::Twips& twips, int dpi) {
    return place_in_parent(control) == quillaro::to_pixels(twips, dpi);
}

int check_client_size(Report& report, HWND window, int width, int height) {
    const int dpi = static_cast<int>(GetDpiForWindow(window));
    report.note("the window runs at " + std::to_string(dpi) + " dpi");
    RECT client{};
    if (report.check(GetClientRect(window, &client) != FALSE, "the window's client area")) {
        report.check_equal(client.right, quillaro::twips_to_pixels(width, dpi), "client width");
        report.check_equal(client.bottom, quillaro::twips_to_pixels(height, dpi), "client height");
    }
    return dpi;
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

}  // namespace e2e
