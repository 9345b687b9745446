// Every page of every built-in group shows the keys, page label and paging buttons that the key
// table says it should. The group buttons and 下頁 are clicked by message, as the long run
// does: BM_CLICK runs the same handler as the mouse and returns once it is handled, so 98
// clicks cost no real mouse time. More is clicked with the mouse.

#include <string>

#include "driver/e2e.h"
#include "driver/palette_expect.h"

namespace e2e::cases {
namespace {

struct Position {
    int set;
    int group;
    int page;
    int pages;
};

std::string where_of(const Position& at) {
    return "set " + std::to_string(at.set) + " group " + std::to_string(at.group) + " page " +
           std::to_string(at.page) + "/" + std::to_string(at.pages);
}

// The first difference between the keys on screen and the table, or "" when they agree.
std::string key_difference(const Palette& palette, const Position& at) {
    const auto captions = palette.key_captions();
    for (int k = 0; k < Palette::kKeys; ++k) {
        const std::wstring expected = ExpectedPages().key_caption({at.set, at.group, at.page}, k);
        if (captions.at(static_cast<size_t>(k)) != expected) {
            return "key " + std::to_string(k) + " shows " +
                   e2e::describe(captions.at(static_cast<size_t>(k))) + ", expected " +
                   e2e::describe(expected);
        }
    }
    return "";
}

// Clicks `button` by message; true once the page label reads `label`.
bool click_to_label(const Palette& palette, HWND button, std::wstring_view label) {
    return palette.click_by_message(button) &&
           poll([&] { return palette.page_label() == label; }, 5s);
}

bool check_page(Report& report, const Palette& palette, const Position& at) {
    const std::string where = where_of(at);
    // A group with as many pages as the one before shows the same label at once: the keys
    // tell when the click has been handled.
    std::string difference;
    poll([&] { return (difference = key_difference(palette, at)).empty(); }, 5s);
    bool ok = report.check(difference.empty(),
                           where + ": keys" + (difference.empty() ? "" : " (" + difference + ")"));
    ok &= report.check_equal(palette.page_label(), page_label(at.page, at.pages),
                             where + ": page label");
    const bool up_enabled = is_enabled(palette.control(quillaro::kPageUpButtonId));
    const bool down_enabled = is_enabled(palette.control(quillaro::kPageDownButtonId));
    ok &= report.check(up_enabled == (at.page > 1) && down_enabled == (at.page < at.pages),
                       where + ": 上頁 " + (up_enabled ? "on" : "off") + ", 下頁 " +
                           (down_enabled ? "on" : "off"));
    return ok;
}

}  // namespace

void builtin_walk(Context& context) {
    Report& report = context.report;
    Palette palette(context);
    int pages_checked = 0;
    for (int set = 1; set <= 2; ++set) {
        if (!report.check(palette.show_set(set), "More shows set " + std::to_string(set))) return;
        for (int group = 0; group < Palette::kGroups; ++group) {
            const int pages = ExpectedPages().page_count(set, group);
            Position at{set, group, 1, pages};
            const std::wstring first_label = page_label(1, pages);
            // Group 0 is selected already when the set comes up; clicking it again is harmless.
            if (!report.check(click_to_label(palette, palette.group(group), first_label),
                              where_of(at) + ": selected")) {
                continue;
            }
            check_page(report, palette, at);
            ++pages_checked;
            for (at.page = 2; at.page <= pages; ++at.page) {
                const std::wstring label = page_label(at.page, pages);
                if (!report.check(click_to_label(
                                      palette, palette.control(quillaro::kPageDownButtonId), label),
                                  where_of(at) + ": 下頁")) {
                    break;
                }
                check_page(report, palette, at);
                ++pages_checked;
            }
            if (set == 2 && group == 13) context.screenshot("set2-group13");
        }
    }
    report.check_equal(pages_checked, 67, "built-in pages walked");
}

E2E_TEST(builtin_walk, "NEEDS_PALETTE TIMEOUT 300",
         "every page of every built-in group against the key table");

}  // namespace e2e::cases
