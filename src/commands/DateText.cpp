#include "commands/DateText.h"

#include <locale.h>

#include <cstdint>
#include <cstring>

#include "platform/LocalTime.h"

namespace quirnel {

const char16_t* const kInvalidDateTime = u"Invalid DateTime";

namespace {

constexpr size_t kMaxFormatted = 255;

struct Reader {
    std::u16string_view text;
    size_t i = 0;
    bool atEnd() const { return i >= text.size(); }
    void skipBlanks() {
        while (!atEnd() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    }
    // 1 to maxDigits decimal digits.
    bool number(int maxDigits, int& out) {
        int digits = 0;
        out = 0;
        while (!atEnd() && digits < maxDigits && text[i] >= u'0' && text[i] <= u'9') {
            out = out * 10 + (text[i++] - u'0');
            ++digits;
        }
        return digits > 0 && (atEnd() || text[i] < u'0' || text[i] > u'9');
    }
    bool take(char16_t c) {
        if (atEnd() || text[i] != c) return false;
        ++i;
        return true;
    }
};

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

void FillWeekdayAndYearDay(std::tm& t) {
    t.tm_wday = static_cast<int>(((DaysFromCivil(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday) % 7) + 11) % 7);
    t.tm_yday = static_cast<int>(DaysFromCivil(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday) -
                                 DaysFromCivil(t.tm_year + 1900, 1, 1));
}

// The zone of a local time from the platform where it knows it; the calendar
// fields stay those that were read. Asked only for %z and %Z, because the
// platform's conversion costs more than all the rest of the formatting.
void FillZone(std::tm& t) {
    std::tm probe = t;
    probe.tm_isdst = -1;
    if (mktime(&probe) != static_cast<time_t>(-1) && probe.tm_year == t.tm_year && probe.tm_mon == t.tm_mon &&
        probe.tm_mday == t.tm_mday && probe.tm_hour == t.tm_hour && probe.tm_min == t.tm_min) {
        t = probe;
    } else {
        t.tm_isdst = 0;
    }
}

locale_t CLocale() {
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return c;
}

bool KnownConversion(char16_t c) {
    return c < 0x80 && c != 0 && std::strchr("%ABCDFGHIMRSTUVWXYZabcdeghjmnpruwxyz", static_cast<char>(c));
}

bool NeedsZone(std::u16string_view format) {
    for (size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] != u'%') continue;
        if (format[i + 1] == u'z' || format[i + 1] == u'Z') return true;
        ++i;  // the pair is consumed either way
    }
    return false;
}

}  // namespace

std::optional<std::tm> ReadLocalTime(std::u16string_view text) {
    Reader r{text};
    r.skipBlanks();
    int y, mo, d, h = 0, mi = 0, s = 0;
    if (!r.number(4, y) || y < 100) return std::nullopt;
    char16_t sep = r.atEnd() ? 0 : r.text[r.i];
    if (sep != u'-' && sep != u'/' && sep != u'.') return std::nullopt;
    if (!r.take(sep) || !r.number(2, mo) || !r.take(sep) || !r.number(2, d)) return std::nullopt;
    if (mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo)) return std::nullopt;
    r.skipBlanks();
    if (!r.atEnd()) {
        if (!r.number(2, h) || !r.take(u':') || !r.number(2, mi)) return std::nullopt;
        if (r.take(u':') && !r.number(2, s)) return std::nullopt;
        if (h > 23 || mi > 59 || s > 59) return std::nullopt;
        r.skipBlanks();
        if (!r.atEnd()) return std::nullopt;
    }
    std::tm t{};
    t.tm_year = y - 1900;
    t.tm_mon = mo - 1;
    t.tm_mday = d;
    t.tm_hour = h;
    t.tm_min = mi;
    t.tm_sec = s;
    FillWeekdayAndYearDay(t);
    return t;
}

namespace {

void AppendDigits(std::u16string& out, int value, int width) {
    char16_t buf[4];
    for (int k = width - 1; k >= 0; --k, value /= 10) buf[k] = static_cast<char16_t>(u'0' + value % 10);
    out.append(buf, static_cast<size_t>(width));
}

// The numeric conversions that make most formats, written without the C
// library; what they give is what strftime gives in the "C" locale.
bool AppendPlainConversion(std::u16string& out, char16_t spec, const std::tm& t) {
    switch (spec) {
        case u'Y':
            if (t.tm_year + 1900 < 1000 || t.tm_year + 1900 > 9999) return false;
            AppendDigits(out, t.tm_year + 1900, 4);
            return true;
        case u'm': AppendDigits(out, t.tm_mon + 1, 2); return true;
        case u'd': AppendDigits(out, t.tm_mday, 2); return true;
        case u'H': AppendDigits(out, t.tm_hour, 2); return true;
        case u'M': AppendDigits(out, t.tm_min, 2); return true;
        case u'S': AppendDigits(out, t.tm_sec, 2); return true;
        default: return false;
    }
}

std::u16string FormatCalendar(std::tm t, std::u16string_view format) {
    if (NeedsZone(format)) FillZone(t);
    std::u16string out;
    // Literal characters are copied as they are (any UTF-16 text); each
    // conversion is formatted on its own, which gives ASCII in the C locale.
    for (size_t i = 0; i < format.size() && out.size() <= kMaxFormatted; ++i) {
        char16_t c = format[i];
        if (c != u'%') {
            out.push_back(c);
            continue;
        }
        if (i + 1 == format.size()) {
            out.push_back(u'%');
            break;
        }
        char16_t spec = format[++i];
        if (!KnownConversion(spec) || AppendPlainConversion(out, spec, t)) continue;
        char conv[3] = {'%', static_cast<char>(spec), 0};
        char buf[128];
        size_t len = strftime_l(buf, sizeof buf, conv, &t, CLocale());
        for (size_t j = 0; j < len; ++j) out.push_back(static_cast<unsigned char>(buf[j]));
    }
    if (out.size() > kMaxFormatted) {
        size_t keep = kMaxFormatted;
        if (out[keep - 1] >= 0xD800 && out[keep - 1] <= 0xDBFF) --keep;  // do not split a pair
        out.resize(keep);
    }
    return out;
}

}  // namespace

std::u16string FormatDateText(std::u16string_view timeText, std::u16string_view format) {
    std::optional<std::tm> t = ReadLocalTime(timeText);
    if (!t) return kInvalidDateTime;
    return FormatCalendar(*t, format);
}

std::u16string FormatStoredTime(int64_t utcSeconds, std::u16string_view format, LocalCalendar& calendar) {
    std::tm local;
    if (!calendar.convert(utcSeconds, local)) return kInvalidDateTime;
    // The time text has four year digits and no leap second; beyond them it
    // reads as no time at all.
    const int year = local.tm_year + 1900;
    if (year < 100 || year > 9999 || local.tm_sec > 59) return kInvalidDateTime;
    std::tm t{};
    t.tm_year = local.tm_year;
    t.tm_mon = local.tm_mon;
    t.tm_mday = local.tm_mday;
    t.tm_hour = local.tm_hour;
    t.tm_min = local.tm_min;
    t.tm_sec = local.tm_sec;
    FillWeekdayAndYearDay(t);
    return FormatCalendar(t, format);
}

}  // namespace quirnel
