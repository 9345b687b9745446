// Moving among the 46 keys with the keyboard, as they stand on screen: rows and columns.
#pragma once

#include <cstdint>

namespace quillaro {

enum class KeyStep : uint8_t { Left, Right, Up, Down, First, Last };

// The key a step from `key` lands on; `key` itself at an edge, where no key stands that way.
// Up and down go to the key of the next row that stands over the middle of this one.
int16_t key_after_step(int16_t key, KeyStep step);

}  // namespace quillaro
