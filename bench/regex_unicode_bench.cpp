// Regular-expression and Unicode passes of Replace over a million names in
// memory, beside the wildcard Replace over the same names.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "base/CommandIds.h"
#include "base/QuietHost.h"
#include "commands/Replace.h"
#include "namelist/NameList.h"

using namespace quirnel;

namespace {

constexpr int kRows = 1000000;

std::u16string Digits(int i) {
    std::u16string n;
    for (char c : std::to_string(i)) n.push_back(static_cast<char16_t>(c));
    return n;
}

// Camera files, tracks and documents with numbers in them; one name in fifty
// holds decomposed letters (copied from a system that writes them so), the
// rest are composed Korean and accented Latin names or plain ASCII.
std::unique_ptr<NameList> MakeRows() {
    auto list = std::make_unique<NameList>(PathStyle::forPosix());
    const char16_t* stems[] = {u"IMG_2023", u"track", u"\uC0AC\uC9C4 \uD55C\uAE00", u"caf\u00E9 r\u00E9sum\u00E9",
                               u"scan"};
    const char16_t* exts[] = {u".jpg", u".mp3", u".pdf", u".JPG", u""};
    for (int i = 0; i < kRows; ++i) {
        RowSource s;
        s.folder = u"/home/user/media/set" + Digits(i % 1000);
        std::u16string stem = i % 50 == 0 ? u"\u1112\u1161\u11AB e\u0301t\u00E9" : stems[i % 5];
        s.name = stem + u"_" + Digits(i) + exts[(i / 5) % 5];
        list->appendRow(s);
    }
    return list;
}

NameList& Rows() {
    static std::unique_ptr<NameList> list = MakeRows();
    return *list;
}

template <typename Pass>
void RunPass(benchmark::State& state, Pass pass) {
    NameList& list = Rows();
    for (auto _ : state) {
        state.PauseTiming();
        for (int r = 0; r < list.size(); ++r) list.setNewName(r, list.oldName(r));
        state.ResumeTiming();
        pass(list);
    }
    state.SetItemsProcessed(state.iterations() * list.size());
}

// The regular expression's task, done as near as wildcards can: every name
// changes, its tail after the first '_' wrapped in brackets.
void BM_ReplaceWildcard(benchmark::State& state) {
    RunPass(state, [](NameList& l) { ReplaceNames(l, sub::ReplaceString, u"_*", u"_<*>", ReplaceSubject::NamePart); });
}
void BM_ReplaceRegex(benchmark::State& state) {
    QuietHost host;
    RunPass(state, [&](NameList& l) {
        ReplaceNames(l, sub::RegexReplace, u"(\\d+)", u"<$1>", ReplaceSubject::NamePart, &host);
    });
}
void BM_ComposeNfc(benchmark::State& state) {
    RunPass(state, [](NameList& l) { ReplaceNames(l, sub::ComposeLetters, u"", u"", ReplaceSubject::NamePart); });
}
void BM_DecomposeNfd(benchmark::State& state) {
    RunPass(state, [](NameList& l) { ReplaceNames(l, sub::DecomposeLetters, u"", u"", ReplaceSubject::NamePart); });
}

}  // namespace

BENCHMARK(BM_ReplaceWildcard)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReplaceRegex)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ComposeNfc)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_DecomposeNfd)->Unit(benchmark::kMillisecond)->Repetitions(1);

BENCHMARK_MAIN();
