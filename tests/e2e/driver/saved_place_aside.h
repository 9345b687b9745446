// Every test starts the palette as on a first start, and leaves the place the prefix had
// saved (by a person trying the palette in the same prefix) as it found it.
#pragma once

#include <windows.h>

#include <optional>

namespace e2e {

class SavedPlaceAside {
  public:
    SavedPlaceAside();  // takes the saved place away
    SavedPlaceAside(const SavedPlaceAside&) = delete;
    SavedPlaceAside& operator=(const SavedPlaceAside&) = delete;
    ~SavedPlaceAside();  // puts it back, or none when there was none

  private:
    std::optional<POINT> found_;
};

// Removes the palette's saved place.
void forget_saved_place();

}  // namespace e2e
