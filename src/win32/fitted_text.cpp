#include "win32/fitted_text.h"

#include "palette/fitting_size.h"

namespace quillaro::win32 {

HFONT fitting_font(HDC dc, FontCache& fonts, const FitRequest& request, std::u16string_view text) {
    const auto font_at = [&](double points) {
        return fonts.get({request.face, points, request.bold, false, request.dpi});
    };
    const HGDIOBJ old_font = SelectObject(dc, font_at(request.largest_points));
    const auto measure = [&](double points) {
        SelectObject(dc, font_at(points));
        SIZE size{};
        GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()),
                              static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    // A pixel at 96 dpi at a time.
    const SizeRange sizes{request.largest_points, request.smallest_points, 0.75};
    const double points = fitting_points(sizes, request.width, measure);
    SelectObject(dc, old_font);
    return font_at(points);
}

HFONT FittingFonts::get(HDC dc, const FitRequest& request, const std::u16string& text) {
    Key key(request.key(), text);
    const auto found = fitted_.find(key);
    if (found != fitted_.end()) return found->second;
    const HFONT font = fitting_font(dc, fonts_, request, text);
    fitted_.emplace(std::move(key), font);
    return font;
}

}  // namespace quillaro::win32
