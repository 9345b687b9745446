// Screenshots are taken by the runner script (run_e2e.sh), which owns the X display. The driver
// asks for one by creating "<name>.request" in a folder the script watches; the script saves
// the whole screen as screenshots/<run>-<name>.png and answers with "<name>.done", or with
// "<name>.failed" if it could not take it.
#pragma once

#include <filesystem>
#include <string_view>
#include <utility>

#include "poll.h"

namespace e2e {

class Screenshots {
  public:
    // `folder` empty: no runner is watching, and every request is declined at once.
    explicit Screenshots(std::filesystem::path folder) : folder_(std::move(folder)) {}

    [[nodiscard]] bool available() const { return !folder_.empty(); }

    // Asks for a screenshot and waits for the answer. `name` is 1 to 64 of A-Z a-z 0-9 _ -.
    // True once the picture is saved.
    bool take(std::string_view name, Millis timeout = 30s) const;

  private:
    std::filesystem::path folder_;
};

}  // namespace e2e
