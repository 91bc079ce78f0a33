#pragma once
#include <optional>
#include <string>
#include <vector>

#include "metadata/MediaFields.h"

namespace quirnel {

// A text with fields of a file's tags: "{artist} - {title}", "{track:02}"
// (a number zero-padded to two digits), "{camera}". "{{" and "}}" are braces.
class FieldTemplate {
public:
    // Nothing for an unknown field, a width on a text field or an unclosed brace.
    static std::optional<FieldTemplate> Parse(const std::u16string& text);
    // The text, or nothing when a field it names is missing from the file.
    std::optional<std::u16string> expand(const MediaFields& fields) const;
    // The fields it names that the file lacks, as written: "{artist}, {title}".
    std::u16string missing(const MediaFields& fields) const;

private:
    static std::u16string valueOf(int field, int width, const MediaFields& fields);
    struct Piece {
        std::u16string literal;
        int field = -1;  // index into the field table, -1 for a literal
        int width = 0;
    };
    std::vector<Piece> pieces_;
};

}  // namespace quirnel
