// One pass of each rename command over a million rows held in memory.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchHost.h"
#include "base/Host.h"
#include "commands/Commands.h"
#include "namelist/NameList.h"

using namespace quirnel;
using quirnel::bench::QuietHost;

namespace {

constexpr int kRows = 1000000;

// Names of a photo and music collection: dated camera files, tracks with
// numbers, documents, some without extension, and a folder every 20 rows,
// spread over 1,000 folders.
std::unique_ptr<NameList> MakeRows() {
    auto list = std::make_unique<NameList>(PathStyle::forPosix());
    const char16_t* stems[] = {u"IMG_2023", u"track", u"Report final (draft)", u"holiday-beach", u"scan"};
    const char16_t* exts[] = {u".jpg", u".mp3", u".pdf", u".JPG", u""};
    for (int i = 0; i < kRows; ++i) {
        RowSource s;
        std::u16string n;
        for (char c : std::to_string(i)) n.push_back(static_cast<char16_t>(c));
        s.folder = u"/home/user/media/set" + std::u16string(n.end() - std::min<size_t>(3, n.size()), n.end());
        s.isFolder = i % 20 == 0;
        s.name = std::u16string(stems[i % 5]) + u"_" + n + (s.isFolder ? u"" : exts[(i / 5) % 5]);
        s.created = s.modified = 1688461531 + i;
        list->appendRow(s);
    }
    return list;
}

NameList& Rows() {
    static std::unique_ptr<NameList> list = MakeRows();
    return *list;
}

// Each pass starts from the names as listed, so every iteration does the same work.
void ResetProposals(NameList& list) {
    for (int r = 0; r < list.size(); ++r) {
        list.setNewName(r, list.oldName(r));
        list.setNewFolder(r, list.oldFolder(r));
    }
}

template <typename Pass>
void RunPass(benchmark::State& state, Pass pass) {
    NameList& list = Rows();
    for (auto _ : state) {
        state.PauseTiming();
        ResetProposals(list);
        state.ResumeTiming();
        pass(list);
    }
    state.SetItemsProcessed(state.iterations() * list.size());
}

void BM_ReplacePlain(benchmark::State& state) {
    RunPass(state, [](NameList& l) { ReplaceNames(l, sub::ReplaceString, u"_", u" - ", ReplaceSubject::NamePart); });
}
void BM_ReplaceWildcard(benchmark::State& state) {
    RunPass(state, [](NameList& l) { ReplaceNames(l, sub::ReplaceString, u"(*)", u"[*]", ReplaceSubject::NamePart); });
}
void BM_ReplaceWildcardRestarts(benchmark::State& state) {
    RunPass(state, [](NameList& l) { ReplaceNames(l, sub::ReplaceString, u"?_?", u"?-?", ReplaceSubject::WholeName); });
}
void BM_ReplaceUpper(benchmark::State& state) {
    RunPass(state, [](NameList& l) { ReplaceNames(l, sub::ToUpper, u"", u"", ReplaceSubject::NamePart); });
}
void BM_AddPrefix(benchmark::State& state) {
    RunPass(state, [](NameList& l) { AddToNames(l, sub::AddString, u"new_", u"", AddPlace::Prefix); });
}
void BM_AddSuffixCreatedDate(benchmark::State& state) {
    RunPass(state, [](NameList& l) { AddToNames(l, sub::AddCreatedDate, u"_%Y%m%d", u"", AddPlace::Suffix); });
}
void BM_AddNumbersInOrder(benchmark::State& state) {
    RunPass(state, [](NameList& l) { AddNumbers(l, sub::NumberTailInOrder, u"7", u"1"); });
}
void BM_AddNumbersByFolder(benchmark::State& state) {
    RunPass(state, [](NameList& l) { AddNumbers(l, sub::NumberHeadByFolder, u"4", u"1"); });
}
void BM_RemoveRange(benchmark::State& state) {
    RunPass(state, [](NameList& l) { RemoveFromNames(l, sub::RemoveRange, u"2", u"4"); });
}
void BM_RemoveDelimited(benchmark::State& state) {
    RunPass(state, [](NameList& l) { RemoveFromNames(l, sub::RemoveDelimited, u"(", u")"); });
}
void BM_MatchDigits(benchmark::State& state) {
    RunPass(state, [](NameList& l) { MatchDigits(l, sub::PadTailNumber, u"8"); });
}
// The passes below never stop a run (only an empty target folder does).
void BM_ChangeFolderExtension(benchmark::State& state) {
    QuietHost host;
    RunPass(state, [&](NameList& l) { (void)ChangeFolder(l, sub::FolderFromExtension, u"", u"", host); });
}
void BM_ChangeFolderParent(benchmark::State& state) {
    QuietHost host;
    RunPass(state, [&](NameList& l) { (void)ChangeFolder(l, sub::MoveToParent, u"1", u"", host); });
}
void BM_ChangeFolderCreatedDate(benchmark::State& state) {
    QuietHost host;
    RunPass(state, [&](NameList& l) { (void)ChangeFolder(l, sub::FolderFromCreated, u"%Y/%m", u"", host); });
}
void BM_EmptyNames(benchmark::State& state) {
    RunPass(state, [](NameList& l) { EmptyNames(l); });
}

}  // namespace

BENCHMARK(BM_ReplacePlain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceWildcard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceWildcardRestarts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceUpper)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddPrefix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddSuffixCreatedDate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddNumbersInOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddNumbersByFolder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveRange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveDelimited)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchDigits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChangeFolderExtension)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChangeFolderParent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChangeFolderCreatedDate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmptyNames)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
