#include "cli/CliStatus.h"

#include "cli/CliOutput.h"

namespace quirnel::cli {
namespace {

std::string Detail(const RowStatus& s) {
    if (s.fate == RowFate::Numbered) return std::to_string(s.detail);
    if (s.fate == RowFate::Duplicate) return std::to_string(s.detail + 1);
    return {};
}

}  // namespace

std::string StatusesAsText(const NameList& list, const std::vector<RowStatus>& statuses,
                           const std::vector<std::u16string>& targets, CliOptions::Format format) {
    std::string out = format == CliOptions::Format::Json ? "[" : "";
    for (size_t r = 0; r < statuses.size(); ++r) {
        const int row = static_cast<int>(r);
        const std::string number = std::to_string(r + 1), fate = RowFateWord(statuses[r].fate);
        const std::string detail = Detail(statuses[r]);
        if (format == CliOptions::Format::Tsv) {
            out += number + "\t" + fate + "\t" + detail + "\t" + TsvField(OldFullPath(list, row)) + "\t" +
                   TsvField(targets[r]) + "\n";
            continue;
        }
        out += r ? ",\n {" : "\n {";
        out += "\"Row\": " + number + ", \"Status\": \"" + fate + "\", \"Detail\": " + (detail.empty() ? "null" : detail) +
               ", \"Path\": " + JsonString(OldFullPath(list, row)) + ", \"Target\": " + JsonString(targets[r]) + "}";
    }
    if (format == CliOptions::Format::Json) out += statuses.empty() ? "]\n" : "\n]\n";
    return out;
}

}  // namespace quirnel::cli
