#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace quirnel::cli {

struct CliTask {
    std::string command, sub, arg1, arg2;
};

struct CliOptions {
    std::vector<std::string> paths;
    std::vector<std::string> pathsFrom;
    std::optional<std::string> config;
    std::vector<std::string> sets;  // KEY=VALUE configuration lines
    std::optional<std::string> presets;
    int preset = 0;  // 1..5, 0 = none
    std::vector<CliTask> tasks;
    enum class Folders { Files, Self } folders = Folders::Files;
    bool check = false;
    int applyType = -1;  // -1 none, 0 --apply, 1 --copy
    enum class Format { Tsv, Json } format = Format::Tsv;
    bool allColumns = false;
    std::optional<std::string> journal;        // where an apply or revert writes its journal
    bool revert = false;
    std::optional<std::string> revertJournal;  // none: the newest journal
    std::optional<std::string> saveConfig;
    std::optional<std::string> savePresets;
    bool help = false;
};

// Reads the arguments; on a usage error returns false with a one-line reason.
bool ParseOptions(const std::vector<std::string>& args, CliOptions& out, std::string& error);

const char* HelpText();
// The commands and sub-commands --task takes, in English.
std::string CommandListText();

}  // namespace quirnel::cli
