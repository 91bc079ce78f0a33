#include "cli/CliOptions.h"

namespace quirnel::cli {
namespace {

bool Take(const std::vector<std::string>& args, size_t& i, size_t count, std::string& error) {
    if (i + count >= args.size()) {
        error = args[i] + " needs " + std::to_string(count) + (count == 1 ? " argument" : " arguments");
        return false;
    }
    return true;
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& args, CliOptions& o, std::string& error) {
    bool onlyPaths = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (onlyPaths || a.empty() || a[0] != '-' || a == "-") {
            o.paths.push_back(a);
            continue;
        }
        if (a == "--") { onlyPaths = true; continue; }
        if (a == "--help" || a == "-h") { o.help = true; continue; }
        if (a == "--check") { o.check = true; continue; }
        if (a == "--revert") {
            o.revert = true;
            if (i + 1 < args.size() && !args[i + 1].empty() && args[i + 1][0] != '-') o.revertJournal = args[++i];
            continue;
        }
        if (a == "--apply" || a == "--copy") {
            int type = a == "--apply" ? 0 : 1;
            if (o.applyType != -1 && o.applyType != type) {
                error = "--apply and --copy exclude each other";
                return false;
            }
            o.applyType = type;
            continue;
        }
        static const char* kValueOptions[] = {"--task",    "--paths-from", "--config",  "--set",         "--presets",
                                              "--preset",  "--folders",    "--format",  "--columns",     "--save-config",
                                              "--save-presets", "--journal"};
        bool known = false;
        for (const char* k : kValueOptions) known = known || a == k;
        if (!known) {
            error = "unknown option " + a;
            return false;
        }
        size_t need = a == "--task" ? 4 : 1;
        if (!Take(args, i, need, error)) return false;
        if (a == "--task") {
            for (size_t k = 1; k <= 2; ++k) {
                const std::string& n = args[i + k];
                size_t digits = n.size() - (n.size() > 1 && n[0] == '-' ? 1 : 0);
                if (n.empty() || n.find_first_not_of("0123456789", n.size() - digits) != std::string::npos) {
                    error = "--task needs a command and a sub-command number, got '" + n + "'";
                    return false;
                }
            }
            o.tasks.push_back({args[i + 1], args[i + 2], args[i + 3], args[i + 4]});
            i += 4;
            continue;
        }
        const std::string& v = args[++i];
        if (a == "--paths-from") o.pathsFrom.push_back(v);
        else if (a == "--config") o.config = v;
        else if (a == "--set") {
            if (v.find('=') == std::string::npos) { error = "--set needs KEY=VALUE, got '" + v + "'"; return false; }
            o.sets.push_back(v);
        } else if (a == "--presets") o.presets = v;
        else if (a == "--preset") {
            if (v.size() != 1 || v[0] < '1' || v[0] > '5') { error = "--preset takes a number from 1 to 5, got '" + v + "'"; return false; }
            o.preset = v[0] - '0';
        } else if (a == "--folders") {
            if (v == "self") o.folders = CliOptions::Folders::Self;
            else if (v == "files") o.folders = CliOptions::Folders::Files;
            else { error = "--folders takes self or files, got '" + v + "'"; return false; }
        } else if (a == "--format") {
            if (v == "tsv") o.format = CliOptions::Format::Tsv;
            else if (v == "json") o.format = CliOptions::Format::Json;
            else { error = "--format takes tsv or json, got '" + v + "'"; return false; }
        } else if (a == "--columns") {
            if (v == "basic") o.allColumns = false;
            else if (v == "all") o.allColumns = true;
            else { error = "--columns takes basic or all, got '" + v + "'"; return false; }
        } else if (a == "--save-config") o.saveConfig = v;
        else if (a == "--save-presets") o.savePresets = v;
        else if (a == "--journal") o.journal = v;
        else { error = "unknown option " + a; return false; }
    }
    return true;
}

const char* HelpText() {
    return R"(Usage: quirnel-cli [options] PATH...

Adds PATHs to a name list exactly as a drop on the window adds them (existing
paths only, folders by LoadType, each path once, sorted when AutoSort is 1),
runs the tasks, and prints the list, checks it, or applies it.

Rows are added in this order: the PATHs as one drop (in logical order of
their paths), then each --paths-from list in the order given, its lines in
the order they stand, as "Load Paths from a File..." adds them. With
AutoSort 1 the list is sorted after each of these batches; with AutoSort 0
it keeps that order.

Options:
  --paths-from FILE      also add the paths listed in FILE, one per line, read
                         line by line (UTF-16 with a byte-order mark, or bytes:
                         names that are not UTF-8 are kept byte for byte; the
                         list ends at a NUL byte; - is standard input)
  --config FILE          read settings, presets and hotkeys from a configuration file first
  --set KEY=VALUE        apply one configuration line after it (repeatable),
                         e.g. --set IncludeExt=1 or --set LoadType=1
  --presets FILE         import a preset group file (.qpx)
  --preset N             run preset N (1-5): its sort and its tasks
  --task CMD SUB ARG1 ARG2
                         run one command (repeatable, in order): command and
                         sub-command numbers and two arguments, four separate
                         arguments, empty ones allowed ('')
  --folders self|files   what a folder adds when LoadType is 2 (default files)
  --check                print what applying would do with every row (in the
                         --format below), checking names, duplicates, the order
                         of chains and cycles, and which targets are taken on
                         disk; nothing on disk changes
  --apply                apply the changes: rename or move the originals
  --copy                 apply the changes by making copies, keeping the originals
                         (without --apply or --copy nothing on disk changes, even
                         when a preset has AutoApply)
  --journal FILE         write the journal of --apply, --copy or --revert to FILE
                         (default: a new file in $XDG_STATE_HOME/quirnel/journal,
                         ~/.local/state/quirnel/journal; the newest 20 are kept)
  --revert [JOURNAL]     undo the run recorded in JOURNAL (default: the newest
                         run not reverted yet; an interrupted revert of it is
                         finished), last step first; an entry changed since the
                         run is left and reported; an interrupted run is
                         decided from the disk; a revert's JOURNAL is a redo.
                         What is reverted is named on standard error first
  --format tsv|json      list and --check output (default tsv)
  --columns basic|all    tsv columns: Old Name, New Name, Old Folder, New Folder
                         (basic, the default) or all eight
  --save-config FILE     write the configuration as it stands after the options above
  --save-presets FILE    write the five presets as a preset group file
  --help                 this text

--check output: per row its number (from 1), its status (unchanged, rename,
move, copy, numbered, empty-name, forbidden-character, duplicate,
target-exists, chain, cycle), a detail (the number given, or the row it
duplicates), its path and its target; tsv fields or json objects with the
keys Row, Status, Detail, Path, Target.

Output: without --apply/--copy, one line per row in list order. tsv: the
columns separated by tabs, UTF-8, no header; names that are not UTF-8 are
written as their original bytes; a tab, line feed, carriage return or
backslash inside a text is written as \t, \n, \r or \\. json: an array of
objects keyed by the column captions plus "IsFolder". With --apply/--copy the
activity log lines of the run are printed. When the checks stop a run
(--check, --apply or --copy), their message and the row they stopped at go
to standard error.

Ctrl+C, SIGTERM or SIGHUP during an apply stops it after the row in progress
(a copy or a move across file systems in progress is cancelled); the summary
is still printed. A copy never shows under its new name until it is
complete, even when the process is killed.

--save-config and --save-presets targets are tried before anything else; if
one cannot be written, nothing is done (status 64). If the write fails after
the run all the same, the reason goes to standard error and the status is
the run's own when the run changed the disk, 64 otherwise.

Exit status: 0 every row was changed or skipped as unchanged; 1 some row
failed, the run was stopped, or memory ran out (--check: some target is taken
on disk; --revert: some step was left); 2 validation stopped the run, a task
ended it (an empty Change Folder target), or the journal could not be written
or read, or --revert found nothing to revert, with the reason on standard
error (disk untouched); 64 usage error,
unreadable option file, or a configuration or preset group file larger than
16 MiB (nothing touched).

The window's configuration file is never read or written unless --config names it.
)";
}

}  // namespace quirnel::cli
