#include <string>

#include "base/StringTable.h"
#include "cli/CliOptions.h"
#include "platform/NativeText.h"
#include "run/CommandCatalogue.h"

namespace quirnel::cli {
namespace {

void AppendEnglish(std::string& out, int32_t id) { AppendUtf8Text(out, LoadText(id, UiLanguage::English)); }

void AppendField(std::string& out, const char* name, int32_t label, bool digits) {
    if (label == 0) return;
    out += "; ";
    out += name;
    out += ": ";
    AppendEnglish(out, label);
    if (digits) out += " (digits)";
}

}  // namespace

// Written from the command catalogue, so that a new command or sub-command
// shows here without a word of this file changing.
std::string CommandListText() {
    std::string out = "\nCommands for --task (CMD, then its SUB values; ARG1 and ARG2 as named):\n";
    for (const CommandInfo& info : Commands()) {
        if (!info.inPresets) continue;
        out += "  " + std::to_string(info.id) + "  ";
        AppendEnglish(out, info.id);
        if (!info.hasInput()) out += " (SUB, ARG1 and ARG2 are not read)";
        out += '\n';
        for (const SubCommandSpec& s : info.items) {
            out += "      " + std::to_string(s.value) + "  ";
            AppendEnglish(out, s.value);
            AppendField(out, "ARG1", s.arg1Label, s.arg1Digits);
            AppendField(out, "ARG2", s.arg2Label, s.arg2Digits);
            out += '\n';
        }
    }
    return out;
}

}  // namespace quirnel::cli
