#include "win32/glyph_coverage.h"

#include <algorithm>
#include <optional>
#include <string>

#include "palette/key_tooltip.h"

namespace quillaro::win32 {
namespace {

// Code points that no font has: one unassigned, one that is no character at all. What a
// font draws for them is its missing-symbol mark, after font linking has found nothing.
constexpr char32_t kNoFontHas[] = {0x0378, 0xFFFF};

// A caption of hundreds of missing characters is decided by its first few.
constexpr size_t kCheckedCharacters = 16;

std::u16string utf16(char32_t code_point) {
    if (code_point < 0x10000) return std::u16string(1, static_cast<char16_t>(code_point));
    const char32_t v = code_point - 0x10000;
    return {static_cast<char16_t>(0xD800 + (v >> 10)), static_cast<char16_t>(0xDC00 + (v & 0x3FF))};
}

}  // namespace

// A memory DC with one font selected, and a bitmap big enough for any one character of it
// once a character must be drawn. Made only while something is to be decided, and freed right
// after. The bitmap has the screen's 32 bits a pixel, so that a character is drawn as the key
// will draw it: on a monochrome bitmap Wine renders and caches every glyph a second time,
// without smoothing (some 650 KiB for one page of keys).
class GlyphCoverage::Canvas {
  public:
    explicit Canvas(HFONT font) : font_(font) {}
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas() { release(); }

    // Whether the font maps the character to a glyph of its own. One it lacks may still come
    // from a font it links to, which only drawing it shows.
    bool in_font(char32_t code_point) {
        if (code_point > 0xFFFF || !has_dc()) return false;  // a pair of units: drawn to decide
        const auto unit = static_cast<wchar_t>(code_point);
        WORD glyph = 0xFFFF;
        return GetGlyphIndicesW(dc_, &unit, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == 1 &&
               glyph != 0xFFFF && glyph != 0;
    }

    // The pixels of one character drawn in black on white.
    std::vector<uint8_t> draw(char32_t code_point) {
        if (!ready()) return {};
        PatBlt(dc_, 0, 0, width_, height_, WHITENESS);
        const std::u16string text = utf16(code_point);
        TextOutW(dc_, height_, 0, reinterpret_cast<const wchar_t*>(text.c_str()),
                 static_cast<int>(text.size()));
        GdiFlush();
        const auto* first = static_cast<const uint8_t*>(pixels_);
        return {first, first + static_cast<size_t>(width_) * 4 * static_cast<size_t>(height_)};
    }

  private:
    bool has_dc() {
        if (dc_ != nullptr) return true;
        dc_ = CreateCompatibleDC(nullptr);
        if (dc_ == nullptr) return false;
        old_font_ = SelectObject(dc_, font_);
        return true;
    }

    bool ready() {
        if (bitmap_ != nullptr) return true;
        if (!has_dc()) return false;
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc_, &metrics);
        height_ = std::max(1, static_cast<int>(metrics.tmHeight));
        // Room for a wide character and for one that reaches left of its origin.
        width_ = 4 * height_;
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof(format.bmiHeader);
        format.bmiHeader.biWidth = width_;
        format.bmiHeader.biHeight = -height_;  // top row first
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(dc_, &format, DIB_RGB_COLORS, &pixels_, nullptr, 0);
        if (bitmap_ == nullptr || pixels_ == nullptr) {
            release();
            return false;
        }
        old_bitmap_ = SelectObject(dc_, bitmap_);
        SetTextColor(dc_, RGB(0, 0, 0));
        SetBkMode(dc_, TRANSPARENT);
        SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        return true;
    }

    void release() {
        if (dc_ == nullptr) return;
        if (old_bitmap_ != nullptr) SelectObject(dc_, old_bitmap_);
        if (old_font_ != nullptr) SelectObject(dc_, old_font_);
        if (bitmap_ != nullptr) DeleteObject(bitmap_);
        DeleteDC(dc_);
        dc_ = nullptr;
        bitmap_ = nullptr;
        pixels_ = nullptr;
        old_bitmap_ = nullptr;
        old_font_ = nullptr;
    }

    HFONT font_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    void* pixels_ = nullptr;  // the bitmap's own, rows of width_ pixels of 4 bytes
    HGDIOBJ old_bitmap_ = nullptr;
    HGDIOBJ old_font_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

bool GlyphCoverage::draws(HFONT font, std::u16string_view caption) {
    FontCoverage& coverage = fonts_[font];
    std::optional<Canvas> canvas;  // made at the first character not decided yet
    CodePoints points(caption);
    bool anything_visible = false;
    for (size_t checked = 0; !points.done() && checked < kCheckedCharacters;) {
        const char32_t code_point = points.next();
        if (draws_blank(code_point)) continue;
        ++checked;
        anything_visible = true;
        const auto known = coverage.drawn.find(code_point);
        if (known != coverage.drawn.end()) {
            if (known->second) return true;
            continue;
        }
        if (!canvas) canvas.emplace(font);
        // Most characters are the font's own: nothing to draw (a page of keys took 7 ms).
        if (canvas->in_font(code_point)) {
            coverage.drawn.emplace(code_point, true);
            return true;
        }
        if (coverage.missing_marks.empty()) {
            for (const char32_t no_font_has : kNoFontHas) {
                coverage.missing_marks.push_back(canvas->draw(no_font_has));
            }
        }
        const std::vector<uint8_t> pixels = canvas->draw(code_point);
        // Without a canvas nothing can be decided: the key keeps its caption.
        if (pixels.empty()) return true;
        ++drawn_count_;
        bool missing = false;
        for (const auto& mark : coverage.missing_marks) missing = missing || pixels == mark;
        coverage.drawn.emplace(code_point, !missing);
        if (!missing) return true;
    }
    return !anything_visible;
}

}  // namespace quillaro::win32
