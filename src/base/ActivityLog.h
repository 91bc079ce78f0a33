#pragma once
#include <cstdint>
#include <string>

namespace quirnel {

// "[%Y-%m-%d %H:%M:%S] message" in local time; the line as the log pane shows it.
std::u16string LogLine(const std::u16string& message);
std::u16string LogLineAt(int64_t utcSeconds, const std::u16string& message);

// The log pane's text after one more line: lines are separated by CR LF and
// the first one starts the text without a break.
void AppendLogText(std::u16string& paneText, const std::u16string& message);

}  // namespace quirnel
