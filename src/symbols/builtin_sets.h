// Sets 1 and 2: the 32 groups that ship with the palette.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace quillaro {

class KeyTable;

enum class Loader : uint8_t {
    CommaList,        // KeyTable::load_comma_lists: items separated by ","
    OnePerCharacter,  // KeyTable::load_per_character: every UTF-16 unit is an item
};

struct BuiltinGroup {
    int16_t set;    // 1 or 2
    int16_t group;  // 0..15
    Loader loader;
    std::u16string items;  // handed to the loader as both captions and send strings
};

// The 32 groups in load order: set 1 groups 0..15, then set 2 groups 0..15.
std::span<const BuiltinGroup> builtin_groups();

// The group-button captions of sets 1 and 2, 16 captions joined by ",".
extern const char16_t* const kSet1GroupNames;
extern const char16_t* const kSet2GroupNames;

// Loads all 32 groups into the table in load order. Built-in data never fails to load.
void load_builtin_groups(KeyTable& table);

}  // namespace quillaro
