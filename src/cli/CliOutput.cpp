#include "cli/CliOutput.h"

#include <cstdio>

#include "base/StringTable.h"
#include "platform/NativeText.h"

namespace quirnel::cli {

// Original bytes, with the characters that would break a tsv line escaped.
std::string TsvField(const std::u16string& text) {
    std::string bytes = ToNative(text), out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        switch (c) {
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\\': out += "\\\\"; break;
            default: out.push_back(c);
        }
    }
    return out;
}

// JSON must stay valid UTF-8: a byte kept from a name that is not UTF-8 is
// written as its escaped lone surrogate, which still identifies the byte.
std::string JsonString(const std::u16string& text) {
    std::string out = "\"";
    char buf[8];
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (pair) {
            out += ToUtf8(text.substr(i, 2));
            ++i;
        } else if (c == u'"' || c == u'\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else if (c < 0x20 || (c >= 0xD800 && c <= 0xDFFF)) {
            snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
            out += buf;
        } else {
            out += ToUtf8(std::u16string_view(&text[i], 1));
        }
    }
    return out + "\"";
}

std::string ListAsTsv(const NameList& list, bool allColumns) {
    std::string out;
    int columns = allColumns ? ColumnCount : 4;
    for (int r = 0; r < list.size(); ++r) {
        for (int c = 0; c < columns; ++c) {
            if (c) out.push_back('\t');
            out += TsvField(list.text(r, c));
        }
        out.push_back('\n');
    }
    return out;
}

std::string ListAsJson(const NameList& list) {
    std::string out = "[";
    for (int r = 0; r < list.size(); ++r) {
        out += r ? ",\n {" : "\n {";
        for (int c = 0; c < ColumnCount; ++c) {
            out += JsonString(LoadText(ColumnCaptionId(c), UiLanguage::English)) + ": " + JsonString(list.text(r, c)) + ", ";
        }
        out += std::string("\"IsFolder\": ") + (list.isFolder(r) ? "true" : "false") + "}";
    }
    out += list.size() ? "\n]\n" : "]\n";
    return out;
}

}  // namespace quirnel::cli
