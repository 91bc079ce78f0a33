#include <benchmark/benchmark.h>

#include <string>

#include "app/AppState.h"
#include "app/Configuration.h"
#include "namelist/ImportExport.h"

using namespace quirnel;

namespace {

void Fill(NameList& list, int rows) {
    for (int i = 0; i < rows; ++i) {
        RowSource s;
        std::string name = "photo_" + std::to_string(i) + ".jpg";
        s.name.assign(name.begin(), name.end());
        s.folder = u"/home/user/pictures/2024";
        list.appendRow(s);
    }
}

void BM_ExportNewNames(benchmark::State& state) {
    NameList list(PathStyle::forPosix());
    Fill(list, static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(ExportList(list, ListExport::NewNames));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ExportNewNames)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_ExportTargetPaths(benchmark::State& state) {
    NameList list(PathStyle::forPosix());
    Fill(list, static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(ExportList(list, ListExport::TargetPaths));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ExportTargetPaths)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_ImportNewNames(benchmark::State& state) {
    NameList list(PathStyle::forPosix());
    Fill(list, static_cast<int>(state.range(0)));
    std::u16string text = ExportList(list, ListExport::TargetPaths);  // full paths, cut back to names
    for (auto _ : state) ImportNewNames(list, text);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ImportNewNames)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_ReadConfiguration(benchmark::State& state) {
    AppState app;
    for (QuirnelPreset& p : app.presets)
        for (int t = 0; t < 20; ++t) p.Tasks.push_back({2, 61, u"pattern *", u"replacement ?"});
    std::u16string text = FormatConfiguration(app.settings, app.presets, app.hotkeys);
    for (auto _ : state) {
        AppSettings settings;
        PresetTable presets{};
        HotkeyTable hotkeys = DefaultHotkeys();
        benchmark::DoNotOptimize(ApplyConfigurationText(text, {settings, presets, hotkeys}));
    }
}
BENCHMARK(BM_ReadConfiguration)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
