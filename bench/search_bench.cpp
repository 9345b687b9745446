// One keystroke in the search box: the query over the 2,562 built-in items and a full set 3
// (16 groups of 251 items of four characters), with the keys, label and paging it shows, beside
// the floor of any search over the same items (one substring scan of each text). Goal: under
// 1 ms, with no allocation per keystroke once the results have their room.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "fake_desktop.h"
#include "palette/palette.h"

namespace {
size_t allocations = 0;  // counted for the keystroke benchmarks
}  // namespace

// Every allocation of the program passes here, so that a benchmark can count its own.
void* operator new(size_t size) {
    ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
// GCC takes the replaced operator new for the standard one and warns of a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, size_t /*size*/) noexcept { std::free(memory); }

namespace quillaro {
namespace {

constexpr int16_t kUserGroups = 16;

std::u16string full_group(int16_t group) {
    std::u16string list;
    for (int item = 0; item < kItemSlots; ++item) {
        if (item > 0) list += u',';
        for (int c = 0; c < 4; ++c) {
            list += static_cast<char16_t>(0x4E00 + (group * kItemSlots + item) * 4 + c);
        }
    }
    return list;
}

// A started palette whose set 3 is full, with its search index made.
struct SearchingPalette {
    testing::FakeDesktop desktop;
    Palette palette{desktop};
    SearchingPalette() {
        palette.start();
        for (int16_t group = 0; group < kUserGroups; ++group) {
            const std::u16string list = full_group(group);
            palette.table.load_comma_lists(kUserSet, group, list, list);
        }
        palette.begin_search();
    }
};

void BM_SearchKeystroke(benchmark::State& state, std::u16string query) {
    SearchingPalette searching;
    Palette& palette = searching.palette;
    palette.search_for(query);  // the results take their room once
    palette.search_for(u"");
    const size_t before = allocations;
    for (auto _ : state) {
        palette.search_for(query);
        benchmark::DoNotOptimize(palette.keys[0].caption.data());
        palette.search_for(u"");  // the box emptied, as between two searches
    }
    state.counters["allocations"] = benchmark::Counter(static_cast<double>(allocations - before),
                                                       benchmark::Counter::kAvgIterations);
}
BENCHMARK_CAPTURE(BM_SearchKeystroke, code_point, std::u16string(u"203b"))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchKeystroke, name, std::u16string(u"upwards arrow"))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchKeystroke, one_letter, std::u16string(u"a"))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchKeystroke, caption, std::u16string(u"箭頭"))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchKeystroke, longest, std::u16string(64, u'x'))
    ->Unit(benchmark::kMicrosecond);

// The floor: each text of the same table scanned once for the query, nothing else.
void BM_ScanFloor(benchmark::State& state) {
    SearchingPalette searching;
    const KeyTable& table = searching.palette.table;
    const std::u16string_view query = u"upwards arrow";
    for (auto _ : state) {
        size_t found = 0;
        for (int16_t set = 1; set <= kSetCount; ++set) {
            for (int16_t group = 0; group < kUserGroups; ++group) {
                for (int32_t item = 0; item < kItemSlots; ++item) {
                    found += table.key_text(set, group, item).find(query) != std::u16string::npos;
                }
            }
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_ScanFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillaro
