#include "palette_model.h"

namespace e2e::cases {

PaletteModel::PaletteModel(std::filesystem::path folder)
    : desktop_(std::move(folder)), palette_(desktop_) {
    palette_.start();
}

quillaro::FileRead PaletteModel::FolderDesktop::read_file(std::u16string_view name) {
    return windows_.read_file((folder_ / std::u16string(name)).u16string());
}

}  // namespace e2e::cases
