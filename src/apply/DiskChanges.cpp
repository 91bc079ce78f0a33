#include "apply/DiskChanges.h"

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "apply/JournalFiles.h"
#include "base/StringTable.h"
#include "base/TextHelpers.h"
#include "base/TextIds.h"
#include "platform/EntryIds.h"
#include "platform/FileOps.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"

namespace quirnel {
namespace {

// Free in practice: the run's clock reading makes it unlike any other name.
std::u16string TempBase() {
    auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::u16string(kCycleTempPrefix) + DecimalText(static_cast<long long>(ticks % 1000000000000LL)) + u"-";
}

// The entries the moving rows name now. A row listed when it was added keeps
// the inode the listing found while its folder still has the stamp it had
// then: nothing was created, removed or renamed in the folder since, so the
// name still names that entry, and the folder is not read a second time.
// Every other row is looked up. The stamp cannot see a change in the same
// tick of the file system's clock as the listing; the identity check before
// each move then refuses the row rather than move another entry, so the
// journal still records the entry that moved.
std::vector<EntryId> SourceIds(const ApplyRows& rows, const std::vector<int>& sourceRows, size_t capacity) {
    std::vector<EntryId> found;
    found.reserve(capacity);
    found.resize(sourceRows.size());
    std::vector<std::u16string> askPaths;
    std::vector<size_t> askedFor;
    std::unordered_map<const std::u16string*, bool> unchanged;  // by folder text
    const std::u16string* lastFolder = nullptr;
    bool lastUnchanged = false;
    for (size_t k = 0; k < sourceRows.size(); ++k) {
        const int r = sourceRows[k];
        if (const ListedEntry e = rows.listed(r); e.id) {
            const std::u16string* folder = &rows.oldFolder(r);
            if (folder != lastFolder) {  // rows of one folder mostly come together
                auto [it, added] = unchanged.try_emplace(folder, false);
                if (added) it->second = LookUpFolderStamp(*folder) == e.folder;
                lastFolder = folder;
                lastUnchanged = it->second;
            }
            if (lastUnchanged) {
                found[k] = e.id;
                continue;
            }
        }
        askPaths.push_back(rows.oldPath(r));
        askedFor.push_back(k);
    }
    if (askPaths.empty()) return found;
    std::vector<EntryId> looked = LookUpEntryIds(std::vector<std::u16string_view>(askPaths.begin(), askPaths.end()));
    for (size_t i = 0; i < looked.size(); ++i) found[askedFor[i]] = looked[i];
    return found;
}

}  // namespace

DiskChanges::DiskChanges(const ApplyRows& rows, const ApplyOptions& options, const std::atomic<int>& stop,
                         TargetPaths& targets, ApplySink& sink)
    : rows_(rows), options_(options), stop_(stop), targets_(targets), sink_(sink), style_(rows.style()) {
    plan_ = PlanApply(OldPaths(rows), targets_, options.applyType != ApplyType::Copies);
    std::u16string base;
    for (const PlanStep& s : plan_.steps) {
        if (s.kind != StepKind::ToTemp) continue;
        if (base.empty()) base = TempBase();
        temps_[s.row] = JoinPath(ParentFolderOf(rows_.oldPath(s.row), style_), base + DecimalText(s.row), style_);
    }
}

// Every moving step's entry and every folder of the run are looked up
// before anything changes: a move checks them first, so that an entry or a
// folder swapped during the run (a link to elsewhere) is never followed.
int DiskChanges::planIds() {
    journalStep_.assign(plan_.steps.size(), -1);
    std::vector<int> sources;
    int count = 0;
    std::u16string target;
    for (size_t s = 0; s < plan_.steps.size(); ++s) {
        const PlanStep& step = plan_.steps[s];
        targets_.write(step.row, target);
        if (rows_.oldPathIs(step.row, target)) continue;
        journalStep_[s] = count++;
        if (step.kind != StepKind::FromTemp) sources.push_back(step.row);
    }
    if (count == 0) return 0;
    // The sources' entries spread out in place to their journal steps (a
    // step's place is never before its source's), then each cycle's last
    // step takes the entry its first step moved.
    ids_ = SourceIds(rows_, sources, count);
    std::vector<int>().swap(sources);
    size_t next = ids_.size();
    ids_.resize(count);
    for (size_t s = plan_.steps.size(); s-- > 0;)
        if (journalStep_[s] >= 0 && plan_.steps[s].kind != StepKind::FromTemp) ids_[journalStep_[s]] = ids_[--next];
    for (size_t s = 0; s < plan_.steps.size(); ++s) {
        if (journalStep_[s] < 0) continue;
        const PlanStep& step = plan_.steps[s];
        if (step.kind == StepKind::FromTemp) ids_[journalStep_[s]] = ids_[journalStep_[tempStepOf_[step.row]]];
        if (step.kind == StepKind::ToTemp) tempStepOf_[step.row] = s;
    }
    const std::u16string* last[2] = {nullptr, nullptr};
    for (int r = 0; r < rows_.count(); ++r) {
        const std::u16string* folders[2] = {&rows_.oldFolder(r), &rows_.newFolder(r)};
        for (int k = 0; k < 2; ++k) {
            if (last[k] && *last[k] == *folders[k]) continue;  // rows of one folder come together
            handles_.pin(*folders[k]);
            last[k] = folders[k];
        }
    }
    return count;
}

Result DiskChanges::openJournal(std::u16string& path) {
    path.clear();
    const int count = planIds();
    if (!options_.journal.any() || count == 0) return {};
    path = NewJournalPath(options_.journal);
    const bool copies = options_.applyType == ApplyType::Copies;
    if (Result created = journal_.create(path, copies ? JournalKind::Copy : JournalKind::Rename); !created)
        return created;
    std::u16string old, target;  // one buffer each for every step
    for (size_t s = 0; s < plan_.steps.size(); ++s) {
        const int js = journalStep_[s];
        if (js < 0) continue;
        const PlanStep& step = plan_.steps[s];
        const int r = step.row;
        if (step.kind != StepKind::FromTemp) rows_.writeOldPath(r, old);
        if (step.kind != StepKind::ToTemp) targets_.write(r, target);
        const std::u16string& from = step.kind == StepKind::FromTemp ? temps_[r] : old;
        const std::u16string& to = step.kind == StepKind::ToTemp ? temps_[r] : target;
        journal_.step(ids_[js], rows_.isFolder(r), from, to);
    }
    if (Result sealed = journal_.seal(); !sealed) {
        (void)journal_.end();
        (void)RemoveFile(path);  // it announced nothing that happened
        return sealed;
    }
    journaling_ = true;
    if (options_.journal.file.empty()) {
        // Removing a large old journal takes the file system a while. This
        // run's own is unfinished until it ends, and an unfinished journal is
        // never removed.
        pruning_ = TaskThread::startOrRun([folder = options_.journal.folder] { PruneJournals(folder); });
    }
    return {};
}

ApplyCounts DiskChanges::run() {
    ApplyCounts counts;
    counts.total = rows_.count();
    int shown = 0;
    bool inCycle = false, tempFailed = false;
    for (size_t s = 0; s < plan_.steps.size(); ++s) {
        // A cycle once begun is completed: its first entry waits under a
        // temporary name until the last step.
        if (!inCycle && stop_.load(std::memory_order_relaxed) == 1) break;
        if (!inCycle && journaling_ && !journal_.written()) {
            logFailure(LoadText(text::JournalNotWritten), TrimBlanks(journal_.written().text()));
            break;
        }
        const PlanStep step = plan_.steps[s];
        RowResult result = RowResult::Failed;
        if (step.kind == StepKind::ToTemp) {
            inCycle = true;
            tempStep_ = s;
            tempFailed = !toTemp(s, step.row);
            if (!tempFailed) continue;
        } else if (step.kind == StepKind::FromTemp) {
            inCycle = false;
            if (tempFailed) continue;  // counted when its first step failed
            result = fromTemp(s, step.row);
        } else {
            result = whole(s, step.row);
        }
        if (journaling_) journal_.tick();
        if (result == RowResult::Changed) ++counts.changed;
        if (result == RowResult::Skipped) ++counts.skipped;
        ++counts.processed;
        if (options_.reportProgress) {
            int p = static_cast<int>(static_cast<long long>(counts.processed) * 100 / counts.total);
            if (p != shown && p % 2 == 0) {
                shown = p;
                sink_.status(FormatText(LoadText(text::ProcessedPercent), {static_cast<long long>(p)}));
                sink_.progress(p);
            }
        }
    }
    if (journaling_ && !journal_.end())
        logFailure(LoadText(text::JournalNotWritten), TrimBlanks(journal_.written().text()));
    pruning_.join();
    return counts;
}

DiskChanges::RowResult DiskChanges::whole(size_t s, int row) {
    std::u16string target = targets_[row], old = rows_.oldPath(row);
    prepareFolder(s, row);
    if (target == old) {
        logFailure(NameOf(old, Extension::Keep, style_), LoadText(text::SkippedUnchanged));
        return RowResult::Skipped;
    }
    Result changed = change(s, old, target, row);
    if (!changed) {
        logRowFailure(row, changed);
        return RowResult::Failed;
    }
    return succeeded(row, std::move(old), std::move(target));
}

bool DiskChanges::toTemp(size_t s, int row) {
    std::u16string& temp = temps_[row];
    const std::u16string base = temp;
    const EntryId& id = ids_[journalStep_[s]];
    const std::u16string old = rows_.oldPath(row);
    Result moved = move(old, temp, row, id);
    for (int k = 2; moved.error == EEXIST && k < 100; ++k) {
        temp = base + u"-" + DecimalText(k);
        if (journaling_ && !journal_.temp(journalStep_[s], temp)) break;
        moved = move(old, temp, row, id);
    }
    record(s, row, temp, moved);
    if (!moved) logRowFailure(row, moved);
    return moved.ok();
}

DiskChanges::RowResult DiskChanges::fromTemp(size_t s, int row) {
    const std::u16string& temp = temps_[row];
    prepareFolder(s, row);
    std::u16string target = targets_[row], old = rows_.oldPath(row);
    Result changed = change(s, temp, target, row);
    if (changed) return succeeded(row, std::move(old), std::move(target));
    // The cycle did not close: back to the row's own name, which the failed
    // rows of the cycle left free.
    if (move(temp, old, row, ids_[journalStep_[s]])) {
        if (journaling_) journal_.failed(journalStep_[tempStep_], changed.error);
        logRowFailure(row, changed);
    } else {
        logFailure(NameOf(old, Extension::Keep, style_), FormatText(LoadText(text::LeftUnderTempName), {temp}));
    }
    return RowResult::Failed;
}

// A row's paths are not needed once it changed: they move into the report.
DiskChanges::RowResult DiskChanges::succeeded(int row, std::u16string old, std::u16string target) {
    RowChange change;
    change.row = row;
    const size_t sep = target.rfind(style_.separator);
    change.nameAt = sep == std::u16string::npos ? 0 : sep + 1;
    // A target is its New Folder joined with a name; a root folder keeps its separator.
    const std::u16string& folder = rows_.newFolder(row);
    const bool joined = (folder.size() == change.nameAt || folder.size() + 1 == change.nameAt) &&
                        std::u16string_view(target).substr(0, folder.size()) == folder;
    change.folderLength = joined ? folder.size() : (sep == std::u16string::npos || sep == 0 ? change.nameAt : sep);
    change.oldPath = std::move(old);
    change.target = std::move(target);
    change.extensionChanged = !rows_.isFolder(row) && !EqualsIgnoringAsciiCase(ExtensionOf(rows_.oldName(row), Dot::With),
                                                                               ExtensionOf(change.newName(), Dot::With));
    sink_.rowChanged(std::move(change));
    return RowResult::Changed;
}

// A folder that exists is looked up again for a later row; one this run
// tried to create is not tried again. A failed creation shows in the
// change that follows, which logs the reason.
void DiskChanges::prepareFolder(size_t s, int row) {
    const std::u16string& folder = rows_.newFolder(row);
    if (folder == rows_.oldFolder(row) || createdFolders_.count(folder)) return;
    if (GetPathAttributes(folder).exists) return;
    // Without its D line on disk a folder is not made: a revert could not remove it.
    if (journaling_ && !announced_.count(folder) && !announceFolders(s)) return;
    (void)CreateFolderChain(folder, style_, [this](const std::u16string& made) {
        // Only a folder removed since its announcement gets here.
        if (journaling_ && announced_.insert(made).second) (void)journal_.folder(made);
    });
    createdFolders_.insert(folder);
}

// Each D line is durable before its folder is made. The folders of the
// next steps go into the same batch, so a run into many new folders syncs
// once per batch instead of once per folder; one announced but never made
// (the run stopped first) is passed over by the revert.
Result DiskChanges::announceFolders(size_t from) {
    constexpr size_t kSteps = 4096, kFolders = 512;
    std::vector<std::u16string> lines;
    for (size_t s = from; s < plan_.steps.size() && s - from < kSteps && lines.size() < kFolders; ++s) {
        const PlanStep step = plan_.steps[s];
        if (step.kind == StepKind::ToTemp) continue;
        const std::u16string& folder = rows_.newFolder(step.row);
        if (folder == rows_.oldFolder(step.row) || createdFolders_.count(folder)) continue;
        const size_t chainStart = lines.size();
        for (std::u16string missing = folder; !announced_.count(missing) && !GetPathAttributes(missing).exists;) {
            std::u16string parent = ParentFolderOf(missing, style_);
            announced_.insert(missing);
            lines.push_back(std::move(missing));
            if (parent.empty() || parent == lines.back()) break;
            missing = std::move(parent);
        }
        std::reverse(lines.begin() + static_cast<std::ptrdiff_t>(chainStart), lines.end());
    }
    return journal_.folders(lines);
}

Result DiskChanges::move(const std::u16string& from, const std::u16string& to, int row, const EntryId& id,
                         const CopyControl& control) {
    Result moved = MoveEntry(from, to, handles_, control, id);
    if (moved && rows_.isFolder(row)) {
        handles_.forget();
        handles_.unpinUnder(from);
        handles_.unpinUnder(to);
    }
    return moved;
}

Result DiskChanges::change(size_t s, const std::u16string& from, const std::u16string& target, int row) {
    CopyControl control(&stop_);
    control.leftoverRemoved = [this](const std::u16string& path) {
        sink_.log(FormatText(LoadText(text::LeftoverRemoved), {path}));
    };
    const int js = journalStep_[s];
    movedDurably_ = false;
    if (journaling_ && options_.applyType != ApplyType::Copies) {
        // Across file systems the copy's identity is on the disk before the
        // source goes: a kill in between leaves nothing a revert cannot prove.
        control.copyMade = [this, js](const EntryId& id) {
            Result written = journal_.movedDurably(js, id);
            movedDurably_ = written.ok();
            return written;
        };
    }
    Result changed;
    if (rows_.newFolder(row).empty()) {
        changed = Result(ENOENT);  // never a stray path at the root
    } else if (options_.applyType != ApplyType::Copies) {
        changed = move(from, target, row, ids_[js], control);
    } else {
        sink_.flush();
        if (journaling_) (void)journal_.begin(js);
        changed = rows_.isFolder(row) ? CopyFolderTree(from, target, control) : CopyFileExclusive(from, target, control);
    }
    record(s, row, target, changed);
    return changed;
}

void DiskChanges::record(size_t s, int row, const std::u16string& target, const Result& result) {
    if (!journaling_) return;
    const int js = journalStep_[s];
    if (!result) {
        journal_.failed(js, result.error);
    } else if (options_.applyType == ApplyType::Copies) {
        journal_.copied(js, LookUpStamp(target));
    } else if (movedDurably_) {
        journal_.done(js);  // its new identity is written already
    } else if (rows_.newFolder(row) != rows_.oldFolder(row) && deviceOf(rows_.newFolder(row)) != ids_[js].dev) {
        journal_.moved(js, LookUpEntryId(target));  // copied across and the source removed: a new entry
    } else {
        journal_.done(js);
    }
}

uint64_t DiskChanges::deviceOf(const std::u16string& folder) {
    auto [it, added] = devices_.try_emplace(folder, 0);
    if (added) it->second = FolderDevice(folder);
    return it->second;
}

void DiskChanges::logFailure(const std::u16string& what, const std::u16string& reason) {
    sink_.log(FormatText(u"%s: %s (%s)", {LoadText(text::FailedToChange), what, reason}));
}

void DiskChanges::logRowFailure(int row, const Result& failed) {
    const std::u16string old = rows_.oldPath(row);
    Result result = failed;
    if (result.error == kFolderNotAsPlanned) result.reason = LoadText(text::FolderNotAsPlanned);
    if (result.error == kEntryNotAsPlanned) result.reason = LoadText(text::EntryNotAsPlanned);
    if (options_.applyType == ApplyType::Copies && rows_.isFolder(row))
        logFailure(old, result.error == ECANCELED ? LoadText(text::FolderCopyCancelled) : TrimBlanks(result.text()));
    else
        logFailure(NameOf(old, Extension::Keep, style_), TrimBlanks(result.text()));
}

}  // namespace quirnel
