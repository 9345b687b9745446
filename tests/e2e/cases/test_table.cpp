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
        TestCase{"palette_resources", cases::palette_resources,
                 "icon group, version information and the manifest's effect on the palette"},
        TestCase{"palette_handles", cases::palette_handles,
                 "walking every group and page many times leaks no handle, font or memory"},
        TestCase{"font_cache", cases::font_cache,
                 "the palette's fonts: stand-ins for 新細明體, sizes at each DPI, made once"},
        TestCase{"dpi_change", cases::dpi_change,
                 "palette and about window made here, sent WM_DPICHANGED: layout and fonts"},
    };
    return tests;
}

}  // namespace e2e
