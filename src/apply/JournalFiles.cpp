#include "apply/JournalFiles.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#include "apply/Journal.h"
#include "apply/JournalFormat.h"
#include "platform/AppendFile.h"
#include "platform/FileContent.h"
#include "platform/FileSystem.h"
#include "platform/NativeText.h"
#include "platform/PathStyle.h"
#include "platform/PathText.h"

namespace quirnel {
namespace {

constexpr std::u16string_view kSuffix = u".journal";

bool IsJournalName(const std::u16string& name) {
    return name.size() > kSuffix.size() && name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0;
}

// UTC time to the nanosecond, then a random tail: names sort by age.
std::u16string NewName() {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t secs = system_clock::to_time_t(now);
    long long nanos = duration_cast<nanoseconds>(now.time_since_epoch()).count() % 1000000000LL;
    std::tm utc{};
    gmtime_r(&secs, &utc);
    static std::mt19937 random{std::random_device{}()};
    char buf[80];
    std::snprintf(buf, sizeof buf, "%04d%02d%02dT%02d%02d%02d.%09lldZ-%08x.journal", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, nanos,
                  static_cast<unsigned>(random()));
    return FromUtf8(buf);
}

// The whole line that ends before end in tail; false when it may begin
// before the tail.
bool LineBefore(std::string_view tail, size_t& end, std::string_view& line) {
    if (end == std::string_view::npos || end == 0) return false;
    const size_t start = tail.rfind('\n', end - 1);
    if (start == std::string_view::npos) return false;
    line = tail.substr(start + 1, end - start - 1);
    end = start;
    return true;
}

// Whether the last whole line (before its batch's checksum line) is the end
// mark or a later decision: then the run is finished or settled, whatever
// the lines before it say. Most journals are told apart by it without
// being read whole.
bool EndsFinished(const std::u16string& path) {
    std::string tail;
    if (!ReadFileTail(path, 4096, tail)) return false;
    size_t end = tail.rfind('\n');  // a line cut short after it never counted
    std::string_view line;
    if (!LineBefore(tail, end, line)) return false;
    if (line.substr(0, 2) == "Z\t") {
        if (!LineBefore(tail, end, line)) return false;
    } else if (tail.find("\nZ\t") != std::string::npos || tail.rfind(journal::kMagicV2, 0) == 0) {
        return false;  // a batch cut short: whether the run ended is for the whole read to say
    }
    return line == "E" || line.substr(0, 2) == "X\t";
}

// A run that began to change the disk, ended before it was finished, and
// was neither reverted nor settled since.
bool IsUnsettled(const std::u16string& path) {
    if (EndsFinished(path)) return false;
    JournalRecord r;
    // Without its complete plan a run had not begun to change anything.
    return ReadJournal(path, r) && r.planComplete && !r.ended && !r.settled;
}

}  // namespace

std::u16string NewJournalPath(const JournalPlace& place) {
    if (!place.file.empty()) return place.file;
    if (place.folder.empty()) return {};
    return JoinPath(place.folder, NewName(), PathStyle::forHost());
}

std::vector<std::u16string> ListJournals(const std::u16string& folder) {
    std::vector<DirEntry> entries;
    (void)ReadFolderEntries(folder, entries);  // a missing folder holds none
    std::vector<std::u16string> names;
    // A FIFO or a device under a journal's name is none, and reading it could wait forever.
    for (DirEntry& e : entries)
        if (e.isRegular && IsJournalName(e.name)) names.push_back(std::move(e.name));
    std::sort(names.begin(), names.end());
    for (auto& n : names) n = JoinPath(folder, n, PathStyle::forHost());
    return names;
}

std::u16string NewestJournal(const std::u16string& folder) {
    std::vector<std::u16string> all = ListJournals(folder);
    return all.empty() ? std::u16string() : all.back();
}

std::vector<std::u16string> UnsettledJournals(const std::u16string& folder) {
    std::vector<std::u16string> out;
    for (const auto& path : ListJournals(folder))
        if (IsUnsettled(path) && !IsFileLocked(path)) out.push_back(path);  // a locked one's run goes on
    return out;
}

void PruneJournals(const std::u16string& folder, size_t keep) {
    std::vector<std::u16string> all = ListJournals(folder);
    if (all.size() <= keep) return;
    for (size_t i = 0; i + keep < all.size(); ++i)
        if (!IsUnsettled(all[i])) (void)RemoveFile(all[i]);  // one that stays is deleted by a later run
}

}  // namespace quirnel
