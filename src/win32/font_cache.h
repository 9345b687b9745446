// Fonts are made once per face, size, weight, italic and DPI, and kept for the program's life.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "palette/layout.h"
#include "win32/unique_handle.h"

namespace quillaro::win32 {

struct FontRequest {
    FontFace face;
    double points;  // 0: the face's own default size
    bool bold = false;
    bool italic = false;
    int dpi = 96;

    auto key() const { return std::tuple(face, points, bold, italic, dpi); }
    bool operator<(const FontRequest& other) const { return key() < other.key(); }
};

// True when GDI knows a font family of this name (under its own name or a localized one).
bool face_installed(const wchar_t* face);

class FontCache {
  public:
    using FaceProbe = bool (*)(const wchar_t* face);

    // `installed` tells which faces the system has; tests give one of their own.
    explicit FontCache(FaceProbe installed = face_installed) : installed_(installed) {}
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    HFONT get(const FontRequest& request);
    [[nodiscard]] size_t created() const { return fonts_.size(); }
    // The face name used for 新細明體, after falling back to what is installed.
    const std::wstring& mingliu_face();

  private:
    LOGFONTW describe(const FontRequest& request);

    FaceProbe installed_;
    std::map<FontRequest, UniqueFont> fonts_;
    std::wstring mingliu_face_;
};

}  // namespace quillaro::win32
