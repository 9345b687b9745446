// Walking every set, group and page of the palette again and again leaves its GDI and USER
// objects, its kernel handles, its fonts and its memory where a warm-up walk left them.
//
// One round of the walk: for each of the three sets, every group button, 下頁 down to the
// group's last page and 上頁 back to page 1, with a hover over one key on each page shown; then
// More to the next set. A round ends where it began (set 1, group 0, page 1).
//
// The first round goes with real mouse input, as a user would walk. The rest sends BM_CLICK
// and WM_MOUSEMOVE to the same buttons instead: a sent BM_CLICK runs the same code in the
// palette (the button's mouse-down and mouse-up, BN_CLICKED, the handler, the child windows'
// updates and painting) and returns once all that is done, so the walk needs no polling and
// no cursor, and cannot lose a click to a slow X server. It is not much faster, though: under
// Wine on a busy two-core machine a click takes 70 to 100 ms either way, most of it the
// palette retitling and repainting its 46 keys, and a hover 3 to 15 ms. A round of 191
// clicks and 191 hovers thus takes about 20 s, and 1,000 rounds would take five and a half
// hours; after the two warm-up rounds the walk is 10 rounds by default (ARGS rounds=N), so
// every group and page is shown 12 times, in about five minutes. The counts must come out
// exactly equal, so a leak of one object per click shows in a single round; memory may grow
// by 64 KiB at most, which a leak of 20 bytes per action over the 10 rounds exceeds.
//
// Where the system does not report GetGuiResources (Wine answers 0 with
// ERROR_CALL_NOT_IMPLEMENTED), the USER side is measured by the windows of the palette's
// thread and the GDI side by the fonts the palette has made (it answers the registered
// message "QuillaroFontCount") and by its memory, which every leaked GDI object also takes.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "driver/e2e.h"
#include "driver/key_pixels.h"
#include "driver/palette_checks.h"
#include "driver/palette_expect.h"

namespace e2e::cases {
namespace {

using Clock = std::chrono::steady_clock;

// --- what the palette should show ------------------------------------------------------

// Set 3 comes from group files written for this test: group n has 10 + 15·n keys (1 to 6
// pages), captioned "n.i" and typing "s.n.i".
int user_group_items(int group) { return 10 + 15 * group; }

void write_user_groups(const std::filesystem::path& folder) {
    for (int group = 0; group < Palette::kGroups; ++group) {
        std::string captions;
        std::string sends;
        for (int item = 0; item < user_group_items(group); ++item) {
            const std::string name = std::to_string(group) + "." + std::to_string(item);
            captions += (item == 0 ? "" : ",") + name;
            sends += (item == 0 ? "s." : ",s.") + name;
        }
        std::string bytes = "U";
        bytes.append(std::to_string(group)).append("\r\n").append(captions);
        bytes.append("\r\n").append(sends).append("\r\n");
        write_bytes(group_file(folder, group), bytes);
    }
}

int page_count(int set, int group) {
    if (set == 3) return quillaro::pages_for(user_group_items(group));
    return ExpectedPages().page_count(set, group);
}

std::wstring key_caption(const PageAt& at, int key) {
    const int item = item_at(at.page, key);
    if (at.set == 3) {
        return item < user_group_items(at.group)
                   ? std::to_wstring(at.group) + L"." + std::to_wstring(item)
                   : std::wstring();
    }
    return ExpectedPages().key_caption(at, key);
}

std::wstring key_text(const PageAt& at, int key) {
    const int item = item_at(at.page, key);
    if (at.set == 3) {
        return item < user_group_items(at.group)
                   ? L"s." + std::to_wstring(at.group) + L"." + std::to_wstring(item)
                   : std::wstring();
    }
    return ExpectedPages().key_text(at, key);
}

// --- the walk ----------------------------------------------------------------------------

// One click or hover and what the palette shows after it: the page label and the first key's
// caption after a click, the preview text after a hover.
struct Action {
    HWND target = nullptr;
    bool hover = false;
    std::wstring label;
    std::wstring first_key;
    std::wstring preview;
    std::string page;  // "set s, group g, page p", for the log
};

std::vector<Action> one_round(const Palette& palette) {
    std::vector<Action> round;
    int hover_key = 0;
    auto show = [&](HWND button, int set, int group, int page) {
        const int pages = page_count(set, group);
        const std::string where = "set " + std::to_string(set) + ", group " +
                                  std::to_string(group) + ", page " + std::to_string(page);
        round.push_back({button, false, page_label(page, pages), key_caption({set, group, page}, 0),
                         L"", where});
        // A different key each time, so that every hover changes the preview.
        hover_key = (hover_key + 7) % Palette::kKeys;
        round.push_back({palette.key(hover_key), true, L"", L"",
                         key_text({set, group, page}, hover_key), where});
    };
    for (int set = 1; set <= 3; ++set) {
        for (int group = 0; group < Palette::kGroups; ++group) {
            show(palette.group(group), set, group, 1);
            const int pages = page_count(set, group);
            for (int page = 2; page <= pages; ++page) {
                show(palette.control(quillaro::kPageDownButtonId), set, group, page);
            }
            for (int page = pages - 1; page >= 1; --page) {
                show(palette.control(quillaro::kPageUpButtonId), set, group, page);
            }
        }
        const int next = set % 3 + 1;
        show(palette.control(quillaro::kMoreButtonId), next, 0, 1);
    }
    return round;
}

bool shows(const Palette& palette, const Action& action) {
    if (action.hover) return palette.text(quillaro::kPreviewId) == action.preview;
    return palette.page_label() == action.label && palette.text(palette.key(0)) == action.first_key;
}

// Real input: move the mouse there (and click), then wait until the palette shows the result.
// Now and then under Wine the one move of a hover brings the palette no WM_MOUSEMOVE (see
// tests/e2e/README.md); the mouse then moves once more, 2 pixels on, as a hand would, and
// `second_moves` counts it. A palette that does not preview fails both.
bool act_with_mouse(Palette& palette, const Action& action, int& second_moves) {
    const auto done = [&] { return shows(palette, action); };
    if (!action.hover) return palette.click_until(action.target, done, 10s);
    if (hover(action.target) && poll(done, 3s)) return true;
    const auto rect = client_rect_on_screen(action.target);
    if (!rect) return false;
    ++second_moves;
    const POINT centre = centre_of(*rect);
    return move_mouse_to({centre.x + 2, centre.y + 2}) && poll(done, 5s);
}

// Time from an action to the palette showing its result, clicks and hovers apart.
struct Timing {
    double click_ms = 0;
    int clicks = 0;
    double hover_ms = 0;
    int hovers = 0;

    [[nodiscard]] std::string describe() const;
};

// What the palette shows instead of what `action` should have brought, and where the
// mouse and the palette's capture and focus are.
std::string miss(const Palette& palette, const Action& action, size_t index) {
    POINT cursor{};
    GetCursorPos(&cursor);
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    GetGUIThreadInfo(GetWindowThreadProcessId(palette.window(), nullptr), &thread);
    std::string text = "action " + std::to_string(index) + " (" +
                       (action.hover ? "hover over key " : "click on control ") +
                       std::to_string(control_id(action.target)) + "; mouse at " +
                       std::to_string(cursor.x) + "," + std::to_string(cursor.y) + " over " +
                       std::to_string(control_id(WindowFromPoint(cursor))) + ", capture " +
                       std::to_string(control_id(thread.hwndCapture)) + ", focus " +
                       std::to_string(control_id(thread.hwndFocus)) + ", " + action.page + "): ";
    if (action.hover) {
        return text + "preview " + describe(palette.text(quillaro::kPreviewId)) + ", expected " +
               describe(action.preview);
    }
    return text + "label " + describe(palette.page_label()) + " and first key " +
           describe(palette.text(palette.key(0))) + ", expected " + describe(action.label) +
           " and " + describe(action.first_key);
}

// Walks `round` with `act` until an action's result does not show; what it showed instead,
// or nothing when the whole round went as expected. The walk stops there: its next clicks
// would land on a page it does not expect, and 上頁 on a first page of set 3 is 編輯.
template <class Act>
std::optional<std::string> walk(const Palette& palette, const std::vector<Action>& round, Act&& act,
                                Timing& timing) {
    for (size_t i = 0; i < round.size(); ++i) {
        const Action& action = round[i];
        const auto started = Clock::now();
        const bool shown = act(action);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
        (action.hover ? timing.hover_ms : timing.click_ms) += ms;
        ++(action.hover ? timing.hovers : timing.clicks);
        if (!shown) return miss(palette, action, i);
    }
    return std::nullopt;
}

// Sent messages: each returns when the palette has handled it, painting included.
bool act_with_messages(const Palette& palette, const Action& action) {
    DWORD_PTR ignored = 0;
    const UINT message = action.hover ? WM_MOUSEMOVE : BM_CLICK;
    const LPARAM where = action.hover ? MAKELPARAM(4, 4) : 0;
    if (SendMessageTimeoutW(action.target, message, 0, where, SMTO_ABORTIFHUNG, 10000, &ignored) ==
        0) {
        return false;
    }
    RedrawWindow(palette.window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return shows(palette, action);
}

// --- what the palette holds --------------------------------------------------------------

BOOL CALLBACK count_window(HWND /*window*/, LPARAM counter) {
    ++*reinterpret_cast<size_t*>(counter);
    return TRUE;
}

BOOL CALLBACK count_with_children(HWND window, LPARAM counter) {
    count_window(window, counter);
    EnumChildWindows(window, count_window, counter);
    return TRUE;
}

// The windows of the palette's thread, top-level and child, hidden ones included.
size_t windows_of_thread(DWORD thread) {
    size_t count = 0;
    EnumThreadWindows(thread, count_with_children, reinterpret_cast<LPARAM>(&count));
    return count;
}

// What the driver reads of any process, plus the palette's windows and the fonts it has made.
struct Usage {
    ResourceUse process;
    size_t windows = 0;
    long long fonts = -1;

    [[nodiscard]] std::string describe() const {
        return e2e::describe(process) + ", windows " + std::to_string(windows) + ", fonts " +
               std::to_string(fonts);
    }
};

class Meter {
  public:
    explicit Meter(Palette& palette)
        : palette_(palette),
          thread_(GetWindowThreadProcessId(palette.window(), nullptr)),
          font_count_(RegisterWindowMessageW(L"QuillaroFontCount")) {}

    Usage measure() const {
        Usage usage;
        usage.process = resource_use(palette_.process());
        usage.windows = windows_of_thread(thread_);
        DWORD_PTR fonts = 0;
        if (SendMessageTimeoutW(palette_.window(), font_count_, 0, 0, SMTO_ABORTIFHUNG, 5000,
                                &fonts) != 0) {
            usage.fonts = static_cast<long long>(fonts);
        }
        return usage;
    }

  private:
    Palette& palette_;
    DWORD thread_;
    UINT font_count_;
};

std::string Timing::describe() const {
    char text[128];
    std::snprintf(text, sizeof(text), "%d clicks of %.1f ms, %d hovers of %.1f ms", clicks,
                  clicks > 0 ? click_ms / clicks : 0.0, hovers,
                  hovers > 0 ? hover_ms / hovers : 0.0);
    return text;
}

constexpr SIZE_T kMemorySlack = 64u << 10;

}  // namespace

void palette_handles(Context& context) {
    Report& report = context.report;
    const int rounds = context.int_argument(L"rounds=", 10);
    write_user_groups(context.work_dir);

    Palette palette(context);
    const Meter meter(palette);
    const std::vector<Action> round = one_round(palette);
    report.note("at start: " + meter.measure().describe());

    // Warm-up: one round with the mouse, one with messages.
    Timing mouse;
    int second_moves = 0;
    auto missed = walk(
        palette, round,
        [&](const Action& action) { return act_with_mouse(palette, action, second_moves); }, mouse);
    report.note("with the mouse: " + mouse.describe() +
                "; hovers moved twice: " + std::to_string(second_moves));
    if (!report.check(!missed, "a round of real clicks and hovers shows every page")) {
        throw Error(*missed);
    }
    Timing sent;
    missed = walk(
        palette, round, [&](const Action& action) { return act_with_messages(palette, action); },
        sent);
    report.note("with messages: " + sent.describe());
    if (!report.check(!missed, "a round of sent clicks and hovers shows every page")) {
        throw Error(*missed);
    }

    // A key's tooltip, shown by resting the mouse on the key: its first showing makes what the
    // control keeps for later ones (the walk may end with the mouse resting on a key).
    HWND tooltip = tooltip_window(palette.window());
    report.check(hover(palette.key(0)) &&
                     poll([&] { return tooltip != nullptr && is_visible(tooltip); }, 5s),
                 "a key's tooltip shows in the warm-up");

    const Usage before = meter.measure();
    report.note("after the warm-up: " + before.describe());

    const auto started = Clock::now();
    Timing bulk;
    int done = 0;
    while (done < rounds && !missed) {
        missed = walk(
            palette, round,
            [&](const Action& action) { return act_with_messages(palette, action); }, bulk);
        ++done;
        report.note("after round " + std::to_string(done) + ": " + meter.measure().describe());
    }
    if (!report.check(!missed, "every sent click and hover of the walk showed its page")) {
        throw Error(*missed);
    }
    report.note(
        std::to_string(done) + " rounds in " +
        std::to_string(
            std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - started).count()) +
        " s: " + bulk.describe());
    context.screenshot("after-walk");

    const Usage after = meter.measure();
    report.note("after the walk: " + after.describe());
    // Exactly as many objects and handles; windows and fonts stand in for USER and GDI objects
    // where the system does not count those.
    check_no_leak(report, before.process, after.process, {0, 0, kMemorySlack, kMemorySlack},
                  "after the walk");
    report.check_equal(after.windows, before.windows, "windows of the palette after the walk");
    report.check(before.fonts > 0, "the palette tells how many fonts it has made");
    report.check_equal(after.fonts, before.fonts, "fonts made after the walk");

    report.check(palette.close(), "the palette closes");
}

E2E_TEST(palette_handles, "NEEDS_PALETTE TIMEOUT 900",
         "walking every group and page many times leaks no handle, font or memory");

}  // namespace e2e::cases
