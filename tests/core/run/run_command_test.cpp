#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/AppState.h"
#include "run/RunCommand.h"

using namespace quirnel;
using quirnel::test::RecordingHost;

namespace {

struct Dispatch : ::testing::Test {
    Dispatch() : ws(app.settings, app.flags, host, PathStyle::forWindows()) {
        for (auto name : {u"a1.txt", u"b22.jpg", u"c.txt"}) {
            RowSource s;
            s.name = name;
            s.folder = u"C:\\data";
            ws.list.appendRow(s);
        }
        UpdateItemCount(ws);
    }
    std::vector<std::u16string> NewNames() {
        std::vector<std::u16string> v;
        for (int r = 0; r < ws.list.size(); ++r) v.emplace_back(ws.list.newName(r));
        return v;
    }
    AppState app;
    RecordingHost host;
    Workspace ws;
};

using V = std::vector<std::u16string>;

}  // namespace

TEST_F(Dispatch, EachCommandGetsItsFixedFlags) {
    struct Case {
        int command, sub;
        std::u16string arg1, arg2;
        V want;
    } cases[] = {
        {3, 21, u"x_", u"", {u"x_a1.txt", u"x_b22.jpg", u"x_c.txt"}},   // prefix
        {4, 21, u"_y", u"", {u"a1_y.txt", u"b22_y.jpg", u"c_y.txt"}},   // suffix before the extension
        {19, 21, u".bak", u"", {u"a1.txt.bak", u"b22.jpg.bak", u"c.txt.bak"}},  // into the extension
        {7, 0, u"", u"", {u"1.txt", u"22.jpg", u".txt"}},                // keep the digits
        {8, 0, u"", u"", {u"a.txt", u"b.jpg", u"c.txt"}},                // delete them
        {2, 61, u"txt", u"md", {u"a1.txt", u"b22.jpg", u"c.txt"}},      // names only: the extension is not seen
        {20, 61, u"txt", u"md", {u"a1.md", u"b22.jpg", u"c.md"}},
        {13, 0, u"", u"", {u"a1.txt", u"b22.jpg", u"c.txt"}},            // a window command does nothing here
        {99, 0, u"", u"", {u"a1.txt", u"b22.jpg", u"c.txt"}},
    };
    for (const auto& c : cases) {
        for (int r = 0; r < ws.list.size(); ++r) ws.list.setNewName(r, ws.list.oldName(r));
        EXPECT_EQ(RunCommand(ws, static_cast<CommandId>(c.command), c.sub, c.arg1, c.arg2), CommandOutcome::Continue);
        EXPECT_EQ(NewNames(), c.want) << "command " << c.command;
    }
    app.settings.IncludeExt = 1;  // the setting lets Replace see the extension
    EXPECT_EQ(RunCommand(ws, CmdReplace, 61, u"txt", u"md"), CommandOutcome::Continue);
    EXPECT_EQ(NewNames(), (V{u"a1.md", u"b22.jpg", u"c.md"}));
}

TEST_F(Dispatch, ClearListUsesTheWildcardEngine) {
    EXPECT_EQ(RunCommand(ws, CmdClearList, 181, u"?2*", u""), CommandOutcome::Continue);
    EXPECT_EQ(ws.list.size(), 2);
    EXPECT_FALSE(ws.list.paths().contains(u"C:\\data\\b22.jpg"));
    EXPECT_EQ(host.log.back(), u"Removed 1 item(s) from the list.");
}

TEST_F(Dispatch, ClearListByRegularExpressionKeepsWhatTheLimitStopped) {
    EXPECT_EQ(RunCommand(ws, CmdClearList, sub::ClearNameMatches, u"^\\w\\d$", u""), CommandOutcome::Continue);
    EXPECT_EQ(NewNames(), (V{u"b22.jpg", u"c.txt"}));
    EXPECT_EQ(RunCommand(ws, CmdClearList, sub::ClearNameDoesNotMatch, u"\\d", u""), CommandOutcome::Continue);
    EXPECT_EQ(NewNames(), (V{u"b22.jpg"}));
    RowSource stuck;
    stuck.name = std::u16string(40, u'a') + u"!";
    stuck.folder = u"C:\\data";
    ws.list.appendRow(stuck);
    UpdateItemCount(ws);
    host.log.clear();
    EXPECT_EQ(RunCommand(ws, CmdClearList, sub::ClearNameDoesNotMatch, u"(a+)+$", u""), CommandOutcome::Continue);
    EXPECT_EQ(NewNames(), (V{stuck.name})) << "b22 does not match; the stuck name is kept";
    EXPECT_EQ(host.log.size(), 2u) << testing::PrintToString(host.log);  // the removal and the limit
}

TEST_F(Dispatch, ATaskWithASubCommandThisVersionLacksIsSkippedWithALogLine) {
    QuirnelPreset p;
    host.log.clear();
    p.Tasks = {{CmdReplace, 549, u"a", u"b"}, {CmdAddPrefix, sub::AddCreatedDatePart, u"", u""}, {CmdAddPrefix, 21, u"x", u""}};
    EXPECT_TRUE(RunPreset(p, WorkspaceActions(ws, [](ApplyType) {})));
    EXPECT_EQ(NewNames().front().substr(0, 1), u"x");
    ASSERT_EQ(host.log.size(), 1u) << "a retired value is converted, not skipped " << testing::PrintToString(host.log);
    EXPECT_EQ(host.log[0], u"Task skipped: Replace has no sub-command 549 in this version.");
}

TEST_F(Dispatch, PresetRunStopsAtAnEmptyTargetFolder) {
    QuirnelPreset p;
    p.AutoSort = 1;
    p.SortColumn = 0;
    p.SortAscend = 0;
    p.AutoApply = 1;
    p.Tasks = {{3, 21, u"1_", u""}, {17, 69, u"", u""}, {4, 21, u"_never", u""}};
    int applied = 0;
    EXPECT_FALSE(RunPreset(p, WorkspaceActions(ws, [&](ApplyType) { ++applied; })));
    EXPECT_EQ(NewNames(), (V{u"1_c.txt", u"1_b22.jpg", u"1_a1.txt"}));  // sorted descending first
    EXPECT_EQ(applied, 0);
    EXPECT_EQ(host.messages.size(), 1u);
    p.Tasks.erase(p.Tasks.begin() + 1);
    EXPECT_TRUE(RunPreset(p, WorkspaceActions(ws, [&](ApplyType type) { applied += 10 + static_cast<int>(type); })));
    EXPECT_EQ(applied, 10);
}
