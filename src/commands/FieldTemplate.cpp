#include "commands/FieldTemplate.h"

#include <algorithm>
#include <functional>

#include "base/TextHelpers.h"

namespace quirnel {
namespace {

using Text = std::u16string;
using TextField = const Text MediaFields::*;
using NumberField = const std::optional<uint32_t> MediaFields::*;

// The camera without its maker written twice ("Canon" "Canon EOS R6").
Text CameraOf(const MediaFields& f) {
    if (f.make.empty()) return f.model;
    if (f.model.empty()) return f.make;
    if (f.model.size() >= f.make.size() && EqualsIgnoringAsciiCase(f.model.substr(0, f.make.size()), f.make))
        return f.model;
    return f.make + u' ' + f.model;
}

struct Field {
    const char16_t* name;
    TextField text = nullptr;
    NumberField number = nullptr;
    Text (*derived)(const MediaFields&) = nullptr;
};

const Field kFields[] = {
    {u"artist", &MediaFields::artist},   {u"albumartist", &MediaFields::albumArtist},
    {u"album", &MediaFields::album},     {u"title", &MediaFields::title},
    {u"genre", &MediaFields::genre},     {u"make", &MediaFields::make},
    {u"model", &MediaFields::model},     {u"lens", &MediaFields::lens},
    {u"camera", nullptr, nullptr, CameraOf},
    {u"track", nullptr, &MediaFields::track},   {u"disc", nullptr, &MediaFields::disc},
    {u"year", nullptr, &MediaFields::year},     {u"width", nullptr, &MediaFields::width},
    {u"height", nullptr, &MediaFields::height}, {u"iso", nullptr, &MediaFields::iso},
    {u"duration", nullptr, &MediaFields::durationSeconds},
};

int FieldIndex(std::u16string_view name) {
    for (size_t i = 0; i < std::size(kFields); ++i)
        if (EqualsIgnoringAsciiCase(Text(name), Text(kFields[i].name))) return static_cast<int>(i);
    return -1;
}

}  // namespace

std::optional<FieldTemplate> FieldTemplate::Parse(const std::u16string& text) {
    FieldTemplate t;
    Text literal;
    auto flush = [&] {
        if (!literal.empty()) t.pieces_.push_back({std::move(literal)});
        literal.clear();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if ((c == u'{' || c == u'}') && i + 1 < text.size() && text[i + 1] == c) {
            literal.push_back(c);
            ++i;
            continue;
        }
        if (c == u'}') return std::nullopt;
        if (c != u'{') {
            literal.push_back(c);
            continue;
        }
        const size_t close = text.find(u'}', i);
        if (close == Text::npos) return std::nullopt;
        std::u16string_view spec(text.data() + i + 1, close - i - 1);
        const size_t colon = spec.find(u':');
        const int field = FieldIndex(spec.substr(0, colon));
        if (field < 0) return std::nullopt;
        int width = 0;
        if (colon != std::u16string_view::npos) {
            std::u16string_view digits = spec.substr(colon + 1);
            if (kFields[field].number == nullptr || digits.empty() || digits.size() > 2) return std::nullopt;
            for (char16_t d : digits) {
                if (d < u'0' || d > u'9') return std::nullopt;
                width = width * 10 + (d - u'0');
            }
        }
        flush();
        t.pieces_.push_back({{}, field, width});
        i = close;
    }
    flush();
    return t;
}

std::u16string FieldTemplate::valueOf(int field, int width, const MediaFields& fields) {
    const Field& f = kFields[field];
    if (f.text) return fields.*f.text;
    if (f.derived) return f.derived(fields);
    const auto& n = fields.*f.number;
    if (!n) return {};
    std::string digits = std::to_string(*n);
    if (digits.size() < static_cast<size_t>(width)) digits.insert(0, width - digits.size(), '0');
    return Text(digits.begin(), digits.end());
}

std::optional<std::u16string> FieldTemplate::expand(const MediaFields& fields) const {
    Text out;
    for (const Piece& p : pieces_) {
        if (p.field < 0) {
            out += p.literal;
            continue;
        }
        Text value = valueOf(p.field, p.width, fields);
        if (value.empty()) return std::nullopt;
        out += value;
    }
    return out;
}

std::u16string FieldTemplate::missing(const MediaFields& fields) const {
    Text out;
    std::vector<int> told;
    for (const Piece& p : pieces_) {
        if (p.field < 0 || std::find(told.begin(), told.end(), p.field) != told.end()) continue;
        if (!valueOf(p.field, p.width, fields).empty()) continue;
        told.push_back(p.field);
        out += (out.empty() ? u"{" : u", {") + Text(kFields[p.field].name) + u'}';
    }
    return out;
}

}  // namespace quirnel
