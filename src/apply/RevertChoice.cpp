#include "apply/RevertChoice.h"

#include <mutex>
#include <unordered_map>
#include <utility>

#include "apply/JournalFiles.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "platform/EntryIds.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/PathStyle.h"
#include "platform/PathText.h"

namespace quirnel {
namespace {

bool IsCycleTemp(const std::u16string& path) {
    return NameOf(path, Extension::Keep, PathStyle::forHost()).compare(0, kCycleTempPrefix.size(), kCycleTempPrefix) == 0;
}

// The deepest folder that holds both; "/" or empty when only the root does.
std::u16string CommonFolder(const std::u16string& a, const std::u16string& b) {
    const char16_t sep = PathStyle::forHost().separator;
    size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
    if ((n == a.size() && (n == b.size() || b[n] == sep)) ) return a;
    if (n == b.size() && a[n] == sep) return b;
    size_t cut = n == 0 ? std::u16string::npos : a.rfind(sep, n - 1);
    return cut == std::u16string::npos ? std::u16string() : a.substr(0, cut);
}

// New journals are named for the UTC time they were made: "20240612T094107.…".
bool TimeFromName(const std::u16string& journal, int64_t& utc) {
    std::u16string name = NameOf(journal, Extension::Keep, PathStyle::forHost());
    if (name.size() < 15 || name[8] != u'T') return false;
    int v[6] = {};
    const int at[6][2] = {{0, 4}, {4, 2}, {6, 2}, {9, 2}, {11, 2}, {13, 2}};
    for (int f = 0; f < 6; ++f)
        for (int k = 0; k < at[f][1]; ++k) {
            char16_t c = name[static_cast<size_t>(at[f][0] + k)];
            if (c < u'0' || c > u'9') return false;
            v[f] = v[f] * 10 + (c - u'0');
        }
    if (v[1] < 1 || v[1] > 12 || v[2] < 1 || v[2] > 31 || v[3] > 23 || v[4] > 59 || v[5] > 60) return false;
    utc = DaysFromCivil(v[0], v[1], v[2]) * 86400 + v[3] * 3600 + v[4] * 60 + v[5];
    return true;
}

// A finished run's failed or unreached steps changed nothing; an
// interrupted run's unmarked ones may have.
bool MayHaveHappened(const JournalRecord& r, const JournalStep& s) {
    return s.mark == JournalStep::Mark::Done || s.mark == JournalStep::Mark::Begun ||
           (s.mark == JournalStep::Mark::None && !r.ended);
}

void DescribeSteps(const JournalRecord& record, RunSummary& s) {
    const PathStyle& style = PathStyle::forHost();
    bool first = true;
    std::u16string firstFolder;
    for (const JournalStep& step : record.steps) {
        if (!MayHaveHappened(record, step)) continue;
        if (IsCycleTemp(step.from) || IsCycleTemp(step.to)) {
            s.entries += !IsCycleTemp(step.from);  // an entry's first step leaves its own name
            continue;
        }
        ++s.entries;
        std::u16string from = ParentFolderOf(step.from, style), to = ParentFolderOf(step.to, style);
        s.moves = s.moves || from != to;
        if (first) firstFolder = s.folder = from;
        first = false;
        s.folder = CommonFolder(CommonFolder(s.folder, from), to);
    }
    if (s.folder.empty() || s.folder == std::u16string(1, style.separator)) s.folder = firstFolder;
}

bool ChangedDisk(const JournalRecord& r) {
    if (!r.planComplete) return false;  // without its plan nothing had begun
    if (!r.folders.empty()) return true;
    for (const JournalStep& s : r.steps)
        if (MayHaveHappened(r, s)) return true;
    return false;
}

RunSummary Summarize(const std::u16string& journal, const EntryStamp& stamp) {
    RunSummary s;
    s.journal = journal;
    JournalRecord r;
    if (Result read = ReadJournal(journal, r); !read) {
        s.unreadable = read.text();
        return s;
    }
    s.readable = true;
    s.kind = r.kind;
    s.reverts = AbsolutePath(r.reverts);
    s.ended = r.ended;
    s.settled = r.settled;
    s.reverted = r.reverted;
    s.revertedBy = AbsolutePath(r.revertedBy);
    s.changedDisk = ChangedDisk(r);
    DescribeSteps(r, s);
    if (!TimeFromName(journal, s.startedUtc)) s.startedUtc = stamp.mtimeNs / 1000000000;
    return s;
}

}  // namespace

RunSummary SummarizeJournal(const std::u16string& path) {
    // The window asks whenever its File menu opens: a journal is read again
    // only once it has changed.
    static std::mutex guard;
    static std::unordered_map<std::u16string, std::pair<EntryStamp, RunSummary>> known;
    const std::u16string journal = AbsolutePath(path);
    const EntryStamp stamp = LookUpStamp(journal);
    {
        std::lock_guard lock(guard);
        auto it = known.find(journal);
        if (it != known.end() && stamp.id && it->second.first == stamp) return it->second.second;
    }
    RunSummary s = Summarize(journal, stamp);
    std::lock_guard lock(guard);
    if (stamp.id && s.readable) known[journal] = {stamp, s};
    else known.erase(journal);
    return s;
}

std::u16string DescribeRun(const RunSummary& run) {
    int kind = run.kind == JournalKind::Copy     ? text::RunKindCopy
               : run.kind == JournalKind::Remove ? text::RunKindRemove
               : run.moves                       ? text::RunKindMove
                                                 : text::RunKindRename;
    return FormatText(LoadText(run.entries == 1 ? text::RunDescriptionOne : text::RunDescription),
                      {LoadText(kind), TimeText(run.startedUtc), static_cast<long long>(run.entries), run.folder});
}

JournalHistory::JournalHistory(const std::u16string& folder) {
    if (!folder.empty())
        for (const std::u16string& journal : ListJournals(folder)) runs_.push_back(SummarizeJournal(journal));
    link();
}

int JournalHistory::indexOf(const std::u16string& journal) const {
    if (journal.empty()) return kUnlisted;
    const std::u16string path = AbsolutePath(journal);
    for (size_t i = 0; i < runs_.size(); ++i)
        if (runs_[i].journal == path) return static_cast<int>(i);
    return kUnlisted;
}

void JournalHistory::link() {
    const size_t n = runs_.size();
    target_.assign(n, kUnlisted);
    hasTarget_.assign(n, false);
    depth_.assign(n, 0);
    undone_.assign(n, false);
    for (size_t i = 0; i < n; ++i) {
        if (runs_[i].reverts.empty()) continue;
        hasTarget_[i] = true;
        int t = indexOf(runs_[i].reverts);
        if (t < static_cast<int>(i)) target_[i] = t;  // a revert is newer than its run
    }
    // A revert of an older version names no journal: the run it undid names it.
    for (size_t j = 0; j < n; ++j) {
        int k = runs_[j].reverted ? indexOf(runs_[j].revertedBy) : kUnlisted;
        if (k > static_cast<int>(j) && !hasTarget_[k]) {
            hasTarget_[k] = true;
            target_[k] = static_cast<int>(j);
        }
    }
    for (size_t i = 0; i < n; ++i)
        depth_[i] = !hasTarget_[i] ? 0 : target_[i] == kUnlisted ? 1 : depth_[target_[i]] + 1;
    // Newest first: whether a revert stands is known before its run is looked at.
    std::vector<bool> finishedRevert(n, false);
    for (size_t i = n; i-- > 0;) {
        const RunSummary& r = runs_[i];
        // Reverted, by a revert that kept no journal or whose journal is elsewhere.
        const bool revertedAway = r.reverted && indexOf(r.revertedBy) == kUnlisted;
        undone_[i] = finishedRevert[i] || revertedAway;
        if (target_[i] != kUnlisted && r.ended && !undone_[i]) finishedRevert[target_[i]] = true;
    }
}

RevertChoice JournalHistory::revertOf(size_t i, bool resumes) const {
    RevertChoice c;
    c.journal = runs_[i].journal;
    c.resumes = resumes;
    c.what = depth_[i] % 2 == 1 ? RevertChoice::What::Redo : RevertChoice::What::Revert;
    const int t = target_[i];
    c.run = c.what == RevertChoice::What::Redo && t != kUnlisted && runs_[t].readable ? runs_[t] : runs_[i];
    return c;
}

RevertChoice JournalHistory::lastApply() const {
    RevertChoice none;
    none.what = runs_.empty() ? RevertChoice::What::NoJournal : RevertChoice::What::Nothing;
    for (size_t i = runs_.size(); i-- > 0;) {
        const RunSummary& r = runs_[i];
        if (!r.readable) {
            // Never an older run instead of the newest: the user names what to do.
            none.what = RevertChoice::What::Unreadable;
            none.journal = r.journal;
            none.run = r;
            return none;
        }
        if (!r.changedDisk || undone_[i]) continue;
        if (!hasTarget_[i]) return revertOf(i, false);
        if (r.ended) {
            if (depth_[i] % 2 == 0) return revertOf(i, false);  // a redo: its run stands again
            continue;                                           // a revert: undoing it is a redo
        }
        // An interrupted revert: its run is reverted again, which finishes it.
        const int t = target_[i];
        if (t != kUnlisted && !undone_[t]) return revertOf(static_cast<size_t>(t), true);
    }
    return none;
}

RevertChoice JournalHistory::redo() const {
    RevertChoice none;
    none.what = RevertChoice::What::Nothing;
    for (size_t i = runs_.size(); i-- > 0;) {
        const RunSummary& r = runs_[i];
        if (!r.readable) return none;
        if (!r.changedDisk || undone_[i]) continue;
        const bool revert = hasTarget_[i] && depth_[i] % 2 == 1;
        // An interrupted revert is finished first; a newer standing run is reverted first.
        return revert && r.ended ? revertOf(i, false) : none;
    }
    return none;
}

RevertChoice JournalHistory::named(const std::u16string& journal) const {
    const int i = indexOf(journal);
    std::vector<std::u16string> prior = standingRevertsOf(journal);
    bool resumes = false;
    for (const std::u16string& p : prior) resumes = resumes || !runs_[indexOf(p)].ended;
    if (i != kUnlisted) {
        if (!runs_[i].readable) {
            RevertChoice c;
            c.what = RevertChoice::What::Unreadable;
            c.journal = runs_[i].journal;
            c.run = runs_[i];
            return c;
        }
        return revertOf(static_cast<size_t>(i), resumes);
    }
    // A journal kept elsewhere: it is a revert when it names its run.
    RevertChoice c;
    c.run = SummarizeJournal(journal);
    c.journal = c.run.journal;
    c.resumes = resumes;
    if (!c.run.readable) {
        c.what = RevertChoice::What::Unreadable;
        return c;
    }
    c.what = isRevert(journal) ? RevertChoice::What::Redo : RevertChoice::What::Revert;
    const int t = indexOf(c.run.reverts);
    if (c.what == RevertChoice::What::Redo && t != kUnlisted && runs_[t].readable) c.run = runs_[t];
    return c;
}

std::vector<std::u16string> JournalHistory::standingRevertsOf(const std::u16string& journal) const {
    const int i = indexOf(journal);
    const std::u16string path = AbsolutePath(journal);
    std::vector<size_t> of;
    for (size_t j = 0; j < runs_.size(); ++j)
        if (runs_[j].readable && (i != kUnlisted ? target_[j] == i : runs_[j].reverts == path)) of.push_back(j);
    // A finished revert took in every earlier one: what they did is in its
    // marks, and once it is undone, so is theirs.
    size_t from = 0;
    for (size_t k = of.size(); k-- > 0;)
        if (runs_[of[k]].ended) {
            from = k;
            break;
        }
    std::vector<std::u16string> out;
    for (size_t k = from; k < of.size(); ++k)
        if (!undone_[of[k]]) out.push_back(runs_[of[k]].journal);
    return out;
}

RevertChoice JournalHistory::finishing(const std::u16string& journal) const {
    RevertChoice none;
    none.what = RevertChoice::What::Nothing;
    const int i = indexOf(journal);
    if (i == kUnlisted || !hasTarget_[i] || runs_[i].ended) return none;
    const int t = target_[i];
    return t != kUnlisted && !undone_[t] && runs_[t].readable ? revertOf(static_cast<size_t>(t), true) : none;
}

bool JournalHistory::isRevert(const std::u16string& journal) const {
    if (int i = indexOf(journal); i != kUnlisted) return depth_[i] % 2 == 1;
    const RunSummary s = SummarizeJournal(journal);
    int depth = 0;
    if (!s.reverts.empty()) {
        const int t = indexOf(s.reverts);
        depth = t == kUnlisted ? 1 : depth_[t] + 1;
    } else {
        const std::u16string path = AbsolutePath(journal);
        for (size_t j = 0; j < runs_.size(); ++j)
            if (runs_[j].reverted && runs_[j].revertedBy == path) depth = depth_[j] + 1;
    }
    return depth % 2 == 1;
}

}  // namespace quirnel
