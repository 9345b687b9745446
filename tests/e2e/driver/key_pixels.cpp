#include "key_pixels.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <optional>

#include "driver/e2e.h"

namespace e2e {
namespace {

// The frame of a button takes two or three pixels on each side.
constexpr int kBorder = 3;

int brightness(uint32_t pixel) {
    return static_cast<int>(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF)) / 3;
}

// The most common brightness: the key's face.
int background(const std::vector<uint32_t>& pixels) {
    std::array<int, 256> counts{};
    for (const uint32_t pixel : pixels) ++counts[static_cast<size_t>(brightness(pixel))];
    return static_cast<int>(std::max_element(counts.begin(), counts.end()) - counts.begin());
}

}  // namespace

// Ink: darker than the face, the faint smoothed strokes of thin lines included.
bool KeyPixels::dark(uint32_t pixel) const {
    if (face_ < 0) face_ = background(pixels);
    return brightness(pixel) <= face_ - 24;
}

int KeyPixels::ink_height() const {
    int top = -1;
    int bottom = -1;
    for (int y = kBorder; y < height - kBorder; ++y) {
        for (int x = kBorder; x < width - kBorder; ++x) {
            if (dark(pixels[static_cast<size_t>(y * width + x)])) {
                if (top < 0) top = y;
                bottom = y;
                break;
            }
        }
    }
    return top < 0 ? 0 : bottom - top + 1;
}

int KeyPixels::last_ink_column(int right_limit) const {
    int last = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < std::min(width, right_limit); ++x) {
            if (dark(pixels[static_cast<size_t>(y * width + x)])) last = std::max(last, x);
        }
    }
    return last;
}

KeyPixels read_key_pixels(HWND key) {
    const std::optional<RECT> rect = client_rect_on_screen(key);
    if (!rect) return {};
    KeyPixels result;
    result.width = static_cast<int>(rect->right - rect->left);
    result.height = static_cast<int>(rect->bottom - rect->top);
    if (result.width <= 0 || result.height <= 0) return {};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = result.width;
    info.bmiHeader.biHeight = -result.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr && bits != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, result.width, result.height, screen, rect->left, rect->top, SRCCOPY);
        GdiFlush();
        const auto* first = static_cast<const uint32_t*>(bits);
        result.pixels.assign(first, first + result.width * result.height);
        for (uint32_t& pixel : result.pixels) pixel &= 0xFFFFFF;
        SelectObject(memory, old);
    }
    if (bitmap != nullptr) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return result;
}

HWND tooltip_window(HWND palette_window) {
    struct Search {
        HWND found = nullptr;
    } search;
    const DWORD thread = GetWindowThreadProcessId(palette_window, nullptr);
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM state) -> BOOL {
            // The keys' tooltip control, not a notice balloon's: it has a tool for every key.
            if (class_name(window) != TOOLTIPS_CLASSW) return TRUE;
            DWORD_PTR tools = 0;
            if (SendMessageTimeoutW(window, TTM_GETTOOLCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000,
                                    &tools) == 0 ||
                tools < static_cast<DWORD_PTR>(Palette::kKeys)) {
                return TRUE;
            }
            reinterpret_cast<Search*>(state)->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::optional<std::wstring> tooltip_text(HWND palette_window, HWND key) {
    HWND tooltip = tooltip_window(palette_window);
    if (tooltip == nullptr) return std::nullopt;
    DWORD process_id = 0;
    GetWindowThreadProcessId(palette_window, &process_id);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id);
    if (process == nullptr) return std::nullopt;

    // The tool description and the text buffer live in the palette's memory: a pointer of
    // ours means nothing there.
    constexpr size_t kChars = 512;
    const size_t size = sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t);
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    std::optional<std::wstring> text;
    if (remote != nullptr) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = palette_window;
        tool.uId = reinterpret_cast<UINT_PTR>(key);
        tool.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof(tool));
        const std::wstring zeros(kChars, L'\0');
        DWORD_PTR result = 0;
        if (WriteProcessMemory(process, remote, &tool, sizeof(tool), nullptr) != FALSE &&
            WriteProcessMemory(process, remote + sizeof(tool), zeros.data(),
                               kChars * sizeof(wchar_t), nullptr) != FALSE &&
            SendMessageTimeoutW(tooltip, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(remote),
                                SMTO_ABORTIFHUNG, 5000, &result) != 0) {
            std::wstring buffer(kChars, L'\0');
            if (ReadProcessMemory(process, remote + sizeof(tool), buffer.data(),
                                  kChars * sizeof(wchar_t), nullptr) != FALSE) {
                buffer.resize(wcsnlen(buffer.c_str(), kChars));
                text = buffer;
            }
        }
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return text;
}

}  // namespace e2e
