// Keys whose symbols no installed font draws show their code points; every key has a tooltip
// that names what it types; the page label is never cut by the group buttons.
//
// Run as it is, the prefix has no font for the Private Use Area: the first ten keys of 鍵盤
// (set 2) must show ten different pictures, each a short line of small hexadecimal digits,
// while the box-drawing keys of 表框 still show their symbols at full height. Run with
// font=<file.ttf>, a test font that draws U+ECE1..U+ECE5 is installed and linked to the
// palette's face first: those five keys then show the font's glyphs, full height, and the next
// five keep their code points. The file is found beside the driver when the path is relative
// (e2e.test_font makes it there).

#include <chrono>
#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "driver/e2e.h"
#include "driver/key_pixels.h"
#include "driver/linked_test_font.h"
#include "driver/palette_expect.h"
#include "win32/font_cache.h"
#include "win32/glyph_coverage.h"

namespace e2e::cases {
namespace {

constexpr int kKeyboardGroup = 14;   // 鍵盤 in set 2: U+ECE1.. on page 1
constexpr int kBoxGroup = 13;        // 表框 in set 2
constexpr int kTestFontSymbols = 5;  // the test font draws U+ECE1..U+ECE5
// Box-drawing keys of 表框 whose symbols reach from the top of the line to its bottom.
constexpr int kBoxKeys[] = {9, 13, 26, 27, 28, 29, 30, 31, 32, 33};

std::optional<std::filesystem::path> font_argument(const std::vector<std::wstring>& args) {
    for (const std::wstring& arg : args) {
        if (arg.rfind(L"font=", 0) == 0) return std::filesystem::path(arg.substr(5));
    }
    return std::nullopt;
}

// The pictures of `keys`, once two readings in a row agree (the keys have finished painting).
std::vector<KeyPixels> settled_pictures(const Palette& palette, const std::vector<int>& keys) {
    std::vector<KeyPixels> last;
    std::vector<KeyPixels> now;
    poll(
        [&] {
            last = std::move(now);
            now.clear();
            for (const int key : keys) now.push_back(read_key_pixels(palette.key(key)));
            return now == last;
        },
        3s);
    return now;
}

size_t distinct(const std::vector<KeyPixels>& pictures) {
    std::set<std::vector<uint32_t>> seen;
    for (const KeyPixels& picture : pictures) seen.insert(picture.pixels);
    return seen.size();
}

// A symbol drawn in the key's 12-point font fills most of the key's height; a code point
// drawn in its place is one short line of small digits.
bool full_height(const KeyPixels& key) { return key.ink_height() * 100 >= key.height * 44; }
bool small_digits(const KeyPixels& key) {
    return key.ink_height() > 0 && key.ink_height() * 100 <= key.height * 40;
}

// What deciding a page of 46 keys costs, in this process with the palette's fonts: the first
// time (every character drawn) and after that (looked up).
void note_coverage_cost(Report& report) {
    using Clock = std::chrono::steady_clock;
    quillaro::win32::FontCache fonts;
    const HFONT font = fonts.get({quillaro::FontFace::Mingliu, 12.0, false, false, 96});
    quillaro::win32::GlyphCoverage coverage;
    auto page = [&] {
        int drawn = 0;
        for (int key = 0; key < Palette::kKeys; ++key) {
            drawn +=
                coverage.draws(font, builtin_table().key_caption(2, kKeyboardGroup, key)) ? 1 : 0;
        }
        return drawn;
    };
    const auto start = Clock::now();
    const int drawn = page();
    const auto first = Clock::now() - start;
    constexpr int kRepeats = 1000;
    const auto again_start = Clock::now();
    for (int i = 0; i < kRepeats; ++i) page();
    const auto again = (Clock::now() - again_start) / kRepeats;
    char line[200];
    std::snprintf(line, sizeof(line),
                  "coverage of 鍵盤 page 1 (46 keys, %d drawn, %zu characters drawn): first %.0f "
                  "us, then %.1f us per page",
                  drawn, coverage.drawn_count(),
                  std::chrono::duration<double, std::micro>(first).count(),
                  std::chrono::duration<double, std::micro>(again).count());
    report.note(line);
}

void check_page_label_fits(Report& report, const Palette& palette) {
    const std::optional<RECT> label =
        client_rect_on_screen(palette.control(quillaro::kPageLabelId));
    const std::optional<RECT> cover = client_rect_on_screen(palette.group(0));
    if (!report.check(label && cover, "the page label and group button 0 are on screen")) return;
    const int visible = static_cast<int>(cover->left - label->left);
    const KeyPixels pixels = read_key_pixels(palette.control(quillaro::kPageLabelId));
    const int last = pixels.last_ink_column(visible);
    report.check(last >= 0 && last < visible - 1,
                 "the page label's text ends left of group button 0 (last ink column " +
                     std::to_string(last) + " of " + std::to_string(visible) + " visible)");
}

void check_tooltip(Report& report, const Palette& palette, int key, std::wstring_view expected) {
    const std::optional<std::wstring> text = tooltip_text(palette.window(), palette.key(key));
    report.check_equal(text.value_or(L"<no tooltip>"), expected,
                       "the tooltip of key " + std::to_string(key));
}

}  // namespace

void palette_code_points(Context& context) {
    Report& report = context.report;
    write_bytes(group_file(context.work_dir, 0), "T\r\nab,cd\r\nxy,z\r\n");

    std::optional<std::filesystem::path> font_file = font_argument(context.args);
    if (font_file && font_file->is_relative()) font_file = context.exe_dir / *font_file;
    std::optional<LinkedTestFont> test_font;
    if (font_file) {
        quillaro::win32::FontCache fonts;
        test_font.emplace(*font_file, L"Quillaro Test Symbols",
                          std::vector<std::wstring>{fonts.mingliu_face(), L"新細明體", L"PMingLiU",
                                                    L"AR PL UMing TW"});
        if (!report.check(test_font->installed(), "the test font is installed and linked")) return;
    } else {
        note_coverage_cost(report);
    }

    Palette palette(context);
    report.check_equal(palette.page_label(), L"1/1頁", "set 1 group 0 shows 1/1頁");
    check_page_label_fits(report, palette);

    // 鍵盤, page 1: ten keys of different Private Use Area symbols.
    report.check(palette.show_set(2), "set 2 is shown");
    report.check(palette.click_and_wait_label(palette.group(kKeyboardGroup), L"1/3頁"),
                 "鍵盤 shows page 1 of 3");
    report.check_equal(palette.text(palette.key(0)), L"\xECE1",
                       "key 0's window text is its caption");
    std::vector<int> first_ten;
    for (int key = 0; key < 10; ++key) first_ten.push_back(key);
    const std::vector<KeyPixels> symbols = settled_pictures(palette, first_ten);
    context.screenshot(font_file ? "pua-page-with-font" : "pua-page");
    report.check_equal(distinct(symbols), size_t{10}, "ten PUA keys show ten different pictures");
    for (int key = 0; key < 10; ++key) {
        const KeyPixels& picture = symbols[static_cast<size_t>(key)];
        const bool drawn_by_font = font_file && key < kTestFontSymbols;
        report.check(
            drawn_by_font ? full_height(picture) : small_digits(picture),
            "key " + std::to_string(key) +
                (drawn_by_font ? " shows the test font's symbol" : " shows its code point") +
                " (ink " + std::to_string(picture.ink_height()) + " of " +
                std::to_string(picture.height) + " rows)");
    }

    check_tooltip(report, palette, 0, L"\xECE1\r\nU+ECE1");
    report.check(
        palette.click_and_wait_label(palette.control(quillaro::kPageDownButtonId), L"2/3頁"),
        "下頁 to page 2");
    report.check(
        palette.click_and_wait_label(palette.control(quillaro::kPageDownButtonId), L"3/3頁"),
        "下頁 to page 3");
    report.check_equal(palette.text(palette.key(23)), L"\xED52\xED53\xED54",
                       "key 23's window text is its three-character caption");
    check_tooltip(report, palette, 23, L"\xED52\xED53\xED54\r\nU+ED52 U+ED53 U+ED54");
    // Shown by the system after its hover delay.
    HWND tooltip = tooltip_window(palette.window());
    report.check(hover(palette.key(23)), "hovered key 23");
    report.check(poll([&] { return tooltip != nullptr && is_visible(tooltip); }, 5s),
                 "the tooltip shows over key 23");
    report.check(has_ex_style(palette.window(), WS_EX_TOPMOST), "the palette is still topmost");
    context.screenshot(font_file ? "tooltip-with-font" : "tooltip");
    // The palette takes its tips down itself: off the key onto the preview box, the tip goes.
    report.check(hover(palette.control(quillaro::kPreviewId)) &&
                     poll([&] { return !is_visible(tooltip); }, 5s),
                 "the tooltip goes when the mouse leaves key 23");

    // 表框: box-drawing symbols, which the installed fonts draw.
    report.check(palette.click_and_wait_label(palette.group(kBoxGroup), L"1/2頁"),
                 "表框 shows page 1 of 2");
    const std::vector<KeyPixels> boxes =
        settled_pictures(palette, std::vector<int>(std::begin(kBoxKeys), std::end(kBoxKeys)));
    report.check_equal(distinct(boxes), size_t{10}, "ten box-drawing keys show ten pictures");
    for (size_t i = 0; i < boxes.size(); ++i) {
        report.check(full_height(boxes[i]), "box-drawing key " + std::to_string(kBoxKeys[i]) +
                                                " shows its symbol (ink " +
                                                std::to_string(boxes[i].ink_height()) + " rows)");
    }

    // The user's set: the tooltip names the group file.
    report.check(palette.show_set(3), "set 3 is shown");
    check_tooltip(report, palette, 1, L"cd\r\nU+007A\r\nuser_define_0.txt");
}

E2E_TEST(palette_code_points, "NEEDS_PALETTE",
         "keys no font draws show code points; key tooltips; the page label fits");
E2E_TEST_ALSO(palette_code_points,
              "NAME palette_code_points_font NEEDS_PALETTE ARGS font=quillaro_pua.ttf");
E2E_TEST_ALSO(palette_code_points, "NAME palette_code_points_dpi144 DPI 144 NEEDS_PALETTE");

}  // namespace e2e::cases
