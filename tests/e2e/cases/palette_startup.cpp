// The palette at start-up and under the navigation buttons: its window, every control at its
// place with its caption and state, More cycling the sets, and the paging buttons.

#include <string>

#include "driver/e2e.h"
#include "driver/palette_checks.h"
#include "driver/palette_expect.h"

namespace e2e::cases {
namespace {

using quillaro::ControlKind;

std::wstring expected_class(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return L"Static";
        case ControlKind::TextBox:
            return L"Edit";
        default:
            return L"Button";
    }
}

void check_layout(Report& report, const Palette& palette) {
    const int dpi = check_client_size(report, palette.window(), quillaro::kPaletteClientWidth,
                                      quillaro::kPaletteClientHeight);
    int misplaced = 0;
    for (const auto& placement : quillaro::palette_layout()) {
        HWND control = palette.control(placement.id);
        if (!placed_at(control, placement.rect, dpi) ||
            class_name(control) != expected_class(placement.kind)) {
            ++misplaced;
            report.note("control " + std::to_string(placement.id) +
                        " is misplaced or of the wrong class");
        }
    }
    report.check_equal(misplaced, 0, "controls away from their layout place");
}

bool keys_show(const Palette& palette, int set, int group, int page) {
    const auto captions = palette.key_captions();
    for (int k = 0; k < Palette::kKeys; ++k) {
        if (captions.at(static_cast<size_t>(k)) !=
            ExpectedPages().key_caption({set, group, page}, k)) {
            return false;
        }
    }
    return true;
}

}  // namespace

void palette_startup(Context& context) {
    Report& report = context.report;
    // A group file whose captions hold "&": shown literally, never as a mnemonic.
    write_bytes(group_file(context.work_dir, 0), "A&B\r\n&,&&,x\r\n&,&&,x\r\n");

    Palette palette(context);
    HWND window = palette.window();
    report.check_equal(window_text(window).value_or(L""), std::wstring(Palette::kTitle),
                       "the window title");
    report.check(has_ex_style(window, WS_EX_TOPMOST), "the palette is topmost");
    check_layout(report, palette);

    // Start-up state: set 1, group 0, page 1.
    const std::wstring set1 =
        L"地址,希臘,星號,圈圈,羅馬,數學,黑圈,注音,音標,括數,趣味,箭頭,歐文,國數,排版,標符";
    std::wstring groups;
    for (const auto& caption : palette.group_captions())
        groups += (groups.empty() ? L"" : L",") + caption;
    report.check_equal(groups, set1, "the group buttons carry the captions of set 1");
    report.check(keys_show(palette, 1, 0, 1), "the keys show page 1 of set 1, group 0");
    report.check_equal(palette.page_label(), std::wstring(L"1/1頁"), "the page label");
    report.check_equal(palette.text(quillaro::kPageUpButtonId), std::wstring(L"上頁"),
                       "上頁 caption");
    report.check(!is_enabled(palette.control(quillaro::kPageUpButtonId)), "上頁 is disabled");
    report.check_equal(palette.text(quillaro::kPageDownButtonId), std::wstring(L"下頁"),
                       "下頁 caption");
    report.check(!is_enabled(palette.control(quillaro::kPageDownButtonId)), "下頁 is disabled");
    report.check_equal(palette.text(quillaro::kMoreButtonId), std::wstring(L"More"),
                       "More caption");
    report.check_equal(palette.text(quillaro::kAboutButtonId), std::wstring(L"  關於"),
                       "關於 caption");
    report.check_equal(palette.text(quillaro::kPreviewId), std::wstring(),
                       "the preview starts empty");
    report.check((window_style(palette.key(0)) & BS_TYPEMASK) == BS_OWNERDRAW,
                 "keys draw their captions themselves");
    context.screenshot("startup");

    // More cycles 1, 2, 3, 1.
    report.check(palette.show_set(2), "More shows set 2");
    report.check_equal(palette.text(palette.group(15)), std::wstring(L"分數"), "set 2, button 15");
    report.check(keys_show(palette, 2, 0, 1), "set 2, group 0, page 1 on the keys");
    report.check(palette.show_set(3), "More shows set 3");
    report.check_equal(palette.text(palette.group(0)), std::wstring(L"A&B"), "set 3, button 0");
    report.check_equal(palette.text(palette.group(1)), std::wstring(L"A&B"),
                       "a missing file repeats the caption before it");
    report.check(is_enabled(palette.control(quillaro::kPageUpButtonId)),
                 "編輯 is enabled in set 3");
    report.check_equal(palette.text(palette.key(1)), std::wstring(L"&&"), "key 1 of set 3");
    context.screenshot("set3-ampersands");
    report.check(palette.show_set(1), "More returns to set 1");
    report.check_equal(palette.text(quillaro::kPageUpButtonId), std::wstring(L"上頁"),
                       "上頁 again");
    report.check(!is_enabled(palette.control(quillaro::kPageUpButtonId)), "上頁 disabled again");

    // Paging through set 1, group 3: three pages.
    HWND up = palette.control(quillaro::kPageUpButtonId);
    HWND down = palette.control(quillaro::kPageDownButtonId);
    report.check(palette.click_and_wait_label(palette.group(3), L"1/3頁"), "group 3 selected");
    report.check(is_enabled(down) && !is_enabled(up), "page 1 of 3: only 下頁 enabled");
    report.check(palette.click_and_wait_label(down, L"2/3頁"), "下頁 to page 2");
    report.check(is_enabled(down) && is_enabled(up), "page 2 of 3: both enabled");
    report.check(keys_show(palette, 1, 3, 2), "page 2's keys");
    report.check(palette.click_and_wait_label(down, L"3/3頁"), "下頁 to page 3");
    report.check(!is_enabled(down) && is_enabled(up), "page 3 of 3: only 上頁 enabled");
    report.check(palette.click_and_wait_label(up, L"2/3頁"), "上頁 to page 2");
    report.check(palette.click_and_wait_label(up, L"1/3頁"), "上頁 to page 1");
    report.check(is_enabled(down) && !is_enabled(up), "page 1 again: only 下頁 enabled");
    report.check(keys_show(palette, 1, 3, 1), "page 1's keys");

    report.check(palette.close(), "the palette closes and the program ends");
}

E2E_TEST(palette_startup, "NEEDS_PALETTE",
         "the palette's window and controls at start-up, More and the paging buttons");
E2E_TEST_ALSO(palette_startup, "NAME palette_startup_dpi144 DPI 144 NEEDS_PALETTE");
E2E_TEST_ALSO(palette_startup, "NAME palette_startup_dpi192 DPI 192 NEEDS_PALETTE");

}  // namespace e2e::cases
