// The search box with real keys and clicks: a code point, a name and a group caption find
// their symbols, Enter and a click type them into the stand-in editor, Escape brings the group
// page back; the recent symbols after a restart; the hotkey read from the registry.

#include <algorithm>
#include <set>
#include <string>
#include <vector>

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

E2E_TEST(palette_search, "NEEDS_PALETTE",
         "the search box: code point, name and caption, Enter, Escape; recent symbols; hotkey");

}  // namespace e2e::cases
