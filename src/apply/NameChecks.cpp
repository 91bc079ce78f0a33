#include "apply/NameChecks.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>

#include "base/StringTable.h"
#include "base/TextHelpers.h"
#include "base/TextIds.h"
#include "platform/PathText.h"

namespace quirnel {
namespace {

// NUL cannot be typed but would cut the name short on disk.
bool HasForbidden(const std::u16string& name, const PathStyle& style) {
    for (char16_t c : name)
        if (c == 0 || style.IsForbidden(c)) return true;
    return false;
}

// Half of a pair that a command cut off, which POSIX names would carry to the
// disk as bytes that are not UTF-8. U+DC80..U+DCFF are no such halves: they
// stand for the bytes of an original name that was not UTF-8.
bool HasLoneSurrogate(std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0xD800 || c > 0xDFFF || (c >= 0xDC80 && c <= 0xDCFF)) continue;
        if (c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            ++i;
            continue;
        }
        return true;
    }
    return false;
}

// Windows names are UTF-16 and take any code unit as it stands.
class SurrogateCheck {
public:
    explicit SurrogateCheck(const PathStyle& style) : active_(!style.windows) {}
    bool Refuses(const std::u16string& name, const std::u16string& folder) {
        if (!active_) return false;
        if (HasLoneSurrogate(name)) return true;
        if (&folder == lastFolder_) return false;  // rows share their folder texts
        lastFolder_ = &folder;
        return HasLoneSurrogate(folder);
    }

private:
    bool active_;
    const std::u16string* lastFolder_ = nullptr;
};

// The targets of earlier rows, as indices into the target paths, in
// an open-addressing table (a million rows would otherwise cost a million
// node allocations). It never holds more than one entry per row.
class TargetSet {
public:
    TargetSet(const std::vector<std::u16string>& paths, size_t rows) : paths_(paths) {
        size_t capacity = 16;
        while (capacity < rows * 2) capacity <<= 1;
        slots_.assign(capacity, kEmpty);
        mask_ = capacity - 1;
        hashes_.reserve(rows);
    }
    static size_t Hash(std::u16string_view text) { return std::hash<std::u16string_view>()(text); }
    bool contains(std::u16string_view text, size_t hash) const {
        for (size_t i = hash & mask_;; i = (i + 1) & mask_) {
            uint32_t k = slots_[i];
            if (k == kEmpty) return false;
            if (hashes_[k] == hash && paths_[k] == text) return true;
        }
    }
    bool contains(std::u16string_view text) const { return contains(text, Hash(text)); }
    // Adds the last entry of the paths.
    void addLast(size_t hash) {
        uint32_t k = static_cast<uint32_t>(hashes_.size());
        hashes_.push_back(hash);
        size_t i = hash & mask_;
        while (slots_[i] != kEmpty) i = (i + 1) & mask_;
        slots_[i] = k;
    }

private:
    static constexpr uint32_t kEmpty = 0xFFFFFFFFu;
    const std::vector<std::u16string>& paths_;
    std::vector<uint32_t> slots_;
    std::vector<size_t> hashes_;
    size_t mask_ = 0;
};

class Numbering {
public:
    Numbering(const TargetSet& assigned, const PathStyle& style)
        : assigned_(assigned), style_(style) {}

    // candidate(n) = prefix + n + suffix; the first free n from 2 on. The set
    // only grows, so numbers below the last one found for a name stay taken.
    std::u16string FreeCandidate(const std::u16string& folder, const std::u16string& name, bool isFolder) {
        std::u16string prefix, suffix = u")";
        if (isFolder) {
            prefix = JoinPath(folder, name, style_) + u" (";
        } else {
            prefix = JoinPath(folder, NameOf(name, Extension::Drop, style_), style_) + u" (";
            suffix += ExtensionOf(name, Dot::With);
        }
        std::u16string key = prefix + u'\0' + suffix;
        long long& next = hints_.try_emplace(key, 2).first->second;
        std::u16string candidate;
        for (;; ++next) {
            candidate = prefix + DecimalText(next) + suffix;
            if (!assigned_.contains(candidate)) break;
        }
        ++next;
        return candidate;
    }

private:
    const TargetSet& assigned_;
    const PathStyle& style_;
    std::unordered_map<std::u16string, long long> hints_;
};

}  // namespace

CheckResult CheckNames(const ApplyRows& rows, bool autoNumber, std::vector<std::u16string>& targetPaths,
                       ApplySink& sink) {
    const PathStyle& style = rows.style();
    const int count = rows.count();
    targetPaths.clear();
    targetPaths.reserve(count);
    TargetSet assignedPaths(targetPaths, static_cast<size_t>(count));
    Numbering numbering(assignedPaths, style);
    SurrogateCheck surrogates(style);
    for (int j = 0; j < count; ++j) {
        const std::u16string& name = rows.newName(j);
        if (name.empty()) return {false, j, LoadText(text::NoValidName)};
        if (HasForbidden(name, style) || surrogates.Refuses(name, rows.newFolder(j)))
            return {false, j, LoadText(text::ForbiddenCharacters)};
        std::u16string target = JoinPath(rows.newFolder(j), name, style);
        size_t hash = TargetSet::Hash(target);
        if (assignedPaths.contains(target, hash)) {
            if (!autoNumber)
                return {false, j, FormatText(u"%s\r\n\r\n%s\r\n(%s)", {LoadText(text::DuplicationDetected), name, target})};
            target = numbering.FreeCandidate(rows.newFolder(j), name, rows.isFolder(j));
            hash = TargetSet::Hash(target);
            std::u16string numbered = NameOf(target, Extension::Keep, style);
            sink.RowNumbered(j, numbered);
            sink.Log(FormatText(u"%s: %s", {LoadText(text::NumberedForDuplicate), numbered}));
        }
        targetPaths.push_back(std::move(target));
        assignedPaths.addLast(hash);
    }
    return {};
}

}  // namespace quirnel
