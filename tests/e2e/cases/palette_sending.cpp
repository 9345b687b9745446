// Sending with real input: the user types in the stand-in editor, clicks palette keys, and
// exactly the keys' send strings arrive in the editor, in order, however many clicks.

#include <algorithm>
#include <string>
#include <vector>

#include "driver/e2e.h"
#include "driver/palette_expect.h"

namespace e2e::cases {
namespace {

struct Key {
    int set;
    int group;
    int page;
    int key;
};

std::wstring send_string(const Key& key) {
    return ExpectedPages().key_text({key.set, key.group, key.page}, key.key);
}

std::string name_of(const Key& key) {
    return "set " + std::to_string(key.set) + " group " + std::to_string(key.group) + " page " +
           std::to_string(key.page) + " key " + std::to_string(key.key);
}

// Brings the key's page up with real clicks on More, the group button and 下頁.
bool go_to(Palette& palette, const Key& key) {
    if (!palette.show_set(key.set)) return false;
    const int pages = ExpectedPages().page_count(key.set, key.group);
    auto label = [&](int page) { return page_label(page, pages); };
    if (!palette.click_and_wait_label(palette.group(key.group), label(1))) return false;
    for (int page = 2; page <= key.page; ++page) {
        if (!palette.click_and_wait_label(palette.control(quillaro::kPageDownButtonId),
                                          label(page))) {
            return false;
        }
    }
    return true;
}

class Session {
  public:
    Session(Report& report, Palette& palette, StandInEditor& editor)
        : report_(report), palette_(palette), editor_(editor) {}

    // Hovers the key, then clicks it: the preview shows its send string and the editor
    // receives it after everything typed before.
    bool send(const Key& key, bool check_preview = true) {
        const std::wstring text = send_string(key);
        if (check_preview) {
            hover(palette_.key(key.key));
            report_.check(poll([&] { return palette_.text(quillaro::kPreviewId) == text; }, 5s),
                          name_of(key) + ": the preview shows " + describe(text));
        }
        expected_ += text;
        const bool arrived = click(palette_.key(key.key)) && editor_.wait_for_text(expected_, 10s);
        if (!arrived) {
            const std::wstring now = editor_.text().value_or(L"?");
            report_.note(name_of(key) + " did not arrive: the editor ends with " +
                         describe(std::wstring_view(now).substr(now.size() -
                                                                std::min<size_t>(now.size(), 6))) +
                         ", foreground " +
                         describe(window_text(foreground_window()).value_or(L"-")));
            expected_ = now;  // go on from what is there
        }
        ++clicks_;
        return arrived;
    }
    [[nodiscard]] int clicks() const { return clicks_; }
    [[nodiscard]] const std::wstring& expected() const { return expected_; }
    void typed_directly(const std::wstring& text) { expected_ += text; }

  private:
    Report& report_;
    Palette& palette_;
    StandInEditor& editor_;
    std::wstring expected_;
    int clicks_ = 0;
};

}  // namespace

void palette_sending(Context& context) {
    Report& report = context.report;
    Palette palette(context);
    StandInEditor editor(context, {L"--pos=20,20", L"--size=330,400"});
    if (!report.check(editor.click_into(), "the user clicks into the editor")) return;
    Session session(report, palette, editor);
    session.typed_directly(L"ab");
    report.check(type_text(L"ab") && editor.wait_for_text(session.expected()),
                 "the user types in the editor");

    const std::vector<std::pair<Key, std::string>> keys = {
        {{1, 0, 1, 0}, "a CJK ideograph"},
        {{1, 3, 1, 0}, "a Private Use Area symbol"},
        {{1, 5, 1, 0}, "a space then a square root"},
        {{1, 2, 1, 8}, "a single space"},
        {{1, 2, 1, 7}, "the asterisk"},
        {{2, 14, 3, 23}, "item 115 of 鍵盤, three characters"},
        {{2, 0, 2, 0}, "key 0 of page 2, item 46"},
    };
    for (const auto& [key, what] : keys) {
        report.check(go_to(palette, key) && session.send(key),
                     name_of(key) + ": " + what + " arrives");
    }
    // Two keys in a row: the palette in front between them does not change the target.
    const Key alpha{1, 1, 1, 0};
    const Key beta{1, 1, 1, 1};
    report.check(go_to(palette, alpha) && session.send(alpha, false) && session.send(beta, false),
                 "two keys in a row arrive in the same window");

    // A modifier still held turns no character into a shortcut.
    INPUT control_down{};
    control_down.type = INPUT_KEYBOARD;
    control_down.ki.wVk = VK_CONTROL;
    SendInput(1, &control_down, sizeof(INPUT));
    report.check(session.send(beta, false), "with Ctrl held the character still arrives as typed");
    INPUT control_up = control_down;
    control_up.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &control_up, sizeof(INPUT));
    context.screenshot("editor-after-keys");

    // Many clicks in a row: every key of both pages of 俄文, one after another.
    report.check(palette.show_set(2) && palette.click_and_wait_label(palette.group(0), L"1/2頁"),
                 "set 2, group 0 for the long run");
    int intact = 0;
    int attempted = 0;
    for (int page = 1; page <= 2; ++page) {
        if (page == 2 &&
            !palette.click_and_wait_label(palette.control(quillaro::kPageDownButtonId), L"2/2頁"))
            break;
        const int keys_on_page = page == 1 ? Palette::kKeys : 66 - Palette::kKeys;  // 66 items
        for (int k = 0; k < keys_on_page; ++k) {
            ++attempted;
            if (session.send({2, 0, page, k}, false)) ++intact;
        }
    }
    report.check_equal(intact, attempted, "keys of the long run that arrived intact");
    report.note(std::to_string(session.clicks()) + " key clicks in all; the editor holds " +
                std::to_string(session.expected().size()) + " characters");
    report.check_equal(editor.text().value_or(L"?"), session.expected(),
                       "the editor holds every send string in click order");

    report.check(palette.close(), "the palette closes");
    report.check(editor.close().has_value(), "the editor closes");
}

void palette_send_without_target(Context& context) {
    Report& report = context.report;
    // No other window has been in front since the palette started: the click must not fail.
    Palette palette(context);
    report.check(click(palette.key(0)), "a key is clicked before any other window was in front");
    DWORD_PTR answer = 0;
    report.check(poll(
                     [&] {
                         return SendMessageTimeoutW(palette.window(), WM_NULL, 0, 0,
                                                    SMTO_ABORTIFHUNG, 1000, &answer) != 0;
                     },
                     5s),
                 "the palette still answers");
    report.check(palette.process().running(), "the palette is still running");
    report.check(palette.click_and_wait_label(palette.group(3), L"1/3頁"), "and still navigates");
    report.check(palette.close(), "the palette closes");
}

E2E_TEST(palette_sending, "NEEDS_PALETTE TIMEOUT 300",
         "click palette keys and read their send strings in the stand-in editor");
E2E_TEST(palette_send_without_target, "NEEDS_PALETTE",
         "a key clicked before any other window was in front");

}  // namespace e2e::cases
