#include "apply/Journal.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <string_view>

#include "base/StringTable.h"
#include "base/TextIds.h"
#include "platform/FileContent.h"
#include "platform/NativeText.h"

namespace quirnel {
namespace {

constexpr std::string_view kMagic = "quirnel-journal\t1";
constexpr size_t kBatchMarks = 4096;
constexpr auto kBatchAge = std::chrono::milliseconds(200);
constexpr size_t kPlanPiece = size_t(1) << 20;

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

// A step number of a mark; the plan lines come first, so it must exist.
JournalStep* StepOf(JournalRecord& r, std::string_view text) {
    size_t n = 0;
    if (!Number(text, n) || n >= r.steps.size()) return nullptr;
    return &r.steps[n];
}

bool ReadLine(JournalRecord& r, std::string_view line) {
    const Fields f(line);
    const std::string_view tag = f[0];
    if (tag == "S" && f.size() == 7 && !r.planComplete) {
        JournalStep s;
        size_t n = 0;
        if (!Number(f[1], n) || n != r.steps.size() || !Number(f[2], s.id.dev) || !Number(f[3], s.id.ino)) return false;
        if (f[4] != "file" && f[4] != "folder") return false;
        s.isFolder = f[4] == "folder";
        if (!Path(f[5], s.from) || !Path(f[6], s.to)) return false;
        r.steps.push_back(std::move(s));
        return true;
    }
    if (tag == "P" && f.size() == 1) return r.planComplete = true;
    if (tag == "E" && f.size() == 1) return r.ended = true;
    if (tag == "X" && f.size() >= 2) {
        r.settled = true;
        if (f[1] != "reverted") return true;
        r.reverted = true;
        return f.size() < 3 || Path(f[2], r.revertedBy);
    }
    if (tag == "W" && f.size() == 2) {
        for (size_t n : r.unstamped) r.steps[n].stamped = true;
        r.unstamped.clear();
        return Number(f[1], r.writtenNs);
    }
    if (tag == "D" && f.size() == 2) {
        r.folders.emplace_back();
        return Path(f[1], r.folders.back());
    }
    if (f.size() < 2) return false;
    JournalStep* s = StepOf(r, f[1]);
    if (!s) return false;
    r.unstamped.push_back(static_cast<size_t>(s - r.steps.data()));
    if (tag == "K" && f.size() == 2) s->mark = JournalStep::Mark::Done;
    else if (tag == "B" && f.size() == 2) s->mark = JournalStep::Mark::Begun;
    else if (tag == "F" && f.size() == 3) s->mark = JournalStep::Mark::Failed;
    else if (tag == "M" && f.size() == 4) {
        s->mark = JournalStep::Mark::Done;
        return Number(f[2], s->movedId.dev) && Number(f[3], s->movedId.ino);
    } else if (tag == "C" && f.size() == 6) {
        s->mark = JournalStep::Mark::Done;
        return Number(f[2], s->copy.id.dev) && Number(f[3], s->copy.id.ino) && Number(f[4], s->copy.size) &&
               Number(f[5], s->copy.mtimeNs);
    } else if (tag == "T" && f.size() == 3) {
        // The step from the temporary name is the one that starts there.
        std::u16string temp;
        if (!Path(f[2], temp)) return false;
        for (JournalStep& other : r.steps)
            if (&other != s && other.from == s->to) other.from = temp;
        s->to = temp;
    } else {
        return false;
    }
    return true;
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

Result ReadJournal(const std::u16string& path, JournalRecord& record) {
    std::string bytes;
    // A run of millions of rows writes a journal of hundreds of MiB; a named
    // file larger than this is no journal of ours (or is endless).
    constexpr size_t kMaxJournalBytes = size_t(4) << 30;
    if (Result read = ReadFileBytes(path, bytes, kMaxJournalBytes); !read)
        return Result(read.error, LoadText(read.error == EFBIG ? text::JournalTooLarge : text::JournalNotReadable));
    record = JournalRecord();
    // Cut short while its header was written: the run changed nothing.
    const std::string header = std::string(kMagic) + "\nkind\t";
    if (bytes.size() < header.size() && header.compare(0, bytes.size(), bytes) == 0) return {};
    size_t planLines = 0;
    for (size_t at = bytes.find("\nS\t"); at != std::string::npos; at = bytes.find("\nS\t", at + 1)) ++planLines;
    record.steps.reserve(planLines);
    std::string_view rest(bytes);
    size_t lineNo = 0;
    while (!rest.empty()) {
        size_t nl = rest.find('\n');
        // A line without its line break was cut short by the end of the
        // process: it never counted.
        if (nl == std::string_view::npos) break;
        std::string_view line = rest.substr(0, nl);
        rest.remove_prefix(nl + 1);
        ++lineNo;
        bool ok;
        if (lineNo == 1) ok = line == kMagic;
        else if (lineNo == 2) {
            ok = line == "kind\trename" || line == "kind\tcopy" || line == "kind\tremove";
            record.kind = line == "kind\tcopy" ? JournalKind::Copy
                          : line == "kind\tremove" ? JournalKind::Remove : JournalKind::Rename;
        } else if (lineNo == 3 && line.substr(0, 2) == "R\t") {
            ok = Path(line.substr(2), record.reverts) && !record.reverts.empty();
        } else {
            ok = !line.empty() && ReadLine(record, line);
        }
        if (!ok) {
            return Result(EBADMSG, lineNo == 1 ? LoadText(text::NotAJournal)
                                               : FormatText(LoadText(text::JournalLineUnreadable),
                                                            {static_cast<long long>(lineNo)}));
        }
    }
    if (lineNo < 2) return Result(EBADMSG, LoadText(text::NotAJournal));
    return {};
}

Result JournalWriter::create(const std::u16string& path, JournalKind kind, const std::u16string& reverts) {
    if (Result created = file_.create(path); !created) return created;
    pending_ = std::string(kMagic) + "\nkind\t" +
               (kind == JournalKind::Copy ? "copy" : kind == JournalKind::Remove ? "remove" : "rename") + "\n";
    if (!reverts.empty()) pending_ += "R\t" + EscapeJournalText(ToNative(reverts)) + "\n";
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
    if (o.size() >= kPlanPiece && error_ == 0) (void)write();
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
    Result done = write();
    pendingMarks_ = 0;
    if (done && sync == Sync::Now) done = file_.sync();
    if (done && sync == Sync::Aside) syncAside();
    if (!done && error_ == 0) error_ = done.error;
    return done;
}

Result JournalWriter::write() {
    Result written = file_.append(pending_);
    pending_.clear();
    if (!written && error_ == 0) error_ = written.error;
    return written;
}

Result JournalWriter::folder(const std::u16string& folder) {
    addLine("D\t" + EscapeJournalText(ToNative(folder)));
    return flush(Sync::None);
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

Result MarkJournal(const std::u16string& path, const std::string& decision, const std::u16string& other) {
    AppendFile f;
    if (Result opened = f.openExisting(path); !opened) return opened;
    std::string line = "X\t";
    line += decision;
    if (!other.empty()) {
        line.push_back('\t');
        line += EscapeJournalText(ToNative(other));
    }
    line.push_back('\n');
    if (Result appended = f.append(line); !appended) return appended;
    if (Result synced = f.sync(); !synced) return synced;
    return f.close();
}

}  // namespace quirnel
