#include "base/ActivityLog.h"

#include "platform/LocalTime.h"

namespace quirnel {

std::u16string LogLineAt(int64_t utcSeconds, const std::u16string& message) {
    std::tm cal{};
    std::u16string stamp;
    if (ToLocalCalendar(utcSeconds, cal)) stamp = FormatStamp(cal);
    return u"[" + stamp + u"] " + message;
}

std::u16string LogLine(const std::u16string& message) { return LogLineAt(NowUtcSeconds(), message); }

void AppendLogText(std::u16string& paneText, const std::u16string& message) {
    if (!paneText.empty()) paneText += u"\r\n";
    paneText += LogLine(message);
}

}  // namespace quirnel
