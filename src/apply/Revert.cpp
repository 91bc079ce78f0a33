#include "apply/Revert.h"

#include <cerrno>
#include <chrono>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "apply/Journal.h"
#include "apply/JournalFiles.h"
#include "apply/RevertChoice.h"
#include "base/StringTable.h"
#include "base/TextHelpers.h"
#include "base/TextIds.h"
#include "platform/AppendFile.h"
#include "platform/FileOps.h"
#include "platform/FileSystem.h"
#include "platform/NativeText.h"
#include "platform/PathStyle.h"
#include "platform/PathText.h"
#include "platform/SideBySide.h"

namespace quirnel {
namespace {

enum class Fate { Done, NotDone, Unknown };

// Whether a step happened. Marks say so for what was finished; for the
// rest, the disk: which of the two paths holds the recorded entry.
Fate Decide(JournalKind kind, JournalStep& s) {
    if (s.mark == JournalStep::Mark::Done) return Fate::Done;
    if (s.mark == JournalStep::Mark::Failed) return Fate::NotDone;
    if (kind == JournalKind::Copy) {
        if (!LookUpEntryId(s.to)) return Fate::NotDone;
        // A copy whose record was lost with a killed run is known by being
        // exactly a copy of its original, which is still there.
        if (LookUpEntryId(s.from) != s.id || !IsCopyOf(s.to, s.from)) return Fate::Unknown;
        s.copy = LookUpStamp(s.to);
        return Fate::Done;
    }
    if (kind == JournalKind::Remove) {
        EntryId at = LookUpEntryId(s.to);
        return !at ? Fate::Done : at == s.id ? Fate::NotDone : Fate::Unknown;
    }
    if (LookUpEntryId(s.to) == s.id) return Fate::Done;
    if (LookUpEntryId(s.from) == s.id) return Fate::NotDone;
    return Fate::Unknown;
}

// A step whose run may have left a hidden temporary beside its target: a
// copy that began and was not recorded as ended, or a move that may have
// crossed file systems.
bool MayHaveLeftover(JournalKind kind, const JournalStep& s) {
    if (kind == JournalKind::Copy) return s.mark == JournalStep::Mark::None || s.mark == JournalStep::Mark::Begun;
    if (kind != JournalKind::Rename || s.isFolder || s.mark == JournalStep::Mark::Failed) return false;
    return s.movedId || s.mark == JournalStep::Mark::None;
}

bool IsCycleTemp(std::u16string_view path) {
    size_t slash = path.rfind(PathStyle::forHost().separator);
    return path.substr(slash == std::u16string_view::npos ? 0 : slash + 1).substr(0, kCycleTempPrefix.size()) ==
           kCycleTempPrefix;
}

std::u16string_view FolderPart(std::u16string_view path) {
    size_t slash = path.rfind(PathStyle::forHost().separator);
    return slash == std::u16string_view::npos ? std::u16string_view() : path.substr(0, slash);
}

JournalKind RevertKind(JournalKind kind) {
    switch (kind) {
        case JournalKind::Rename: return JournalKind::Rename;
        case JournalKind::Copy: return JournalKind::Remove;
        case JournalKind::Remove: return JournalKind::Copy;
    }
    return JournalKind::Rename;
}

// One revert: the inverse of each step found done, newest first.
class RevertRun {
public:
    // changedBefore: when the journal's marks were last written. An entry
    // that changed after it is not as the run left it, even where its inode
    // number was reused.
    RevertRun(JournalRecord& record, int64_t changedBefore, Host& host, const std::atomic<int>* stop)
        : record_(record), changedBefore_(changedBefore), host_(host), stop_(stop), kind_(RevertKind(record.kind)) {}

    void collect() {
        // A cycle's first entry goes to a temporary name and on from there:
        // the first of its two steps is done when the second is, although
        // neither of its paths holds the entry; the second is not done while
        // the entry still waits at its own path.
        // Only a step decided from the disk needs them, which is rare.
        std::unordered_map<std::u16string_view, size_t> intoTemp;
        bool intoTempKnown = false;
        std::unordered_map<std::u16string_view, EntryId> leftTemp;
        steps_.reserve(record_.steps.size());
        for (size_t i = record_.steps.size(); i-- > 0;) {  // newest first
            JournalStep& s = record_.steps[i];
            Fate fate = Decide(record_.kind, s);
            if (fate == Fate::Unknown) {
                if (!intoTempKnown) {
                    intoTempKnown = true;
                    for (size_t k = 0; k < record_.steps.size(); ++k)
                        if (IsCycleTemp(record_.steps[k].to)) intoTemp[record_.steps[k].to] = k;
                }
                auto left = leftTemp.find(s.to);
                auto into = intoTemp.find(s.from);
                if (left != leftTemp.end() && left->second == s.id) fate = Fate::Done;
                else if (into != intoTemp.end() && LookUpEntryId(record_.steps[into->second].from) == s.id) fate = Fate::NotDone;
            }
            if (fate == Fate::NotDone) continue;
            if (fate == Fate::Unknown) {
                report(s.to, LoadText(text::AtNeitherPath));
                ++unknown_;
                continue;
            }
            if (IsCycleTemp(s.from)) leftTemp[s.from] = s.id;
            // An interrupted move across file systems named its copy after
            // the last write of the journal: its identity is the proof.
            const bool namedAfter = s.movedId && !record_.ended;
            steps_.push_back({&s, s.mark != JournalStep::Mark::Done || !s.stamped || namedAfter});
        }
    }

    // The entries now at the targets, looked up together before anything moves.
    void lookUpTargets() {
        std::vector<std::u16string_view> at;
        at.reserve(steps_.size());
        for (const Pending& p : steps_) at.push_back(p.step->to);
        if (kind_ == JournalKind::Rename) found_ = LookUpEntryStates(at, changedBefore_);
    }

    // reverts: the journal of the run this revert undoes, which its own journal names.
    Result open(const JournalPlace& place, const std::u16string& reverts, std::u16string& path) {
        path.clear();
        if (!place.any() || steps_.empty()) return {};
        path = NewJournalPath(place);
        if (Result created = journal_.create(path, kind_, reverts); !created) return created;
        for (const Pending& p : steps_) {
            const JournalStep& s = *p.step;
            // A removal names the copy it removes; a move or a copy, the entry it moves or copies.
            if (kind_ == JournalKind::Copy) journal_.step(LookUpEntryId(s.from), s.isFolder, s.from, s.to);
            else if (kind_ == JournalKind::Remove) journal_.step(s.copy.id, s.isFolder, s.from, s.to);
            else journal_.step(expected(s), s.isFolder, s.to, s.from);
        }
        if (Result sealed = journal_.seal(); !sealed) {
            (void)journal_.end();
            (void)RemoveFile(path);
            return sealed;
        }
        journaling_ = true;
        if (place.file.empty()) PruneJournals(place.folder);
        return {};
    }

    std::vector<std::pair<std::u16string, std::u16string>> takeMovedBack() { return std::move(movedBack_); }

    // Steps an earlier revert of the run undid already (see TakeAlreadyReverted).
    void keepAsBack(std::unordered_set<const JournalStep*> back) { back_ = std::move(back); }

    // A cycle's entry passes a temporary name: from where it was to where it ends.
    void noteMovedBack(std::u16string from, std::u16string to) {
        if (IsCycleTemp(to)) {
            leftFor_[std::move(to)] = std::move(from);
        } else if (auto it = leftFor_.find(from); it != leftFor_.end()) {
            movedBack_.emplace_back(std::move(it->second), std::move(to));
            leftFor_.erase(it);
        } else {
            movedBack_.emplace_back(std::move(from), std::move(to));
        }
    }

    void run(RevertOutcome& out) {
        movedBack_.reserve(steps_.size());
        if (!record_.ended) removeLeftovers(out);  // before the steps take their paths
        out.total = static_cast<int>(steps_.size()) + unknown_;
        out.skipped = unknown_;
        for (size_t n = 0; n < steps_.size(); ++n) {
            if (stop_ && stop_->load(std::memory_order_relaxed) == 1) {
                out.skipped += static_cast<int>(steps_.size() - n);
                break;
            }
            if (back_.count(steps_[n].step) ? keepBack(n) : undo(n)) ++out.reverted;
            else ++out.skipped;
            if (journaling_) journal_.tick();
        }
        for (auto it = record_.folders.rbegin(); it != record_.folders.rend(); ++it)
            (void)RemoveEmptyFolder(*it);  // one that holds something stays
        if (journaling_ && !journal_.end()) report(u"", LoadText(text::JournalNotWritten));
    }

private:
    static EntryId expected(const JournalStep& s) { return s.movedId ? s.movedId : s.id; }

    // A step an earlier revert undid stays as it is, recorded as done here:
    // reverting this revert then redoes the whole run, in its order.
    Result keepBack(size_t n) {
        JournalStep& s = *steps_[n].step;
        const int i = static_cast<int>(n);
        if (kind_ == JournalKind::Rename) {
            const EntryId now = LookUpEntryId(s.from);
            if (journaling_) {
                if (now == expected(s)) journal_.done(i);
                else if (now) journal_.moved(i, now);  // it came back across file systems
                else journal_.failed(i, ENOENT);
            }
            noteMovedBack(std::move(s.to), std::move(s.from));
        } else if (journaling_) {
            if (kind_ == JournalKind::Copy) journal_.copied(i, LookUpStamp(s.to));
            else journal_.done(i);
        }
        return {};
    }

    uint64_t deviceOf(const std::u16string& folder) {
        auto [it, added] = devices_.try_emplace(folder, 0);
        if (added) it->second = FolderDevice(folder);
        return it->second;
    }

    // A folder that a revert of this revert removed comes back as its run
    // made it: created and recorded, so that reverting again removes it.
    void prepareFolder(const std::u16string& path) {
        std::u16string folder = ParentFolderOf(path, PathStyle::forHost());
        if (folder.empty() || LookUpEntryId(folder)) return;
        (void)CreateFolderChain(folder, PathStyle::forHost(), [this](const std::u16string& f) {
            if (journaling_) (void)journal_.folder(f);
        });
    }

    // What killed copies and moves left under hidden names beside their
    // targets: removed where no live run holds it, reported either way.
    void removeLeftovers(RevertOutcome& out) {
        for (const JournalStep& s : record_.steps) {
            if (!MayHaveLeftover(record_.kind, s)) continue;
            std::u16string path;
            Result removed = RemoveCopyLeftover(s.to, path);
            if (removed.error == ENOENT) continue;
            if (removed) {
                host_.AppendLog(FormatText(LoadText(text::LeftoverRemoved), {path}));
            } else {
                host_.AppendLog(FormatText(LoadText(text::LeftoverKept), {path}));
                ++out.left;
            }
        }
    }

    // The original is still where the run found it, unchanged since the
    // journal's last write: a move across file systems was killed before
    // it removed its source.
    bool originalStays(const JournalStep& s) const {
        int64_t changed = 0;
        return LookUpEntryId(s.from, &changed) == s.id && changed <= changedBefore_;
    }

    // Its copy at the target, if it got its name, is the second one: it goes.
    Result undoKilledMove(size_t n) {
        JournalStep& s = *steps_[n].step;
        if (LookUpEntryId(s.to) == s.movedId) {
            Result removed = RemoveEntryTree(s.to);
            if (!removed) return skip(n, s.to, TrimBlanks(removed.text()), removed.error);
            host_.AppendLog(FormatText(LoadText(text::KilledMoveCopyRemoved), {s.to}));
        }
        if (journaling_) journal_.moved(static_cast<int>(n), s.id);
        noteMovedBack(std::move(s.to), std::move(s.from));
        return {};
    }

    Result undo(size_t n) {
        JournalStep& s = *steps_[n].step;
        Result done;
        if (kind_ == JournalKind::Rename && s.movedId && originalStays(s)) return undoKilledMove(n);
        if (kind_ == JournalKind::Rename) {
            // A step decided from the disk of an interrupted run may have
            // happened after the journal's last write.
            // So may an entry this revert put under a cycle's temporary name
            // (it was not there when the targets were looked up).
            EntryState at = found_[n];
            bool trusted = steps_[n].fromDisk;
            if (at.id != expected(s) && placedInTemp_.count(s.to)) {
                at.id = LookUpEntryId(s.to);
                trusted = true;
            }
            if (at.id != expected(s) || (!trusted && at.changeTimeNs > changedBefore_))
                return skip(n, s.to, LoadText(text::ChangedSinceRun));
            // Back within its folder, the entry found there shows that the folder exists.
            const bool sameFolder = FolderPart(s.from) == FolderPart(s.to);
            if (!sameFolder) prepareFolder(s.from);
            done = MoveEntry(s.to, s.from, handles_);
            if (done && s.isFolder) handles_.forget();
            if (done && IsCycleTemp(s.from)) placedInTemp_.insert(s.from);
            if (done && journaling_) {
                // Back across file systems the entry is a new one.
                if (sameFolder || deviceOf(ParentFolderOf(s.from, PathStyle::forHost())) == expected(s).dev)
                    journal_.done(static_cast<int>(n));
                else journal_.moved(static_cast<int>(n), LookUpEntryId(s.from));
            }
            if (done) noteMovedBack(std::move(s.to), std::move(s.from));  // not needed any more
        } else if (kind_ == JournalKind::Remove) {
            if (LookUpStamp(s.to) != s.copy) return skip(n, s.to, LoadText(text::ChangedSinceRun));
            // Never the last one: the copy goes only while its original stays.
            if (LookUpEntryId(s.from) != s.id) return skip(n, s.to, LoadText(text::CopyKeptOriginalGone));
            done = RemoveEntryTree(s.to);
            if (done && journaling_) journal_.done(static_cast<int>(n));
        } else {
            if (journaling_) (void)journal_.begin(static_cast<int>(n));
            done = s.isFolder ? CopyFolderTree(s.from, s.to, stop_) : CopyFileExclusive(s.from, s.to, stop_);
            if (done && journaling_) journal_.copied(static_cast<int>(n), LookUpStamp(s.to));
        }
        if (!done) return skip(n, s.to, TrimBlanks(done.text()), done.error);
        return done;
    }

    Result skip(size_t n, const std::u16string& what, const std::u16string& reason, int e = EEXIST) {
        if (journaling_) journal_.failed(static_cast<int>(n), e);
        report(what, reason);
        return Result(e);
    }

    void report(const std::u16string& what, const std::u16string& reason) {
        host_.AppendLog(FormatText(u"%s: %s (%s)", {LoadText(text::FailedToRevert), what, reason}));
    }

    struct Pending {
        JournalStep* step;
        bool fromDisk;  // no mark said it was done
    };
    JournalRecord& record_;  // a step's paths move into the report once it is undone
    int64_t changedBefore_;
    Host& host_;
    const std::atomic<int>* stop_;
    JournalKind kind_;
    std::vector<Pending> steps_;
    std::vector<EntryState> found_;  // per pending step of a rename revert
    std::unordered_set<std::u16string> placedInTemp_;
    std::vector<std::pair<std::u16string, std::u16string>> movedBack_;
    std::unordered_map<std::u16string, std::u16string> leftFor_;  // temporary name -> where its entry was
    std::unordered_map<std::u16string, uint64_t> devices_;
    std::unordered_set<const JournalStep*> back_;
    int unknown_ = 0;
    JournalWriter journal_;
    bool journaling_ = false;
    FolderHandles handles_;
};

// What earlier reverts of the run did stays done: a step one of them
// reverted (by its mark, or for an interrupted one by the disk) is neither
// undone again nor reported as changed since the run. It counts as done
// for the run's own decision too.
struct AlreadyBack {
    std::unordered_set<const JournalStep*> steps;
    std::u16string by;  // the newest revert that had reverted one
};

AlreadyBack TakeAlreadyReverted(JournalRecord& record, const std::vector<std::u16string>& reverts) {
    AlreadyBack back;
    if (reverts.empty()) return back;
    std::unordered_map<std::u16string, JournalStep*> index;  // from, a zero, to -> step
    index.reserve(record.steps.size());
    for (JournalStep& s : record.steps) index.emplace(s.from + u'\0' + s.to, &s);
    for (const std::u16string& k : reverts) {
        JournalRecord earlier;
        if (!ReadJournal(k, earlier) || earlier.kind != RevertKind(record.kind)) continue;
        for (JournalStep& s : earlier.steps) {
            if (Decide(earlier.kind, s) != Fate::Done) continue;
            // A rename's revert moves an entry from "to" back to "from"; a copy's names the same two paths.
            const bool inverse = earlier.kind == JournalKind::Rename;
            auto it = index.find(inverse ? s.to + u'\0' + s.from : s.from + u'\0' + s.to);
            if (it == index.end() || !back.steps.insert(it->second).second) continue;
            it->second->mark = JournalStep::Mark::Done;
            it->second->stamped = true;
            back.by = k;
        }
    }
    return back;
}

}  // namespace

RevertOutcome RevertJournal(const std::u16string& journalPath, const JournalPlace& place, Host& host,
                            const std::atomic<int>* stop) {
    // Its revert names it by a path that means the same from any folder.
    const std::u16string journal = AbsolutePath(journalPath);
    RevertOutcome out;
    JournalRecord record;
    if (IsFileLocked(journal)) {
        host.AppendLog(FormatText(LoadText(text::JournalUnreadable), {journal, LoadText(text::JournalInUse)}));
        return out;
    }
    if (Result read = ReadJournal(journal, record); !read) {
        host.AppendLog(FormatText(LoadText(text::JournalUnreadable), {journal, read.text()}));
        return out;
    }
    out.journalRead = true;
    auto start = std::chrono::steady_clock::now();
    host.AppendLog(FormatText(LoadText(text::StartRevert), {journal}));
    const JournalHistory history(place.folder);
    if (history.isRevert(journal)) host.AppendLog(FormatText(LoadText(text::RedoNote), {journal}));
    const std::vector<std::u16string> earlier = history.standingRevertsOf(journal);
    AlreadyBack back = TakeAlreadyReverted(record, earlier);
    const int backCount = static_cast<int>(back.steps.size());
    RevertRun run(record, record.writtenNs ? record.writtenNs : LookUpStamp(journal).mtimeNs, host, stop);
    run.collect();
    run.keepAsBack(std::move(back.steps));
    // The look-ups and the revert's own plan change nothing: they go on side by side.
    Result opened;
    SideBySide([&run] { run.lookUpTargets(); }, [&] { opened = run.open(place, journal, out.ownJournal); });
    if (!opened) {
        out.journalFailed = true;
        host.AppendLog(FormatText(LoadText(text::JournalNotWrittenNoChange), {TrimBlanks(opened.text())}));
        return out;
    }
    run.run(out);
    out.movedBack = run.takeMovedBack();
    (void)MarkJournal(journal, "reverted", out.ownJournal);  // the revert itself is what counts
    // An interrupted revert is finished now: it is not offered at start-up again.
    for (const std::u16string& k : earlier)
        if (RunSummary s = SummarizeJournal(k); !s.ended && !s.settled) (void)MarkJournal(k, "settled", out.ownJournal);
    if (backCount > 0)
        host.AppendLog(FormatText(LoadText(text::AlreadyBack), {static_cast<long long>(backCount), back.by}));
    host.AppendLog(FormatText(LoadText(text::RevertSummary), {static_cast<long long>(out.total),
                                                              static_cast<long long>(out.reverted),
                                                              static_cast<long long>(out.skipped)}));
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    host.AppendLog(FormatText(LoadText(text::DoneElapsed), {static_cast<long long>(ms)}));
    return out;
}

void FollowRevert(NameList& list, const RevertOutcome& outcome) {
    if (outcome.movedBack.empty()) return;
    std::unordered_map<std::u16string_view, const std::u16string*> back;
    for (const auto& [at, old] : outcome.movedBack) back[at] = &old;
    const PathStyle& style = list.style();
    for (int r = 0; r < list.size(); ++r) {
        auto it = back.find(list.fullPath(r));
        if (it == back.end()) continue;
        const std::u16string& old = *it->second;
        list.setApplied(r, NameOf(old, Extension::Keep, style), ParentFolderOf(old, style), old);
    }
}

namespace {

// Asks the one question about the chosen run, or says why there is none;
// nothing moves without a Yes.
RevertOutcome RevertChosen(const RevertChoice& c, const JournalPlace& place, Host& host) {
    using What = RevertChoice::What;
    switch (c.what) {
        case What::NoJournal: host.AppendLog(LoadText(text::NoJournal)); return {};
        case What::Nothing: host.AppendLog(FormatText(LoadText(text::NothingToRevert), {place.folder})); return {};
        case What::Unreadable:
            host.AppendLog(FormatText(LoadText(text::JournalUnreadable), {c.journal, c.run.unreadable}));
            return {};
        case What::Revert:
        case What::Redo: break;
    }
    const bool redo = c.what == What::Redo;
    const int question = redo ? text::RedoRunQuestion : c.resumes ? text::ResumeRevertQuestion : text::RevertRunQuestion;
    if (!host.askYesNo(redo ? Question::RedoRun : Question::RevertRun,
                       FormatText(LoadText(question), {DescribeRun(c.run)}))) {
        host.AppendLog(LoadText(text::NothingReverted));
        return {};
    }
    return RevertJournal(c.journal, place, host);
}

}  // namespace

RevertOutcome RevertLastApply(const JournalPlace& place, Host& host) {
    return RevertChosen(JournalHistory(place.folder).lastApply(), place, host);
}

RevertOutcome RedoRevertedApply(const JournalPlace& place, Host& host) {
    RevertChoice c = JournalHistory(place.folder).redo();
    if (c.what != RevertChoice::What::Redo) {
        host.AppendLog(LoadText(text::NothingToRedo));
        return {};
    }
    return RevertChosen(c, place, host);
}

int RecoverInterruptedRuns(const JournalPlace& place, Host& host) {
    std::vector<std::u16string> found = UnsettledJournals(place.folder);
    for (const std::u16string& journal : found) {
        const RunSummary run = SummarizeJournal(journal);
        if (run.ended || run.settled) continue;  // finished with one asked about before
        // An interrupted revert is finished: its run is reverted again.
        const RevertChoice finish = JournalHistory(place.folder).finishing(journal);
        const bool resumes = finish.what != RevertChoice::What::Nothing;
        std::u16string question = FormatText(LoadText(resumes ? text::InterruptedRevertNamed : text::InterruptedRunNamed),
                                             {journal, DescribeRun(resumes ? finish.run : run)});
        if (host.askYesNo(Question::RevertInterrupted, question))
            (void)RevertJournal(resumes ? finish.journal : journal, place, host);
        else
            (void)SettleJournal(journal, host);  // unmarked, it is asked about again next time
    }
    return static_cast<int>(found.size());
}

Result SettleJournal(const std::u16string& journal, Host& host) {
    Result marked = MarkJournal(journal, "settled");
    if (marked) host.AppendLog(FormatText(LoadText(text::SettledRun), {journal}));
    return marked;
}

}  // namespace quirnel
