#include "cli/CliRevert.h"

#include <algorithm>
#include <cstdio>

#include "apply/JournalFiles.h"
#include "apply/Revert.h"
#include "apply/RevertChoice.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "cli/CliExit.h"
#include "platform/NativeText.h"

namespace quirnel::cli {
namespace {

void Say(const std::u16string& text) { fprintf(stderr, "quirnel-cli: %s\n", ToNative(text).c_str()); }

// Why nothing can be done, or empty when the choice is a run to revert.
std::u16string Refusal(const RevertChoice& c, const std::u16string& folder) {
    switch (c.what) {
        case RevertChoice::What::NoJournal: return u"no journal to revert in " + folder;
        case RevertChoice::What::Nothing: return FormatText(LoadText(text::NothingToRevert), {folder});
        case RevertChoice::What::Unreadable:
            return FormatText(LoadText(text::JournalUnreadable), {c.journal, c.run.unreadable});
        case RevertChoice::What::Revert:
        case RevertChoice::What::Redo: break;
    }
    return {};
}

}  // namespace

int RevertRun(const CliOptions& o, AppState& app, CliHost& host) {
    const std::u16string folder = app.flags.journal.folder;
    const JournalHistory history(folder);
    const RevertChoice c = o.revertJournal ? history.named(FromNative(*o.revertJournal)) : history.lastApply();
    if (std::u16string refused = Refusal(c, folder); !refused.empty()) {
        Say(refused);
        return kExitStopped;
    }
    // An interrupted revert of this run is finished by this one.
    const std::vector<std::u16string> earlier = history.standingRevertsOf(c.journal);
    for (const std::u16string& other : UnsettledJournals(folder))
        if (other != c.journal && std::find(earlier.begin(), earlier.end(), other) == earlier.end())
            Say(u"an interrupted run is not settled yet: " + other);
    const int say = c.what == RevertChoice::What::Redo ? text::ToRedo : text::ToRevert;
    Say(FormatText(LoadText(say), {DescribeRun(c.run)}));
    host.echoLog = true;
    RevertOutcome r = RevertJournal(c.journal, app.flags.journal, host);
    if (!r.journalRead || r.journalFailed) return kExitStopped;
    return r.skipped == 0 && r.left == 0 ? kExitOk : kExitRowsFailed;
}

}  // namespace quirnel::cli
