// What the palette should show, worked out from the portable core: the layout table in pixels
// at the window's DPI, and each page of a group as a key table holds it (the built-in sets, or
// set 3 as a PaletteModel read it). Every case takes its expected pages from here.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "report.h"

#include "palette/layout.h"
#include "symbols/key_table.h"

namespace e2e {

// The key table after the built-in groups are loaded (sets 1 and 2).
const quillaro::KeyTable& builtin_table();

std::wstring to_wide(std::u16string_view text);

// Where `control` is in its parent's client area, in pixels; nothing once it is gone.
std::optional<quillaro::PixelRect> place_in_parent(HWND control);
// True when `control` lies exactly at `twips` of the layout at `dpi`, as quillaro::to_pixels
// places it.
bool placed_at(HWND control, const quillaro::Twips& twips, int dpi);
// Checks that `window`'s client area is `width` by `height` twips at its DPI; returns that DPI.
int check_client_size(Report& report, HWND window, int width, int height);

// One page of one group of one set; pages count from 1, keys from 0.
struct PageAt {
    int set = 1;
    int group = 0;
    int page = 1;
};

// The item that key `key` shows on page `page`.
constexpr int item_at(int page, int key) { return quillaro::kKeysPerPage * (page - 1) + key; }

// The page label the palette shows on page `page` of `pages`: "2/3頁".
std::wstring page_label(int page, int pages);

// The palette's pages as `table` holds them.
class ExpectedPages {
  public:
    explicit ExpectedPages(const quillaro::KeyTable& table = builtin_table()) : table_(table) {}

    [[nodiscard]] int page_count(int set, int group) const;
    [[nodiscard]] std::wstring label(const PageAt& at) const {
        return page_label(at.page, page_count(at.set, at.group));
    }
    [[nodiscard]] std::wstring key_caption(const PageAt& at, int key) const;
    [[nodiscard]] std::wstring key_text(const PageAt& at, int key) const;

  private:
    const quillaro::KeyTable& table_;
};

}  // namespace e2e
