#include "cli/CliOutput.h"

#include <string>
#include <string_view>

#include "base/StringTable.h"
#include "platform/LocalTime.h"
#include "platform/NativeText.h"

namespace quirnel::cli {
namespace {

// Text gathered up to a page or so, then handed to the file.
class Output {
public:
    // Room for the longest usual row beyond the threshold, so the buffer never grows.
    explicit Output(FILE* file) : file_(file) { text.reserve(2 * kFlushAt); }
    ~Output() { flush(); }
    void rowDone() {
        if (text.size() >= kFlushAt) flush();
    }
    std::string text;

private:
    static constexpr size_t kFlushAt = 64 * 1024;
    void flush() {
        fwrite(text.data(), 1, text.size(), file_);
        text.clear();
    }
    FILE* file_;
};

// A cell's text: the name and folder cells as they are stored, the others
// written out (times through one calendar for the whole list).
class Cells {
public:
    explicit Cells(const NameList& list) : list_(list) {}
    std::u16string_view operator()(int r, int column) {
        switch (column) {
            case ColOldName: return list_.oldName(r);
            case ColNewName: return list_.newName(r);
            case ColOldFolder: return list_.oldFolder(r);
            case ColNewFolder: return list_.newFolder(r);
            case ColModified: return scratch_ = calendar_.text(list_.modified(r));
            case ColCreated: return scratch_ = calendar_.text(list_.created(r));
            default: return scratch_ = list_.text(r, column);
        }
    }

private:
    const NameList& list_;
    LocalCalendar calendar_;
    std::u16string scratch_;
};

// Appends text with runs of plain ASCII copied at once (most names are such
// runs); a unit that `special` picks goes to `escape`, a run of other units to
// `encode`.
template <typename Special, typename Escape, typename Encode>
void AppendText(std::string& out, std::u16string_view text, Special special, Escape escape, Encode encode) {
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
        const char16_t c = text[i];
        size_t end = i + 1;
        if (special(c)) {
            escape(out, c);
        } else if (c < 0x80) {
            while (end < n && text[end] < 0x80 && !special(text[end])) ++end;
            const size_t at = out.size();
            out.resize(at + (end - i));
            for (size_t k = i; k < end; ++k) out[at + (k - i)] = static_cast<char>(text[k]);
        } else {
            while (end < n && text[end] >= 0x80) ++end;
            encode(out, text.substr(i, end - i));
        }
        i = end;
    }
}

}  // namespace

void AppendTsvField(std::string& out, std::u16string_view text) {
    AppendText(
        out, text, [](char16_t c) { return c == u'\t' || c == u'\n' || c == u'\r' || c == u'\\'; },
        [](std::string& o, char16_t c) {
            o.push_back('\\');
            o.push_back(c == u'\t' ? 't' : c == u'\n' ? 'n' : c == u'\r' ? 'r' : '\\');
        },
        [](std::string& o, std::u16string_view run) { AppendNative(o, run); });
}

namespace {

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void AppendJsonEscape(std::string& out, char16_t c) {
    if (c == u'"' || c == u'\\') {
        out.push_back('\\');
        out.push_back(static_cast<char>(c));
        return;
    }
    char buf[8];
    snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
    out += buf;
}

}  // namespace

// JSON must stay valid UTF-8: a byte kept from a name that is not UTF-8 is
// written as its escaped lone surrogate, which still identifies the byte.
void AppendJsonString(std::string& out, std::u16string_view text) {
    out.push_back('"');
    AppendText(
        out, text, [](char16_t c) { return c < 0x20 || c == u'"' || c == u'\\'; }, AppendJsonEscape,
        [](std::string& o, std::u16string_view run) {
            size_t from = 0;
            for (size_t i = 0; i < run.size(); ++i) {
                if (IsHigh(run[i]) && i + 1 < run.size() && IsLow(run[i + 1])) {
                    ++i;  // a pair passes as it is
                } else if (IsHigh(run[i]) || IsLow(run[i])) {
                    AppendUtf8Text(o, run.substr(from, i - from));
                    AppendJsonEscape(o, run[i]);
                    from = i + 1;
                }
            }
            AppendUtf8Text(o, run.substr(from));
        });
    out.push_back('"');
}

void WriteListTsv(const NameList& list, bool allColumns, FILE* file) {
    Output out(file);
    Cells cells(list);
    const int columns = allColumns ? ColumnCount : 4;
    for (int r = 0; r < list.size(); ++r) {
        for (int c = 0; c < columns; ++c) {
            if (c) out.text.push_back('\t');
            AppendTsvField(out.text, cells(r, c));
        }
        out.text.push_back('\n');
        out.rowDone();
    }
}

void WriteListJson(const NameList& list, FILE* file) {
    std::string keys[ColumnCount];
    for (int c = 0; c < ColumnCount; ++c) {
        AppendJsonString(keys[c], LoadText(ColumnCaptionId(c), UiLanguage::English));
        keys[c] += ": ";
    }
    Output out(file);
    Cells cells(list);
    out.text += "[";
    for (int r = 0; r < list.size(); ++r) {
        out.text += r ? ",\n {" : "\n {";
        for (int c = 0; c < ColumnCount; ++c) {
            out.text += keys[c];
            AppendJsonString(out.text, cells(r, c));
            out.text += ", ";
        }
        out.text += list.isFolder(r) ? "\"IsFolder\": true}" : "\"IsFolder\": false}";
        out.rowDone();
    }
    out.text += list.size() ? "\n]\n" : "]\n";
}

}  // namespace quirnel::cli
