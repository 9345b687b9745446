#include "driver/saved_place_aside.h"

#include "win32/saved_place.h"

namespace e2e {

void forget_saved_place() {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, quillaro::win32::kPlaceKey, L"WindowLeft");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, quillaro::win32::kPlaceKey, L"WindowTop");
}

SavedPlaceAside::SavedPlaceAside() : found_(quillaro::win32::load_saved_place()) {
    forget_saved_place();
}

SavedPlaceAside::~SavedPlaceAside() {
    forget_saved_place();
    if (found_) quillaro::win32::save_place(*found_);
}

}  // namespace e2e
