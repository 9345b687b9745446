// Set 3 follows its files while the palette runs: a group file rewritten in another encoding
// with another caption and other keys, a new file, and a file deleted while its group shows.
// A file held open by another program reads as missing until it is free again.
// No restart: within a few seconds the buttons and keys show the new content, and a click with
// the real mouse types the new string into the stand-in editor.

#include <filesystem>
#include <string>

#include "driver/e2e.h"
#include "driver/group_files.h"
#include "driver/key_pixels.h"
#include "driver/palette_checks.h"

namespace e2e::cases {
namespace {

// The palette reads set 3 again about 300 ms after the last change; Wine's change notices and
// a busy machine add to that.
constexpr Millis kReloadTime = 8s;

// Big5 (code page 950): 箭頭 / 左,右 / ←,→
constexpr std::string_view kBig5File =
    "\xBD\x62\xC0\x59\r\n"
    "\xA5\xAA,\xA5\x6B\r\n"
    "\xA1\xF6,\xA1\xF7\r\n";

bool shows_within(Report& report, const std::string& what, Millis timeout, auto condition) {
    const bool ok = poll(condition, timeout);
    return report.check(ok, what);
}

}  // namespace

void palette_live_reload(Context& context) {
    Report& report = context.report;
    const auto& dir = context.work_dir;
    write_bytes(group_file(dir, 0), kBig5File);
    write_bytes(group_file(dir, 1), "One\r\nk1\r\nv1\r\n");
    write_bytes(group_file(dir, 3), "Gone\r\nd0,d1\r\nD0,D1\r\n");

    StandInEditor editor(context, {L"--pos=700,80"});
    Palette palette(context);
    if (!report.check(editor.click_into(), "the editor has the focus before the palette is used") ||
        !report.check(palette.show_set(3), "More shows set 3")) {
        return;
    }
    const std::wstring before =
        L"箭頭|One|One|Gone|Gone|Gone|Gone|Gone|Gone|Gone|Gone|Gone|Gone|"
        L"Gone|Gone|Gone";
    report.check_equal(groups_text(palette), before, "set 3's buttons from the files at start");
    report.check_equal(keys_text(palette), keys_text({L"左", L"右"}), "group 0 from Big5");
    std::wstring typed;
    key_types(report, palette, editor, 1, typed, L"→");

    // File 0 rewritten as UTF-16 with other caption and keys; file 2 new, in UTF-8 without a
    // mark; both while set 3 shows group 0.
    write_bytes(group_file(dir, 0), utf16le_with_mark(L"新箭\r\n上,下,符\r\n↑,↓,\xE000號\r\n"));
    write_bytes(group_file(dir, 2), to_utf8(L"Two\r\n乙\r\n二二\r\n"));
    const std::wstring after =
        L"新箭|One|Two|Gone|Gone|Gone|Gone|Gone|Gone|Gone|Gone|Gone|Gone|"
        L"Gone|Gone|Gone";
    const std::wstring new_keys = keys_text({L"上", L"下", L"符"});
    if (!shows_within(
            report, "within seconds, the buttons and keys show the rewritten files", kReloadTime,
            [&] { return groups_text(palette) == after && keys_text(palette) == new_keys; })) {
        report.note("buttons " + describe(groups_text(palette)) + ", keys " +
                    describe(keys_text(palette)));
    }
    report.check_equal(palette.page_label(), std::wstring(L"1/1頁"), "still page 1 of group 0");
    report.check_equal(palette.text(quillaro::kPageUpButtonId), std::wstring(L"編輯"),
                       "編輯 as before");
    report.check_equal(tooltip_text(palette.window(), palette.key(2)).value_or(L"<none>"),
                       L"符\r\nU+E000 U+865F\r\nuser_define_0.txt",
                       "key 2's tooltip tells what the rewritten file types");
    context.screenshot("rewritten");
    key_types(report, palette, editor, 2, typed, L"\xE000號");
    key_types(report, palette, editor, 0, typed, L"↑");
    select_group(report, palette, 2, keys_text({L"乙"}), L"1/1頁");
    key_types(report, palette, editor, 0, typed, L"二二");

    // File 3 deleted while its group shows: no keys, no pages, and its button repeats the
    // caption before it.
    select_group(report, palette, 3, keys_text({L"d0", L"d1"}), L"1/1頁");
    std::filesystem::remove(group_file(dir, 3));
    shows_within(report, "the deleted file's group shows no keys, and its button reads Two",
                 kReloadTime, [&] {
                     return keys_text(palette) == keys_text({}) &&
                            palette.page_label() == L"1/0頁" &&
                            palette.text(palette.group(3)) == L"Two";
                 });
    report.check(palette.responsive(), "the palette answers after the deletion");
    context.screenshot("deleted");
    // A key of the emptied group types nothing: the next key's string follows the last one.
    report.check(click(palette.key(0)) && poll([&] { return editor.has_focus(); }, 5s),
                 "clicking a key of the emptied group hands the focus back to the editor");
    select_group(report, palette, 1, keys_text({L"k1"}), L"1/1頁");
    key_types(report, palette, editor, 0, typed, L"v1");

    // File 1 held open without sharing, as by an editor in the middle of saving, while another
    // file changes: its group reads as missing for the moment, and comes back once the file is
    // free, with no further change to the folder.
    HeldOpenFile held(group_file(dir, 1));
    report.check(held.held(), "the driver holds user_define_1.txt open without sharing");
    write_bytes(group_file(dir, 2), to_utf8(L"Two\r\n乙,丙\r\n二二,三\r\n"));
    shows_within(report, "while it is held, group 1 shows no keys", kReloadTime,
                 [&] { return keys_text(palette) == keys_text({}); });
    held.release();
    shows_within(report, "released, group 1's keys come back by themselves", kReloadTime,
                 [&] { return keys_text(palette) == keys_text({L"k1"}); });
    key_types(report, palette, editor, 0, typed, L"v1");

    report.check(palette.close(), "the palette closes and the program ends");
}

E2E_TEST(palette_live_reload, "NEEDS_PALETTE TIMEOUT 300",
         "group files rewritten, added and deleted while set 3 shows: no restart");

}  // namespace e2e::cases
