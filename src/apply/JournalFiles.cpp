#include "apply/JournalFiles.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#include "apply/Journal.h"
#include "platform/AppendFile.h"
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

}  // namespace

std::u16string NewJournalPath(const JournalPlace& place) {
    if (!place.file.empty()) return place.file;
    if (place.folder.empty()) return {};
    return JoinPath(place.folder, NewName(), PathStyle::Host());
}

std::vector<std::u16string> ListJournals(const std::u16string& folder) {
    std::vector<DirEntry> entries;
    (void)ReadFolderEntries(folder, entries);  // a missing folder holds none
    std::vector<std::u16string> names;
    for (DirEntry& e : entries)
        if (!e.isFolder && IsJournalName(e.name)) names.push_back(std::move(e.name));
    std::sort(names.begin(), names.end());
    for (auto& n : names) n = JoinPath(folder, n, PathStyle::Host());
    return names;
}

std::u16string NewestJournal(const std::u16string& folder) {
    std::vector<std::u16string> all = ListJournals(folder);
    return all.empty() ? std::u16string() : all.back();
}

std::vector<std::u16string> UnsettledJournals(const std::u16string& folder) {
    std::vector<std::u16string> out;
    for (const auto& path : ListJournals(folder)) {
        JournalRecord r;
        std::string error;
        // Without its complete plan a run had not begun to change anything.
        if (ReadJournal(path, r, error) && r.planComplete && !r.ended && !r.settled) out.push_back(path);
    }
    return out;
}

void PruneJournals(const std::u16string& folder, size_t keep) {
    std::vector<std::u16string> all = ListJournals(folder);
    if (all.size() <= keep) return;
    for (size_t i = 0; i + keep < all.size(); ++i) {
        JournalRecord r;
        std::string error;
        bool readable = ReadJournal(all[i], r, error);
        if (readable && r.planComplete && !r.ended && !r.settled) continue;
        (void)RemoveFile(all[i]);  // one that stays is deleted by a later run
    }
}

}  // namespace quirnel
