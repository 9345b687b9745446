#include "win32/palette_settings.h"

#include <string>

#include "win32/saved_place.h"

namespace quillaro::win32 {
namespace {

constexpr const wchar_t* kRecentValue = L"Recent";
constexpr const wchar_t* kHotkeyValue = L"Hotkey";
// Far more than "Ctrl+Alt+Shift+Win+Space"; a longer value cannot be a hotkey.
constexpr DWORD kMaxHotkeyUnits = 64;

}  // namespace

RecentSymbols load_recent_symbols() {
    std::string bytes(RecentSymbols::kMaxStoredBytes, '\0');
    auto size = static_cast<DWORD>(bytes.size());
    // ERROR_MORE_DATA for an oversized value, which is then not read at all.
    if (RegGetValueW(HKEY_CURRENT_USER, kPlaceKey, kRecentValue, RRF_RT_REG_BINARY, nullptr,
                     bytes.data(), &size) != ERROR_SUCCESS) {
        return {};
    }
    bytes.resize(size);
    return RecentSymbols::from_stored(bytes);
}

bool save_recent_symbols(const RecentSymbols& recent) {
    const std::string bytes = recent.to_stored();
    return RegSetKeyValueW(HKEY_CURRENT_USER, kPlaceKey, kRecentValue, REG_BINARY, bytes.data(),
                           static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

HotkeySetting load_hotkey_setting() {
    std::wstring text(kMaxHotkeyUnits + 1, L'\0');
    auto size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, kPlaceKey, kHotkeyValue, RRF_RT_REG_SZ,
                                        nullptr, text.data(), &size);
    if (status == ERROR_FILE_NOT_FOUND) return {HotkeySetting::Kind::Valid, kDefaultHotkey};
    if (status != ERROR_SUCCESS) return {HotkeySetting::Kind::Invalid, {}};
    text.resize(size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return parse_hotkey(std::u16string(text.begin(), text.end()));
}

}  // namespace quillaro::win32
