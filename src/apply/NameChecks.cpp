#include "apply/NameChecks.h"

#include "apply/PathIndex.h"

#include <unordered_map>

#include "base/StringTable.h"
#include "base/TextHelpers.h"
#include "base/TextIds.h"
#include "platform/PathText.h"

namespace quirnel {
namespace {

// NUL cannot be typed but would cut the name short on disk.
bool HasForbidden(std::u16string_view name, const PathStyle& style) {
    for (char16_t c : name)
        if (c == 0 || style.isForbidden(c)) return true;
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
    bool refuses(std::u16string_view name, const std::u16string& folder) {
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

class Numbering {
public:
    Numbering(const PathIndex& assigned, const PathStyle& style)
        : assigned_(assigned), style_(style) {}

    // candidate(n) = prefix + n + suffix; the first free n from 2 on. The set
    // only grows, so numbers below the last one found for a name stay taken.
    std::u16string freeCandidate(const std::u16string& folder, std::u16string_view name, bool isFolder,
                                 long long& number) {
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
        number = next++;
        return candidate;
    }

private:
    const PathIndex& assigned_;
    const PathStyle& style_;
    std::unordered_map<std::u16string, long long> hints_;
};

}  // namespace

struct TargetAssigner::State {
    State(const PathIndex& assigned, const PathStyle& style) : numbering(assigned, style), surrogates(style) {}
    Numbering numbering;
    SurrogateCheck surrogates;
};

TargetAssigner::TargetAssigner(const ApplyRows& rows, bool autoNumber, TargetPaths& targets)
    : rows_(rows), autoNumber_(autoNumber), targets_(targets), assigned_(targets, static_cast<size_t>(rows.count())) {
    targets_.clear();
    state_ = std::make_unique<State>(assigned_, rows.style());
}

TargetAssigner::~TargetAssigner() = default;

// A row's plain target depends on that row alone, so it can be hashed before
// the rows above it are settled.
size_t TargetAssigner::plainHash(int row) {
    for (; hashed_ < rows_.count() && hashed_ <= row + kAhead; ++hashed_) {
        WriteJoinedPath(rows_.newFolder(hashed_), rows_.newName(hashed_), rows_.style(), aheadText_);
        const size_t hash = PathIndex::hashOf(aheadText_);
        assigned_.prefetch(hash);
        ahead_[hashed_ % (kAhead + 1)] = hash;
    }
    return ahead_[row % (kAhead + 1)];
}

TargetAssigner::Verdict TargetAssigner::next(int& duplicateOf, long long& number) {
    const PathStyle& style = rows_.style();
    const int j = static_cast<int>(targets_.size());
    std::u16string_view name = rows_.newName(j);
    Verdict verdict = Verdict::Ok;
    if (name.empty()) verdict = Verdict::EmptyName;
    else if (HasForbidden(name, style) || state_->surrogates.refuses(name, rows_.newFolder(j)))
        verdict = Verdict::Forbidden;
    WriteJoinedPath(rows_.newFolder(j), name, style, target_);
    size_t hash = plainHash(j);
    bool numbered = false;
    if (verdict == Verdict::Ok) {
        duplicateOf = assigned_.find(target_, hash);
        if (duplicateOf != PathIndex::kNone) {
            verdict = autoNumber_ ? Verdict::Numbered : Verdict::Duplicate;
            if (autoNumber_) {
                target_ = state_->numbering.freeCandidate(rows_.newFolder(j), name, rows_.isFolder(j), number);
                hash = PathIndex::hashOf(target_);
                numbered = true;
            }
        }
    }
    if (numbered) targets_.addNumbered(target_);
    else targets_.addPlain();
    // A refused row's target is never one that later rows collide with.
    if (verdict == Verdict::Ok || verdict == Verdict::Numbered) assigned_.addNext(hash);
    else assigned_.skipNext();
    return verdict;
}

CheckResult CheckNames(const ApplyRows& rows, bool autoNumber, TargetPaths& targetPaths, ApplySink& sink) {
    const PathStyle& style = rows.style();
    TargetAssigner assigner(rows, autoNumber, targetPaths);
    for (int j = 0; j < rows.count(); ++j) {
        int duplicateOf = -1;
        long long number = 0;
        switch (assigner.next(duplicateOf, number)) {
            case TargetAssigner::Verdict::Ok: break;
            case TargetAssigner::Verdict::EmptyName: return {false, j, LoadText(text::NoValidName)};
            case TargetAssigner::Verdict::Forbidden: return {false, j, LoadText(text::ForbiddenCharacters)};
            case TargetAssigner::Verdict::Duplicate:
                return {false, j, FormatText(u"%s\r\n\r\n%s\r\n(%s)", {LoadText(text::DuplicationDetected),
                                                                         std::u16string(rows.newName(j)), targetPaths[j]})};
            case TargetAssigner::Verdict::Numbered: {
                std::u16string numbered = NameOf(targetPaths[j], Extension::Keep, style);
                sink.rowNumbered(j, numbered);
                sink.log(FormatText(u"%s: %s", {LoadText(text::NumberedForDuplicate), numbered}));
                break;
            }
        }
    }
    return {};
}

}  // namespace quirnel
