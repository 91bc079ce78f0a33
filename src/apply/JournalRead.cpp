// Reading a journal: both versions, the checksums of version 2, and the
// paths a run can have written.
#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <string_view>
#include <unordered_map>

#include "apply/Journal.h"
#include "apply/JournalChecksum.h"
#include "apply/JournalFormat.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "platform/FileContent.h"
#include "platform/NativeText.h"

namespace quirnel {
namespace {

using namespace journal;

// The fields of a line; only the first few are kept (no record has more),
// but all are counted.
struct Fields {
    explicit Fields(std::string_view line) {
        size_t start = 0;
        for (;;) {
            size_t tab = line.find('\t', start);
            if (count < kept.size())
                kept[count] = line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
            ++count;
            if (tab == std::string_view::npos) return;
            start = tab + 1;
        }
    }
    size_t size() const { return count; }
    std::string_view operator[](size_t i) const { return kept[i]; }
    std::array<std::string_view, 8> kept;
    size_t count = 0;
};

template <typename T>
bool Number(std::string_view text, T& value) {
    auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

bool Path(std::string_view text, std::u16string& path) {
    if (text.find('\\') == std::string_view::npos) {  // nothing escaped: the text is the bytes
        path = FromNative(text);
        return true;
    }
    std::string bytes;
    if (!UnescapeJournalText(text, bytes)) return false;
    path = FromNative(bytes);
    return true;
}

std::u16string_view FolderOf(std::u16string_view path) {
    size_t slash = path.rfind(u'/');
    return slash == std::u16string_view::npos ? std::u16string_view() : path.substr(0, slash);
}

enum class Line { Ok, Unreadable, Refused };

class Reader {
public:
    explicit Reader(JournalRecord& r) : r_(r) {}

    Result read(std::string_view bytes) {
        const size_t nl = bytes.find('\n');
        const std::string_view first = bytes.substr(0, nl);
        if (nl == std::string_view::npos || (first != kMagicV1 && first != kMagicV2))
            return Result(EBADMSG, LoadText(text::NotAJournal));
        r_.version = first == kMagicV2 ? 2 : 1;
        Result read = r_.version == 2 ? readV2(bytes) : readV1(bytes);
        return read ? finish() : read;
    }

private:
    // Today's rules: every whole line counts.
    Result readV1(std::string_view rest) {
        while (!rest.empty()) {
            size_t nl = rest.find('\n');
            // A line without its line break was cut short by the end of the
            // process: it never counted.
            if (nl == std::string_view::npos) break;
            if (Result done = one(rest.substr(0, nl)); !done) return done;
            rest.remove_prefix(nl + 1);
        }
        if (lineNo_ < 2) return Result(EBADMSG, LoadText(text::NotAJournal));
        if (!r_.planComplete && marksBeforePlan_ != 0) return planMissing(marksBeforePlan_);
        return {};
    }

    // Batch by batch, each checked before it counts. What follows the last
    // checksum line is what a crash left of the next batch: it never counted.
    Result readV2(std::string_view bytes) {
        uint32_t chain = 0;
        for (size_t start = 0;;) {
            const size_t z = FindChecksumLine(bytes, start);
            const size_t end = z == std::string_view::npos ? z : bytes.find('\n', z);
            if (end == std::string_view::npos) break;
            const std::string_view batch = bytes.substr(start, z - start);
            const size_t count = static_cast<size_t>(std::count(batch.begin(), batch.end(), '\n'));
            size_t lines = 0;
            uint32_t crc = 0;
            if (!ParseChecksumLine(bytes.substr(z, end - z), lines, crc) || lines != count || Crc32c(chain, batch) != crc)
                return damaged(lineNo_ + count + 1);
            chain = crc;
            const bool plan = start == 0;
            for (std::string_view rest = batch; !rest.empty();) {
                size_t nl = rest.find('\n');
                if (Result done = one(rest.substr(0, nl)); !done) return done;
                rest.remove_prefix(nl + 1);
            }
            ++lineNo_;  // the checksum line
            if (plan && (!r_.planComplete || !planLast_)) return planMissing(lineNo_);
            start = end + 1;
        }
        return {};
    }

    Result one(std::string_view text) {
        ++lineNo_;
        Line result;
        if (lineNo_ == 1) {
            result = Line::Ok;  // the magic, read already
        } else if (lineNo_ == 2) {
            result = text == "kind\trename" || text == "kind\tcopy" || text == "kind\tremove" ? Line::Ok : Line::Unreadable;
            r_.kind = text == "kind\tcopy" ? JournalKind::Copy : text == "kind\tremove" ? JournalKind::Remove : JournalKind::Rename;
        } else if (lineNo_ == 3 && text.substr(0, 2) == "R\t") {
            result = Path(text.substr(2), r_.reverts) ? (IsPlainAbsolute(r_.reverts) ? Line::Ok : Line::Refused)
                                                      : Line::Unreadable;
        } else {
            result = text.empty() ? Line::Unreadable : line(text);
        }
        if (result == Line::Ok) return {};
        if (result == Line::Refused) return Result(EBADMSG, FormatText(LoadText(text::JournalPathRefused), {at()}));
        return Result(EBADMSG, FormatText(LoadText(text::JournalLineUnreadable), {at()}));
    }

    long long at() const { return static_cast<long long>(lineNo_); }

    Line line(std::string_view text) {
        const Fields f(text);
        const std::string_view tag = f[0];
        if (tag != "W") planLast_ = false;  // the plan's batch says when it was sealed
        if (!r_.planComplete && tag != "S" && tag != "P") {
            // The plan comes first, whole: in version 2 nothing else may
            // share its batch; in version 1 a change is refused unless the
            // plan is sealed later.
            if (r_.version == 2) return Line::Unreadable;
            if (marksBeforePlan_ == 0 && tag != "W" && tag != "E" && tag != "X") marksBeforePlan_ = lineNo_;
        }
        if (tag == "S" && f.size() == 7 && !r_.planComplete) return step(f);
        if (tag == "P" && f.size() == 1) {
            if (r_.version == 2 && r_.planComplete) return Line::Unreadable;
            planLast_ = true;
            r_.planComplete = true;
            return Line::Ok;
        }
        if (tag == "E" && f.size() == 1) return (r_.ended = true), Line::Ok;
        if (tag == "X" && f.size() >= 2) {
            r_.settled = true;
            if (f[1] != "reverted") return Line::Ok;
            r_.reverted = true;
            return f.size() < 3 || Path(f[2], r_.revertedBy) ? Line::Ok : Line::Unreadable;
        }
        if (tag == "W" && f.size() == 2) {
            for (size_t n : r_.unstamped) r_.steps[n].stamped = true;
            r_.unstamped.clear();
            return Number(f[1], r_.writtenNs) ? Line::Ok : Line::Unreadable;
        }
        if (tag == "D" && f.size() == 2) {
            r_.folders.emplace_back();
            folderLines_.push_back(lineNo_);
            if (!Path(f[1], r_.folders.back())) return Line::Unreadable;
            return IsPlainAbsolute(r_.folders.back()) ? Line::Ok : Line::Refused;
        }
        if (f.size() < 2) return Line::Unreadable;
        size_t n = 0;
        if (!Number(f[1], n) || n >= r_.steps.size()) return Line::Unreadable;  // the plan lines come first
        JournalStep& s = r_.steps[n];
        r_.unstamped.push_back(n);
        if (tag == "K" && f.size() == 2) s.mark = JournalStep::Mark::Done;
        else if (tag == "B" && f.size() == 2) s.mark = JournalStep::Mark::Begun;
        else if (tag == "F" && f.size() == 3) s.mark = JournalStep::Mark::Failed;
        else if (tag == "M" && f.size() == 4) {
            s.mark = JournalStep::Mark::Done;
            return Number(f[2], s.movedId.dev) && Number(f[3], s.movedId.ino) ? Line::Ok : Line::Unreadable;
        } else if (tag == "C" && f.size() == 6) {
            s.mark = JournalStep::Mark::Done;
            return Number(f[2], s.copy.id.dev) && Number(f[3], s.copy.id.ino) && Number(f[4], s.copy.size) &&
                           Number(f[5], s.copy.mtimeNs)
                       ? Line::Ok
                       : Line::Unreadable;
        } else if (tag == "T" && f.size() == 3) {
            return temp(n, f[2]);
        } else {
            return Line::Unreadable;
        }
        return Line::Ok;
    }

    Line step(const Fields& f) {
        JournalStep s;
        size_t n = 0;
        if (!Number(f[1], n) || n != r_.steps.size() || !Number(f[2], s.id.dev) || !Number(f[3], s.id.ino))
            return Line::Unreadable;
        if (f[4] != "file" && f[4] != "folder") return Line::Unreadable;
        s.isFolder = f[4] == "folder";
        if (!Path(f[5], s.from) || !Path(f[6], s.to)) return Line::Unreadable;
        if (!IsPlainAbsolute(s.from) || !IsPlainAbsolute(s.to)) return Line::Refused;
        if (indexed_) startingAt_[s.from].push_back(n);
        r_.steps.push_back(std::move(s));
        return Line::Ok;
    }

    // Step n goes to another temporary name, in the folder it leaves; the
    // step from the temporary name is the one that starts there. The steps
    // are found by where they start, indexed once, so that many temporary
    // names cost no more than the plan.
    Line temp(size_t n, std::string_view text) {
        std::u16string temp;
        if (!Path(text, temp)) return Line::Unreadable;
        JournalStep& s = r_.steps[n];
        if (!IsPlainAbsolute(temp) || FolderOf(temp) != FolderOf(s.from)) return Line::Refused;
        if (!indexed_) {
            indexed_ = true;
            for (size_t k = 0; k < r_.steps.size(); ++k) startingAt_[r_.steps[k].from].push_back(k);
        }
        if (auto it = startingAt_.find(s.to); it != startingAt_.end()) {
            std::vector<size_t> moved;
            std::erase_if(it->second, [&](size_t k) {
                if (k == n) return false;
                moved.push_back(k);
                return true;
            });
            if (it->second.empty()) startingAt_.erase(it);
            for (size_t k : moved) r_.steps[k].from = temp;
            if (!moved.empty()) {
                auto& at = startingAt_[temp];
                at.insert(at.end(), moved.begin(), moved.end());
            }
        }
        s.to = std::move(temp);
        return Line::Ok;
    }

    // A created folder is where a step goes, or above it. Without its
    // complete plan a run had not begun: nothing of it is to be undone.
    Result finish() {
        if (!r_.planComplete) {
            r_.steps.clear();
            r_.folders.clear();
            return {};
        }
        if (r_.folders.empty()) return {};
        std::vector<std::u16string_view> targets;
        targets.reserve(r_.steps.size());
        for (const JournalStep& s : r_.steps) targets.push_back(FolderOf(s.to));
        std::sort(targets.begin(), targets.end());
        targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
        for (size_t i = 0; i < r_.folders.size(); ++i) {
            const std::u16string& f = r_.folders[i];
            const std::u16string below = f + u'/';
            auto at = std::lower_bound(targets.begin(), targets.end(), std::u16string_view(below));
            const bool above = at != targets.end() && at->substr(0, below.size()) == below;
            if (!above && !std::binary_search(targets.begin(), targets.end(), std::u16string_view(f)))
                return Result(EBADMSG, FormatText(LoadText(text::JournalPathRefused),
                                                  {static_cast<long long>(folderLines_[i])}));
        }
        return {};
    }

    Result damaged(size_t at) const {
        return Result(EBADMSG, FormatText(LoadText(text::JournalDamaged), {static_cast<long long>(at)}));
    }
    Result planMissing(size_t at) const {
        return Result(EBADMSG, FormatText(LoadText(text::JournalPlanMissing), {static_cast<long long>(at)}));
    }

    JournalRecord& r_;
    size_t lineNo_ = 0;
    size_t marksBeforePlan_ = 0;  // the first line before the plan's end that is not a step
    bool planLast_ = false;       // the last line read ended the plan
    std::vector<size_t> folderLines_;
    bool indexed_ = false;
    std::unordered_map<std::u16string, std::vector<size_t>> startingAt_;  // steps by where they start
};

// Cut short while its header was written: the run changed nothing.
bool HeaderCutShort(std::string_view bytes) {
    for (std::string_view magic : {kMagicV1, kMagicV2}) {
        const std::string header = std::string(magic) + "\nkind\t";
        if (bytes.size() < header.size() && header.compare(0, bytes.size(), bytes) == 0) return true;
    }
    return false;
}

}  // namespace

bool IsPlainAbsolute(std::u16string_view path) {
    if (path.size() < 2 || path[0] != u'/' || path.find(u'\0') != std::u16string_view::npos) return false;
    for (size_t start = 1;;) {
        const size_t slash = path.find(u'/', start);
        const std::u16string_view part = path.substr(start, slash == std::u16string_view::npos ? slash : slash - start);
        if (part.empty() || part == u"." || part == u"..") return false;
        if (slash == std::u16string_view::npos) return true;
        start = slash + 1;
    }
}

Result ReadJournal(const std::u16string& path, JournalRecord& record) {
    std::string bytes;
    record = JournalRecord();
    if (Result read = ReadRegularFileBytes(path, bytes, kMaxJournalBytes); !read) {
        const auto why = read.error == EFBIG ? text::JournalTooLarge
                         : read.error == EINVAL ? text::JournalNotRegular : text::JournalNotReadable;
        return Result(read.error, LoadText(why));
    }
    if (HeaderCutShort(bytes)) return {};
    size_t planLines = 0;
    for (size_t at = bytes.find("\nS\t"); at != std::string::npos; at = bytes.find("\nS\t", at + 1)) ++planLines;
    record.steps.reserve(planLines);
    Result read = Reader(record).read(bytes);
    if (!read) record = JournalRecord();
    return read;
}

}  // namespace quirnel
