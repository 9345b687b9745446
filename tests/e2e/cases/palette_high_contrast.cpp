// The keys in a high-contrast color scheme: with the system colors set to white on black and
// no visual style (as Windows draws in high contrast), a key shows a black face and its
// caption in white. Wine does not report high contrast itself (SPI_GETHIGHCONTRAST stays
// off), so this shows the system-color drawing that high contrast selects, not the switch.

#include <algorithm>
#include <array>

#include "driver/e2e.h"
#include "driver/key_pixels.h"

namespace e2e::cases {
namespace {

constexpr wchar_t kThemeKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";

// The Windows "High Contrast Black" colors the keys use, set for the whole session and put
// back when the test ends.
class HighContrastColors {
  public:
    HighContrastColors() {
        for (size_t i = 0; i < kElements.size(); ++i) saved_[i] = GetSysColor(kElements[i]);
        const std::array<COLORREF, kElements.size()> scheme = {
            RGB(0, 0, 0),     RGB(255, 255, 255), RGB(0, 0, 0),  RGB(255, 255, 255),
            RGB(0, 255, 255), RGB(0, 0, 0),       RGB(0, 255, 0)};
        SetSysColors(static_cast<int>(kElements.size()), kElements.data(), scheme.data());
        // Wine's visual style reads this when a program starts: the palette then draws its
        // keys with the system colors, as Windows does in high contrast.
        set_theme_active(L"0");
    }
    HighContrastColors(const HighContrastColors&) = delete;
    HighContrastColors& operator=(const HighContrastColors&) = delete;
    ~HighContrastColors() {
        set_theme_active(L"1");
        SetSysColors(static_cast<int>(kElements.size()), kElements.data(), saved_.data());
    }

  private:
    static constexpr std::array<int, 7> kElements = {
        COLOR_BTNFACE,   COLOR_BTNTEXT,       COLOR_WINDOW,  COLOR_WINDOWTEXT,
        COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT};
    static void set_theme_active(const wchar_t* value) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kThemeKey, L"ThemeActive", REG_SZ, value,
                        static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    }
    std::array<COLORREF, kElements.size()> saved_{};
};

bool black(uint32_t pixel) { return pixel == 0; }
bool white(uint32_t pixel) {
    return ((pixel >> 16) & 0xFF) > 0xC0 && ((pixel >> 8) & 0xFF) > 0xC0 && (pixel & 0xFF) > 0xC0;
}

}  // namespace

void palette_high_contrast(Context& context) {
    Report& report = context.report;
    const HighContrastColors colors;
    Palette palette(context);
    // Key 16 of the first group shows ○, an ordinary symbol every font draws.
    KeyPixels key;
    const auto readable = [&] {
        key = read_key_pixels(palette.key(16));
        const auto count = [&](auto test) {
            return std::count_if(key.pixels.begin(), key.pixels.end(), test);
        };
        const auto all = static_cast<std::ptrdiff_t>(key.pixels.size());
        return all > 0 && count(black) > all / 2 && count(white) > 0;
    };
    report.check(poll(readable, 5s), "a key draws a black face and a white caption");
    context.screenshot("palette_high_contrast");
    report.check(palette.close(), "the palette closes");
}

E2E_TEST(palette_high_contrast, "NEEDS_PALETTE",
         "white on black system colors without a visual style: keys draw black, captions white");

}  // namespace e2e::cases
