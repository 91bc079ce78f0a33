#include "base/ActivityLog.h"

#include "platform/LocalTime.h"

namespace quirnel {

std::u16string LogLineAt(int64_t utcSeconds, const std::u16string& message) {
    // Appended piece by piece: GCC 12 warns wrongly about u"[" + a temporary.
    std::u16string line = u"[";
    line += TimeText(utcSeconds);
    line += u"] ";
    line += message;
    return line;
}

std::u16string LogLine(const std::u16string& message) { return LogLineAt(NowUtcSeconds(), message); }

void AppendLogText(std::u16string& paneText, const std::u16string& message) {
    if (!paneText.empty()) paneText += u"\r\n";
    paneText += LogLine(message);
}

}  // namespace quirnel
