// What the keys show while the user searches: the symbols found, or the recent ones while the
// search box is empty.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "palette/recent_symbols.h"
#include "palette/symbol_search.h"

namespace quillaro {

class SearchResults {
  public:
    struct Item {
        std::u16string_view caption;
        std::u16string_view text;
        SymbolPlace place;  // set 0: a recent symbol, which may no longer stand anywhere
    };

    // Takes in the table (see SymbolSearch::index); the results found so far are found again.
    void index(const KeyTable& table,
               const std::array<std::u16string, SymbolSearch::kLastSet>& captions);
    [[nodiscard]] bool indexed() const { return search_.indexed(); }

    // The recent symbols as they are now: typing one later leaves the shown order alone.
    void show_recent(const RecentSymbols& recent);
    void show_found(std::u16string_view query);

    [[nodiscard]] size_t size() const { return showing_recent_ ? recent_.size() : found_.size(); }
    // The result at `position` in the list; empty past its end.
    [[nodiscard]] Item at(size_t position) const;
    // Changes whenever the list does.
    [[nodiscard]] uint32_t generation() const { return generation_; }
    [[nodiscard]] std::u16string_view group_caption(int16_t set, int16_t group) const {
        return search_.group_caption(set, group);
    }

  private:
    SymbolSearch search_;
    std::vector<SymbolPlace> found_;
    std::vector<RecentSymbol> recent_;
    std::u16string query_;
    bool showing_recent_ = true;
    uint32_t generation_ = 1;
};

}  // namespace quillaro
