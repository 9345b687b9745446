// The palette's font cache against the system's real GDI: which face stands in for 新細明體
// (with the session's font replacements, and on systems that lack some or all of the
// Traditional Chinese faces), the character height of its fonts at 96, 144 and 192 dpi, and
// that each font is made once.
#include "win32/font_cache.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdlib>
#include <set>
#include <string>

namespace quillaro::win32 {
namespace {

// 新細明體, then PMingLiU, 細明體, MingLiU, 微軟正黑體, Microsoft JhengHei.
const std::array<std::wstring, 6> kFallbackOrder = {
    L"\x65B0\x7D30\x660E\x9AD4",       L"PMingLiU",          L"\x7D30\x660E\x9AD4", L"MingLiU",
    L"\x5FAE\x8EDF\x6B63\x9ED1\x9AD4", L"Microsoft JhengHei"};

// A pretend system for the cache to ask: only these faces are installed.
std::set<std::wstring> g_installed;
bool pretend_installed(const wchar_t* face) { return g_installed.contains(face); }

std::wstring message_font_face() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return metrics.lfMessageFont.lfFaceName;
}

// What GDI makes of a font: the face it picked, the character (em) height, and whether it
// has glyphs of its own for 上頁. The em height is the font's ascent and descent less its
// internal leading, each rounded by the rasteriser: it may be a pixel off the height asked for.
struct Rendered {
    std::wstring face;
    int em_height = 0;
    bool has_cjk = false;
};

Rendered render(HFONT font) {
    Rendered rendered;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    std::array<wchar_t, LF_FACESIZE> face{};
    GetTextFaceW(dc, LF_FACESIZE, face.data());
    rendered.face = face.data();
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    rendered.em_height = metrics.tmHeight - metrics.tmInternalLeading;
    std::array<WORD, 2> glyphs{};
    GetGlyphIndicesW(dc, L"\x4E0A\x9801", 2, glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    rendered.has_cjk = glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF;
    SelectObject(dc, old);
    DeleteDC(dc);
    return rendered;
}

LOGFONTW described(HFONT font) {
    LOGFONTW logfont{};
    GetObjectW(font, sizeof(logfont), &logfont);
    return logfont;
}

TEST(FontCache, FindsTheRealFaceThroughTheSessionsReplacements) {
    FontCache cache;
    EXPECT_EQ(cache.mingliu_face(), kFallbackOrder[0]);
    const Rendered rendered = render(cache.get({FontFace::Mingliu, 12.0, false, false, 96}));
    EXPECT_EQ(rendered.face, kFallbackOrder[0]) << "GDI gives the 新細明體 asked for";
    EXPECT_TRUE(rendered.has_cjk) << "it has glyphs for 上頁";
}

TEST(FontCache, TakesTheFirstFaceOfItsListThatTheSystemHas) {
    for (size_t first = 0; first < kFallbackOrder.size(); ++first) {
        g_installed = {kFallbackOrder.begin() + static_cast<std::ptrdiff_t>(first),
                       kFallbackOrder.end()};
        FontCache cache(pretend_installed);
        EXPECT_EQ(cache.mingliu_face(), kFallbackOrder[first]) << "without the faces before it";
    }
    g_installed = {L"Microsoft JhengHei", L"MingLiU"};
    FontCache out_of_order(pretend_installed);
    EXPECT_EQ(out_of_order.mingliu_face(), L"MingLiU") << "the list's order decides";

    // None of them: the system's UI font, which GDI then really makes, at the size asked for
    // (12 pt at 96 dpi: 16 px).
    g_installed.clear();
    FontCache none(pretend_installed);
    EXPECT_EQ(none.mingliu_face(), message_font_face());
    const Rendered rendered = render(none.get({FontFace::Mingliu, 12.0, false, false, 96}));
    EXPECT_LE(std::abs(rendered.em_height - 16), 1);
}

TEST(FontCache, SizesFollowTheDpiAskedExactlyMadeToWithinAPixel) {
    FontCache cache;
    struct Size {
        double points;
        int dpi;
        int pixels;
    };
    // The key and group sizes of the palette and the about window's button, at three DPIs.
    const std::array<Size, 13> sizes = {{
        {12.0, 96, 16},
        {12.0, 144, 24},
        {12.0, 192, 32},
        {11.25, 96, 15},
        {11.25, 144, 23},
        {11.25, 192, 30},
        {10.0, 96, 13},
        {10.0, 192, 27},
        {8.0, 96, 11},
        {8.0, 144, 16},
        {14.25, 96, 19},
        {14.25, 144, 29},
        {14.25, 192, 38},
    }};
    for (const Size& size : sizes) {
        HFONT font = cache.get({FontFace::Mingliu, size.points, false, false, size.dpi});
        EXPECT_EQ(-described(font).lfHeight, size.pixels) << size.points << " pt at " << size.dpi;
        EXPECT_LE(std::abs(render(font).em_height - size.pixels), 1)
            << size.points << " pt at " << size.dpi;
    }

    // The window's default font follows the DPI from the UI font's own size.
    const int at96 =
        described(cache.get({FontFace::WindowDefault, 0.0, false, false, 96})).lfHeight;
    const int at192 =
        described(cache.get({FontFace::WindowDefault, 0.0, false, false, 192})).lfHeight;
    EXPECT_NE(at96, 0);
    EXPECT_LE(std::abs(at192 - 2 * at96), 1);

    // Bold and italic are what the selected group button asks for.
    const LOGFONTW styled = described(cache.get({FontFace::Mingliu, 10.0, true, true, 96}));
    EXPECT_EQ(styled.lfWeight, FW_BOLD);
    EXPECT_NE(styled.lfItalic, FALSE);
    EXPECT_EQ(styled.lfCharSet, CHINESEBIG5_CHARSET);
}

TEST(FontCache, MakesEachFontOnce) {
    FontCache cache;
    const FontRequest key{FontFace::Mingliu, 12.0, false, false, 96};
    HFONT first = cache.get(key);
    ASSERT_NE(first, nullptr);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(cache.get(key), first);
    EXPECT_EQ(cache.created(), 1U);

    // Each part of the request makes a font of its own; asking again makes none.
    cache.get({FontFace::Mingliu, 12.0, true, false, 96});
    cache.get({FontFace::Mingliu, 12.0, false, true, 96});
    cache.get({FontFace::Mingliu, 11.0, false, false, 96});
    cache.get({FontFace::Mingliu, 12.0, false, false, 144});
    cache.get({FontFace::UiSans, 12.0, false, false, 96});
    EXPECT_EQ(cache.created(), 6U);
    cache.get({FontFace::Mingliu, 12.0, false, false, 144});
    EXPECT_EQ(cache.created(), 6U);
}

}  // namespace
}  // namespace quillaro::win32
