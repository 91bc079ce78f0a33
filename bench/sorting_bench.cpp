// Sorting a million rows: the list's own sort by Old Name (logical and plain
// order, ICU collation keys) and by Size, beside a sort that compares pairs
// with our own case-folding logical comparison, to weigh ICU against it.
#include <benchmark/benchmark.h>
#include <unicode/uchar.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "namelist/NameList.h"
#include "namelist/Sorting.h"
#include "platform/Collation.h"

using namespace quirnel;

namespace {

constexpr int kRows = 1000000;

std::u16string Ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// Pieces appended in order (GCC 12 warns falsely on literal + temporary string).
std::u16string Cat(std::initializer_list<std::string> pieces) {
    std::string out;
    for (const auto& p : pieces) out += p;
    return Ascii(out);
}

std::u16string MakeName(std::mt19937& rng, int i) {
    auto num = [&](int lo, int hi) { return std::to_string(std::uniform_int_distribution<int>(lo, hi)(rng)); };
    switch (rng() % 8) {
        case 0: return Cat({"IMG_", num(1, 9999), ".jpg"});
        case 1: return Cat({"DSC", num(10000, 99999), ".JPG"});
        case 2: return Cat({"report_v", num(1, 40), " final.docx"});
        case 3: return Cat({"Report_V", num(1, 40), " Final (", num(1, 9), ").docx"});
        case 4: return Cat({"Meeting notes 20", num(10, 23), "-", num(1, 12), "-", num(1, 28), ".txt"});
        case 5: return u"\uD68C\uC758\uB85D_" + Cat({num(1, 500), ".hwp"});
        case 6: return Cat({"track", num(1, 30), " - Artist ", num(1, 200), ".mp3"});
        default: return Cat({"Scan ", num(1, 100000), ".PDF"});
    }
}

// One list for all runs; each run starts from a fresh shuffle.
struct BenchList {
    NameList list{PathStyle::forPosix()};
    std::mt19937 rng{20230423};
    BenchList() {
        for (int i = 0; i < kRows; ++i) {
            RowSource s;
            s.isFolder = rng() % 20 == 0;
            s.name = MakeName(rng, i);
            std::string folder = "/home/user/Pictures/";
            folder += std::to_string(i / 2000);
            if (!s.isFolder) folder += "/sub";
            s.folder = Ascii(folder);
            s.size = s.isFolder ? 0 : rng() % 50000000;
            s.modified = 1500000000 + rng() % 200000000;
            s.created = s.modified;
            s.name += Cat({"_", std::to_string(i)});  // unique paths
            list.appendRow(s);
        }
    }
    void Shuffle() {
        std::vector<int> order(list.size());
        for (int i = 0; i < list.size(); ++i) order[i] = i;
        std::shuffle(order.begin(), order.end(), rng);
        list.reorder(order);
    }
};

BenchList& Shared() {
    static BenchList b;
    return b;
}

void SortBy(benchmark::State& state, int column, bool logical) {
    BenchList& b = Shared();
    for (auto _ : state) {
        state.PauseTiming();
        b.Shuffle();
        state.ResumeTiming();
        SortRows(b.list, column, true, logical ? TextOrder::Logical : TextOrder::Plain);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_LogicalOldName_IcuKeys(benchmark::State& state) { SortBy(state, ColOldName, true); }
void BM_PlainOldName_IcuKeys(benchmark::State& state) { SortBy(state, ColOldName, false); }
void BM_Size(benchmark::State& state) { SortBy(state, ColSize, true); }

// Our own logical comparison, pair by pair: code points folded with ICU's
// case folding, digit runs by value, the rest by code point.
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
char32_t NextPoint(const std::u16string& s, size_t& i) {
    char16_t c = s[i++];
    if (c >= 0xD800 && c <= 0xDBFF && i < s.size() && s[i] >= 0xDC00 && s[i] <= 0xDFFF)
        return 0x10000 + ((char32_t(c) - 0xD800) << 10) + (s[i++] - 0xDC00);
    return c;
}
int CompareNumbers(const std::u16string& a, size_t& i, const std::u16string& b, size_t& j) {
    while (a[i] == u'0' && i + 1 < a.size() && IsDigit(a[i + 1])) ++i;
    while (b[j] == u'0' && j + 1 < b.size() && IsDigit(b[j + 1])) ++j;
    size_t ei = i, ej = j;
    while (ei < a.size() && IsDigit(a[ei])) ++ei;
    while (ej < b.size() && IsDigit(b[ej])) ++ej;
    if (ei - i != ej - j) return ei - i < ej - j ? -1 : 1;
    for (size_t k = 0; k < ei - i; ++k)
        if (a[i + k] != b[j + k]) return a[i + k] < b[j + k] ? -1 : 1;
    i = ei;
    j = ej;
    return 0;
}
int OwnLogical(const std::u16string& a, const std::u16string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            if (int r = CompareNumbers(a, i, b, j)) return r;
            continue;
        }
        char32_t x = u_foldCase(NextPoint(a, i), U_FOLD_CASE_DEFAULT);
        char32_t y = u_foldCase(NextPoint(b, j), U_FOLD_CASE_DEFAULT);
        if (x != y) return x < y ? -1 : 1;
    }
    return i < a.size() ? 1 : (j < b.size() ? -1 : 0);
}

void BM_LogicalOldName_OwnPairs(benchmark::State& state) {
    BenchList& b = Shared();
    for (auto _ : state) {
        state.PauseTiming();
        b.Shuffle();
        state.ResumeTiming();
        std::vector<int> order(b.list.size());
        for (int i = 0; i < b.list.size(); ++i) order[i] = i;
        const NameList& l = b.list;
        std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
            if (l.isFolder(x) != l.isFolder(y)) return !l.isFolder(x);
            return OwnLogical(std::u16string(l.oldName(x)), std::u16string(l.oldName(y))) < 0;
        });
        b.list.reorder(order);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

}  // namespace

// Only building the logical keys, to see where the sort's time goes.
void BM_LogicalKeysOnly(benchmark::State& state) {
    BenchList& b = Shared();
    for (auto _ : state) {
        std::string keys;
        for (int r = 0; r < b.list.size(); ++r) AppendSortKey(b.list.oldName(r), TextOrder::Logical, keys);
        benchmark::DoNotOptimize(keys.data());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

BENCHMARK(BM_LogicalKeysOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LogicalOldName_IcuKeys)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainOldName_IcuKeys)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Size)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LogicalOldName_OwnPairs)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
