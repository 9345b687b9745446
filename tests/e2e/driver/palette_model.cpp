#include "palette_model.h"

namespace e2e {

PaletteModel::PaletteModel(std::filesystem::path folder)
    : files_(std::move(folder)), palette_({input_, files_, notices_}) {
    palette_.start();
}

quillaro::FileRead PaletteModel::FolderFiles::read_file(std::u16string_view name) {
    return Win32Files::read_file((folder_ / std::u16string(name)).u16string());
}

}  // namespace e2e
