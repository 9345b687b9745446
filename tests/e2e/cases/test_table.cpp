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
        TestCase{"palette_user_groups", cases::palette_user_groups,
                 "set 3 from group files: captions, keys, pages, previews and typing"},
        TestCase{"palette_edit_command", cases::palette_edit_command,
                 "編輯 in set 3: the notice, then Notepad on the group's file; paging back"},
    };
    return tests;
}

}  // namespace e2e
