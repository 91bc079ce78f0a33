#include "app/Configuration.h"

#include <cstdint>
#include <limits>
#include <span>
#include <string_view>
#include <vector>

#include "base/TextFile.h"
#include "base/TextHelpers.h"
#include "platform/FileSystem.h"

namespace quirnel {
namespace {

struct IntKey {
    const char* name;
    int32_t AppSettings::*field;
    bool flag;  // any non-zero value reads as 1
};

// Written in these groups, in this order.
constexpr IntKey kListKeys[] = {
    {"ShowCFGLoad", &AppSettings::ShowCFGLoad, true}, {"AutoSort", &AppSettings::AutoSort, true},
    {"LoadType", &AppSettings::LoadType, false},      {"ShowColumnFlag", &AppSettings::ShowColumnFlag, false},
    {"SortColumn", &AppSettings::SortColumn, false},  {"SortAscend", &AppSettings::SortAscend, false},
};
constexpr IntKey kColorKeys[] = {
    {"UseDefaultColor", &AppSettings::UseDefaultColor, true}, {"ColorBk", &AppSettings::ColorBk, false},
    {"ColorText", &AppSettings::ColorText, false},            {"UseDefaultFont", &AppSettings::UseDefaultFont, true},
};
constexpr IntKey kFontKeys[] = {
    {"FontSize", &AppSettings::FontSize, false}, {"FontWeight", &AppSettings::FontWeight, false},
};
constexpr IntKey kOtherKeys[] = {
    {"IconType", &AppSettings::IconType, false},     {"NameAutoFix", &AppSettings::NameAutoFix, true},
    {"UseThread", &AppSettings::UseThread, true},     {"IncludeExt", &AppSettings::IncludeExt, true},
    {"AutoNumber", &AppSettings::AutoNumber, true},   {"ShowDoneDialog", &AppSettings::ShowDoneDialog, true},
    {"ShowLog", &AppSettings::ShowLog, true},         {"LogHeight", &AppSettings::LogHeight, false},
    {"SortLikeWindows", &AppSettings::SortLikeWindows, true},
    {"ClearAfterApply", &AppSettings::ClearAfterApply, true},
    {"TakenFallback", &AppSettings::TakenFallback, true},
};
// Keys newer than the file's layout, written after everything else so an
// older reader of the file meets them last.
constexpr IntKey kLaterKeys[] = {
    {"TakenColWidth", &AppSettings::TakenColWidth, false},
};

// Keys compare without regard to ASCII letter case.
bool KeyIs(const std::u16string& key, std::string_view name) { return EqualsIgnoringAsciiCase(key, name); }

const IntKey* FindIntKey(const std::u16string& key) {
    for (std::span<const IntKey> group : {std::span<const IntKey>(kListKeys), std::span<const IntKey>(kColorKeys),
                                          std::span<const IntKey>(kFontKeys), std::span<const IntKey>(kOtherKeys),
                                          std::span<const IntKey>(kLaterKeys)})
        for (const IntKey& k : group)
            if (KeyIs(key, k.name)) return &k;
    return nullptr;
}

std::vector<std::u16string_view> SplitAtCommas(std::u16string_view value) {
    std::vector<std::u16string_view> pieces;
    size_t start = 0;
    for (;;) {
        size_t comma = value.find(u',', start);
        pieces.push_back(value.substr(start, comma == std::u16string_view::npos ? std::u16string_view::npos : comma - start));
        if (comma == std::u16string_view::npos) return pieces;
        start = comma + 1;
    }
}

Rect ReadRect(std::u16string_view value) {
    Rect rect;
    int32_t* sides[] = {&rect.left, &rect.top, &rect.right, &rect.bottom};
    std::vector<std::u16string_view> pieces = SplitAtCommas(value);
    for (size_t i = 0; i < pieces.size() && i < 4; ++i) *sides[i] = ReadInt(pieces[i]);
    return rect;
}

// "<text>" -> "text": the brackets keep blanks at the ends of an argument.
std::u16string ReadArgument(const std::u16string& value) {
    if (value.size() >= 2 && value.front() == u'<') return value.substr(1, value.size() - 2);
    return value;
}

// Reads the lines of one text, keeping the preset and task counters.
class Reader {
public:
    explicit Reader(ConfigurationData data) : d_(data) {}

    void readLine(const std::u16string& line) {
        std::u16string key, value;
        SplitKeyValue(line, key, value);
        if (key.empty()) return;
        if (preset(key, value)) return;
        if (value.empty()) return;
        if (setting(key, value)) return;
        special(key, value);
    }

    int presetNames() const { return names_; }

private:
    QuirnelPreset* currentPreset() { return slot_ >= 0 && slot_ < kPresetCount ? &d_.presets[slot_] : nullptr; }
    PresetTask* currentTask() {
        QuirnelPreset* preset = currentPreset();
        return preset && taskAdded_ && !preset->Tasks.empty() ? &preset->Tasks.back() : nullptr;
    }

    // The preset keys; three of them also take an empty value.
    bool preset(const std::u16string& key, const std::u16string& value) {
        if (KeyIs(key, "Preset_Name")) {
            ++names_;
            if (slot_ < kPresetCount) ++slot_;  // capped: later presets are ignored anyway
            taskAdded_ = false;
            if (QuirnelPreset* p = currentPreset()) p->Name = value;
            return true;
        }
        if (KeyIs(key, "PresetTask_Arg1") || KeyIs(key, "PresetTask_Arg2")) {
            if (PresetTask* t = currentTask()) (KeyIs(key, "PresetTask_Arg1") ? t->Arg1 : t->Arg2) = ReadArgument(value);
            return true;
        }
        if (value.empty()) return false;
        static constexpr std::pair<const char*, int32_t QuirnelPreset::*> kFields[] = {
            {"Preset_AutoApply", &QuirnelPreset::AutoApply}, {"Preset_ApplyType", &QuirnelPreset::ApplyType},
            {"Preset_AutoSort", &QuirnelPreset::AutoSort},   {"Preset_SortColumn", &QuirnelPreset::SortColumn},
            {"Preset_SortAscend", &QuirnelPreset::SortAscend},
        };
        for (const auto& [name, field] : kFields) {
            if (!KeyIs(key, name)) continue;
            if (QuirnelPreset* p = currentPreset()) p->*field = ReadInt(value);
            return true;
        }
        if (KeyIs(key, "PresetTask_Command")) {
            if (QuirnelPreset* p = currentPreset()) {
                p->Tasks.emplace_back().Command = ReadInt(value);
                taskAdded_ = true;
            }
            return true;
        }
        if (KeyIs(key, "PresetTask_SubCommand")) {
            if (PresetTask* t = currentTask()) t->SubCommand = ReadInt(value);
            return true;
        }
        return false;
    }

    bool setting(const std::u16string& key, const std::u16string& value) {
        AppSettings& s = d_.settings;
        if (const IntKey* k = FindIntKey(key)) {
            int32_t n = ReadInt(value);
            s.*(k->field) = k->flag ? (n != 0) : n;
            if (k->field == &AppSettings::LogHeight && n < 10) s.LogHeight = 50;
            return true;
        }
        if (KeyIs(key, "UILanguage")) s.UILanguage = value;
        else if (KeyIs(key, "FontName")) s.FontName = value;
        else if (KeyIs(key, "FontItalic")) s.FontItalic = static_cast<uint8_t>(ReadInt(value) & 0xFF);
        else if (KeyIs(key, "RectMain")) s.RectMain = ReadRect(value);
        else if (KeyIs(key, "RectInput")) s.RectInput = ReadRect(value);
        else if (KeyIs(key, "InputPreview")) s.InputPreview = ReadInt(value) != 0;
        else return false;
        return true;
    }

    void special(const std::u16string& key, const std::u16string& value) {
        AppSettings& s = d_.settings;
        if (KeyIs(key, "ColWidths")) {
            s.ColWidths.clear();
            for (std::u16string_view piece : SplitAtCommas(value)) s.ColWidths.push_back(static_cast<uint32_t>(ReadInt(piece)));
        } else if (KeyIs(key, "Hotkey")) {
            std::vector<std::u16string_view> pieces = SplitAtCommas(value);
            auto piece = [&](size_t i) { return i < pieces.size() ? ReadInt(pieces[i]) : 0; };
            auto found = d_.hotkeys.find(ReadInt(value));
            if (found == d_.hotkeys.end()) return;  // the file never adds records
            found->second.KeyCode = piece(1);
            found->second.Ctrl = piece(2) != 0;
            found->second.Shift = piece(3) != 0;
        } else if (KeyIs(key, "EnglishUI")) {
            s.UILanguage = ReadInt(value) != 0 ? u"english" : u"default";
        } else if (KeyIs(key, "MainX1")) {
            s.RectMain.left = ReadInt(value);
        } else if (KeyIs(key, "MainY1")) {
            s.RectMain.top = ReadInt(value);
        } else if (KeyIs(key, "MainX2")) {
            s.RectMain.right = ReadInt(value);
        } else if (KeyIs(key, "MainY2")) {
            s.RectMain.bottom = ReadInt(value);
        }
    }

    ConfigurationData d_;
    int slot_ = -1;
    bool taskAdded_ = false;  // a task was appended since the last Preset_Name
    int names_ = 0;
};

void Put(std::u16string& out, std::string_view key, const std::u16string& value) {
    out.append(key.begin(), key.end());
    out += u'=';
    out += value;
    out += u"\r\n";
}

void PutInts(std::u16string& out, const AppSettings& s, const IntKey* begin, const IntKey* end) {
    for (const IntKey* k = begin; k != end; ++k) Put(out, k->name, DecimalText(s.*(k->field)));
}

void PutRect(std::u16string& out, std::string_view key, const Rect& r) {
    if (r.right <= r.left || r.bottom <= r.top) return;  // only a rectangle with an area is kept
    Put(out, key, DecimalText(r.left) + u',' + DecimalText(r.top) + u',' + DecimalText(r.right) + u',' + DecimalText(r.bottom));
}

}  // namespace

int ApplyConfigurationText(const std::u16string& text, ConfigurationData data) {
    Reader reader(data);
    // A UTF-8 file saved with a byte-order mark would otherwise lose its first key.
    size_t start = !text.empty() && text[0] == u'\uFEFF' ? 1 : 0;
    for (;;) {
        size_t end = text.find(u'\n', start);
        size_t stop = end == std::u16string::npos ? text.size() : end;
        size_t len = stop - start;
        if (len > 0 && text[stop - 1] == u'\r') --len;
        reader.readLine(text.substr(start, len));
        if (end == std::u16string::npos) break;
        start = end + 1;
    }
    return reader.presetNames();
}

ReadStatus ReadConfiguration(const std::u16string& path, AppState& app) {
    std::u16string text;
    if (ReadStatus status = ReadTextFile(path, text); !status) return status;
    ApplyConfigurationText(text, {app.settings, app.presets, app.hotkeys});
    return {};
}

std::u16string FormatPresetBlock(const PresetTable& presets) {
    std::u16string out;
    for (const QuirnelPreset& p : presets) {
        Put(out, "Preset_Name", p.Name);
        Put(out, "Preset_AutoApply", DecimalText(p.AutoApply));
        Put(out, "Preset_ApplyType", DecimalText(p.ApplyType));
        Put(out, "Preset_AutoSort", DecimalText(p.AutoSort));
        Put(out, "Preset_SortColumn", DecimalText(p.SortColumn));
        Put(out, "Preset_SortAscend", DecimalText(p.SortAscend));
        for (const PresetTask& t : p.Tasks) {
            Put(out, "PresetTask_Command", DecimalText(t.Command));
            Put(out, "PresetTask_SubCommand", DecimalText(t.SubCommand));
            Put(out, "PresetTask_Arg1", u'<' + t.Arg1 + u'>');
            Put(out, "PresetTask_Arg2", u'<' + t.Arg2 + u'>');
        }
    }
    return out;
}

std::u16string FormatConfiguration(const AppSettings& s, const PresetTable& presets, const HotkeyTable& hotkeys) {
    std::u16string out;
    Put(out, "UILanguage", s.UILanguage);
    PutInts(out, s, std::begin(kListKeys), std::end(kListKeys));
    PutRect(out, "RectMain", s.RectMain);
    PutRect(out, "RectInput", s.RectInput);
    // Written only when on: a file of someone who never opened the pane keeps its old layout.
    if (IsOn(s.InputPreview)) Put(out, "InputPreview", u"1");
    PutInts(out, s, std::begin(kColorKeys), std::end(kColorKeys));
    if (!s.FontName.empty()) {
        Put(out, "FontName", s.FontName);
        PutInts(out, s, std::begin(kFontKeys), std::end(kFontKeys));
        Put(out, "FontItalic", DecimalText(s.FontItalic));
    }
    PutInts(out, s, std::begin(kOtherKeys), std::end(kOtherKeys));
    out += FormatPresetBlock(presets);
    std::u16string widths;
    for (size_t i = 0; i < s.ColWidths.size(); ++i) {
        if (i > 0) widths += u',';
        widths += DecimalText(static_cast<int32_t>(s.ColWidths[i]));  // signed, as every number in the file
    }
    Put(out, "ColWidths", widths);
    for (const auto& [id, r] : hotkeys)
        Put(out, "Hotkey", DecimalText(id) + u',' + DecimalText(r.KeyCode) + u',' + DecimalText(r.Ctrl) + u',' + DecimalText(r.Shift));
    PutInts(out, s, std::begin(kLaterKeys), std::end(kLaterKeys));
    return out;
}

bool WriteConfiguration(const std::u16string& path, const AppState& app) {
    if (!CreateParentFolders(path)) return false;
    return WriteTextFile(path, FormatConfiguration(app.settings, app.presets, app.hotkeys));
}

bool ExportPresetGroup(const std::u16string& path, const AppState& app) {
    return WriteTextFile(path, FormatPresetBlock(app.presets));
}

ReadStatus ImportPresetGroup(const std::u16string& path, AppState& app) {
    std::u16string text;
    if (ReadStatus status = ReadTextFile(path, text); !status) return status;
    PresetTable fresh{};
    if (ApplyConfigurationText(text, {app.settings, fresh, app.hotkeys}) == 0) return {ReadStatus::Unreadable};
    app.presets = std::move(fresh);
    return {};
}

}  // namespace quirnel
