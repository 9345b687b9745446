#include <array>

#include "cases.h"

namespace e2e {

std::span<const TestCase> all_tests() {
    static constexpr std::array tests{
        TestCase{"wine_setup", cases::wine_setup,
                 "the environment the runner prepared: code page, DPI, screen, CJK font"},
        TestCase{"editor_typing", cases::editor_typing,
                 "click into the stand-in editor and type Unicode text with SendInput"},
        TestCase{"palette_startup", cases::palette_startup,
                 "the palette's window and controls at start-up, More and the paging buttons"},
        TestCase{"builtin_walk", cases::builtin_walk,
                 "every page of every built-in group against the key table"},
        TestCase{"palette_sending", cases::palette_sending,
                 "click palette keys and read their send strings in the stand-in editor"},
        TestCase{"palette_send_without_target", cases::palette_send_without_target,
                 "a key clicked before any other window was in front"},
        TestCase{"about_window", cases::about_window,
                 "the about window: its text and controls, one at a time, above it the palette, "
                 "and the program's end with its last window"},
        TestCase{"palette_user_groups", cases::palette_user_groups,
                 "set 3 from group files: captions, keys, pages, previews and typing"},
        TestCase{"palette_edit_command", cases::palette_edit_command,
                 "編輯 in set 3: the notice, then Notepad on the group's file; paging back"},
        TestCase{"palette_resources", cases::palette_resources,
                 "icon group, version information and the manifest's effect on the palette"},
        TestCase{"palette_handles", cases::palette_handles,
                 "walking every group and page many times leaks no handle, font or memory"},
        TestCase{"font_cache", cases::font_cache,
                 "the palette's fonts: stand-ins for 新細明體, sizes at each DPI, made once"},
        TestCase{"dpi_change", cases::dpi_change,
                 "palette and about window made here, sent WM_DPICHANGED: layout and fonts"},
        TestCase{"palette_hostile_files", cases::palette_hostile_files,
                 "a folder of hostile group files: start-up, set 3, every key hovered and clicked"},
        TestCase{"palette_long_run", cases::palette_long_run,
                 "10,000 key clicks: every symbol arrives in order, handles and memory stay flat"},
        TestCase{"palette_live_reload", cases::palette_live_reload,
                 "group files rewritten, added and deleted while set 3 shows: no restart"},
        TestCase{"palette_click_order", cases::palette_click_order,
                 "two keys clicked 50 ms apart into a slow editor arrive in click order"},
        TestCase{"palette_right_click", cases::palette_right_click,
                 "a right click copies the key's send string, with a balloon, and types nothing"},
        TestCase{"palette_held_modifiers", cases::palette_held_modifiers,
                 "right Ctrl or AltGr held during a click: the symbol arrives, no key stays down"},
        TestCase{"palette_place", cases::palette_place,
                 "the palette opens where it was left, and wholly on the screen"},
        TestCase{"palette_code_points", cases::palette_code_points,
                 "keys no font draws show code points; key tooltips; the page label fits"},
    };
    return tests;
}

}  // namespace e2e
