// How long start-up spends loading: the 32 built-in groups and 16 group files of the largest
// size the palette can use (a long caption line, then 251 captions and 251 send strings of
// several characters each), read from memory through the fake desktop. Target: under 1 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "fake_desktop.h"
#include "palette/palette.h"
#include "symbols/builtin_sets.h"
#include "symbols/group_file.h"
#include "symbols/key_table.h"

namespace quillaro {
namespace {

enum class Encoding { Utf8, Ansi };

constexpr int kUserGroups = 16;
constexpr int kCaptionCharacters = 120;
constexpr int kCharactersPerItem = 4;

// One character in the file's encoding, varied by position: CJK in UTF-8 (3 bytes each), or
// the two Big5 pairs the fake code page knows (2 bytes each).
std::string character(Encoding encoding, int i) {
    if (encoding == Encoding::Ansi) return i % 2 == 0 ? "\xA4\xA4" : "\xFA\x40";
    const auto cp = static_cast<unsigned>(0x4E00 + i % 0x5000);
    return {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
            static_cast<char>(0x80 | (cp & 0x3F))};
}

std::string item_line(Encoding encoding, int seed) {
    std::string line;
    for (int item = 0; item < kItemSlots; ++item) {
        if (item > 0) line += ',';
        for (int c = 0; c < kCharactersPerItem; ++c) {
            line += character(encoding, seed + item * kCharactersPerItem + c);
        }
    }
    return line;
}

std::string largest_group_file(Encoding encoding, int n) {
    std::string caption;
    for (int c = 0; c < kCaptionCharacters; ++c) caption += character(encoding, n + c);
    return caption + "\r\n" + item_line(encoding, n) + "\r\n" + item_line(encoding, n + 7) + "\r\n";
}

void add_group_files(testing::FakeDesktop& desktop, Encoding encoding) {
    for (int n = 0; n < kUserGroups; ++n) {
        desktop.files[group_file_name(n)] = largest_group_file(encoding, n);
    }
}

// The two loads of start-up, on a palette that already exists.
void BM_FullLoad(benchmark::State& state, Encoding encoding) {
    testing::FakeDesktop desktop;
    add_group_files(desktop, encoding);
    Palette palette(desktop);
    for (auto _ : state) {
        load_builtin_groups(palette.table);
        palette.load_user_groups();
        benchmark::DoNotOptimize(palette.table.page_count(3, 15));
    }
    if (palette.table.page_count(3, 15) != 6) state.SkipWithError("group files did not load");
}
BENCHMARK_CAPTURE(BM_FullLoad, utf8, Encoding::Utf8)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FullLoad, ansi, Encoding::Ansi)->Unit(benchmark::kMicrosecond);

// Everything start-up does, from creating the palette (its table included) to the first
// selection, plus the caption pass that reads line 1 of every file when set 3 is shown.
void BM_StartUp(benchmark::State& state, Encoding encoding) {
    testing::FakeDesktop desktop;
    add_group_files(desktop, encoding);
    for (auto _ : state) {
        Palette palette(desktop);
        palette.start();
        palette.show_group_captions(3);
        benchmark::DoNotOptimize(palette.group_captions.data());
    }
}
BENCHMARK_CAPTURE(BM_StartUp, utf8, Encoding::Utf8)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_StartUp, ansi, Encoding::Ansi)->Unit(benchmark::kMicrosecond);

void BM_BuiltinLoad(benchmark::State& state) {
    KeyTable table;
    for (auto _ : state) {
        load_builtin_groups(table);
        benchmark::DoNotOptimize(table.page_count(2, 15));
    }
}
BENCHMARK(BM_BuiltinLoad)->Unit(benchmark::kMicrosecond);

void BM_ReadGroupLines(benchmark::State& state, Encoding encoding) {
    testing::FakeDesktop desktop;
    const std::string bytes = largest_group_file(encoding, 0);
    const AnsiDecoder ansi = [&desktop](std::string_view b) { return desktop.decode_ansi(b); };
    for (auto _ : state) {
        auto lines = read_group_lines(bytes, ansi, 3);
        benchmark::DoNotOptimize(lines.data());
    }
    const auto lines = read_group_lines(bytes, ansi, 3);
    constexpr size_t kItemLine = kItemSlots * (kCharactersPerItem + 1) - 1;
    if (lines.size() != 3 || lines[0].size() != kCaptionCharacters ||
        lines[1].size() != kItemLine || lines[2].size() != kItemLine ||
        lines[1].find(u'\uFFFD') != std::u16string::npos) {
        state.SkipWithError("the file did not decode as built");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK_CAPTURE(BM_ReadGroupLines, utf8, Encoding::Utf8)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReadGroupLines, ansi, Encoding::Ansi)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillaro

BENCHMARK_MAIN();
