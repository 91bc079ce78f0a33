#include "apply/NameChecks.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "app/StringTable.h"
#include "namelist/PathHelpers.h"

namespace quirnel {
namespace {

constexpr int kNoValidName = 51;
constexpr int kDuplication = 52;
constexpr int kForbiddenChars = 100;
constexpr int kNumbered = 157;

// NUL cannot be typed but would cut the name short on disk.
bool HasForbidden(const std::u16string& name, const PathStyle& style) {
    for (char16_t c : name)
        if (c == 0 || style.IsForbidden(c)) return true;
    return false;
}

std::u16string NumberText(long long n) {
    std::u16string out;
    for (char c : std::to_string(n)) out.push_back(static_cast<char16_t>(c));
    return out;
}

class Numbering {
public:
    Numbering(const std::unordered_set<std::u16string_view>& assigned, const PathStyle& style)
        : assigned_(assigned), style_(style) {}

    // candidate(n) = prefix + n + suffix; the first free n from 2 on. The set
    // only grows, so numbers below the last one found for a name stay taken.
    std::u16string FreeCandidate(const std::u16string& folder, const std::u16string& name, bool isFolder) {
        std::u16string prefix, suffix = u")";
        if (isFolder) {
            prefix = JoinPath(folder, name, style_) + u" (";
        } else {
            prefix = JoinPath(folder, NameOf(name, false, style_), style_) + u" (";
            suffix += ExtensionOf(name, false, true);
        }
        std::u16string key = prefix + u'\0' + suffix;
        long long& next = hints_.try_emplace(key, 2).first->second;
        std::u16string candidate;
        for (;; ++next) {
            candidate = prefix + NumberText(next) + suffix;
            if (!assigned_.count(candidate)) break;
        }
        ++next;
        return candidate;
    }

private:
    const std::unordered_set<std::u16string_view>& assigned_;
    const PathStyle& style_;
    std::unordered_map<std::u16string, long long> hints_;
};

}  // namespace

CheckResult CheckNames(const ApplyRows& rows, bool autoNumber, std::vector<std::u16string>& TargetPaths, ApplySink& sink) {
    const PathStyle& style = rows.style();
    const int count = rows.count();
    TargetPaths.clear();
    TargetPaths.reserve(count);  // AssignedPaths views into it: no reallocation
    std::unordered_set<std::u16string_view> AssignedPaths;
    AssignedPaths.reserve(count);
    Numbering numbering(AssignedPaths, style);
    for (int j = 0; j < count; ++j) {
        const std::u16string& name = rows.newName(j);
        if (name.empty()) return {false, j, LoadText(kNoValidName)};
        if (HasForbidden(name, style)) return {false, j, LoadText(kForbiddenChars)};
        std::u16string target = JoinPath(rows.newFolder(j), name, style);
        if (AssignedPaths.count(target)) {
            if (!autoNumber)
                return {false, j, FormatText(u"%s\r\n\r\n%s\r\n(%s)", {LoadText(kDuplication), name, target})};
            target = numbering.FreeCandidate(rows.newFolder(j), name, rows.isFolder(j));
            std::u16string numbered = NameOf(target, true, style);
            sink.RowNumbered(j, numbered);
            sink.Log(FormatText(u"%s: %s", {LoadText(kNumbered), numbered}));
        }
        TargetPaths.push_back(std::move(target));
        AssignedPaths.insert(TargetPaths.back());
    }
    return {};
}

}  // namespace quirnel
