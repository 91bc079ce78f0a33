#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/AppendFile.h"
#include "platform/EntryIds.h"
#include "platform/Result.h"
#include "platform/TaskThread.h"

namespace quirnel {

// A journal is plain UTF-8 text, one record a line, fields separated by tabs:
//
//   quirnel-journal 2
//   kind  rename | copy | remove
//   R  journal                                 a revert: the journal it reverts
//   S  n  dev  ino  file|folder  from  to     the plan, one line per step, in the order of the run
//   P                                          the plan is complete (written before any change)
//   D  folder                                  a folder this run is about to create
//   T  n  temp                                 step n (to a temporary name) uses another free name
//   B  n                                       a copy begins
//   K  n                                       step n is done
//   F  n  errno                                step n failed; nothing of it is on disk
//   C  n  dev  ino  size  mtime-ns             step n is done: the copy it made
//   M  n  dev  ino                             step n is done across file systems: the entry's new identity
//   W  time-ns                                 the clock when the marks before it were written
//   E                                          the run ended
//   X  settled | reverted  [journal]           a later decision about an unfinished or finished run
//   Z  lines  crc                              closes a batch (version 2)
//
// Every write is a batch: the header and the plan up to P, then each group of
// marks, folders and temporary names, each later decision. A batch ends in
// its Z line: the number of lines since the Z before, and their CRC-32C (8 hex
// digits) continued from that Z's. A journal whose batches do not all check
// out is refused; what follows the last Z is what a crash left of the next
// batch and never counted. Version 1 (no R, no Z) is still read.
//
// Every path is absolute without ".", ".." or empty components; a temporary
// name lies in the folder its step leaves, a created folder is where a step
// goes or above it. A journal that names anything else is refused.
//
// Paths are the bytes of the file system; a tab, a line break, a backslash,
// another control character or a byte that is not UTF-8 is written as \t, \n,
// \r, \\ or \xHH. "remove" journals are reverts of copy runs: their steps
// removed the copy at "to" of the original at "from".
enum class JournalKind { Rename, Copy, Remove };

// How the temporary names of cycles begin.
constexpr std::u16string_view kCycleTempPrefix = u".quirnel-cycle-";

struct JournalStep {
    EntryId id;          // the entry that moves (or the original that was copied)
    bool isFolder = false;
    std::u16string from, to;
    enum class Mark : uint8_t { None, Begun, Done, Failed } mark = Mark::None;
    EntryId movedId;     // after a move across file systems
    bool stamped = false; // a W line follows its mark: the mark's time is known
    EntryStamp copy;     // the copy made
};

struct JournalRecord {
    int version = 1;
    JournalKind kind = JournalKind::Rename;
    std::u16string reverts;  // the journal a revert reverts; empty for a run
    std::vector<JournalStep> steps;
    std::vector<std::u16string> folders;  // created, in order
    bool planComplete = false;  // without it, nothing had been changed
    bool ended = false;
    bool settled = false;  // kept as it was, or reverted
    bool reverted = false;      // an "X reverted" decision
    std::u16string revertedBy;  // its journal, when the revert kept one
    int64_t writtenNs = 0; // the last W: every stamped step happened before it
    std::vector<size_t> unstamped;  // marks read since the last W (while reading)
};

// Reads a journal; a failure, with its reason in words, when it cannot be
// read, is not one (or no regular file), or is damaged. A journal whose plan
// was never sealed reads as one without steps: the run changed nothing.
[[nodiscard]] Result ReadJournal(const std::u16string& path, JournalRecord& record);

// Whether a journal may name path: absolute, without empty, "." or ".."
// components and without NUL.
bool IsPlainAbsolute(std::u16string_view path);

// Writes a journal as a run goes. Marks are collected and written in
// batches, each made durable; the plan, folders and temporary names are
// written before the change they announce.
class JournalWriter {
public:
    JournalWriter() = default;
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;
    ~JournalWriter();

    // Creates the file and writes the header; a revert names the journal it reverts.
    [[nodiscard]] Result create(const std::u16string& path, JournalKind kind, const std::u16string& reverts = {});
    void step(const EntryId& id, bool isFolder, const std::u16string& from, const std::u16string& to);
    // The plan is complete and durable: changes may begin.
    [[nodiscard]] Result seal();
    [[nodiscard]] Result folder(const std::u16string& folder);
    // Several folders in one durable batch, parents before their children.
    [[nodiscard]] Result folders(const std::vector<std::u16string>& folders);
    [[nodiscard]] Result temp(int step, const std::u16string& temp);
    [[nodiscard]] Result begin(int step);
    void done(int step);
    void failed(int step, int error);
    void copied(int step, const EntryStamp& stamp);
    void moved(int step, const EntryId& id);
    // The same mark written and synced with those waiting before it returns:
    // a move across file systems removes its source only after.
    [[nodiscard]] Result movedDurably(int step, const EntryId& id);
    // Writes and syncs the waiting marks when there are many or they are old.
    void tick();
    [[nodiscard]] Result end();
    // Whether everything after seal() was written and synced: success, or the
    // first write or sync that failed.
    Result written() const { return Result(error_ ? error_ : asideError_.load(std::memory_order_relaxed)); }

private:
    // What a flush waits for: nothing, the disk, or a sync on the side.
    enum class Sync { None, Now, Aside };
    void addLine(const std::string& text);
    Result flush(Sync sync);
    Result write(bool closeBatch);
    void stamp();
    void syncAside();
    void joinSync();

    AppendFile file_;
    std::string pending_;
    size_t pendingMarks_ = 0;
    size_t batchLines_ = 0;  // written since the last Z line
    uint32_t chain_ = 0;     // the checksum so far
    std::chrono::steady_clock::time_point lastSync_;
    int error_ = 0;
    // A batch of marks is made durable while the run goes on: nothing waits
    // for it, as nothing on disk depends on it (unlike the plan, a folder or
    // a temporary name, which are durable before their change).
    TaskThread syncing_;
    std::atomic<int> asideError_{0};
};

// Appends a decision ("X settled", "X reverted journal") to a finished or
// interrupted journal.
[[nodiscard]] Result MarkJournal(const std::u16string& path, const std::string& decision, const std::u16string& other = {});

// The escaping of path bytes, exposed for tests.
std::string EscapeJournalText(const std::string& bytes);
bool UnescapeJournalText(std::string_view text, std::string& bytes);

}  // namespace quirnel
