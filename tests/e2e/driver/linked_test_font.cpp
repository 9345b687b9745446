#include "linked_test_font.h"

#include <system_error>

namespace e2e {
namespace {

constexpr wchar_t kSystemLink[] =
    L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink";
constexpr wchar_t kFonts[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

std::filesystem::path fonts_folder() {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return std::filesystem::path(windows) / L"Fonts";
}

HKEY open_key(const wchar_t* path) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

std::optional<std::vector<wchar_t>> read_multi(HKEY key, const std::wstring& name) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<wchar_t> value(bytes / sizeof(wchar_t) + 1, L'\0');
    RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                     &bytes);
    value.resize(bytes / sizeof(wchar_t));
    return value;
}

bool write_multi(HKEY key, const std::wstring& name, const std::vector<wchar_t>& value) {
    return RegSetValueExW(key, name.c_str(), 0, REG_MULTI_SZ,
                          reinterpret_cast<const BYTE*>(value.data()),
                          static_cast<DWORD>(value.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace

LinkedTestFont::LinkedTestFont(const std::filesystem::path& font_file, const std::wstring& family,
                               const std::vector<std::wstring>& linked_to) {
    std::error_code error;
    installed_file_ = fonts_folder() / font_file.filename();
    std::filesystem::copy_file(font_file, installed_file_,
                               std::filesystem::copy_options::overwrite_existing, error);
    if (error) return;
    installed_ = true;

    const std::wstring file_name = font_file.filename().wstring();
    registered_name_ = family + L" (TrueType)";
    if (HKEY fonts = open_key(kFonts)) {
        RegSetValueExW(fonts, registered_name_.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(file_name.c_str()),
                       static_cast<DWORD>((file_name.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(fonts);
    }

    HKEY links = open_key(kSystemLink);
    if (links == nullptr) {
        installed_ = false;
        return;
    }
    const std::wstring entry = file_name + L"," + family;
    for (const std::wstring& face : linked_to) {
        SavedLink saved{face, read_multi(links, face)};
        std::vector<wchar_t> value(entry.begin(), entry.end());
        value.push_back(L'\0');
        if (saved.value) {
            value.insert(value.end(), saved.value->begin(), saved.value->end());
        }
        while (value.size() < 2 || value[value.size() - 2] != L'\0') value.push_back(L'\0');
        installed_ = write_multi(links, face, value) && installed_;
        saved_.push_back(std::move(saved));
    }
    RegCloseKey(links);
}

LinkedTestFont::~LinkedTestFont() {
    if (HKEY links = open_key(kSystemLink)) {
        for (const SavedLink& saved : saved_) {
            if (saved.value) {
                write_multi(links, saved.face, *saved.value);
            } else {
                RegDeleteValueW(links, saved.face.c_str());
            }
        }
        RegCloseKey(links);
    }
    if (!registered_name_.empty()) {
        if (HKEY fonts = open_key(kFonts)) {
            RegDeleteValueW(fonts, registered_name_.c_str());
            RegCloseKey(fonts);
        }
    }
    std::error_code error;
    if (!installed_file_.empty()) std::filesystem::remove(installed_file_, error);
}

}  // namespace e2e
