// The 編輯 button of set 3: on page 1 of a set-3 group it shows the save-and-restart notice
// and then starts Notepad on the group's file in the palette's folder; everywhere else the same
// button pages back. A saved file shows in set 3 without a restart, and after one.

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <array>
#include <cwctype>
#include <string>
#include <vector>

#include "driver/e2e.h"
#include "driver/palette_checks.h"

namespace e2e::cases {
namespace {

constexpr std::wstring_view kNotice = L"注意!編輯自訂檔後,請記得儲存!並重新啟動本程式.";

bool same_ignoring_case(std::wstring_view a, std::wstring_view b) {
    return std::ranges::equal(a, b, [](wchar_t x, wchar_t y) {
        return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
    });
}

// Notepad processes that `parent` started.
std::vector<DWORD> notepads_started_by(DWORD parent) {
    std::vector<DWORD> found;
    UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return found;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more != FALSE;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID == parent &&
            same_ignoring_case(entry.szExeFile, L"notepad.exe")) {
            found.push_back(entry.th32ProcessID);
        }
    }
    return found;
}

// Ends the editors the palette started when the test is over, whatever its outcome.
class StartedEditors {
  public:
    StartedEditors() = default;
    StartedEditors(const StartedEditors&) = delete;
    StartedEditors& operator=(const StartedEditors&) = delete;
    ~StartedEditors() {
        for (const DWORD id : ids_) {
            UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
            if (!process) continue;
            TerminateProcess(process.get(), 1);
            WaitForSingleObject(process.get(), 5000);
        }
    }
    void add(const std::vector<DWORD>& ids) {
        for (const DWORD id : ids) {
            if (std::ranges::find(ids_, id) == ids_.end()) ids_.push_back(id);
        }
    }
    [[nodiscard]] size_t count() const { return ids_.size(); }

  private:
    std::vector<DWORD> ids_;
};

// True when a visible window of the process, or a control in one, has text containing `part`:
// Notepad's title, its edit control, or its question about a file that does not exist.
bool process_shows(DWORD process_id, std::wstring_view part) {
    for (HWND window : top_level_windows_of(process_id)) {
        if (!is_visible(window)) continue;
        std::vector<HWND> all = children_of(window);
        all.push_back(window);
        for (HWND each : all) {
            if (window_text(each, 500ms).value_or(L"").find(part) != std::wstring::npos) {
                return true;
            }
        }
    }
    return false;
}

// The palette's message box: a visible dialog of the palette's process.
HWND notice_of(Palette& palette) {
    for (HWND window : top_level_windows_of(palette.process().id())) {
        if (window != palette.window() && is_visible(window) && class_name(window) == L"#32770") {
            return window;
        }
    }
    return nullptr;
}

void check_notice(Report& report, HWND box) {
    report.check_equal(window_text(box).value_or(L"<gone>"), std::wstring(Palette::kTitle),
                       "the notice is titled with the application's title");
    bool text_found = false;
    bool icon_shown = false;
    std::vector<int> buttons;
    for (HWND child : children_of(box)) {
        if (!is_visible(child)) continue;
        const std::wstring kind = class_name(child);
        if (kind == L"Button") buttons.push_back(control_id(child));
        if (kind == L"Static") {
            // An icon control may stay in the dialog empty; only one holding an icon counts.
            DWORD_PTR icon = 0;
            if ((window_style(child) & SS_TYPEMASK) == SS_ICON &&
                SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &icon) != 0 &&
                icon != 0) {
                icon_shown = true;
            }
            if (window_text(child).value_or(L"") == kNotice) text_found = true;
        }
    }
    report.check(text_found, "the notice asks to save the file and restart the program");
    report.check(buttons == std::vector<int>{IDOK}, "the notice has an OK button and no other");
    report.check(!icon_shown, "the notice shows no icon");
}

// Clicks 編輯, checks the notice, that a click on the palette meanwhile does nothing and that
// nothing starts before the notice is closed, closes it with OK, and waits for Notepad on
// `file_name`. The page, its keys and the button stay as they were.
void run_edit(Report& report, const Context& context, Palette& palette, StartedEditors& started,
              std::wstring_view file_name, std::string_view shot) {
    const std::wstring keys = keys_text(palette);
    const std::wstring label = palette.page_label();
    const size_t before = notepads_started_by(palette.process().id()).size();
    HWND box = nullptr;
    const bool shown = click(palette.control(quillaro::kPageUpButtonId)) &&
                       (box = poll_for([&] { return notice_of(palette); }, 10s)) != nullptr;
    if (!report.check(shown, "編輯 shows the notice")) return;
    check_notice(report, box);
    report.check(!is_enabled(palette.window()), "the palette takes no clicks while it is up");
    report.check_equal(notepads_started_by(palette.process().id()).size(), before,
                       "nothing is started before the notice is closed");
    context.screenshot(std::string(shot) + "-notice");
    // A group button that the notice does not cover; its click must come to nothing.
    report.check(std::ranges::any_of(std::array{0, 15, 8, 4},
                                     [&](int g) { return click(palette.group(g)); }),
                 "clicked a group button of the palette behind the notice");

    HWND ok = child_by_id(box, IDOK);
    report.check(click(ok) && poll([&] { return notice_of(palette) == nullptr; }, 10s),
                 "OK closes the notice");
    std::vector<DWORD> editors;
    poll(
        [&] {
            editors = notepads_started_by(palette.process().id());
            return editors.size() > before;
        },
        30s);
    started.add(editors);
    if (!report.check(editors.size() == before + 1, "the palette started Notepad once")) return;
    const bool opened = poll(
        [&] {
            return std::ranges::any_of(editors,
                                       [&](DWORD id) { return process_shows(id, file_name); });
        },
        30s);
    report.check(opened, "Notepad has " + to_utf8(file_name) + " open");
    const auto key0 = client_rect_on_screen(palette.key(0));
    report.check(has_ex_style(palette.window(), WS_EX_TOPMOST) && key0 &&
                     top_level_at(centre_of(*key0)) == palette.window(),
                 "the palette stays topmost, in front of Notepad");
    report.check(is_enabled(palette.window()), "the palette takes clicks again");
    report.check_equal(keys_text(palette), keys, "the keys stay");
    report.check_equal(palette.page_label(), label, "the page stays");
    report.check_equal(palette.text(quillaro::kPageUpButtonId), std::wstring(L"編輯"),
                       "the button stays 編輯");
    context.screenshot(std::string(shot) + "-notepad");
}

}  // namespace

void palette_edit_command(Context& context) {
    Report& report = context.report;
    const auto& dir = context.work_dir;
    write_bytes(group_file(dir, 5), "Five\r\n" + numbered_list("a", 0, 46) + "\r\n" +
                                        numbered_list("b", 0, 46) + "\r\n");
    write_bytes(group_file(dir, 12), "Twelve\r\nk12\r\nv12\r\n");

    StartedEditors started;
    Palette palette(context);
    HWND up = palette.control(quillaro::kPageUpButtonId);
    HWND down = palette.control(quillaro::kPageDownButtonId);
    const DWORD palette_id = palette.process().id();

    // Sets 1 and 2: the button only pages back.
    report.check(palette.click_and_wait_label(palette.group(3), L"1/3頁"), "set 1, group 3");
    report.check(palette.click_and_wait_label(down, L"2/3頁"), "下頁 to page 2");
    report.check(palette.click_and_wait_label(up, L"1/3頁"), "上頁 back to page 1 of set 1");
    report.check(!is_enabled(up), "上頁 is disabled on page 1 of set 1");

    // Set 3, page 2: the button pages back, and becomes 編輯 again on page 1.
    if (!report.check(palette.show_set(3), "More shows set 3")) return;
    report.check_equal(groups_text(palette),
                       joined({L"", L"", L"", L"", L"", L"Five", L"Five", L"Five", L"Five", L"Five",
                               L"Five", L"Five", L"Twelve", L"Twelve", L"Twelve", L"Twelve"}),
                       "the group buttons of set 3");
    report.check(palette.click_and_wait_label(palette.group(5), L"1/2頁"), "set 3, group 5");
    report.check(palette.click_and_wait_label(down, L"2/2頁"), "下頁 to page 2 of group 5");
    report.check_equal(palette.text(up), std::wstring(L"上頁"), "on page 2 the button is 上頁");
    report.check(palette.click_and_wait_label(up, L"1/2頁"), "上頁 pages back in set 3");
    report.check_equal(palette.text(up), std::wstring(L"編輯"), "on page 1 it is 編輯 again");
    report.check(notice_of(palette) == nullptr && notepads_started_by(palette_id).empty(),
                 "paging back showed no notice and started nothing");

    // 編輯 on group 12.
    select_group(report, palette, 12, keys_text({L"k12"}), L"1/1頁");
    run_edit(report, context, palette, started, L"user_define_12.txt", "group12");
    report.check(poll(
                     [&] {
                         return std::ranges::any_of(notepads_started_by(palette_id), [](DWORD id) {
                             return process_shows(id, L"Twelve");
                         });
                     },
                     20s),
                 "Notepad shows the file the palette read, from the palette's folder");

    // The user saves a new caption and new keys: set 3 follows the file without a restart
    // (and, as the notice says, a restart shows them too; below).
    write_bytes(group_file(dir, 12), "Edited\r\nnew\r\nnew\r\n");
    report.check(poll([&] { return palette.text(palette.group(12)) == L"Edited"; }, 8s),
                 "button 12 shows the saved caption");
    report.check(palette.show_set(1) && palette.show_set(3), "More brings set 3 back");
    select_group(report, palette, 12, keys_text({L"new"}), L"1/1頁");

    // A group without a file: Notepad is still started on the file's name.
    select_group(report, palette, 3, keys_text({}), L"1/0頁");
    run_edit(report, context, palette, started, L"user_define_3.txt", "group3");

    report.check(palette.close(), "the palette closes and the program ends");
    report.check_equal(started.count(), size_t{2}, "editors started in all");

    Palette restarted(context);
    report.check(restarted.show_set(3), "after a restart More shows set 3");
    select_group(report, restarted, 12, keys_text({L"new"}), L"1/1頁");
    report.check(restarted.close(), "the restarted palette closes");
}

E2E_TEST(palette_edit_command, "TIMEOUT 300 NEEDS_PALETTE",
         "編輯 in set 3: the notice, then Notepad on the group's file; paging back");

}  // namespace e2e::cases
