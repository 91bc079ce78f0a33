#include <cstdio>
#include <new>

#include "cli/CliOptions.h"
#include "cli/CliRun.h"

int main(int argc, char** argv) {
    using namespace quirnel::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    CliOptions options;
    std::string error;
    if (!ParseOptions(args, options, error)) {
        fprintf(stderr, "quirnel-cli: %s\nTry 'quirnel-cli --help'.\n", error.c_str());
        return kExitUsage;
    }
    if (options.help) {
        fputs(HelpText(), stdout);
        fputs(CommandListText().c_str(), stdout);
        return kExitOk;
    }
    if (options.paths.empty() && options.pathsFrom.empty() && !options.saveConfig && !options.savePresets &&
        !options.revert) {
        fprintf(stderr, "quirnel-cli: no PATH given\nTry 'quirnel-cli --help'.\n");
        return kExitUsage;
    }
    try {
        return RunCli(options);
    } catch (const std::bad_alloc&) {
        // Where a run ends is where the memory ran out: rows done so far are
        // done, and the status says that not all of the run was.
        fputs("quirnel-cli: out of memory\n", stderr);
        return kExitRowsFailed;
    }
}
