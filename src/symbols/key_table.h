// The key table: caption, send string and page count of every symbol group.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quillaro {

// Every loader failure is one of these; callers that must go on catch it in one place.
class LoadError : public std::runtime_error {
  public:
    enum class Kind { OutOfRange, Overflow };
    LoadError(Kind kind, const char* what) : std::runtime_error(what), kind_(kind) {}
    [[nodiscard]] Kind kind() const { return kind_; }

  private:
    Kind kind_;
};

inline constexpr int16_t kSetSlots = 4;     // sets 0..3; set 0 is never used
inline constexpr int16_t kGroupSlots = 21;  // groups 0..20; 16..20 are never used
inline constexpr int16_t kItemSlots = 251;  // items 0..250
inline constexpr int16_t kKeysPerPage = 46;

// Pages needed for `items` keys: the quotient rounded up, 0 for no items.
constexpr int16_t pages_for(int32_t items) {
    return static_cast<int16_t>(items / kKeysPerPage + (items % kKeysPerPage != 0 ? 1 : 0));
}

class KeyTable {
  public:
    // Readers. Indices outside the table read as empty; the window never asks for them,
    // but the sixth page's keys 21..45 stand past item 250 and must show nothing.
    [[nodiscard]] const std::u16string& key_caption(int16_t set, int16_t group, int32_t item) const;
    [[nodiscard]] const std::u16string& key_text(int16_t set, int16_t group, int32_t item) const;
    [[nodiscard]] int16_t page_count(int16_t set, int16_t group) const;

    // The two loaders. Both fail with LoadError, leaving what was stored before the failure.
    void load_comma_lists(int16_t set, int16_t group, std::u16string_view captions,
                          std::u16string_view texts);
    void load_per_character(int16_t set, int16_t group, std::u16string_view captions,
                            std::u16string_view texts);

    // Replaces every group of `set` (cells and page counts) with those of `from`'s `set`, which
    // is left empty. The loaders keep the tail of an earlier, longer load of a group; a set
    // loaded afresh into another table and moved in here keeps nothing of what it replaces.
    // Allocates nothing, so it cannot fail halfway. A set outside the table changes nothing.
    void replace_set(int16_t set, KeyTable& from) noexcept;

  private:
    struct Cell {
        std::u16string caption;
        std::u16string text;
    };
    static constexpr size_t kSlots = size_t{kSetSlots} * size_t{kGroupSlots};
    static size_t slot(int16_t set, int16_t group) {
        return static_cast<size_t>(set) * kGroupSlots + static_cast<size_t>(group);
    }

    Cell& cell_for_store(int16_t set, int16_t group, int32_t item);
    void store_page_count(int16_t set, int16_t group, int32_t items);
    [[nodiscard]] const Cell* find(int16_t set, int16_t group, int32_t item) const;

    // The cells of each group, as many as its highest stored item needs: a cell past the end
    // reads as empty, as a cell never stored does. 84 groups of 251 cells took 1.35 MB at
    // start-up, where only 48 groups are ever filled, most with fewer than 60 items. Strings
    // returned by the readers stay valid until the next store into the same group (stores
    // happen only while the palette starts).
    std::array<std::vector<Cell>, kSlots> groups_;
    std::array<int16_t, kSlots> page_counts_{};
};

}  // namespace quillaro
