#include "cli/CliRun.h"

#include <unistd.h>

#include <cstdio>

#include "app/Configuration.h"
#include "app/StartUp.h"
#include "apply/ApplyChanges.h"
#include "apply/NameChecks.h"
#include "apply/RowStatus.h"
#include "apply/WorkspaceSink.h"
#include "base/StringTable.h"
#include "base/TextFile.h"
#include "base/TextHelpers.h"
#include "base/TextIds.h"
#include "cli/CliHost.h"
#include "cli/CliOutput.h"
#include "cli/CliRevert.h"
#include "cli/CliStatus.h"
#include "cli/CliSave.h"
#include "cli/CliSignals.h"
#include "namelist/AddItems.h"
#include "namelist/ImportExport.h"
#include "platform/NativeText.h"
#include "run/CommandCatalogue.h"
#include "run/CommandInputCheck.h"
#include "run/RunCommand.h"

namespace quirnel::cli {
namespace {

int Usage(const std::string& message) {
    fprintf(stderr, "quirnel-cli: %s\n", message.c_str());
    return kExitUsage;
}

std::string TooLarge(const std::string& what, const std::string& path) {
    return what + " " + path + " is larger than " + std::to_string(kMaxTextFileBytes >> 20) + " MiB: not a " + what;
}

// The PATHs as one drop, then each list as its own batch, its lines in the
// order they stand.
bool AddPaths(const CliOptions& o, Workspace& ws) {
    if (!o.paths.empty()) {
        std::vector<std::u16string> dropped;
        for (const auto& p : o.paths) dropped.push_back(FromNative(p));
        AddPathList(ws, ReadDroppedPaths(dropped));
    }
    for (const auto& source : o.pathsFrom) {
        bool read = source == "-" ? ImportPathsFromStandardInput(ws) : ImportPathsFromFile(ws, FromNative(source));
        if (!read) {
            Usage("cannot read path list " + source);
            return false;
        }
    }
    return true;
}

// The command line's settings and preset group, after the configuration file.
bool ApplySettingsAndPresets(const CliOptions& o, AppState& app) {
    for (const std::string& line : o.sets) ApplyConfigurationText(FromNative(line), {app.settings, app.presets, app.hotkeys});
    if (!o.presets) return true;
    ReadStatus read = ImportPresetGroup(FromNative(*o.presets), app);
    if (read.kind == ReadStatus::TooLarge) {
        Usage(TooLarge("preset group file", *o.presets));
        return false;
    }
    if (!read) {
        Usage("cannot read preset group file " + *o.presets + " (or it holds no presets)");
        return false;
    }
    return true;
}

// A --task whose regular expression cannot work would change nothing in
// silence: refused like a mistyped option, with the dialog's message.
bool RegexTasksValid(const CliOptions& o) {
    for (const CliTask& t : o.tasks) {
        const int32_t command = ReadInt(FromNative(t.command)), sub = ReadInt(FromNative(t.sub));
        if (!IsRegexItem(sub) || !FindSubCommand(command, sub)) continue;
        InputCheck check = CheckCommandInput(command, sub, FromNative(t.arg1), FromNative(t.arg2));
        if (!check.accepted && !check.message.empty()) {
            Usage("--task " + t.command + " " + t.sub + ": " + ToNative(check.message));
            return false;
        }
    }
    return true;
}

// The preset's and the given tasks; false when one of them ended the run.
bool RunTasks(const CliOptions& o, const PresetTable& presets, Workspace& ws, int& presetApply) {
    if (ws.host.stopAsked()) return false;
    if (o.preset > 0) {
        // The preset's own apply is only remembered: the disk is touched by --apply or --copy alone.
        auto actions = WorkspaceActions(ws, [&](ApplyType type) { presetApply = static_cast<int>(type); });
        if (!RunPreset(presets[o.preset - 1], actions)) return false;
    }
    for (const CliTask& t : o.tasks) {
        CommandOutcome r = RunCommand(ws, static_cast<CommandId>(ReadInt(FromNative(t.command))), ReadInt(FromNative(t.sub)),
                                      FromNative(t.arg1), FromNative(t.arg2));
        if (r == CommandOutcome::StopRun || ws.host.stopAsked()) return false;
    }
    return !ws.host.stopAsked();
}

// Which row the checks stopped at, after their message.
void ReportFailedCheck(const Workspace& ws, int row) {
    if (row < 0 || row >= ws.list.size()) return;
    fprintf(stderr, "quirnel-cli: the checks stopped at row %d: %s\n", row + 1,
            ToNative(ws.list.fullPath(row)).c_str());
}

// The checks' own message and row, for a run they stop.
void ReportStoppingCheck(Workspace& ws) {
    ApplyOptions options = ApplyOptionsFrom(ws.settings, ApplyType::Originals);
    WorkspaceSink sink(ws, options);
    ListRows rows(ws.list);
    TargetPaths targets(rows);
    CheckResult result = CheckNames(rows, options.autoNumber, targets, sink);
    if (result.ok) return;
    // The same message an apply run shows.
    ws.host.ShowMessageDialog(result.message, LoadText(text::ErrorTitle));
    ReportFailedCheck(ws, result.failingRow);
}

// What applying would do with every row, printed; the exit status it implies.
int CheckAndPrintStatuses(Workspace& ws, ApplyType applyType, CliOptions::Format format) {
    StatusOptions options{applyType, IsOn(ws.settings.AutoNumber), true};
    std::vector<std::u16string> targets;
    std::vector<RowStatus> statuses = RowStatuses(ListRows(ws.list), options, nullptr, &targets);
    std::string out = StatusesAsText(ws.list, statuses, targets, format);
    fwrite(out.data(), 1, out.size(), stdout);
    int status = kExitOk;
    for (const RowStatus& s : statuses) {
        if (s.fate == RowFate::EmptyName || s.fate == RowFate::ForbiddenCharacter || s.fate == RowFate::Duplicate) {
            ReportStoppingCheck(ws);
            return kExitStopped;
        }
        if (s.fate == RowFate::TargetExists) status = kExitRowsFailed;
    }
    return status;
}

int Apply(Workspace& ws, CliHost& host, ApplyType applyType) {
    host.echoLog = true;
    ApplyOutcome outcome;
    {
        StopOnSignals stopOnSignals(ws.flags.stopFlag);
        outcome = ApplyChanges(ws, applyType);
    }
    if (!outcome.checksPassed) {
        ReportFailedCheck(ws, outcome.failingRow);
        return kExitStopped;
    }
    if (outcome.journalFailed) return kExitStopped;
    const ApplyCounts& c = outcome.counts;
    bool allDone = c.processed == c.total && c.changed + c.skipped == c.total;
    return allDone ? kExitOk : kExitRowsFailed;
}

}  // namespace

int RunCli(const CliOptions& o) {
    if (!SaveTargetsWritable(o) || !RegexTasksValid(o)) return kExitUsage;
    AppState app;
    switch (StartUp(app, o.config ? FromNative(*o.config) : std::u16string(), ConfigurationFile::MustExist,
                    [&o](AppState& a) { return ApplySettingsAndPresets(o, a); })) {
        case StartUpResult::Ready: break;
        case StartUpResult::ConfigurationUnreadable: return Usage("cannot read configuration file " + *o.config);
        case StartUpResult::ConfigurationTooLarge:
            return Usage(TooLarge("configuration file", *o.config));
        case StartUpResult::OverridesRefused: return kExitUsage;
    }

    CliHost host(o.folders == CliOptions::Folders::Self);
    if (o.journal) app.flags.journal.file = FromNative(*o.journal);
    if (o.revert) return RevertRun(o, app, host);
    Workspace ws(app.settings, app.flags, host);
    ws.deferDetails = o.applyType >= 0;  // no list is printed; a command or sort that wants them reads them
    if (!AddPaths(o, ws)) return kExitUsage;

    int presetApply = -1;
    bool ran = false;
    {
        // A first signal stops a reading of what files hold; the run then
        // ends with nothing applied, since its list is not what was asked.
        StopOnSignals stopOnSignals(host.stop);
        ran = RunTasks(o, app.presets, ws, presetApply);
    }
    host.clearStatus();
    if (!ran) return kExitStopped;
    int status = o.check ? CheckAndPrintStatuses(ws, ApplyTypeFromNumber(o.applyType), o.format) : kExitOk;
    if (status == kExitStopped) {
        // validation would stop the run: nothing is applied
    } else if (o.applyType >= 0) status = Apply(ws, host, ApplyTypeFromNumber(o.applyType));
    else if (!o.check && o.format == CliOptions::Format::Json) WriteListJson(ws.list, stdout);
    else if (!o.check) WriteListTsv(ws.list, o.allColumns, stdout);
    host.clearStatus();
    const bool diskChanged = !o.check && o.applyType >= 0 && status != kExitStopped;
    return SaveFiles(o, app, status, diskChanged);
}

}  // namespace quirnel::cli
