#include "apply/Journal.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <string_view>

#include "apply/JournalChecksum.h"
#include "apply/JournalFormat.h"
#include "platform/FileContent.h"
#include "platform/NativeText.h"

namespace quirnel {
namespace {

constexpr size_t kBatchMarks = 4096;
constexpr auto kBatchAge = std::chrono::milliseconds(200);
constexpr size_t kPlanPiece = size_t(1) << 18;

// Length of the valid UTF-8 sequence at p, 0 when there is none.
size_t Utf8Length(const unsigned char* p, size_t left) {
    unsigned char c = p[0];
    size_t len = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c <= 0xDF ? 2 : 0;
    if (len == 0 || len > left) return 0;
    for (size_t k = 1; k < len; ++k)
        if ((p[k] & 0xC0) != 0x80) return 0;
    if (len == 3 && ((c == 0xE0 && p[1] < 0xA0) || (c == 0xED && p[1] >= 0xA0))) return 0;
    if (len == 4 && ((c == 0xF0 && p[1] < 0x90) || (c == 0xF4 && p[1] >= 0x90))) return 0;
    return len;
}

void AppendNumber(std::string& out, uint64_t v) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void AppendSigned(std::string& out, int64_t v) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

// The journal text of a path: most paths are plain ASCII and go straight
// into the line, without their bytes being made first.
void AppendJournalPath(std::string& out, std::u16string_view path) {
    const size_t at = out.size();
    out.resize(at + path.size());
    char* p = out.data() + at;
    for (char16_t c : path) {
        if (c < 0x20 || c >= 0x7F || c == u'\\') {
            out.resize(at);
            out += EscapeJournalText(ToNative(path));
            return;
        }
        *p++ = static_cast<char>(c);
    }
}

}  // namespace

std::string EscapeJournalText(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() + 8);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    static const char kHex[] = "0123456789ABCDEF";
    for (size_t i = 0; i < n;) {
        unsigned char c = p[i];
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out.push_back(static_cast<char>(c));
            ++i;
        } else if (c == '\\') {
            out += "\\\\";
            ++i;
        } else if (c == '\t') {
            out += "\\t";
            ++i;
        } else if (c == '\n') {
            out += "\\n";
            ++i;
        } else if (c == '\r') {
            out += "\\r";
            ++i;
        } else if (size_t len = c >= 0x80 ? Utf8Length(p + i, n - i) : 0) {
            out.append(bytes, i, len);
            i += len;
        } else {
            out += "\\x";
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
            ++i;
        }
    }
    return out;
}

bool UnescapeJournalText(std::string_view text, std::string& bytes) {
    bytes.clear();
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\\') {
            bytes.push_back(c);
            continue;
        }
        if (++i >= text.size()) return false;
        switch (text[i]) {
            case '\\': bytes.push_back('\\'); break;
            case 't': bytes.push_back('\t'); break;
            case 'n': bytes.push_back('\n'); break;
            case 'r': bytes.push_back('\r'); break;
            case 'x': {
                unsigned v = 0;
                if (i + 2 >= text.size()) return false;
                auto r = std::from_chars(text.data() + i + 1, text.data() + i + 3, v, 16);
                if (r.ptr != text.data() + i + 3) return false;
                bytes.push_back(static_cast<char>(v));
                i += 2;
                break;
            }
            default: return false;
        }
    }
    return true;
}

Result JournalWriter::create(const std::u16string& path, JournalKind kind, const std::u16string& reverts) {
    if (Result created = file_.create(path); !created) return created;
    // Held until the run ends: no other process decides or reverts it meanwhile.
    if (Result locked = file_.lock(); !locked) return locked;
    pending_ = std::string(journal::kMagicV2) + "\nkind\t" +
               (kind == JournalKind::Copy ? "copy" : kind == JournalKind::Remove ? "remove" : "rename") + "\n";
    if (!reverts.empty()) {
        pending_ += "R\t";
        AppendJournalPath(pending_, reverts);
        pending_.push_back('\n');
    }
    return {};
}

void JournalWriter::step(const EntryId& id, bool isFolder, const std::u16string& from, const std::u16string& to) {
    std::string& o = pending_;
    o += "S\t";
    AppendNumber(o, pendingMarks_++);
    o.push_back('\t');
    AppendNumber(o, id.dev);
    o.push_back('\t');
    AppendNumber(o, id.ino);
    o += isFolder ? "\tfolder\t" : "\tfile\t";
    AppendJournalPath(o, from);
    o.push_back('\t');
    AppendJournalPath(o, to);
    o.push_back('\n');
    // A long plan goes out in pieces (it counts only once sealed): the
    // buffer stays small and warm.
    if (o.size() >= kPlanPiece && error_ == 0) (void)write(false);
}

Result JournalWriter::seal() {
    if (error_ != 0) return Result(error_);  // a piece of the plan is missing
    pending_ += "P\n";
    pendingMarks_ = 0;
    return flush(Sync::Now);
}

void JournalWriter::addLine(const std::string& text) {
    pending_ += text;
    pending_.push_back('\n');
    ++pendingMarks_;
}

void JournalWriter::stamp() {
    pending_ += "W\t";
    AppendSigned(pending_, WallClockNs());
    pending_.push_back('\n');
}

// A durable batch says when it was written: every change it marks came before.
Result JournalWriter::flush(Sync sync) {
    lastSync_ = std::chrono::steady_clock::now();
    const bool ending = pending_.size() >= 2 && pending_.compare(pending_.size() - 2, 2, "E\n") == 0;
    if (sync != Sync::None && !ending) stamp();
    Result done = write(true);
    pendingMarks_ = 0;
    if (done && sync == Sync::Now) done = file_.sync();
    if (done && sync == Sync::Aside) syncAside();
    if (!done && error_ == 0) error_ = done.error;
    return done;
}

// Every byte of a batch goes into its checksum, which continues the one
// before: a batch left out or moved breaks every later one.
Result JournalWriter::write(bool closeBatch) {
    batchLines_ += static_cast<size_t>(std::count(pending_.begin(), pending_.end(), '\n'));
    chain_ = Crc32c(chain_, pending_);
    if (closeBatch) {
        journal::AppendChecksumLine(pending_, batchLines_, chain_);
        batchLines_ = 0;
    }
    Result written = file_.append(pending_);
    pending_.clear();
    if (!written && error_ == 0) error_ = written.error;
    return written;
}

// Durable before the folder is made: a revert then knows to remove it.
Result JournalWriter::folder(const std::u16string& folder) { return folders({folder}); }

Result JournalWriter::folders(const std::vector<std::u16string>& folders) {
    for (const std::u16string& folder : folders) addLine("D\t" + EscapeJournalText(ToNative(folder)));
    return flush(Sync::Now);
}

Result JournalWriter::temp(int step, const std::u16string& temp) {
    addLine("T\t" + std::to_string(step) + "\t" + EscapeJournalText(ToNative(temp)));
    return flush(Sync::Now);
}

Result JournalWriter::begin(int step) {
    addLine("B\t" + std::to_string(step));
    return flush(Sync::None);
}

void JournalWriter::done(int step) {
    pending_ += "K\t";
    AppendNumber(pending_, static_cast<uint64_t>(step));
    pending_.push_back('\n');
    ++pendingMarks_;
}

void JournalWriter::failed(int step, int error) { addLine("F\t" + std::to_string(step) + "\t" + std::to_string(error)); }

void JournalWriter::copied(int step, const EntryStamp& s) {
    std::string line = "C\t" + std::to_string(step) + "\t";
    AppendNumber(line, s.id.dev);
    line.push_back('\t');
    AppendNumber(line, s.id.ino);
    line.push_back('\t');
    AppendNumber(line, s.size);
    line.push_back('\t');
    AppendSigned(line, s.mtimeNs);
    addLine(line);
}

void JournalWriter::moved(int step, const EntryId& id) {
    std::string line = "M\t" + std::to_string(step) + "\t";
    AppendNumber(line, id.dev);
    line.push_back('\t');
    AppendNumber(line, id.ino);
    addLine(line);
}

Result JournalWriter::movedDurably(int step, const EntryId& id) {
    moved(step, id);
    joinSync();  // a sync on the side may still be going; this one must cover it
    if (error_ != 0) return Result(error_);
    return flush(Sync::Now);
}

JournalWriter::~JournalWriter() { joinSync(); }

void JournalWriter::tick() {
    // The clock is read only now and then: on some machines it is a system call.
    if (pendingMarks_ == 0 || (pendingMarks_ % 64 != 0 && pendingMarks_ < kBatchMarks)) return;
    if (pendingMarks_ >= kBatchMarks || std::chrono::steady_clock::now() - lastSync_ > kBatchAge)
        (void)flush(Sync::Aside);  // a failure is kept in error_ and reported at the end
}

// One sync at a time: the one before has long ended in practice.
void JournalWriter::syncAside() {
    joinSync();
    syncing_ = TaskThread::startOrRun([this] {
        if (Result synced = file_.sync(); !synced) asideError_.store(synced.error, std::memory_order_relaxed);
    });
}

void JournalWriter::joinSync() {
    syncing_.join();
    if (int e = asideError_.load(); e != 0 && error_ == 0) error_ = e;
}

Result JournalWriter::end() {
    joinSync();
    stamp();
    pending_ += "E\n";
    Result flushed = flush(Sync::Now);
    Result closed = file_.close();
    if (error_) return Result(error_);
    return flushed ? closed : flushed;
}

namespace {

// Where the checked part of a version-2 journal ends, and the checksum it
// ends with: its last whole checksum line. False when there is none, not
// even for the plan.
bool CheckedEnd(std::string_view bytes, size_t& end, uint32_t& crc) {
    for (size_t nl = bytes.rfind('\n'); nl != std::string_view::npos && nl > 0;) {
        const size_t before = bytes.rfind('\n', nl - 1);
        const size_t start = before == std::string_view::npos ? 0 : before + 1;
        size_t lines = 0;
        if (bytes.substr(start, 2) == "Z\t") {
            end = nl + 1;
            return journal::ParseChecksumLine(bytes.substr(start, nl - start), lines, crc);
        }
        nl = before;
    }
    return false;
}

}  // namespace

// A version-2 journal takes the decision as a batch of its own.
// A run still writing its journal holds it: a decision appended meanwhile
// would break the run's checksum chain.
Result MarkJournal(const std::u16string& path, const std::string& decision, const std::u16string& other) {
    AppendFile f;
    if (Result opened = f.openExisting(path); !opened) return opened;
    if (Result locked = f.lock(); !locked) return locked;
    std::string bytes;
    if (Result read = ReadRegularFileBytes(path, bytes, journal::kMaxJournalBytes); !read) return read;
    std::string line = "X\t";
    line += decision;
    if (!other.empty()) {
        line.push_back('\t');
        line += EscapeJournalText(ToNative(other));
    }
    line.push_back('\n');
    if (bytes.substr(0, journal::kMagicV2.size() + 1) == std::string(journal::kMagicV2) + "\n") {
        size_t end = 0;
        uint32_t crc = 0;
        if (!CheckedEnd(bytes, end, crc)) return f.close();  // never sealed: the run changed nothing
        // What a crash left of a batch never counted; the decision follows what did.
        if (end < bytes.size())
            if (Result cut = f.cutTo(end); !cut) return cut;
        journal::AppendChecksumLine(line, 1, Crc32c(crc, line));
    } else if (!bytes.empty() && bytes.back() != '\n') {
        // A line a crash cut short never counted; the decision must not join it.
        const size_t kept = bytes.rfind('\n');
        if (kept == std::string::npos) return f.close();  // cut in its header: the run changed nothing
        if (Result cut = f.cutTo(kept + 1); !cut) return cut;
    }
    if (Result appended = f.append(line); !appended) return appended;
    if (Result synced = f.sync(); !synced) return synced;
    return f.close();
}

}  // namespace quirnel
