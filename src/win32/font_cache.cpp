#include "win32/font_cache.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "win32/dpi.h"

namespace quillaro::win32 {
namespace {

int CALLBACK note_found(const LOGFONTW* /*font*/, const TEXTMETRICW* /*metrics*/, DWORD /*type*/,
                        LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Names `face` in `font`, cut to what LOGFONTW holds and always ended by L'\0'.
void set_face(LOGFONTW& font, std::wstring_view face) {
    const size_t length = std::min(face.size(), static_cast<size_t>(LF_FACESIZE - 1));
    std::copy_n(face.data(), length, font.lfFaceName);
    font.lfFaceName[length] = L'\0';
}

}  // namespace

bool face_installed(const wchar_t* face) {
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    set_face(query, face);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &query, note_found, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

namespace {

// The system's message font: the face and size dialogs and message boxes use.
LOGFONTW message_font() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) == FALSE) {
        LOGFONTW fallback{};
        fallback.lfHeight = -12;
        set_face(fallback, L"MS Shell Dlg 2");
        return fallback;
    }
    return metrics.lfMessageFont;
}

}  // namespace

const std::wstring& FontCache::mingliu_face() {
    if (mingliu_face_.empty()) {
        // The symbol font is linked to 新細明體; where it is missing, the nearest Traditional
        // Chinese faces, then the UI font.
        constexpr std::array<const wchar_t*, 6> candidates = {
            L"新細明體", L"PMingLiU", L"細明體", L"MingLiU", L"微軟正黑體", L"Microsoft JhengHei"};
        for (const wchar_t* face : candidates) {
            if (installed_(face)) {
                mingliu_face_ = face;
                return mingliu_face_;
            }
        }
        mingliu_face_ = message_font().lfFaceName;
    }
    return mingliu_face_;
}

LOGFONTW FontCache::describe(const FontRequest& request) {
    LOGFONTW font{};
    font.lfWeight = request.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = request.italic ? TRUE : FALSE;
    font.lfQuality = CLEARTYPE_QUALITY;
    font.lfOutPrecision = OUT_TT_PRECIS;
    switch (request.face) {
        case FontFace::Mingliu:
            set_face(font, mingliu_face());
            font.lfCharSet = CHINESEBIG5_CHARSET;
            font.lfHeight = font_height(request.points, request.dpi);
            break;
        case FontFace::UiSans:
        case FontFace::WindowDefault: {
            const LOGFONTW system = message_font();
            set_face(font, system.lfFaceName);
            font.lfCharSet = DEFAULT_CHARSET;
            // The message font is reported at the system DPI; bring it to this window's.
            const int system_dpi = window_dpi(nullptr);
            font.lfHeight = request.points > 0 ? font_height(request.points, request.dpi)
                                               : MulDiv(system.lfHeight, request.dpi, system_dpi);
            break;
        }
    }
    return font;
}

HFONT FontCache::get(const FontRequest& request) {
    auto found = fonts_.find(request);
    if (found == fonts_.end()) {
        const LOGFONTW font = describe(request);
        found = fonts_.emplace(request, UniqueFont(CreateFontIndirectW(&font))).first;
    }
    return found->second.get();
}

}  // namespace quillaro::win32
