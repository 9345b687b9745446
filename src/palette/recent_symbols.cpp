#include "palette/recent_symbols.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "symbols/decimal.h"

namespace quillaro {
namespace {

// Reads UTF-16LE units straight from the stored bytes, so reading allocates nothing but the
// strings it returns.
class StoredUnits {
  public:
    explicit StoredUnits(std::string_view bytes) : bytes_(bytes) {}

    [[nodiscard]] size_t left() const { return bytes_.size() / 2 - at_; }

    bool take(char16_t expected) {
        if (left() == 0 || unit(at_) != expected) return false;
        ++at_;
        return true;
    }

    bool take(std::u16string_view expected) {
        return std::all_of(expected.begin(), expected.end(),
                           [this](char16_t unit) { return take(unit); });
    }

    // Decimal digits without a leading zero, at most `max`. Stops as soon as the value is too
    // big, so a long run of digits neither overflows nor takes long.
    std::optional<size_t> number(size_t max) {
        const size_t start = at_;
        size_t value = 0;
        while (left() > 0 && is_digit(unit(at_))) {
            if (at_ > start && value == 0) return std::nullopt;
            value = value * 10 + static_cast<size_t>(unit(at_) - u'0');
            if (value > max) return std::nullopt;
            ++at_;
        }
        if (at_ == start) return std::nullopt;
        return value;
    }

    bool units(size_t count, std::u16string& out) {
        if (count > left()) return false;
        out.reserve(count);
        for (size_t i = 0; i < count; ++i) out.push_back(unit(at_++));
        return true;
    }

  private:
    static bool is_digit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

    [[nodiscard]] char16_t unit(size_t index) const {
        const auto low = static_cast<unsigned char>(bytes_[2 * index]);
        const auto high = static_cast<unsigned char>(bytes_[2 * index + 1]);
        return static_cast<char16_t>(low | (high << 8));
    }

    std::string_view bytes_;
    size_t at_ = 0;
};

std::u16string decimal_size(size_t value) { return decimal(static_cast<long long>(value)); }

}  // namespace

void RecentSymbols::add(std::u16string_view caption, std::u16string_view text) {
    text = within_text_limit(text);
    if (text.empty()) return;
    // Copied before anything moves: the views may point into an entry of this very list, as
    // when the user types a symbol again from the recent page.
    RecentSymbol entry{std::u16string(within_text_limit(caption)), std::u16string(text)};
    const auto same =
        std::find_if(entries_.begin(), entries_.end(),
                     [&entry](const RecentSymbol& e) { return e.text == entry.text; });
    if (same != entries_.end()) entries_.erase(same);
    entries_.insert(entries_.begin(), std::move(entry));
    if (entries_.size() > kMaxEntries) entries_.pop_back();
}

std::string RecentSymbols::to_stored() const {
    std::u16string text(kRecentStoredHeader);
    text += decimal_size(entries_.size());
    text += u'\n';
    for (const RecentSymbol& entry : entries_) {
        text += decimal_size(entry.caption.size());
        text += u' ';
        text += decimal_size(entry.text.size());
        text += u':';
        text += entry.caption;
        text += entry.text;
        text += u'\n';
    }
    std::string bytes;
    bytes.reserve(2 * text.size());
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

RecentSymbols RecentSymbols::from_stored(std::string_view bytes) {
    if (bytes.size() % 2 != 0 || bytes.size() > kMaxStoredBytes) return {};
    StoredUnits in(bytes);
    if (!in.take(kRecentStoredHeader)) return {};
    const std::optional<size_t> count = in.number(kMaxEntries);
    if (!count || !in.take(u'\n')) return {};

    // No reserve from the count: a few bytes claiming 46 entries get no room for them.
    RecentSymbols read;
    for (size_t i = 0; i < *count; ++i) {
        const std::optional<size_t> caption_length = in.number(kMaxTextUnits);
        if (!caption_length || !in.take(u' ')) return {};
        const std::optional<size_t> text_length = in.number(kMaxTextUnits);
        if (!text_length || *text_length == 0 || !in.take(u':')) return {};
        RecentSymbol entry;
        if (!in.units(*caption_length, entry.caption) || !in.units(*text_length, entry.text) ||
            !in.take(u'\n')) {
            return {};
        }
        // add never keeps two entries with one text; a value that has them was not written here.
        const bool repeated =
            std::any_of(read.entries_.begin(), read.entries_.end(),
                        [&entry](const RecentSymbol& e) { return e.text == entry.text; });
        if (repeated) return {};
        read.entries_.push_back(std::move(entry));
    }
    if (in.left() != 0) return {};
    return read;
}

}  // namespace quillaro
