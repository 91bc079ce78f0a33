// The configuration reader: any text is read without harm, and what it
// reads is written so that reading it again gives the same file.
#include "FuzzInput.h"
#include "app/Configuration.h"
#include "app/Hotkeys.h"
#include "base/TextFile.h"

using namespace quirnel;

namespace {

std::u16string ReadThenWrite(const std::u16string& text) {
    AppSettings settings;
    PresetTable presets{};
    HotkeyTable hotkeys;
    ResetHotkeys(hotkeys);
    ApplyConfigurationText(text, {settings, presets, hotkeys});
    return FormatConfiguration(settings, presets, hotkeys);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string once = ReadThenWrite(DecodeTextFile(std::string_view(reinterpret_cast<const char*>(data), size)));
    FUZZ_CHECK(ReadThenWrite(once) == once);
    return 0;
}
