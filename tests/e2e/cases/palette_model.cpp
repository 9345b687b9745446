#include "palette_model.h"

#include <windows.h>

#include "driver/process.h"

namespace e2e::cases {

PaletteModel::PaletteModel(std::filesystem::path folder)
    : desktop_(std::move(folder)), palette_(desktop_) {
    palette_.start();
}

std::optional<std::string> PaletteModel::FolderDesktop::read_file(std::u16string_view name) {
    const std::filesystem::path path = folder_ / std::wstring(name.begin(), name.end());
    // Opened as the palette opens a group file: a file held without sharing stays unreadable.
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    std::string bytes(info.nFileSizeLow, '\0');
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data(), info.nFileSizeLow, &got, nullptr)) return std::nullopt;
    bytes.resize(got);
    return bytes;
}

std::u16string PaletteModel::FolderDesktop::decode_ansi(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<size_t>(units > 0 ? units : 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), units);
    return {text.begin(), text.end()};
}

}  // namespace e2e::cases
