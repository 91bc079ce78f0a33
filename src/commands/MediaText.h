#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "metadata/MediaCache.h"
#include "metadata/MediaFields.h"

namespace quirnel {

class Host;
class NameList;

// How the sub-commands on what files hold reach the files and the user.
struct MediaAccess {
    // The fields of every row, in list order (a folder row's are empty).
    std::function<std::vector<MediaFields>(const NameList&)> readRows;
    bool takenFallsBackToModified = false;  // TakenFallback
    Host* host = nullptr;
};

// Reads each row's file with ReadMediaFields, one after the other.
std::vector<MediaFields> ReadRowsInOrder(const NameList& list);
MediaAccess DefaultMediaAccess(Host* host, bool takenFallsBackToModified);
// Reads through a cache, on one thread a core, telling progress how far it is.
MediaAccess CachedMediaAccess(MediaCache& cache, Host* host, bool takenFallsBackToModified, MediaProgress progress = {});

// Shows a long reading's progress on the host's status line (a terminal's
// for the command line) and clears it when done; stops the reading once the
// host is asked to stop.
MediaProgress StatusLineProgress(Host& host);

// Whether a sub-command builds its text from what files hold.
bool IsMediaSubCommand(int subCommand);

// Per row, the text a media sub-command adds: the date taken in a format, or
// the template of fields; nothing for a row without the value, and nothing
// for every row when the template does not parse. One log line counts the
// rows without a value and one the files that could not be read; each file's
// row left without a text gets a note that says why.
std::vector<std::optional<std::u16string>> MediaTexts(NameList& list, int subCommand,
                                                      const std::u16string& arg1, const MediaAccess& access);

}  // namespace quirnel
