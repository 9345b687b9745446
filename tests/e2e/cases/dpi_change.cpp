// The palette and about windows when their DPI changes while they are open, as when the user
// drags them to a monitor of another scale. Wine has one DPI for every monitor and never sends
// WM_DPICHANGED, so the windows are made here, in the driver's own process, and are sent the
// message the way Windows sends it: first WM_GETDPISCALEDSIZE, then WM_DPICHANGED with a
// suggested rectangle of that size. After each change every control must stand where the
// layout puts it at the new DPI, the standard controls must carry fonts of the new DPI and the
// keys must have been painted with them; going back to 96 dpi must give back the exact 96-dpi
// layout and make no new fonts.

#include <windows.h>

#include <string>

#include "driver/e2e.h"
#include "driver/palette_expect.h"
#include "win32/about_window.h"
#include "win32/dpi.h"
#include "win32/font_cache.h"
#include "win32/message_loop.h"
#include "win32/palette_window.h"

namespace e2e::cases {
namespace {

using quillaro::FontFace;
using quillaro::win32::AboutWindow;
using quillaro::win32::FontCache;
using quillaro::win32::PaletteWindow;

// These windows belong to this thread: their messages are handled only while it pumps.
quillaro::win32::MessageLoop loop;
void pump() { loop.dispatch_pending(); }

template <class Condition>
bool pump_until(Condition&& condition, Millis timeout = 5s) {
    return poll(
        [&] {
            pump();
            return condition();
        },
        timeout);
}

// Sends the two messages of a DPI change; true when the window took the size it suggested.
bool change_dpi(HWND window, int dpi) {
    RECT now{};
    GetWindowRect(window, &now);
    SIZE size{now.right - now.left, now.bottom - now.top};
    if (SendMessageW(window, WM_GETDPISCALEDSIZE, static_cast<WPARAM>(dpi),
                     reinterpret_cast<LPARAM>(&size)) == FALSE) {
        return false;
    }
    RECT suggested{now.left, now.top, now.left + size.cx, now.top + size.cy};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    pump();
    RECT after{};
    GetWindowRect(window, &after);
    return EqualRect(&after, &suggested) != FALSE;
}

int font_height_of(HWND control) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW logfont{};
    if (font == nullptr || GetObjectW(font, sizeof(logfont), &logfont) == 0) return 0;
    return logfont.lfHeight;
}

// The page label runs under group button 0: its font is the layout's where the text fits the
// part left visible, else a smaller one with which it does.
void check_page_label_font(Report& report, HWND label, int dpi) {
    const std::string at = " at " + std::to_string(dpi) + " dpi";
    const int height = font_height_of(label);
    const double points = quillaro::palette_control(quillaro::kPageLabelId).points;
    report.check(height < 0 && height >= quillaro::win32::font_height(points, dpi),
                 "the page label's font is at most the layout's size" + at);
    const std::wstring text = window_text(label).value_or(L"");
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    const int visible =
        quillaro::to_pixels(quillaro::palette_control(quillaro::kFirstGroupButtonId).rect, dpi)
            .left -
        quillaro::to_pixels(quillaro::palette_control(quillaro::kPageLabelId).rect, dpi).left;
    report.check(!text.empty() && size.cx <= visible,
                 "the page label's text fits beside group button 0" + at + " (" +
                     std::to_string(size.cx) + " of " + std::to_string(visible) + " pixels)");
}

void check_palette_at(Report& report, HWND window, FontCache& fonts, int dpi) {
    const std::string at = " at " + std::to_string(dpi) + " dpi";
    int misplaced = 0;
    for (const auto& placement : quillaro::palette_layout()) {
        if (!placed_at(GetDlgItem(window, placement.id), placement.rect, dpi)) ++misplaced;
    }
    report.check_equal(misplaced, 0, "palette controls away from their place" + at);

    using quillaro::win32::font_height;
    report.check_equal(
        font_height_of(GetDlgItem(window, quillaro::kPageUpButtonId)),
        font_height(quillaro::palette_control(quillaro::kPageUpButtonId).points, dpi),
        "上頁's font" + at);
    check_page_label_font(report, GetDlgItem(window, quillaro::kPageLabelId), dpi);
    report.check_equal(font_height_of(GetDlgItem(window, quillaro::kPreviewId)),
                       font_height(quillaro::palette_control(quillaro::kPreviewId).points, dpi),
                       "the preview's font" + at);
    report.check_equal(font_height_of(GetDlgItem(window, quillaro::kMoreButtonId)),
                       font_height(quillaro::palette_control(quillaro::kMoreButtonId).points, dpi),
                       "More's font" + at);

    // The keys choose their font as they paint: after a repaint the cache already holds the
    // one for this DPI, and asking for it makes nothing new.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const size_t made = fonts.created();
    const auto& key = quillaro::palette_control(quillaro::kFirstKeyId);
    fonts.get({key.face, key.points, false, false, dpi});
    report.check_equal(fonts.created(), made, "the keys were painted with fonts made" + at);
}

void check_palette(Context& context) {
    Report& report = context.report;
    FontCache fonts;
    quillaro::win32::StartupMarks no_marks(L"");
    PaletteWindow palette(
        GetModuleHandleW(nullptr), fonts, loop, no_marks, [] {}, [] {});
    if (!report.check(palette.create(SW_SHOWNOACTIVATE), "a palette window is made here")) return;
    HWND window = palette.hwnd();
    pump();
    const int start_dpi = quillaro::win32::window_dpi(window);
    check_palette_at(report, window, fonts, start_dpi);

    report.check(change_dpi(window, 144), "to 144 dpi: the window takes the suggested size");
    check_palette_at(report, window, fonts, 144);
    context.screenshot("palette-144");
    report.check(change_dpi(window, 192), "to 192 dpi: the window takes the suggested size");
    check_palette_at(report, window, fonts, 192);
    context.screenshot("palette-192");

    report.check(change_dpi(window, start_dpi), "back: the window takes the suggested size");
    check_palette_at(report, window, fonts, start_dpi);
    const size_t made = fonts.created();
    change_dpi(window, 144);
    check_palette_at(report, window, fonts, 144);
    change_dpi(window, start_dpi);
    report.check_equal(fonts.created(), made, "a DPI seen before makes no new fonts");

    DestroyWindow(window);
    pump();
}

void check_about(Context& context) {
    Report& report = context.report;
    FontCache fonts;
    AboutWindow about(GetModuleHandleW(nullptr), fonts, [] {});
    about.open();
    HWND window = about.hwnd();
    if (!report.check(window != nullptr, "an about window is made here")) return;
    pump();
    HWND text = GetDlgItem(window, quillaro::kAboutTextBoxId);
    HWND ok = GetDlgItem(window, quillaro::kOkButtonId);
    for (int dpi : {144, 192, 96}) {
        const std::string at = " at " + std::to_string(dpi) + " dpi";
        report.check(change_dpi(window, dpi), "about window" + at + ": the suggested size");
        report.check(placed_at(text, quillaro::kAboutTextBox.rect, dpi) &&
                         placed_at(ok, quillaro::kOkButton.rect, dpi),
                     "the about window's text and OK button in place" + at);
        report.check_equal(font_height_of(ok),
                           quillaro::win32::font_height(quillaro::kOkButton.points, dpi),
                           "the OK button's font" + at);
        if (dpi == 192) context.screenshot("about-192");
    }
    DestroyWindow(window);
    pump_until([&] { return about.hwnd() == nullptr; });
}

}  // namespace

void dpi_change(Context& context) {
    check_palette(context);
    check_about(context);
}

E2E_TEST(dpi_change, "",
         "palette and about window made here, sent WM_DPICHANGED: layout and fonts");

}  // namespace e2e::cases
