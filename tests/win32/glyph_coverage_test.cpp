// Whether a key's caption shows, against the session's real fonts: a character 新細明體 has is
// answered from its glyph table, and only one it lacks is drawn to see what the font links to.
#include "win32/glyph_coverage.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string_view>

#include "win32/font_cache.h"

namespace quillaro::win32 {
namespace {

struct Case {
    std::u16string_view caption;
    bool draws;
    size_t drawn;  // characters drawn to decide
    const char* what;
};

TEST(GlyphCoverage, DrawsOnlyTheCharactersTheFontLacks) {
    FontCache fonts;
    const HFONT font = fonts.get({FontFace::Mingliu, 12.0, false, false, 96});
    const Case cases[] = {
        {u"\u7E23", true, 0, "an ideograph of the font's own"},
        {u"\u0378", false, 1, "an unassigned code point, which no font has"},
        {u"\u0378\u7E23", true, 1, "a missing character before one of the font's own"},
        {u" \u3000", true, 0, "nothing visible to draw"},
    };
    for (const Case& c : cases) {
        GlyphCoverage coverage;
        EXPECT_EQ(coverage.draws(font, c.caption), c.draws) << c.what;
        EXPECT_EQ(coverage.drawn_count(), c.drawn) << c.what;
        coverage.draws(font, c.caption);
        EXPECT_EQ(coverage.drawn_count(), c.drawn) << c.what << ", asked again";
    }
}

}  // namespace
}  // namespace quillaro::win32
