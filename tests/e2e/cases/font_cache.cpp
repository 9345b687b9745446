// The palette's font cache, run here in the driver against the system's real GDI: which face
// stands in for 新細明體 (with the prefix's font replacements, and on systems that lack some or
// all of the Traditional Chinese faces), the character height of its fonts at 96, 144 and
// 192 dpi, and that each font is made once.

#include <windows.h>

#include <array>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "driver/e2e.h"
#include "win32/font_cache.h"

namespace e2e::cases {
namespace {

using quillaro::FontFace;
using quillaro::win32::FontCache;
using quillaro::win32::FontRequest;

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
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    rendered.face = face;
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

void check_this_system(Report& report) {
    // The runner maps the four Traditional Chinese system names to an installed font.
    FontCache cache;
    report.check_equal(cache.mingliu_face(), kFallbackOrder[0],
                       "with the font replacements, 新細明體 itself is found");
    const Rendered rendered = render(cache.get({FontFace::Mingliu, 12.0, false, false, 96}));
    report.check_equal(rendered.face, kFallbackOrder[0], "GDI gives the 新細明體 asked for");
    report.check(rendered.has_cjk, "it has glyphs for 上頁");
}

void check_fallback_order(Report& report) {
    // Each face is taken when it is the first of the list the system has.
    for (size_t first = 0; first < kFallbackOrder.size(); ++first) {
        g_installed = {kFallbackOrder.begin() + static_cast<std::ptrdiff_t>(first),
                       kFallbackOrder.end()};
        FontCache cache(pretend_installed);
        report.check_equal(
            cache.mingliu_face(), kFallbackOrder[first],
            "without the faces before it, " + describe(kFallbackOrder[first]) + " is taken");
    }
    g_installed = {L"Microsoft JhengHei", L"MingLiU"};
    FontCache out_of_order(pretend_installed);
    report.check_equal(out_of_order.mingliu_face(), std::wstring(L"MingLiU"),
                       "the list's order decides, not the system's");

    // None of them: the system's UI font, which GDI then really makes.
    g_installed.clear();
    FontCache none(pretend_installed);
    const std::wstring ui_face = message_font_face();
    report.check_equal(none.mingliu_face(), ui_face, "with none of them, the UI font's face");
    const Rendered rendered = render(none.get({FontFace::Mingliu, 12.0, false, false, 96}));
    report.note("the UI font " + describe(ui_face) + " renders as " + describe(rendered.face) +
                (rendered.has_cjk ? ", with" : ", without") + " glyphs of its own for 上頁");
    report.check(std::abs(rendered.em_height - 16) <= 1,
                 "and keeps the size asked for (12 pt at 96 dpi: 16 px)");
}

void check_sizes(Report& report) {
    FontCache cache;
    struct Size {
        double points;
        int dpi;
        int pixels;
    };
    // The key and group sizes of the palette and the about window's button, at three DPIs.
    const std::vector<Size> sizes = {
        {12.0, 96, 16},   {12.0, 144, 24},  {12.0, 192, 32},  {11.25, 96, 15}, {11.25, 144, 23},
        {11.25, 192, 30}, {10.0, 96, 13},   {10.0, 192, 27},  {8.0, 96, 11},   {8.0, 144, 16},
        {14.25, 96, 19},  {14.25, 144, 29}, {14.25, 192, 38},
    };
    int wrong = 0;
    for (const Size& size : sizes) {
        HFONT font = cache.get({FontFace::Mingliu, size.points, false, false, size.dpi});
        const int asked = -described(font).lfHeight;
        const int got = render(font).em_height;
        if (asked != size.pixels || std::abs(got - size.pixels) > 1) {
            ++wrong;
            report.note(std::to_string(size.points) + " pt at " + std::to_string(size.dpi) +
                        " dpi: asked " + std::to_string(asked) + " px, got " + std::to_string(got) +
                        " px, expected " + std::to_string(size.pixels));
        }
    }
    report.check_equal(wrong, 0,
                       "新細明體 sizes follow the DPI: asked for exactly, made to within a pixel");

    // The window's default font follows the DPI from the UI font's own size.
    const int at96 =
        described(cache.get({FontFace::WindowDefault, 0.0, false, false, 96})).lfHeight;
    const int at192 =
        described(cache.get({FontFace::WindowDefault, 0.0, false, false, 192})).lfHeight;
    report.note("the default font is " + std::to_string(at96) + " at 96 dpi, " +
                std::to_string(at192) + " at 192 dpi");
    report.check(at96 != 0 && std::abs(at192 - 2 * at96) <= 1,
                 "the default font at 192 dpi is twice its size at 96 dpi");

    // Bold and italic are what the selected group button asks for.
    const LOGFONTW styled = described(cache.get({FontFace::Mingliu, 10.0, true, true, 96}));
    report.check(styled.lfWeight == FW_BOLD && styled.lfItalic != FALSE,
                 "a bold italic request makes a bold italic font");
    report.check_equal(styled.lfCharSet, CHINESEBIG5_CHARSET,
                       "新細明體 with the Big5 character set");
}

void check_made_once(Report& report) {
    FontCache cache;
    const FontRequest key{FontFace::Mingliu, 12.0, false, false, 96};
    HFONT first = cache.get(key);
    bool same = true;
    for (int i = 0; i < 1000; ++i) same = same && cache.get(key) == first;
    report.check(same && first != nullptr, "asking 1,000 times gives the same font");
    report.check_equal(cache.created(), 1, "one font made for one request");

    // Each part of the request makes a font of its own.
    cache.get({FontFace::Mingliu, 12.0, true, false, 96});
    cache.get({FontFace::Mingliu, 12.0, false, true, 96});
    cache.get({FontFace::Mingliu, 11.0, false, false, 96});
    cache.get({FontFace::Mingliu, 12.0, false, false, 144});
    cache.get({FontFace::UiSans, 12.0, false, false, 96});
    report.check_equal(cache.created(), 6, "weight, italic, size, DPI and face each count");
    cache.get({FontFace::Mingliu, 12.0, false, false, 144});
    report.check_equal(cache.created(), 6, "and asking again makes none");
}

}  // namespace

void font_cache(Context& context) {
    check_this_system(context.report);
    check_fallback_order(context.report);
    check_sizes(context.report);
    check_made_once(context.report);
}

E2E_TEST(font_cache, "",
         "the palette's fonts: stand-ins for 新細明體, sizes at each DPI, made once");

}  // namespace e2e::cases
