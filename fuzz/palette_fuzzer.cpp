// libFuzzer target over everything that reads the user's group files.
//
// Each input is used three ways:
//  1. As one group file's bytes for read_group_lines, with 0, 1, 3 and unlimited lines.
//  2. As up to 16 group files, split at each "\x1E\x1E": the palette starts, goes to set 3,
//     and every group is selected, paged through and back, and every key hovered and clicked.
//     Then the files move one group on and set 3 is read again, checked against the model.
//  3. As loader arguments on the palette's table afterwards: byte 0 picks the set (-1..4),
//     byte 1 the group (-1..21), and the lines of the remaining bytes become the lists given
//     to KeyTable::load_comma_lists and load_per_character, checked against a model of that table
//     slot.
//
// Any broken expectation aborts, so libFuzzer reports it like a crash.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_desktop.h"
#include "palette/palette.h"
#include "symbols/decimal.h"
#include "symbols/group_file.h"
#include "symbols/key_table.h"

namespace quillaro::fuzzing {
namespace {

#define FUZZ_REQUIRE(condition)                                                         \
    do {                                                                                \
        if (!(condition)) {                                                             \
            std::fprintf(stderr, "%s:%d: expectation failed: %s\n", __FILE__, __LINE__, \
                         #condition);                                                   \
            std::abort();                                                               \
        }                                                                               \
    } while (false)

constexpr std::string_view kFileSeparator = "\x1E\x1E";
constexpr int kUserGroups = 16;

const AnsiDecoder kAnsi = [](std::string_view bytes) { return decode_big5_like(bytes); };

bool has_line_end(std::u16string_view text) {
    return text.find_first_of(u"\r\n") != std::u16string_view::npos;
}

// True when every surrogate in `text` is half of a high-low pair.
bool surrogates_paired(std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xDC00 && unit <= 0xDFFF) return false;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return false;
            ++i;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// 1. Decoding and line splitting.

void check_group_lines(std::string_view bytes) {
    FUZZ_REQUIRE(read_group_lines(bytes, kAnsi, 0).empty());
    const auto one = read_group_lines(bytes, kAnsi, 1);
    const auto three = read_group_lines(bytes, kAnsi, 3);
    const auto all = read_group_lines(bytes, kAnsi, std::numeric_limits<size_t>::max());
    FUZZ_REQUIRE(one.size() <= 1);
    FUZZ_REQUIRE(three.size() <= 3);
    FUZZ_REQUIRE(all.size() <= bytes.size());
    // Fewer lines asked for never changes the lines that are read.
    FUZZ_REQUIRE(one.size() == std::min<size_t>(all.size(), 1));
    FUZZ_REQUIRE(three.size() == std::min<size_t>(all.size(), 3));
    for (size_t i = 0; i < three.size(); ++i) FUZZ_REQUIRE(three[i] == all[i]);
    if (!one.empty()) FUZZ_REQUIRE(one[0] == all[0]);

    // Only a UTF-16 file can hold a lone surrogate; UTF-8 and the code page never decode to one.
    const bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    size_t units = 0;
    for (const auto& line : all) {
        FUZZ_REQUIRE(!has_line_end(line));
        FUZZ_REQUIRE(utf16 || surrogates_paired(line));
        units += line.size();
    }
    // Every decoder here yields at most one code unit per byte.
    FUZZ_REQUIRE(units <= bytes.size());

    // Plain ASCII reads back byte for byte, without line ends and other control characters
    // (a tab is text).
    bool ascii = true;
    for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) {
        std::u16string joined;
        std::u16string read;
        for (const char c : bytes) {
            const bool control = (c >= 0 && c < 0x20 && c != '\t') || c == 0x7F;
            if (!control) joined.push_back(static_cast<char16_t>(c));
        }
        for (const auto& line : all) read += line;
        FUZZ_REQUIRE(read == joined);
    }
}

// ---------------------------------------------------------------------------------------------
// 2. The loaders, against a model of one table slot.

struct SlotModel {
    std::array<std::u16string, kItemSlots> captions;
    std::array<std::u16string, kItemSlots> sends;
    int16_t pages = 0;
};

std::vector<std::u16string_view> comma_items(std::u16string_view list) {
    std::vector<std::u16string_view> items;
    if (list.empty()) return items;
    size_t start = 0;
    for (size_t i = 0; i <= list.size(); ++i) {
        if (i == list.size() || list[i] == u',') {
            items.push_back(list.substr(start, i - start));
            start = i + 1;
        }
    }
    return items;
}

// What a loader call should do: the failure it reports (if any), with the model updated.
using Outcome = std::optional<LoadError::Kind>;

// Stores items in order; an item for a slot outside the table, or past its last item, fails
// the call and keeps what was stored before it.
template <typename Items, typename Field>
Outcome store_items(bool valid, const Items& items, Field field) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (!valid || i >= static_cast<size_t>(kItemSlots)) return LoadError::Kind::OutOfRange;
        field(i, items[i]);
    }
    return std::nullopt;
}

bool valid_slot(int16_t set, int16_t group) {
    return set >= 0 && set < kSetSlots && group >= 0 && group < kGroupSlots;
}

// Item counts are 16-bit: lists too long for that fail before anything of them is stored.
constexpr size_t kMaxCommaItems = 32768;
constexpr size_t kMaxCharacters = 32767;

Outcome model_load_comma_lists(SlotModel& m, bool valid, std::u16string_view a,
                               std::u16string_view b) {
    const auto captions = comma_items(a);
    if (captions.size() > kMaxCommaItems) return LoadError::Kind::Overflow;
    if (auto failed = store_items(valid, captions, [&](size_t i, auto s) { m.captions[i] = s; })) {
        return failed;
    }
    const auto sends = comma_items(b);
    if (sends.size() > kMaxCommaItems) return LoadError::Kind::Overflow;
    if (auto failed = store_items(valid, sends, [&](size_t i, auto s) { m.sends[i] = s; })) {
        return failed;
    }
    if (!valid) return LoadError::Kind::OutOfRange;
    m.pages = pages_for(static_cast<int32_t>(sends.size()));
    return std::nullopt;
}

std::vector<std::u16string_view> characters(std::u16string_view s) {
    std::vector<std::u16string_view> units;
    for (size_t i = 0; i < s.size(); ++i) units.push_back(s.substr(i, 1));
    return units;
}

Outcome model_load_per_character(SlotModel& m, bool valid, std::u16string_view a,
                                 std::u16string_view b) {
    if (a.size() > kMaxCharacters) return LoadError::Kind::Overflow;
    if (auto failed =
            store_items(valid, characters(a), [&](size_t i, auto s) { m.captions[i] = s; })) {
        return failed;
    }
    if (b.size() > kMaxCharacters) return LoadError::Kind::Overflow;
    if (auto failed =
            store_items(valid, characters(b), [&](size_t i, auto s) { m.sends[i] = s; })) {
        return failed;
    }
    if (!valid) return LoadError::Kind::OutOfRange;
    m.pages = pages_for(static_cast<int32_t>(a.size()));
    return std::nullopt;
}

template <typename Call>
Outcome run_loader(Call call) {
    try {
        call();
    } catch (const LoadError& e) {
        return e.kind();
    }
    return std::nullopt;
}

void check_slot(const KeyTable& table, int16_t set, int16_t group, const SlotModel& m) {
    FUZZ_REQUIRE(table.page_count(set, group) == m.pages);
    for (int32_t i = 0; i < kItemSlots; ++i) {
        FUZZ_REQUIRE(table.key_caption(set, group, i) == m.captions[static_cast<size_t>(i)]);
        FUZZ_REQUIRE(table.key_text(set, group, i) == m.sends[static_cast<size_t>(i)]);
    }
    FUZZ_REQUIRE(table.key_caption(set, group, kItemSlots).empty());
    FUZZ_REQUIRE(table.key_text(set, group, -1).empty());
}

void check_every_page_count(const KeyTable& table) {
    for (int16_t set = -1; set <= kSetSlots; ++set) {
        for (int16_t group = -1; group <= kGroupSlots; ++group) {
            const int16_t pages = table.page_count(set, group);
            FUZZ_REQUIRE(pages >= 0 && pages <= 6);
            if (!valid_slot(set, group)) FUZZ_REQUIRE(pages == 0);
        }
    }
}

// Runs both loaders on a table that already holds the palette's groups, so that what a failed
// call must keep is real data.
void check_loaders(std::string_view bytes, KeyTable& table) {
    if (bytes.size() < 2) return;
    const auto set = static_cast<int16_t>(static_cast<uint8_t>(bytes[0]) % 6 - 1);
    const auto group = static_cast<int16_t>(static_cast<uint8_t>(bytes[1]) % 23 - 1);
    const bool valid = valid_slot(set, group);
    auto lines = read_group_lines(bytes.substr(2), kAnsi, 3);
    lines.resize(3);

    SlotModel model;
    if (valid) {
        for (int32_t i = 0; i < kItemSlots; ++i) {
            model.captions[static_cast<size_t>(i)] = table.key_caption(set, group, i);
            model.sends[static_cast<size_t>(i)] = table.key_text(set, group, i);
        }
        model.pages = table.page_count(set, group);
    }
    const Outcome first =
        run_loader([&] { table.load_comma_lists(set, group, lines[0], lines[1]); });
    FUZZ_REQUIRE(first == model_load_comma_lists(model, valid, lines[0], lines[1]));
    if (valid) check_slot(table, set, group, model);
    check_every_page_count(table);

    const Outcome second =
        run_loader([&] { table.load_per_character(set, group, lines[1], lines[2]); });
    FUZZ_REQUIRE(second == model_load_per_character(model, valid, lines[1], lines[2]));
    if (valid) check_slot(table, set, group, model);
    check_every_page_count(table);
}

// ---------------------------------------------------------------------------------------------
// 3. The palette over up to 16 group files.

std::vector<std::string_view> split_files(std::string_view input) {
    std::vector<std::string_view> files;
    while (files.size() + 1 < static_cast<size_t>(kUserGroups)) {
        const size_t at = input.find(kFileSeparator);
        if (at == std::string_view::npos) break;
        files.push_back(input.substr(0, at));
        input.remove_prefix(at + kFileSeparator.size());
    }
    files.push_back(input);
    return files;
}

// The group of one file as set 3 should hold it, and the longest line a key caption comes from.
struct ExpectedGroup {
    SlotModel slot;
    size_t caption_line_length = 0;
};

// Set 3 keeps each item only as long as a key can show and type it.
std::u16string items_within_limit(std::u16string_view list) {
    std::u16string out;
    const auto items = comma_items(list);
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += u',';
        out += within_text_limit(items[i]);
    }
    return out;
}

ExpectedGroup expected_group(std::optional<std::string_view> file) {
    ExpectedGroup expected;
    std::u16string captions;
    std::u16string sends;
    if (file) {
        auto lines = read_group_lines(*file, kAnsi, 3);
        if (lines.size() == 1) captions = lines[0];
        if (lines.size() >= 2) captions = lines[1];
        if (lines.size() >= 3) sends = lines[2];
    }
    expected.caption_line_length = captions.size();
    // A failure keeps what was stored.
    model_load_comma_lists(expected.slot, true, items_within_limit(captions),
                           items_within_limit(sends));
    return expected;
}

// The captions the group buttons show: line 1 of every file joined by commas, a missing first
// line repeating the one before, cut again at commas; the first 16 fields, each as a control
// shows it.
std::vector<std::u16string> expected_group_captions(const std::vector<std::string_view>& files) {
    std::u16string caption;
    std::u16string names;
    for (int n = 0; n < kUserGroups; ++n) {
        if (static_cast<size_t>(n) < files.size()) {
            const auto lines = read_group_lines(files[static_cast<size_t>(n)], kAnsi, 1);
            if (!lines.empty()) caption = lines[0];
        }
        if (n > 0) names += u',';
        names += caption;
    }
    std::vector<std::u16string> captions;
    size_t start = 0;
    while (captions.size() < kGroupButtons) {
        const size_t comma = names.find(u',', start);
        captions.emplace_back(
            within_text_limit(std::u16string_view(names).substr(start, comma - start)));
        if (comma == std::u16string::npos) break;
        start = comma + 1;
    }
    return captions;
}

void check_page_label(const Palette& palette) {
    FUZZ_REQUIRE(palette.page_count >= 0 && palette.page_count <= 6);
    FUZZ_REQUIRE(palette.page >= 1 && palette.page <= std::max<int16_t>(palette.page_count, 1));
    FUZZ_REQUIRE(palette.page_label.caption ==
                 decimal(palette.page) + u"/" + decimal(palette.page_count) + u"頁");
    FUZZ_REQUIRE(palette.page_down_button.enabled == (palette.page < palette.page_count));
    if (palette.page == 1) {
        FUZZ_REQUIRE(palette.page_up_button.caption == u"編輯" && palette.page_up_button.enabled);
    } else {
        FUZZ_REQUIRE(palette.page_up_button.caption == u"上頁" && palette.page_up_button.enabled);
    }
}

size_t item_on_key(const Palette& palette, size_t key) {
    return static_cast<size_t>(kKeysPerPage) * static_cast<size_t>(palette.page - 1) + key;
}

const std::u16string& model_at(const std::array<std::u16string, kItemSlots>& items, size_t i) {
    static const std::u16string empty;
    return i < items.size() ? items[i] : empty;
}

void check_key_captions(const Palette& palette, const ExpectedGroup& expected) {
    for (size_t k = 0; k < palette.keys.size(); ++k) {
        const auto& caption = palette.keys[k].caption;
        FUZZ_REQUIRE(caption.size() <= expected.caption_line_length);
        FUZZ_REQUIRE(caption.find(u',') == std::u16string::npos && !has_line_end(caption));
        FUZZ_REQUIRE(caption ==
                     within_text_limit(model_at(expected.slot.captions, item_on_key(palette, k))));
        const double size = palette.keys[k].font_size;
        FUZZ_REQUIRE(size == 8.0 || size == 11.0 || size == 12.0);
    }
}

void hover_and_click_every_key(Palette& palette, FuzzDesktop& desktop,
                               const ExpectedGroup& expected) {
    for (size_t k = 0; k < palette.keys.size(); ++k) {
        const std::u16string send(
            within_text_limit(model_at(expected.slot.sends, item_on_key(palette, k))));
        const auto key = static_cast<int16_t>(k);
        palette.preview_key(key);
        FUZZ_REQUIRE(palette.preview.text == send);
        const size_t typed_before = desktop.typed.size();
        palette.send_key(key);
        if (send.empty()) {
            FUZZ_REQUIRE(desktop.typed.size() == typed_before);
        } else {
            FUZZ_REQUIRE(desktop.typed.size() == typed_before + 1 && desktop.typed.back() == send);
        }
    }
}

// The files moved one group on (file 15 dropped, group 0 without a file), read again while set
// 3 shows the last group on its last page: every group is what its new file alone makes of it,
// nothing of the old one left, and the position follows the rules.
void check_reload(Palette& palette, FuzzDesktop& desktop,
                  const std::vector<std::string_view>& files) {
    while (palette.page_down_button.enabled) palette.next_page();
    const int16_t page_before = palette.page;
    // An empty file reads as a missing one: group 0 gets none.
    std::vector<std::string_view> moved(static_cast<size_t>(kUserGroups));
    desktop.files.clear();
    for (size_t g = 1; g < moved.size() && g - 1 < files.size(); ++g) {
        moved[g] = files[g - 1];
        desktop.files[group_file_name(static_cast<int>(g))] = std::string(moved[g]);
    }
    FUZZ_REQUIRE(palette.reload_user_groups());
    for (int16_t g = 0; g < kUserGroups; ++g) {
        check_slot(palette.table, kUserSet, g, expected_group(moved[static_cast<size_t>(g)]).slot);
    }
    const auto captions = expected_group_captions(moved);
    for (size_t i = 0; i < captions.size(); ++i)
        FUZZ_REQUIRE(palette.group_buttons[i].caption == captions[i]);
    FUZZ_REQUIRE(palette.set == kUserSet && palette.group == kUserGroups - 1);
    const int16_t pages = palette.table.page_count(kUserSet, palette.group);
    FUZZ_REQUIRE(palette.page == (page_before <= std::max<int16_t>(pages, 1) ? page_before : 1));
    check_page_label(palette);
}

// A query of any units (lone surrogates, controls, far past the box's limit) over whatever
// set 3 the input made: every result page shows, Enter types a result or nothing, and Escape
// brings back the position the search started from.
void check_search(Palette& palette, std::string_view input) {
    std::u16string query;
    for (size_t at = 0; at + 1 < input.size() && query.size() < 3 * kMaxQueryUnits; at += 2) {
        query += static_cast<char16_t>(static_cast<uint8_t>(input[at]) |
                                       static_cast<uint8_t>(input[at + 1]) << 8);
    }
    const int16_t set = palette.set;
    const int16_t group = palette.group;
    const int16_t page = palette.page;
    palette.begin_search();
    palette.search_for(query);
    FUZZ_REQUIRE(palette.searching && palette.preview.text.size() <= kMaxQueryUnits);
    while (palette.page_down_button.enabled) palette.next_page();
    palette.send_first_result();
    palette.escape_search();
    FUZZ_REQUIRE(!palette.searching && palette.set == set && palette.group == group &&
                 palette.page == page);
    check_page_label(palette);
}

void check_palette(std::string_view input) {
    const auto files = split_files(input);
    FuzzDesktop desktop;
    for (size_t n = 0; n < files.size(); ++n) {
        desktop.files[group_file_name(static_cast<int>(n))] = std::string(files[n]);
    }

    Palette palette(desktop);
    palette.start();
    FUZZ_REQUIRE(palette.set == 1 && palette.group == 0 && palette.page == 1);
    palette.track_foreground();
    palette.next_set();
    palette.next_set();
    FUZZ_REQUIRE(palette.set == 3);

    const auto captions = expected_group_captions(files);
    FUZZ_REQUIRE(captions.size() == kGroupButtons);
    for (size_t i = 0; i < captions.size(); ++i)
        FUZZ_REQUIRE(palette.group_buttons[i].caption == captions[i]);
    for (const auto& group : palette.group_buttons) FUZZ_REQUIRE(!has_line_end(group.caption));

    for (int16_t g = 0; g < kUserGroups; ++g) {
        const auto n = static_cast<size_t>(g);
        const ExpectedGroup expected =
            expected_group(n < files.size() ? std::optional(files[n]) : std::nullopt);
        palette.select_group(g);
        FUZZ_REQUIRE(palette.group == g && palette.group_buttons[n].bold);
        FUZZ_REQUIRE(palette.page_count == expected.slot.pages);
        for (;;) {
            check_page_label(palette);
            check_key_captions(palette, expected);
            hover_and_click_every_key(palette, desktop, expected);
            if (!palette.page_down_button.enabled) break;
            palette.next_page();
        }
        FUZZ_REQUIRE(palette.page == std::max<int16_t>(palette.page_count, 1));
        while (palette.page > 1) {
            palette.previous_page_or_edit();
            check_page_label(palette);
            check_key_captions(palette, expected);
        }
    }
    FUZZ_REQUIRE(desktop.message_boxes == 0);  // the edit command was never reached

    check_reload(palette, desktop, files);
    check_search(palette, input);

    palette.next_set();
    FUZZ_REQUIRE(palette.set == 1);

    // One table per input: allocating a second would cost more than all the checks here.
    check_loaders(input, palette.table);
}

}  // namespace
}  // namespace quillaro::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): libFuzzer hands over bytes
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    quillaro::fuzzing::check_group_lines(input);
    quillaro::fuzzing::check_palette(input);
    return 0;
}
