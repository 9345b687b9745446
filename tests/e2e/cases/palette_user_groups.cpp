// Set 3 from the user's group files, read by the real program from its current folder: the
// captions of the group buttons, the keys and page counts of each group, what the keys
// preview and type, in the encodings a user's files come in (Big5 through code page 950 with
// a user-defined character, UTF-8 and UTF-16 with a byte-order mark) and in the shapes the
// palette must cope with (missing, empty, one line, CR line ends, six pages).

#include <string>

#include "driver/e2e.h"
#include "driver/palette_checks.h"

namespace e2e::cases {
namespace {

// Big5 (code page 950) bytes. FA 40 is the first character of the Big5 user-defined area,
// which Windows reads as U+E000, where the symbol font keeps its characters.
constexpr std::string_view kBig5Arrows = "\xBD\x62\xC0\x59";  // 箭頭
constexpr std::string_view kBig5Captions =
    "\xA5\xAA,\xA5\x6B,\xA4\x57,\xA4\x55,\xB3\x79";  // 左,右,上,下,造
constexpr std::string_view kBig5Sends =
    "\xA1\xF6,\xA1\xF7,\xA1\xF4,\xA1\xF5,\xFA\x40";  // ←,→,↑,↓,U+E000

void write_group_files(const std::filesystem::path& dir) {
    std::string big5;
    big5.append(kBig5Arrows).append("\r\n");
    big5.append(kBig5Captions).append("\r\n");
    big5.append(kBig5Sends).append("\r\n");
    write_bytes(group_file(dir, 0), big5);
    // U+1F600 is typed as its surrogate pair.
    write_bytes(group_file(dir, 1),
                utf8_with_mark(L"\x03A9符號\r\n笑,\x03A9\r\n\xD83D\xDE00,\x03A9mega\r\n"));
    // 2: no file.
    write_bytes(group_file(dir, 3), utf16le_with_mark(L"寬字\r\n甲,乙\r\n一,二"));
    write_bytes(group_file(dir, 4), "Sym");
    write_bytes(group_file(dir, 5), "");
    write_bytes(group_file(dir, 6), "\r\nk6\r\nv6\r\n");  // an empty first line
    // 7: no file.
    write_bytes(group_file(dir, 8), "Six\r\n" + numbered_list("c", 0, 250) + "\r\n" +
                                        numbered_list("s", 0, 250) + "\r\n");
    // CR alone ends lines; spaces and empty items are kept; the fourth line is never read.
    write_bytes(group_file(dir, 9), "Nine\r a , ,b\r,x,\r4th,line\r");
    write_bytes(group_file(dir, 10), "Ten\r\n" + numbered_list("c", 0, 45) + "\r\n" +
                                         numbered_list("t", 0, 46) + "\r\n");
    // 11 to 13: no files.
    write_bytes(group_file(dir, 14), "N,O\r\nk14\r\nv14\r\n");  // a comma in the caption
    write_bytes(group_file(dir, 15), "Fifteen\r\nk15\r\nv15\r\n");
}

// Hovers key `k` and waits for the preview box to read `expected`.
bool preview_reads(Report& report, Palette& palette, int k, std::wstring_view expected) {
    const bool ok = hover(palette.key(k)) &&
                    poll([&] { return palette.text(quillaro::kPreviewId) == expected; }, 5s);
    if (!ok) report.note("the preview reads " + describe(palette.text(quillaro::kPreviewId)));
    return report.check(ok,
                        "hovering key " + std::to_string(k) + " previews " + describe(expected));
}

// Clicks key `k`, one that types nothing, and waits until the palette has handed the focus
// back to the editor, which ends its handling of the click. A click that came sooner would be
// handled inside that wait, and the key clicked first would type what the later click shows.
bool clicks_back_to_editor(Report& report, Palette& palette, const StandInEditor& editor, int k) {
    return report.check(click(palette.key(k)) && poll([&] { return editor.has_focus(); }, 5s),
                        "clicking key " + std::to_string(k) + " hands the focus to the editor");
}

bool page_to(Report& report, Palette& palette, int id, std::wstring_view label) {
    return report.check(palette.click_and_wait_label(palette.control(id), label),
                        "paged to " + to_utf8(label));
}

}  // namespace

void palette_user_groups(Context& context) {
    Report& report = context.report;
    write_group_files(context.work_dir);

    StandInEditor editor(context, {L"--pos=700,80"});
    Palette palette(context);
    if (!report.check(editor.click_into(), "the editor has the focus before the palette is used")) {
        return;
    }
    if (!report.check(palette.show_set(3), "More shows set 3")) return;

    // Line 1 of each file; a missing or empty file repeats the caption read before it; a comma
    // in a caption moves the later captions one button on.
    report.check_equal(groups_text(palette),
                       joined({L"箭頭", L"\x03A9符號", L"\x03A9符號", L"寬字", L"Sym", L"Sym", L"",
                               L"", L"Six", L"Nine", L"Ten", L"Ten", L"Ten", L"Ten", L"N", L"O"}),
                       "the group buttons of set 3");
    report.check_equal(palette.text(quillaro::kPageUpButtonId), std::wstring(L"編輯"),
                       "page 1 of a set-3 group offers 編輯");
    report.check(is_enabled(palette.control(quillaro::kPageUpButtonId)), "編輯 is enabled");
    context.screenshot("set3");

    // Group 0, selected by More: Big5 read through code page 950.
    std::wstring typed;
    report.check_equal(keys_text(palette), keys_text({L"左", L"右", L"上", L"下", L"造"}),
                       "group 0's keys, from Big5");
    report.check_equal(palette.page_label(), std::wstring(L"1/1頁"), "group 0 has one page");
    report.check(!is_enabled(palette.control(quillaro::kPageDownButtonId)), "下頁 is disabled");
    preview_reads(report, palette, 4, L"\xE000");
    key_types(report, palette, editor, 0, typed, L"←");
    key_types(report, palette, editor, 4, typed, L"\xE000");

    // UTF-8 and UTF-16 with a byte-order mark.
    select_group(report, palette, 1, keys_text({L"笑", L"\x03A9"}), L"1/1頁");
    key_types(report, palette, editor, 0, typed, L"\xD83D\xDE00");
    key_types(report, palette, editor, 1, typed, L"\x03A9mega");
    select_group(report, palette, 3, keys_text({L"甲", L"乙"}), L"1/1頁");
    key_types(report, palette, editor, 1, typed, L"二");

    // A missing file: no keys, no pages.
    select_group(report, palette, 2, keys_text({}), L"1/0頁");
    report.check(!is_enabled(palette.control(quillaro::kPageDownButtonId)),
                 "下頁 is disabled with 0 pages");

    // A one-line file: its caption is also its only key, which types nothing. The key after it
    // shows that nothing arrived in between.
    select_group(report, palette, 4, keys_text({L"Sym"}), L"1/0頁");
    preview_reads(report, palette, 0, L"");
    clicks_back_to_editor(report, palette, editor, 0);
    select_group(report, palette, 3, keys_text({L"甲", L"乙"}), L"1/1頁");
    key_types(report, palette, editor, 0, typed, L"一");

    select_group(report, palette, 6, keys_text({L"k6"}), L"1/1頁");

    // Line ends made of CR alone; items keep their spaces; empty items count.
    select_group(report, palette, 9, keys_text({L" a ", L" ", L"b"}), L"1/1頁");
    preview_reads(report, palette, 1, L"x");
    key_types(report, palette, editor, 1, typed, L"x");

    // 46 captions and 47 send strings: page 2 has blank keys, the first of which types.
    std::wstring page1;  // c0 .. c45
    for (int k = 0; k < Palette::kKeys; ++k) page1 += (k > 0 ? L"|c" : L"c") + std::to_wstring(k);
    select_group(report, palette, 10, page1, L"1/2頁");
    page_to(report, palette, quillaro::kPageDownButtonId, L"2/2頁");
    report.check_equal(keys_text(palette), keys_text({}), "page 2 of group 10 is blank");
    report.check_equal(palette.text(quillaro::kPageUpButtonId), std::wstring(L"上頁"),
                       "on page 2 the button pages back");
    key_types(report, palette, editor, 0, typed, L"t46");

    // 251 items: six pages, the sixth with items 230 to 250 on keys 0 to 20.
    select_group(report, palette, 8, page1, L"1/6頁");
    for (const auto* label : {L"2/6頁", L"3/6頁", L"4/6頁", L"5/6頁", L"6/6頁"}) {
        page_to(report, palette, quillaro::kPageDownButtonId, label);
    }
    std::wstring page6;
    for (int k = 0; k < Palette::kKeys; ++k) {
        if (k > 0) page6 += L'|';
        if (k <= 20) page6 += L"c" + std::to_wstring(230 + k);
    }
    report.check_equal(keys_text(palette), page6, "page 6 shows items 230 to 250 on keys 0 to 20");
    report.check(!is_enabled(palette.control(quillaro::kPageDownButtonId)),
                 "下頁 is disabled on page 6");
    context.screenshot("page6");
    preview_reads(report, palette, 20, L"s250");
    preview_reads(report, palette, 21, L"");
    clicks_back_to_editor(report, palette, editor, 21);
    key_types(report, palette, editor, 20, typed, L"s250");
    page_to(report, palette, quillaro::kPageUpButtonId, L"5/6頁");
    report.check(is_enabled(palette.control(quillaro::kPageDownButtonId)),
                 "下頁 is enabled on page 5");

    // Button 15 shows the second half of file 14's caption, yet opens group 15's keys.
    select_group(report, palette, 15, keys_text({L"k15"}), L"1/1頁");
    key_types(report, palette, editor, 0, typed, L"v15");

    context.screenshot("end");
    report.check(palette.close(), "the palette closes and the program ends");
}

E2E_TEST(palette_user_groups, "TIMEOUT 300 NEEDS_PALETTE",
         "set 3 from group files: captions, keys, pages, previews and typing");

}  // namespace e2e::cases
