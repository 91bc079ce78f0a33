// A preset group file of any content is imported, and each of its five
// presets runs on a small list in both path styles.
#include "FuzzInput.h"
#include "app/Configuration.h"
#include "app/Hotkeys.h"
#include "base/TextFile.h"
#include "run/RunCommand.h"

using namespace quirnel;

namespace {

void AddRow(NameList& list, std::u16string name, std::u16string folder, bool isFolder, int64_t time) {
    RowSource s;
    s.name = std::move(name);
    s.folder = std::move(folder);
    s.isFolder = isFolder;
    s.size = 1234;
    s.modified = time;
    s.created = time / 2;
    (void)list.appendRow(s);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    AppSettings settings;
    PresetTable presets{};
    HotkeyTable hotkeys;
    ResetHotkeys(hotkeys);
    ApplyConfigurationText(DecodeTextFile(std::string_view(reinterpret_cast<const char*>(data), size)),
                           {settings, presets, hotkeys});
    for (const PathStyle* style : {&PathStyle::forPosix(), &PathStyle::forWindows()}) {
        const std::u16string folder = style == &PathStyle::forPosix() ? u"/data/in" : u"C:\\data\\in";
        for (const QuirnelPreset& preset : presets) {
            RunFlags flags;
            fuzz::SilentHost host;
            Workspace ws(settings, flags, host, *style);
            AddRow(ws.list, u"IMG 0001.JPG", folder, false, 1700000000);
            AddRow(ws.list, u"notes", folder, true, 0);
            AddRow(ws.list, u"caf\xDCE9 \xD83D\xDE00.tar.gz", folder, false, -1);
            int applied = -1;
            (void)RunPreset(preset, WorkspaceActions(ws, [&](ApplyType type) { applied = static_cast<int>(type); }));
            FUZZ_CHECK(ws.list.size() <= 3);
        }
    }
    return 0;
}
