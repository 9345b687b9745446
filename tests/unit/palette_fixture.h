// A palette on a fake desktop, for the tests that start it and walk it to set 3.
#pragma once

#include <gtest/gtest.h>

#include "fake_desktop.h"
#include "palette/palette.h"

namespace quillaro::testing {

class PaletteFixture : public ::testing::Test {
  protected:
    FakeDesktop desktop;
    Palette palette{desktop};

    // Start-up, then More twice: set 3, read from the desktop's files.
    void start_in_set_3() {
        palette.start();
        palette.next_set();
        palette.next_set();
        ASSERT_EQ(palette.set, 3);
    }
};

}  // namespace quillaro::testing
