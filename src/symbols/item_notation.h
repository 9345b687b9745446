// A compact way to write a group's item list, so that the built-in data table reads like the
// list it encodes: a run of consecutive code points stays one entry, and so do repeated blanks.
//
//   run(0xE897, 0xE8B4)  one item per code point, first to last inclusive
//   one(0x2606)          one item, that character
//   empty(6)             six empty items (blank keys that type nothing)
//   space(4)             four items of one space each
//   multi({0xED52, 0xED53, 0xED54})  one item made of several characters
//
// The entry makers are consteval: a descending run, a zero count or a comma inside an item
// (which would cut a comma-list item in two) fails to compile.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>

#include "symbols/builtin_sets.h"

namespace quillaro::notation {

inline constexpr size_t kMaxItemChars = 3;

struct Entry {
    enum class Kind : uint8_t { Run, Repeat, Several };
    Kind kind{};
    char16_t first{};  // Run: first code point
    char16_t last{};   // Run: last code point
    uint8_t times{};   // Repeat: how many items
    uint8_t length{};  // Repeat, Several: characters used in `text`
    std::array<char16_t, kMaxItemChars> text{};
};

namespace detail {

consteval void require_no_comma(char16_t c) {
    if (c == u',') throw std::invalid_argument("a comma cannot be part of an item");
}

consteval uint8_t checked_times(int times) {
    if (times < 1 || times > UINT8_MAX) throw std::invalid_argument("repeat count out of range");
    return static_cast<uint8_t>(times);
}

}  // namespace detail

consteval Entry run(char16_t first, char16_t last) {
    if (last < first) throw std::invalid_argument("a run must ascend");
    if (first <= u',' && u',' <= last) {
        throw std::invalid_argument("a comma cannot be part of an item");
    }
    return Entry{.kind = Entry::Kind::Run, .first = first, .last = last};
}

consteval Entry one(char16_t c) { return run(c, c); }

consteval Entry empty(int times = 1) {
    return Entry{.kind = Entry::Kind::Repeat, .times = detail::checked_times(times), .length = 0};
}

consteval Entry space(int times = 1) {
    return Entry{.kind = Entry::Kind::Repeat,
                 .times = detail::checked_times(times),
                 .length = 1,
                 .text = {u' '}};
}

consteval Entry multi(std::initializer_list<char16_t> chars) {
    if (chars.size() < 2 || chars.size() > kMaxItemChars) {
        throw std::invalid_argument("a multi-character item has 2 or 3 characters");
    }
    Entry entry{.kind = Entry::Kind::Several, .length = static_cast<uint8_t>(chars.size())};
    size_t i = 0;
    for (const char16_t c : chars) {
        detail::require_no_comma(c);
        entry.text.at(i++) = c;
    }
    return entry;
}

// The loader string of an item list: for a comma list the items joined by ",", for a
// one-per-character list the items written one after another. (A comma list of a single empty
// item comes out as "", which its loader reads as no items at all.)
std::u16string expand(Loader loader, std::initializer_list<Entry> entries);

}  // namespace quillaro::notation
