// Name and path lists: any text sets names row by row without a separator
// in them and adds only paths that exist; a path list read in pieces of any
// size gives the same lines.
#include "FuzzInput.h"
#include "base/TextLines.h"
#include "namelist/ImportExport.h"
#include "platform/FileSystem.h"

using namespace quirnel;

namespace {

std::vector<std::u16string> Lines(std::string_view bytes, size_t piece) {
    std::vector<std::u16string> lines;
    LineReader reader(LineDecoding::FileNames, [&](std::u16string& line) {
        lines.push_back(line);
        return true;
    });
    for (size_t i = 0; i < bytes.size(); i += piece) reader.feed(bytes.substr(i, piece));
    reader.finish();
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    const PathStyle& style = in.Flag() ? PathStyle::forWindows() : PathStyle::forPosix();
    const std::u16string text = in.Text(256);

    NameList list(style);
    for (const char16_t* name : {u"a.txt", u"b", u"c.tar.gz"}) {
        RowSource s;
        s.name = name;
        s.folder = style.separator == u'/' ? u"/d" : u"C:\\d";
        (void)list.appendRow(s);
    }
    ImportNewNames(list, text);
    FUZZ_CHECK(list.size() == 3);
    for (int r = 0; r < list.size(); ++r) FUZZ_CHECK(list.newName(r).find(style.separator) == std::u16string::npos);

    // Paths are looked up on this machine; a folder is one row (LoadType 0),
    // never a walk through it.
    AppSettings settings;
    settings.LoadType = 0;
    settings.AutoSort = in.Flag();
    RunFlags flags;
    fuzz::SilentHost host;
    Workspace ws(settings, flags, host, PathStyle::forPosix());
    ImportPaths(ws, text);
    for (int r = 0; r < ws.list.size(); ++r) FUZZ_CHECK(GetPathAttributes(ws.list.fullPath(r)).exists);

    const std::string bytes = in.RestBytes();
    FUZZ_CHECK(Lines(bytes, 1) == Lines(bytes, bytes.size() + 1));
    return 0;
}
