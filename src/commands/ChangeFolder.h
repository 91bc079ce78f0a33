#pragma once
#include <string>

namespace quirnel {

class NameList;
class Host;
struct MediaAccess;

// What a command tells a preset run: go on with the next task, or stop the
// run (its remaining tasks and its automatic apply).
enum class CommandOutcome { Continue, StopRun };

// Change Folder: sets every New Folder to a given folder (69) or to the Old
// Folder some levels up (120), or appends a subfolder built from the name part
// (pattern 170, regular expression and template 508, delimiters 172,
// positions 173/174), a date (175/176) or the extension (177). An empty
// folder for 69 is reported through the host and stops a preset run; an
// invalid expression and the names its match limit stopped are logged. The
// date taken (653) and a template of tags (654) are read through media.
[[nodiscard]] CommandOutcome ChangeFolder(NameList& list, int subCommand, const std::u16string& arg1, const std::u16string& arg2,
                            Host& host, const MediaAccess* media = nullptr);

}  // namespace quirnel
