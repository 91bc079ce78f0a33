#include "cli/CliRun.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <iterator>

#include "app/Configuration.h"
#include "app/PresetGroupFile.h"
#include "app/StartUp.h"
#include "apply/ApplyChanges.h"
#include "apply/NameChecks.h"
#include "apply/WorkspaceSink.h"
#include "base/TextFile.h"
#include "base/StringTable.h"
#include "base/TextHelpers.h"
#include "base/TextIds.h"
#include "cli/CliHost.h"
#include "cli/CliOutput.h"
#include "namelist/AddItems.h"
#include "namelist/ImportExport.h"
#include "platform/NativeText.h"
#include "run/RunCommand.h"
#include "run/RunPreset.h"

namespace quirnel::cli {
namespace {

std::atomic<int>* gStopFlag = nullptr;

extern "C" void OnInterrupt(int) {
    if (gStopFlag) gStopFlag->store(1);  // lock-free: safe in a signal handler
}

int Usage(const std::string& message) {
    fprintf(stderr, "quirnel-cli: %s\n", message.c_str());
    return kExitUsage;
}

// A path list from a file or standard input, decoded like every text file.
bool ReadPathList(const std::string& source, std::vector<std::u16string>& paths) {
    std::u16string text;
    if (source == "-") {
        std::string bytes{std::istreambuf_iterator<char>(std::cin), {}};
        if (HasUtf16Bom(bytes)) {
            // Standard input is taken in whole code units: an odd last byte is dropped.
            text = Utf16LeAfterBom(std::string_view(bytes).substr(0, bytes.size() & ~size_t{1}));
        } else {
            // Standard input carries names as bytes: keep those that are not UTF-8.
            text = FromNative(bytes);
        }
    } else if (!ReadTextFile(FromNative(source), text)) {
        return false;
    }
    for (auto& line : SplitImportLines(text))
        if (!line.empty()) paths.push_back(std::move(line));
    return true;
}

// The command line's settings and preset group, after the configuration file.
bool ApplySettingsAndPresets(const CliOptions& o, AppState& app) {
    for (const std::string& line : o.sets) ApplyConfigurationText(FromNative(line), {app.settings, app.presets, app.hotkeys});
    if (o.presets && !ImportPresetGroup(FromNative(*o.presets), app)) {
        Usage("cannot read preset group file " + *o.presets + " (or it holds no presets)");
        return false;
    }
    return true;
}

// The preset's and the given tasks; false when one of them ended the run.
bool RunTasks(const CliOptions& o, const PresetTable& presets, Workspace& ws, int& presetApply) {
    if (o.preset > 0) {
        // The preset's own apply is only remembered: the disk is touched by --apply or --copy alone.
        auto actions = WorkspaceActions(ws, [&](int type) { presetApply = type; });
        if (!RunPreset(presets[o.preset - 1], actions)) return false;
    }
    for (const CliTask& t : o.tasks) {
        CommandOutcome r = RunCommand(ws, ReadInt(FromNative(t.command)), ReadInt(FromNative(t.sub)),
                                      FromNative(t.arg1), FromNative(t.arg2));
        if (r == CommandOutcome::StopRun) return false;
    }
    return true;
}

// Validation without the disk: prints one target per row, or says why not.
bool CheckAndPrintTargets(Workspace& ws) {
    ApplyOptions options = ApplyOptionsFrom(ws.settings, 0);
    WorkspaceSink sink(ws, options);
    std::vector<std::u16string> targets;
    CheckResult result = CheckNames(ListRows(ws.list), options.autoNumber, targets, sink);
    if (!result.ok) {
        // The words an apply run gives when the same check stops it.
        sink.Message(result.message, LoadText(text::ErrorTitle));
        return false;
    }
    std::string out;
    for (const auto& t : targets) out += ToNative(t) + "\n";
    fwrite(out.data(), 1, out.size(), stdout);
    return true;
}

int Apply(Workspace& ws, CliHost& host, int applyType) {
    host.echoLog = true;
    gStopFlag = &ws.flags.stopFlag;
    struct sigaction sa{};
    sa.sa_handler = OnInterrupt;
    sigemptyset(&sa.sa_mask);
    struct sigaction previous{};
    sigaction(SIGINT, &sa, &previous);
    ApplyOutcome outcome = ApplyChanges(ws, applyType);
    sigaction(SIGINT, &previous, nullptr);
    gStopFlag = nullptr;
    if (!outcome.checksPassed) return kExitStopped;
    const ApplyCounts& c = outcome.counts;
    bool allDone = c.processed == c.total && c.changed + c.skipped == c.total;
    return allDone ? kExitOk : kExitRowsFailed;
}

}  // namespace

int RunCli(const CliOptions& o) {
    AppState app;
    switch (StartUp(app, o.config ? FromNative(*o.config) : std::u16string(), ConfigurationFile::MustExist,
                    [&o](AppState& a) { return ApplySettingsAndPresets(o, a); })) {
        case StartUpResult::Ready: break;
        case StartUpResult::ConfigurationUnreadable: return Usage("cannot read configuration file " + *o.config);
        case StartUpResult::OverridesRefused: return kExitUsage;
    }

    std::vector<std::u16string> dropped;
    for (const auto& p : o.paths) dropped.push_back(FromNative(p));
    for (const auto& source : o.pathsFrom)
        if (!ReadPathList(source, dropped)) return Usage("cannot read path list " + source);

    CliHost host(o.folders == CliOptions::Folders::Self);
    Workspace ws(app.settings, app.flags, host);
    AddPathList(ws, ReadDroppedPaths(dropped));

    int presetApply = -1;
    bool ran = RunTasks(o, app.presets, ws, presetApply);
    host.ClearStatus();
    if (!ran) return kExitStopped;
    int status = kExitOk;
    if (o.check && !CheckAndPrintTargets(ws)) status = kExitStopped;
    else if (o.applyType >= 0) status = Apply(ws, host, o.applyType);
    else if (!o.check) {
        std::string out = o.format == CliOptions::Format::Json ? ListAsJson(ws.list) : ListAsTsv(ws.list, o.allColumns);
        fwrite(out.data(), 1, out.size(), stdout);
    }
    host.ClearStatus();
    if (o.saveConfig && !WriteConfiguration(FromNative(*o.saveConfig), app))
        return Usage("cannot write configuration file " + *o.saveConfig);
    if (o.savePresets && !ExportPresetGroup(FromNative(*o.savePresets), app))
        return Usage("cannot write preset group file " + *o.savePresets);
    return status;
}

}  // namespace quirnel::cli
