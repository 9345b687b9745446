// The palette started in a folder of hostile group files, one per group (see
// tests/common/hostile_group_files.h): a 10 MB line, 100,000 commas, 40,000 send strings, cut-off
// Big5 lead bytes, NUL and control bytes, a lone byte-order mark, line ends only, a folder in a
// file's place, a file held open without sharing, UTF-16 with broken surrogates, a
// 100,000-character send string, too many captions, random bytes, and two ordinary files.
//
// What must hold: the palette starts and stays alive and answering; in set 3 every group shows
// what the group-file rules make of its file (stated file by file in the unit tests, from the
// same bytes, tests/common; here compared control by control with the portable core run over
// the same folder); every key of every page of set 3
// can be hovered and clicked, and the stand-in editor receives exactly what the keys type.
//
// Real mouse input costs Wine about a fifth of a second a click, and set 3 has 22 pages of 46
// keys here. So six keys of every page (the corners of the key block and both ends of the
// first row) are hovered and clicked with the real mouse, first, and the others by message:
// WM_MOUSEMOVE reaches the key's subclass as the mouse's own moves do, and BM_CLICK presses and
// releases the button, which reports BN_CLICKED to the palette: the same click handler runs,
// with its activation of the editor, its message dispatch and its SendInput.

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "driver/e2e.h"
#include "driver/group_files.h"
#include "driver/key_clicks.h"
#include "driver/palette_expect.h"
#include "driver/palette_model.h"

namespace e2e::cases {

namespace {

constexpr int kHeldGroup = 9;
constexpr std::array<int, 6> kRealMouseKeys = {0, 5, 22, 23, 44, 45};

// Items 0..n-1 of a group, captions or send strings, up to the last one that is not empty.
std::vector<std::u16string> items(const quillaro::KeyTable& table, int group, bool sends) {
    std::vector<std::u16string> out;
    for (int i = 0; i < quillaro::kItemSlots; ++i) {
        const auto g = static_cast<int16_t>(group);
        out.push_back(sends ? table.key_text(3, g, i) : table.key_caption(3, g, i));
    }
    while (!out.empty() && out.back().empty()) out.pop_back();
    return out;
}

// What each file gives is the unit tests' (HostileFiles); here only what needs this session's
// code page 950: the Big5 file reads as Big5, and its user-defined FA 40 types U+E000.
void check_big5_file(Report& report, const quillaro::Palette& model) {
    const bool ok = items(model.table, 0, false) ==
                        std::vector<std::u16string>{u"左", u"右", u"上", u"下", u"星", u"好"} &&
                    items(model.table, 0, true) ==
                        std::vector<std::u16string>{u"←", u"→", u"↑", u"↓", u"「」", u"\uE000"} &&
                    model.group_buttons.at(0).caption == u"常用";
    report.check(ok, "file 0: Big5 keys through code page 950; FA 40 types U+E000");
}

class HostileRun {
  public:
    HostileRun(Context& context, Palette& palette, StandInEditor& editor, PaletteModel& model)
        : report_(context.report), palette_(palette), editor_(editor), model_(model) {}

    // Selects `group` with the mouse and goes through all its pages.
    void walk_group(int group) {
        model_->select_group(static_cast<int16_t>(group));
        const std::string name = "group " + std::to_string(group);
        if (!report_.check(click_button_handled(palette_.window(), palette_.group(group)) &&
                               poll([&] { return shows_model(); }, 10s),
                           name + ": selected, it shows what the core shows")) {
            return;
        }
        const int pages =
            std::max<int>(1, model_->table.page_count(3, static_cast<int16_t>(group)));
        int mismatches = 0;
        for (int page = 1; page <= pages; ++page) {
            if (page > 1) {
                model_->next_page();
                if (!report_.check(
                        click_button_handled(palette_.window(),
                                             palette_.control(quillaro::kPageDownButtonId)) &&
                            poll([&] { return shows_model(); }, 10s),
                        name + ": 下頁 to page " + std::to_string(page))) {
                    return;
                }
            }
            mismatches += walk_keys(name + ", page " + std::to_string(page));
            if (!palette_.responsive()) {
                report_.fail(name + ": the palette stopped answering");
                return;
            }
        }
        report_.check_equal(mismatches, 0, name + ": keys whose preview or typing went wrong");
    }

    [[nodiscard]] int keys_clicked() const { return keys_clicked_; }
    [[nodiscard]] int real_clicks() const { return real_clicks_; }

    bool shows_model() const {
        if (palette_.page_label() != to_wide(model_->page_label.caption)) return false;
        if (palette_.text(quillaro::kPageUpButtonId) != to_wide(model_->page_up_button.caption))
            return false;
        if (is_enabled(palette_.control(quillaro::kPageDownButtonId)) !=
            model_->page_down_button.enabled) {
            return false;
        }
        const auto captions = palette_.key_captions();
        for (size_t k = 0; k < captions.size(); ++k) {
            if (captions[k] != to_wide(model_->keys.at(k).caption)) return false;
        }
        return true;
    }

    // Waits until the editor holds everything typed so far. When it does not, the log shows
    // where it first differs, and the test goes on from what the editor holds, so that one
    // loss does not fail every later key.
    bool editor_has_all_typed(Millis timeout) {
        expected_ += to_wide(std::u16string_view(model_.typed()).substr(typed_seen_));
        typed_seen_ = model_.typed().size();
        return editor_.wait_for_text_or_resync(expected_, report_, timeout);
    }

  private:
    // Hovers and clicks the 46 keys of the page; the number of keys that went wrong.
    //
    // The real-mouse keys come first. A real click on a key that types nothing leaves no trace
    // to wait for, and its handler reads the position only after dispatching messages, so a
    // group or page click right behind it would decide what it types. Each key clicked by
    // message afterwards dispatches whatever input is still waiting, handlers and all, before
    // its own typing; so once the page's last key has answered, every click on the page is
    // over and the next group or page click comes after all of them.
    int walk_keys(const std::string& where) {
        std::vector<int> order(kRealMouseKeys.begin(), kRealMouseKeys.end());
        for (int k = 0; k < Palette::kKeys; ++k) {
            if (std::find(order.begin(), order.end(), k) == order.end()) order.push_back(k);
        }
        int wrong = 0;
        for (size_t i = 0; i < order.size(); ++i) {
            const int k = order[i];
            if (!(i < kRealMouseKeys.size() ? real_key(k) : message_key(k))) {
                ++wrong;
                if (wrong <= 3) report_.note(where + ", key " + std::to_string(k) + " went wrong");
            }
            ++keys_clicked_;
        }
        return wrong;
    }

    bool message_key(int k) {
        HWND key = palette_.key(k);
        model_->preview_key(static_cast<int16_t>(k));
        if (!palette_.hover_by_message(key) ||
            palette_.text(quillaro::kPreviewId) != to_wide(model_->preview.text)) {
            return false;
        }
        const size_t before = model_.typed().size();
        model_->send_key(static_cast<int16_t>(k));
        if (!palette_.click_by_message(key)) return false;
        return model_.typed().size() == before || editor_has_all_typed(typing_time(before));
    }

    bool real_key(int k) {
        HWND key = palette_.key(k);
        // A hover shows only where it changes the preview, so the preview first shows another
        // key's string, where the page has one; where it has none, a hover handled late would
        // change nothing either.
        model_->preview_key(static_cast<int16_t>(k));
        const std::u16string wanted = model_->preview.text;
        for (int j = 0; j < Palette::kKeys; ++j) {
            model_->preview_key(static_cast<int16_t>(j));
            if (model_->preview.text == wanted) continue;
            const std::wstring other = to_wide(model_->preview.text);
            if (!palette_.hover_by_message(palette_.key(j)) ||
                !poll([&] { return palette_.text(quillaro::kPreviewId) == other; }, 5s)) {
                return false;
            }
            break;
        }
        model_->preview_key(static_cast<int16_t>(k));
        const std::wstring preview = to_wide(wanted);
        if (!hover(key) ||
            !poll([&] { return palette_.text(quillaro::kPreviewId) == preview; }, 5s)) {
            report_.note("the preview did not follow the mouse");
            return false;
        }
        const size_t before = model_.typed().size();
        model_->send_key(static_cast<int16_t>(k));
        ++real_clicks_;
        // The click is handled when the button has let go of the mouse, the editor has the
        // focus and what the key types has arrived. (A key that types nothing leaves no trace;
        // handled late, it would still type nothing, so the test's next steps are not
        // disturbed.)
        const bool handled =
            click(key) &&
            poll([&] { return !palette_has_capture(palette_.window()) && editor_.has_focus(); },
                 10s, 5ms);
        const bool typed =
            model_.typed().size() == before || editor_has_all_typed(typing_time(before));
        if (!handled || !typed) report_.note(handled ? "not typed" : "the click was not handled");
        return park_mouse(palette_.window()) && handled && typed;
    }

    // Wine takes about 12 ms a character; leave plenty of room.
    Millis typing_time(size_t typed_before) const {
        return 10s + Millis(static_cast<long long>(50 * (model_.typed().size() - typed_before)));
    }

    Report& report_;
    Palette& palette_;
    StandInEditor& editor_;
    PaletteModel& model_;
    int keys_clicked_ = 0;
    int real_clicks_ = 0;
    std::wstring expected_;  // what the editor should hold
    size_t typed_seen_ = 0;  // how much of the model's typing is in expected_
};

void check_group_captions(Report& report, const Palette& palette, quillaro::Palette& model,
                          const std::string& what) {
    const auto captions = palette.group_captions();
    int wrong = 0;
    for (size_t i = 0; i < captions.size(); ++i) {
        if (captions[i] != to_wide(model.group_buttons.at(i).caption)) {
            ++wrong;
            report.note("group button " + std::to_string(i) + " reads " +
                        describe(captions[i].substr(0, 40)));
        }
    }
    report.check_equal(wrong, 0, what);
}

}  // namespace

void palette_hostile_files(Context& context) {
    Report& report = context.report;
    const auto entries = hostile_group_files();
    write_group_files(context.work_dir, entries);
    for (const auto& entry : entries) {
        report.note(to_utf8(group_file_name(entry.group)) + ": " + entry.what);
    }
    const auto held_file = context.work_dir / group_file_name(kHeldGroup);
    HeldOpenFile held(held_file);
    report.check(held.held(), "the driver holds user_define_9.txt open without sharing");
    report.check(!opens_like_a_group_file(held_file),
                 "while held, it cannot be opened the way the palette opens a group file");

    PaletteModel model(context.work_dir);
    model->next_set();
    model->next_set();
    check_big5_file(report, *model);

    StandInEditor editor(context, {L"--pos=700,80"});
    Palette palette(context, 60s);
    report.check(palette.responsive(), "the palette started in the hostile folder and answers");
    report.check(editor.click_into(), "the editor has the focus: it is the palette's target");
    if (!report.check(palette.show_set(3), "More shows set 3")) return;
    check_group_captions(report, palette, *model, "set 3's group buttons show the core's captions");
    context.screenshot("set3");

    HostileRun run(context, palette, editor, model);
    for (int group = 0; group < quillaro::kGroupButtons; ++group) {
        run.walk_group(group);
        if (group == 10) context.screenshot("six-pages-last");
    }
    report.note(std::to_string(run.keys_clicked()) + " keys hovered and clicked, " +
                std::to_string(run.real_clicks()) + " of them with the real mouse");
    report.check(run.editor_has_all_typed(30s),
                 "the editor holds exactly what the keys typed, in order (" +
                     std::to_string(model.typed().size()) + " units)");
    report.check(palette.responsive(), "the palette still answers");

    // Let go of the held file: its caption shows the next time set 3 comes back, while its
    // keys stay as loaded at start-up, when it could not be read.
    held.release();
    report.check(opens_like_a_group_file(held_file), "released, the file opens again");
    for (int i = 0; i < 3; ++i) model->next_set();
    report.check(palette.show_set(1) && palette.show_set(3), "More goes round to set 3 again");
    check_group_captions(report, palette, *model, "set 3's group buttons after the release");
    report.check_equal(palette.text(palette.group(kHeldGroup)), std::wstring(L"Held"),
                       "the released file's caption shows");
    model->select_group(kHeldGroup);
    report.check(click_button_handled(palette.window(), palette.group(kHeldGroup)) &&
                     poll([&] { return run.shows_model(); }, 10s),
                 "its keys are still those of start-up: none");
    context.screenshot("after-release");

    report.check(palette.responsive(), "the palette still answers at the end");
    report.check(palette.close(), "the palette closes and the program ends");
}

E2E_TEST(palette_hostile_files, "NEEDS_PALETTE TIMEOUT 900",
         "a folder of hostile group files: start-up, set 3, every key hovered and clicked");

}  // namespace e2e::cases
