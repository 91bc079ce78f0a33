// The one dispatch: two commands of any numbers and arguments, one after
// the other, on a small list in either path style.
#include "FuzzInput.h"
#include "run/CommandCatalogue.h"
#include "run/RunCommand.h"

using namespace quirnel;

namespace {

std::vector<int> SubCommandsOf(int command) {
    std::vector<int> subs;
    for (const InputItem& item : BuildInputItems(command).items) subs.push_back(item.subCommand);
    return subs;
}

void RunOne(fuzz::FuzzInput& in, Workspace& ws) {
    const int command = in.Pick({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20});
    const int sub = in.Pick(SubCommandsOf(command));
    const std::u16string arg1 = in.Text(), arg2 = in.Text();
    (void)RunCommand(ws, static_cast<CommandId>(command), sub, arg1, arg2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    const bool windows = in.Flag();
    const PathStyle& style = windows ? PathStyle::forWindows() : PathStyle::forPosix();
    AppSettings settings;
    settings.IncludeExt = in.Flag();
    RunFlags flags;
    fuzz::SilentHost host;
    Workspace ws(settings, flags, host, style);
    const std::u16string folder = windows ? u"C:\\data\\in" : u"/data/in";
    const char16_t* names[] = {u"IMG 0001.JPG", u"notes", u"a.b.c", u"\xD83D\xDE00 x.txt", u"caf\xDCE9"};
    for (int i = 0; i < 5; ++i) {
        RowSource s;
        s.name = names[i];
        s.folder = i == 4 ? (windows ? u"C:\\" : u"/") : folder;
        s.isFolder = i == 1;
        s.modified = 1700000000 + i * 86400;
        s.created = i * 1000000;
        (void)ws.list.appendRow(s);
    }
    RunOne(in, ws);
    RunOne(in, ws);
    FUZZ_CHECK(ws.list.size() <= 5);
    return 0;
}
