// The environment run_e2e.sh prepares, as a Windows program sees it: the ANSI code page that
// LC_ALL implies, the DPI asked for with E2E_DPI, the screen size, a fresh scratch folder, the
// Traditional Chinese face names mapped to an installed font with CJK glyphs. Also checks the
// driver's own command-line quoting against the system's parser.

#include <windows.h>

#include <shellapi.h>

#include <charconv>
#include <filesystem>
#include <string>
#include <vector>

#include "driver/e2e.h"

namespace e2e::cases {

namespace {

void check_code_page(Report& report) {
    const std::string locale = to_utf8(environment(L"LC_ALL"));
    report.note("LC_ALL=" + locale + ", ANSI code page " + std::to_string(GetACP()));
    if (locale.rfind("zh_TW", 0) == 0) {
        report.check_equal(GetACP(), 950u, "LC_ALL=zh_TW gives ANSI code page 950");
    }
}

void check_screen(Report& report) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    report.check_equal(dpi, environment_int(L"E2E_DPI").value_or(96), "the screen DPI is E2E_DPI");

    const std::string size = to_utf8(environment(L"E2E_SCREEN"));  // e.g. 1280x1024x24
    const char* const end = size.data() + size.size();
    int width = 0;
    int height = 0;
    const auto [after_width, width_error] = std::from_chars(size.data(), end, width);
    if (width_error == std::errc{} && after_width != end && *after_width == 'x' &&
        std::from_chars(after_width + 1, end, height).ec == std::errc{}) {
        report.check_equal(GetSystemMetrics(SM_CXSCREEN), width, "the screen width");
        report.check_equal(GetSystemMetrics(SM_CYSCREEN), height, "the screen height");
    }
}

void check_work_folder(Context& context) {
    std::error_code error;
    const bool empty = std::filesystem::is_empty(context.work_dir, error);
    context.report.check(!error && empty, "the test starts in an empty scratch folder");
}

// The face a font request for `face` really gets, and whether it has a glyph for U+4E2D.
struct FaceResult {
    std::wstring face;
    bool has_cjk_glyph = false;
};

FaceResult resolve_face(const std::wstring& face) {
    FaceResult result;
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH, face.c_str());
    HGDIOBJ old = SelectObject(dc, font);
    wchar_t name[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, name);
    result.face = name;
    WORD glyph = 0xFFFF;
    GetGlyphIndicesW(dc, L"\x4E2D", 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
    result.has_cjk_glyph = glyph != 0xFFFF;
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return result;
}

void check_fonts(Report& report) {
    // 新細明體, 細明體 and their English names: missing under Wine, mapped by the runner.
    const std::vector<std::wstring> faces{L"\x65B0\x7D30\x660E\x9AD4", L"\x7D30\x660E\x9AD4",
                                          L"PMingLiU", L"MingLiU"};
    for (const auto& face : faces) {
        const FaceResult result = resolve_face(face);
        report.check_equal(result.face, face,
                           "a font asked for as " + describe(face) + " is found under that name");
        report.check(result.has_cjk_glyph,
                     "the font " + describe(face) + " has a glyph for U+4E2D");
    }
}

void check_quoting(Report& report) {
    const std::vector<std::wstring> args{
        L"plain",         L"with space",        L"",
        L"quote\"inside", L"trailing\\",        L"end \\\\",
        L"a\\\\\"b",      L"\\\\server\\share", L"\x4E2D\x6587 \xE000",
        L"tab\there"};
    const std::wstring line = command_line(L"C:\\Program Files\\x.exe", args);
    int count = 0;
    LPWSTR* parsed = CommandLineToArgvW(line.c_str(), &count);
    bool same = parsed != nullptr && count == static_cast<int>(args.size()) + 1 &&
                std::wstring(parsed[0]) == L"C:\\Program Files\\x.exe";
    for (size_t i = 0; same && i < args.size(); ++i) {
        same = std::wstring(parsed[i + 1]) == args[i];
        if (!same)
            report.note("argument " + std::to_string(i) + " came back as " +
                        describe(parsed[i + 1]));
    }
    if (parsed != nullptr) LocalFree(parsed);
    report.check(same, "quoted arguments come back unchanged through CommandLineToArgvW");
}

}  // namespace

void wine_setup(Context& context) {
    check_work_folder(context);
    check_code_page(context.report);
    check_screen(context.report);
    check_fonts(context.report);
    check_quoting(context.report);
}

E2E_TEST(wine_setup, "", "the environment the runner prepared: code page, DPI, screen, CJK font");
E2E_TEST_ALSO(wine_setup, "NAME wine_setup_dpi144 DPI 144");

}  // namespace e2e::cases
