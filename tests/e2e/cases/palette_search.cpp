// The search box with real keys and clicks: a code point, a name and a group caption find
// their symbols, Enter and a click type them into the stand-in editor, Escape brings the group
// page back; the recent symbols after a restart; the hotkey read from the registry.

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <oleacc.h>

#include "driver/e2e.h"
#include "driver/palette_expect.h"
#include "win32/saved_place.h"

namespace e2e::cases {
namespace {

using quillaro::kPreviewId;
using quillaro::win32::kPlaceKey;

void set_setting(const wchar_t* name, std::wstring_view text) {
    const std::wstring value(text);
    RegSetKeyValueW(HKEY_CURRENT_USER, kPlaceKey, name, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}
void forget_settings() {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kPlaceKey, L"Recent");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kPlaceKey, L"Hotkey");
}

bool search_box_focused(const Palette& palette) {
    return poll(
        [&] {
            return foreground_window() == palette.window() &&
                   focus_of_thread_of(palette.window()) == palette.control(kPreviewId);
        },
        5s);
}

bool first_keys_show(const Palette& palette, std::initializer_list<std::wstring_view> captions) {
    return poll(
        [&] {
            size_t key = 0;
            for (const std::wstring_view caption : captions) {
                if (palette.text(palette.key(static_cast<int>(key++))) != caption) return false;
            }
            return true;
        },
        5s);
}

bool search(const Palette& palette, std::wstring_view query, std::wstring_view first_result) {
    return click(palette.control(kPreviewId)) && search_box_focused(palette) &&
           (query.empty() || type_text(query)) && first_keys_show(palette, {first_result});
}

// What a screen reader reads of a control, asked from this process as one asks.
struct Accessible {
    std::wstring name;
    LONG role = 0;
    LONG state = 0;
    bool operator==(const Accessible&) const = default;
};
Accessible accessible(HWND control) {
    Accessible read;
    IAccessible* object = nullptr;
    // __uuidof, not IID_IAccessible: mingw's oleacc library links that name to code.
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object)))) {
        return read;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (object->get_accName(self, &name) == S_OK) read.name.assign(name, SysStringLen(name));
    SysFreeString(name);
    VARIANT answer{};
    if (object->get_accRole(self, &answer) == S_OK && answer.vt == VT_I4) read.role = answer.lVal;
    if (object->get_accState(self, &answer) == S_OK && answer.vt == VT_I4) {
        read.state = answer.lVal & (STATE_SYSTEM_PRESSED | STATE_SYSTEM_UNAVAILABLE);
    }
    object->Release();
    return read;
}

}  // namespace

void palette_search(Context& context) {
    Report& report = context.report;
    forget_settings();
    set_setting(L"Hotkey", L"Ctrl+Alt+F7");
    StandInEditor editor(context, {L"--pos=20,20", L"--size=330,400"});
    std::wstring typed;
    {
        Palette palette(context);
        const auto group_page = palette.key_captions();
        const std::wstring group_label = palette.page_label();
        report.check(editor.click_into(), "the user clicks into the editor");
        report.check(click(palette.control(kPreviewId)) && search_box_focused(palette) &&
                         first_keys_show(palette, {L"", L""}),
                     "a click in the box: the palette in front, the focus in the box, no recent "
                     "symbols yet");
        report.check(type_text(L"203b") && first_keys_show(palette, {L"※"}) &&
                         press_key(VK_RETURN) && editor.wait_for_text(typed += L"※") &&
                         poll([&] { return foreground_window() == editor.window(); }, 5s),
                     "203b, Enter: ※ arrives and the editor is in front again");
        report.check(search(palette, L"alpha", L"α") && click(palette.key(0)) &&
                         editor.wait_for_text(typed += L"α"),
                     "alpha, a click on the first key: α arrives");
        // The group's items that type something, each text once, in the group's order.
        std::vector<std::wstring> arrows;
        std::set<std::wstring> texts;
        for (int item = 0; item < quillaro::kItemSlots && arrows.size() < Palette::kKeys; ++item) {
            const std::wstring text = ExpectedPages().key_text({1, 11, 1}, item);
            if (!text.empty() && texts.insert(text).second) {
                arrows.push_back(ExpectedPages().key_caption({1, 11, 1}, item));
            }
        }
        report.check(search(palette, L"箭頭", arrows.front()) &&
                         poll(
                             [&] {
                                 const auto keys = palette.key_captions();
                                 return std::equal(arrows.begin(), arrows.end(), keys.begin());
                             },
                             5s),
                     "箭頭 shows the keys of the group 箭頭");
        context.screenshot("palette_search");
        report.check(press_key(VK_ESCAPE) && poll(
                                                 [&] {
                                                     return palette.key_captions() == group_page &&
                                                            palette.page_label() == group_label &&
                                                            palette.text(kPreviewId).empty() &&
                                                            foreground_window() == editor.window();
                                                 },
                                                 5s),
                     "Escape: the group page as before, an empty preview, the editor in front");
        report.check(palette.close(), "the palette closes");
    }
    {
        Palette palette(context);
        report.check(search(palette, L"", L"α") && first_keys_show(palette, {L"α", L"※"}),
                     "started again, the empty box shows the recent symbols: α, ※");
        context.screenshot("palette_recent");
        report.check(editor.click_into() && press_keys({VK_CONTROL, VK_MENU, VK_F7}) &&
                         search_box_focused(palette) && type_text(L"203b") &&
                         first_keys_show(palette, {L"※"}) && press_key(VK_RETURN) &&
                         editor.wait_for_text(typed += L"※") &&
                         poll([&] { return foreground_window() == editor.window(); }, 5s),
                     "the hotkey from the registry, 203b, Enter: ※ in the editor, in front again");
        report.check(palette.close(), "the palette closes");
    }
    forget_settings();
}

// The keys with the keyboard alone, on 圈圈 (three pages): the arrows walk every key as they
// stand on screen, Home and End, Page Down as 下頁, Enter types the focused key into the editor.
void palette_keyboard(Context& context) {
    Report& report = context.report;
    Palette palette(context);
    StandInEditor editor(context, {L"--pos=20,20", L"--size=330,400"});
    const ExpectedPages expected;
    const auto focus = [&] { return focus_of_thread_of(palette.window()); };
    const auto focused = [&](int key) {
        return poll([&] { return focus() == palette.key(key); }, 5s);
    };
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    constexpr LONG kButton = ROLE_SYSTEM_PUSHBUTTON;
    report.check_equal(accessible(palette.key(16)).name, std::wstring(L"○ U+25CB WHITE CIRCLE"),
                       "from another process: a symbol key is named by its caption, code point "
                       "and name");
    report.check(palette.click_and_wait_label(palette.group(3), expected.label({1, 3, 1})),
                 "a click on 圈圈");
    // Key 0 types a private-use symbol; key 7 is empty on this page.
    const std::vector<std::pair<HWND, Accessible>> read = {
        {palette.key(0), {L"U+E90C", kButton, 0}},
        {palette.key(7), {L"空", kButton, 0}},
        {palette.group(3), {L"圈圈", kButton, STATE_SYSTEM_PRESSED}},
        {palette.group(0), {palette.text(palette.group(0)), kButton, 0}},
        {palette.control(quillaro::kPageUpButtonId), {L"上頁", kButton, STATE_SYSTEM_UNAVAILABLE}},
        {palette.control(quillaro::kPageLabelId),
         {expected.label({1, 3, 1}), ROLE_SYSTEM_STATICTEXT, 0}},
    };
    for (const auto& [control, wanted] : read) {
        const Accessible got = accessible(control);
        report.check(got == wanted, "from another process: " + to_utf8(wanted.name) +
                                        ", its role and state (read " + describe(got.name) + ")");
    }
    report.check(
        editor.click_into() && palette.bring_forward() && press_key(VK_RIGHT) && focused(0),
        "the palette in front: an arrow puts the focus on key 0");
    // Along each row and down to the next, back and forth: every key is reached.
    struct Move {
        WORD key;
        int times;
    };
    const std::vector<Move> walk = {{VK_RIGHT, 5}, {VK_DOWN, 1},  {VK_RIGHT, 4}, {VK_LEFT, 9},
                                    {VK_DOWN, 1},  {VK_RIGHT, 9}, {VK_DOWN, 1},  {VK_LEFT, 9},
                                    {VK_DOWN, 1},  {VK_RIGHT, 9}};
    std::set<HWND> reached{palette.key(0)};
    bool moved = true;
    for (const Move& move : walk) {
        for (int i = 0; i < move.times && moved; ++i) {
            const HWND before = focus();
            moved = press_key(move.key) && poll([&] { return focus() != before; }, 5s);
            reached.insert(focus());
        }
    }
    report.check_equal(reached.size(), size_t{Palette::kKeys}, "the arrows reach all 46 keys");
    report.check(
        focused(45) && press_key(VK_HOME) && focused(0) && press_key(VK_END) && focused(45),
        "the walk ends on key 45, Home goes to key 0 and End to key 45");
    context.screenshot("palette_keyboard_focus");
    report.check(
        press_key(VK_NEXT) && poll(
                                  [&] {
                                      return palette.page_label() == expected.label({1, 3, 2});
                                  },
                                  5s),
        "Page Down acts as 下頁");
    report.check(press_key(VK_HOME) && focused(0) && press_key(VK_RETURN) &&
                     editor.wait_for_text(expected.key_text({1, 3, 2}, 0)) &&
                     poll([&] { return foreground_window() == editor.window(); }, 5s),
                 "Enter on key 0 types its symbol into the editor, which is in front again");
}

E2E_TEST(palette_keyboard, "NEEDS_PALETTE",
         "the keys with the keyboard: arrows over all 46, Home, End, Page Down, Enter");

E2E_TEST(palette_search, "NEEDS_PALETTE",
         "the search box: code point, name and caption, Enter, Escape; recent symbols; hotkey");

}  // namespace e2e::cases
