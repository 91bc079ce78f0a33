#pragma once
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "platform/LocalTime.h"

namespace quirnel {

// Reads a local date and time: "YYYY-MM-DD hh:mm:ss" (the list's time text),
// also with '/' or '.' between the date fields, without seconds, or a date
// alone. Surrounding blanks are allowed; anything else, an empty text or an
// impossible date is refused. The result has its weekday and day of the year;
// its zone fields are not filled.
std::optional<std::tm> ReadLocalTime(std::u16string_view text);

// Formats a time text with strftime conversions in the "C" locale, after
// filtering the format: a '%' with an unknown letter is dropped with it and a
// final lone '%' stands for itself. An unreadable time text gives
// "Invalid DateTime". The result is cut at 255 characters.
std::u16string FormatDateText(std::u16string_view timeText, std::u16string_view format);

// FormatDateText of TimeText(utcSeconds), without writing and reading the
// text: what date passes over a long list use.
std::u16string FormatStoredTime(int64_t utcSeconds, std::u16string_view format, LocalCalendar& calendar);

// What FormatDateText gives for an unreadable time; it becomes part of names,
// so it is the same in every UI language.
extern const char16_t* const kInvalidDateTime;

}  // namespace quirnel
