#include "win32/fitted_text.h"

namespace quillaro::win32 {

HFONT fitting_font(HDC dc, FontCache& fonts, const FitRequest& request, std::u16string_view text) {
    constexpr double kStep = 0.75;
    HGDIOBJ old_font = nullptr;
    HFONT font = nullptr;
    for (double points = request.largest_points;; points -= kStep) {
        const bool last = points - kStep < request.smallest_points;
        font = fonts.get({request.face, points, request.bold, false, request.dpi});
        const HGDIOBJ previous = SelectObject(dc, font);
        if (old_font == nullptr) old_font = previous;
        SIZE size{};
        GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()),
                              static_cast<int>(text.size()), &size);
        if (size.cx <= request.width || last) break;
    }
    if (old_font != nullptr) SelectObject(dc, old_font);
    return font;
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
