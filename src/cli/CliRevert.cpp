#include "cli/CliRevert.h"

#include <cstdio>

#include "apply/JournalFiles.h"
#include "apply/Revert.h"
#include "cli/CliExit.h"
#include "platform/NativeText.h"

namespace quirnel::cli {

int RevertRun(const CliOptions& o, AppState& app, CliHost& host) {
    const std::u16string folder = app.flags.journal.folder;
    std::u16string journal = o.revertJournal ? FromNative(*o.revertJournal) : NewestJournal(folder);
    if (journal.empty()) {
        fprintf(stderr, "quirnel-cli: no journal to revert in %s\n", ToNative(folder).c_str());
        return kExitStopped;
    }
    for (const std::u16string& other : UnsettledJournals(folder))
        if (other != journal)
            fprintf(stderr, "quirnel-cli: an interrupted run is not settled yet: %s\n", ToNative(other).c_str());
    host.echoLog = true;
    RevertOutcome r = RevertJournal(journal, app.flags.journal, host);
    if (!r.journalRead || r.journalFailed) return kExitStopped;
    return r.skipped == 0 && r.left == 0 ? kExitOk : kExitRowsFailed;
}

}  // namespace quirnel::cli
