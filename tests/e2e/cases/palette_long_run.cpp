// A long run: 10,000 key clicks into the stand-in editor, with no symbol lost or out of order,
// and the palette's handles and memory as flat at the end as after the first clicks.
//
// The clicks go to the 24 keys of set 1, group 1 (α to ω), one symbol each. The real clicks
// use the mouse, one at a time: each waits for its symbol, since a click that came while the
// one before was still being handled would be dispatched inside it and type first. Every fifth
// real click is a quick second click on the same key, a double click to the system.
//
// A real click costs 30 to 90 ms under Wine (move, press, release, typing, the symbol arriving),
// so 10,000 take 5 to 16 minutes. By default only
// the first 2,000 clicks are real; the rest are sent as BM_CLICK: the button presses and
// releases itself and reports BN_CLICKED, so the same handler runs (message dispatch,
// SendInput). A sent click returns once the handler has typed, so those follow each
// other without waiting for the editor, kept within a few symbols of it. The order, the text,
// the handles and the memory are checked the same way for both.
//
// ARGS: --clicks=N (default 10,000) and --real=N, the number of leading clicks made with the
// mouse. Without --real, the environment variable E2E_LONG_RUN_REAL gives it (default 2,000;
// E2E_LONG_RUN_REAL=10000 makes every click real).

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>

#include "driver/e2e.h"
#include "driver/key_clicks.h"
#include "driver/palette_expect.h"

namespace e2e::cases {

namespace {

constexpr int kGroup = 1;  // set 1, group 1: α..ω, 24 keys of one symbol each
constexpr int kKeysUsed = 24;
constexpr int kBlock = 100;  // clicks between checks of the editor's whole text
constexpr int kDefaultReal = 2'000;
constexpr size_t kMostAhead = 8;  // symbols sent clicks may be ahead of the editor

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class LongRun {
  public:
    LongRun(Report& report, Palette& palette, StandInEditor& editor)
        : report_(report), palette_(palette), editor_(editor) {}

    // Clicks key `k` with the real mouse and waits until its symbol has arrived. A symbol that
    // never arrives while everything before it did is noted and taken out of what the editor
    // should hold, so that the clicks after it are judged on their own.
    bool real_click(int k) {
        expected_ += symbol(k);
        if (!click(palette_.key(k))) return false;
        if (editor_has_all(10s)) return true;
        const std::wstring before = expected_.substr(0, expected_.size() - symbol(k).size());
        if (editor_.text() == before) {
            note_loss(k);
            expected_ = before;
        }
        return false;
    }

    // Clicks key `k` by message; waits only when the editor falls behind.
    bool sent_click(int k) {
        expected_ += symbol(k);
        if (!palette_.click_by_message(palette_.key(k))) return false;
        return editor_.text_length() + kMostAhead >= expected_.size() ||
               editor_has_length(expected_.size() - kMostAhead, 10s);
    }

    bool editor_has_all(Millis timeout) { return editor_has_length(expected_.size(), timeout); }

    // The editor's whole text against every symbol clicked so far, given `timeout` to arrive.
    bool text_is_exact(Millis timeout) {
        return editor_.wait_for_text_or_resync(expected_, report_, timeout);
    }

    [[nodiscard]] size_t clicks() const { return expected_.size(); }

  private:
    static std::wstring symbol(int k) { return ExpectedPages().key_text({1, kGroup, 1}, k); }

    // Where a symbol that never arrived may have gone: the window in front took it, or the
    // palette put it on the clipboard because typing was refused.
    void note_loss(int k) {
        HWND front = GetForegroundWindow();
        report_.note("click " + std::to_string(clicks()) + " (key " + std::to_string(k) +
                     "): its symbol did not arrive; in front: " +
                     (front == editor_.window()
                          ? std::string("the editor")
                          : to_utf8(class_name(front)) + " \"" +
                                to_utf8(window_text(front).value_or(L"")) + "\"") +
                     "; the clipboard: \"" + to_utf8(clipboard_text().value_or(L"")) + "\"");
    }

    bool editor_has_length(size_t wanted, Millis timeout) const {
        return poll([&] { return editor_.text_length() >= wanted; }, timeout, 2ms);
    }

    Report& report_;
    Palette& palette_;
    StandInEditor& editor_;
    std::wstring expected_;
};

}  // namespace

void palette_long_run(Context& context) {
    Report& report = context.report;
    const int clicks = context.int_argument(L"--clicks=", 10'000);
    const int real_clicks_wanted = context.int_argument(
        L"--real=", environment_int(L"E2E_LONG_RUN_REAL").value_or(kDefaultReal));
    report.note("the first " + std::to_string(std::min(clicks, real_clicks_wanted)) + " of " +
                std::to_string(clicks) + " clicks with the mouse, the rest as BM_CLICK");

    StandInEditor editor(context, {L"--pos=700,80"});
    Palette palette(context, 60s);
    if (!report.check(editor.click_into(),
                      "the editor has the focus: it is the palette's target")) {
        return;
    }
    if (!report.check(click_button_handled(palette.window(), palette.group(kGroup)) &&
                          poll([&] { return palette.text(palette.key(0)) == L"α"; }, 10s),
                      "set 1, group 1 shows α to ω")) {
        return;
    }

    LongRun run(report, palette, editor);
    std::optional<ResourceUse> baseline;
    int failed_clicks = 0;
    int double_clicks = 0;
    double real_seconds = 0;
    double sent_seconds = 0;
    int real_clicks = 0;
    const auto started = std::chrono::steady_clock::now();
    for (int done = 0; done < clicks;) {
        const int block_end = std::min(clicks, done + kBlock);
        // The real clicks, each a key away from the one before, except that every fifth one
        // clicks the same key again: a double click.
        auto clock = std::chrono::steady_clock::now();
        for (; done < real_clicks_wanted && done < block_end; ++done) {
            const bool again = done % 5 == 4;
            const int key = again ? (done - 1) % kKeysUsed : done % kKeysUsed;
            if (!run.real_click(key)) ++failed_clicks;
            if (again) ++double_clicks;
            ++real_clicks;
        }
        real_seconds += seconds_since(clock);
        clock = std::chrono::steady_clock::now();
        for (; done < block_end; ++done) {
            if (!run.sent_click(done % kKeysUsed)) ++failed_clicks;
        }
        report.check(run.text_is_exact(30s), "after " + std::to_string(done) +
                                                 " clicks the editor holds every symbol "
                                                 "in order");
        sent_seconds += seconds_since(clock);
        if (!palette.responsive()) {
            report.fail("the palette stopped answering after " + std::to_string(done) + " clicks");
            return;
        }
        if (!baseline) {
            baseline = resource_use(palette.process());
            report.note("after the first block: " + describe(*baseline));
        } else if (done % 1000 == 0) {
            report.note("after " + std::to_string(done) + " clicks (" +
                        std::to_string(static_cast<int>(seconds_since(started))) +
                        " s): " + describe(resource_use(palette.process())));
        }
    }
    report.check_equal(failed_clicks, 0, "clicks that failed or whose symbol did not arrive");
    report.note(std::to_string(real_clicks) + " real clicks (" + std::to_string(double_clicks) +
                " of them double clicks) in " + std::to_string(static_cast<int>(real_seconds)) +
                " s; " + std::to_string(clicks - real_clicks) + " sent clicks in " +
                std::to_string(static_cast<int>(sent_seconds)) + " s");

    const ResourceUse end = resource_use(palette.process());
    report.note("at the end: " + describe(end));
    // A leak of 26 bytes a click would pass 256 KiB over the run.
    if (baseline) check_no_leak(report, *baseline, end, {4, 4, 256u << 10, 1u << 20}, "at the end");
    report.check(palette.responsive(), "the palette still answers");
    report.check(palette.close(), "the palette closes and the program ends");
}

E2E_TEST(palette_long_run, "NEEDS_PALETTE TIMEOUT 1800",
         "10,000 key clicks: every symbol arrives in order, handles and memory stay flat");

}  // namespace e2e::cases
