#include <gtest/gtest.h>

#include "ListFixture.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "base/CommandIds.h"
#include "commands/FieldTemplate.h"
#include "commands/MediaText.h"
#include "metadata/MediaSamples.h"
#include "run/RunCommand.h"

namespace quirnel {
namespace {

using test::TempDir;
using V = std::vector<std::u16string>;

// Real files in a folder, listed as the window lists them, run through the
// same dispatch as presets and the command line.
struct MediaCommands : ::testing::Test {
    MediaCommands() : ws(app.settings, app.flags, host) {
        test::WriteJpeg(dir / "taken.jpg", {{"Exif.Photo.DateTimeOriginal", "2023:07:04 09:05:31"},
                                             {"Exif.Image.Make", "NIKON"}, {"Exif.Image.Model", "Z 6"}});
        test::WriteJpeg(dir / "plain.jpg", {});
        test::WriteMp3(dir / "song.mp3", {"Artist", "Album", "Title", 3, 1999});
        test::WriteMp3(dir / "old.mp3", {"Old", "Older", "", 12, 0}, true);
        dir.file("cut.jpg", dir.read("taken.jpg").substr(0, 300));
        for (const char* name : {"taken.jpg", "plain.jpg", "song.mp3", "old.mp3", "cut.jpg"}) {
            RowSource s;
            s.name = FromNative(name);
            s.folder = dir.u16();
            s.modified = test::LocalSeconds(2001, 2, 3, 4, 5, 6);
            ws.list.appendRow(s);
        }
    }
    V Run(CommandId command, int sub, const std::u16string& arg1, const std::u16string& arg2 = u"") {
        EXPECT_EQ(RunCommand(ws, command, sub, arg1, arg2), CommandOutcome::Continue);
        V names;
        for (int r = 0; r < ws.list.size(); ++r) names.push_back(command == CmdChangeFolder ? ws.list.newFolder(r) : std::u16string(ws.list.newName(r)));
        return names;
    }
    std::u16string In(const std::u16string& sub) { return dir.u16() + u"/" + sub; }
    TempDir dir;
    AppState app;
    test::RecordingHost host;
    Workspace ws;
};

TEST_F(MediaCommands, DateTakenLeavesRowsWithoutOneAndSaysHowMany) {
    EXPECT_EQ(Run(CmdAddPrefix, sub::AddTakenDate, u"%Y%m%d_%Q"),
              (V{u"20230704_taken.jpg", u"plain.jpg", u"song.mp3", u"old.mp3", u"cut.jpg"}));
    ASSERT_EQ(host.log.size(), 2u);
    EXPECT_EQ(host.log[0], u"4 row(s) left unchanged: the file holds no such value.");
    EXPECT_NE(host.log[1].find(u"1 file(s) could not be read, the first: " + In(u"cut.jpg")), std::u16string::npos);
}

TEST_F(MediaCommands, FallbackSettingGivesTheModifiedTime) {
    app.settings.TakenFallback = 1;
    EXPECT_EQ(Run(CmdAddSuffix, sub::AddTakenDate, u"_%Y", u"0"),
              (V{u"taken_2023.jpg", u"plain_2001.jpg", u"song_2001.mp3", u"old_2001.mp3", u"cut_2001.jpg"}));
}

TEST_F(MediaCommands, TemplatesNeedEveryFieldTheyName) {
    EXPECT_EQ(Run(CmdAddPrefix, sub::AddFromTags, u"{track:02} {artist} - "),
              (V{u"taken.jpg", u"plain.jpg", u"03 Artist - song.mp3", u"12 Old - old.mp3", u"cut.jpg"}));
    EXPECT_EQ(Run(CmdAddSuffix, sub::AddFromTags, u" ({camera})"),
              (V{u"taken (NIKON Z 6).jpg", u"plain.jpg", u"03 Artist - song.mp3", u"12 Old - old.mp3", u"cut.jpg"}));
    host.log.clear();
    const V before = Run(CmdAddPrefix, sub::AddFromTags, u"{titel}");
    EXPECT_EQ(Run(CmdAddPrefix, sub::AddFromTags, u"{artist"), before);
    ASSERT_EQ(host.log.size(), 2u);
    EXPECT_NE(host.log[0].find(u"{titel}"), std::u16string::npos);
}

// Each row a command leaves as it was says why; the notes follow the rows
// through a sort, and the next command on what files hold replaces them.
TEST_F(MediaCommands, EachRowLeftUnchangedSaysWhy) {
    auto notes = [&] {
        V out;
        for (int r = 0; r < ws.list.size(); ++r) out.push_back(ws.list.note(r) ? *ws.list.note(r) : u"");
        return out;
    };
    Run(CmdAddPrefix, sub::AddFromTags, u"{artist} {title} {artist} ");
    V want{u"Left unchanged: the file holds no {artist}, {title}.", u"Left unchanged: the file holds no {artist}, {title}.",
           u"", u"Left unchanged: the file holds no {title}.", u""};
    const V got = notes();
    EXPECT_EQ((V{got[0], got[1], got[2], got[3]}), (V{want[0], want[1], want[2], want[3]}));
    EXPECT_EQ(got[4].rfind(u"The file could not be read: ", 0), 0u) << test::Utf8(got[4]);

    ws.list.reorder({4, 3, 2, 1, 0});
    EXPECT_EQ(notes()[1], want[3]);
    EXPECT_EQ(Run(CmdAddPrefix, sub::AddTakenDate, u"%Y_")[4], u"2023_taken.jpg");
    EXPECT_EQ(notes()[2], u"No date taken: the file holds none.");
    EXPECT_EQ(notes()[4], u"");
    ws.list.removeRow(2);
    ws.list.appendRow(RowSource{u"new.jpg", dir.u16()});  // takes the freed slot: no note comes with it
    EXPECT_EQ(notes()[4], u"");
}

TEST_F(MediaCommands, FoldersFromDateTakenAndFromTags) {
    const std::u16string d = dir.u16();
    EXPECT_EQ(Run(CmdChangeFolder, sub::FolderFromTakenDate, u"%Y/%m"), (V{In(u"2023/07"), d, d, d, d}));
    EXPECT_EQ(Run(CmdChangeFolder, sub::FolderFromTags, u"{artist}/{album}"),
              (V{In(u"2023/07"), d, In(u"Artist/Album"), In(u"Old/Older"), d}));
}

TEST(FieldTemplate, ParsesFieldsWidthsAndBraces) {
    MediaFields f;
    f.artist = u"A";
    f.track = 7;
    struct Case {
        const char16_t* text;
        std::optional<std::u16string> want;  // nothing: the template is refused
    } cases[] = {
        {u"{artist} - {track:03}", u"A - 007"}, {u"{ARTIST}", u"A"}, {u"{{x}}", u"{x}"},
        {u"{track:1}", u"7"},                   {u"{artist:02}", std::nullopt}, {u"{track:}", std::nullopt},
        {u"a}", std::nullopt},                  {u"{nope}", std::nullopt},
    };
    for (const Case& c : cases) {
        auto t = FieldTemplate::Parse(c.text);
        EXPECT_EQ(t.has_value(), c.want.has_value()) << test::Utf8(c.text);
        if (t && c.want) EXPECT_EQ(t->expand(f), c.want) << test::Utf8(c.text);
    }
    EXPECT_EQ(FieldTemplate::Parse(u"{title}")->expand(f), std::nullopt);
}

}  // namespace
}  // namespace quirnel

namespace quirnel {
namespace {

TEST(MediaProgressLine, ShowsALongReadingAndClearsItAtTheEnd) {
    test::RecordingHost host;
    host.status = u"before";
    MediaProgress progress = StatusLineProgress(host);
    EXPECT_TRUE(progress(5, 10));
    EXPECT_EQ(host.status, u"before") << "a short reading shows nothing";
    EXPECT_TRUE(progress(2560, 100000));
    EXPECT_EQ(host.status, u"Reading what files hold: 2560 of 100000");
    EXPECT_TRUE(progress(100000, 100000));
    EXPECT_EQ(host.status, u"");
}

}  // namespace
}  // namespace quirnel

namespace quirnel {
namespace {

// Stopped before any file: no row changes, not even by the fallback, and the
// log says why rather than claiming the files hold no date.
TEST_F(MediaCommands, AStoppedReadingLeavesTheRowsItDidNotReach) {
    app.settings.TakenFallback = 1;
    const MediaAccess stopped = CachedMediaAccess(ws.media, &host, true, [](size_t, size_t) { return false; });
    const auto texts = MediaTexts(ws.list, sub::AddTakenDate, u"%Y", stopped);
    for (const auto& t : texts) EXPECT_FALSE(t.has_value());
    EXPECT_EQ(host.log, (V{u"5 row(s) left unchanged: the reading was stopped before their files."}));
    ASSERT_NE(ws.list.note(0), nullptr);
    EXPECT_EQ(*ws.list.note(0), u"Left unchanged: the reading was stopped before this file.");
    EXPECT_EQ(ws.media.keptCount(), 0u);

    host.log.clear();  // read in full next time
    EXPECT_EQ(Run(CmdAddPrefix, sub::AddTakenDate, u"%Y_"),
              (V{u"2023_taken.jpg", u"2001_plain.jpg", u"2001_song.mp3", u"2001_old.mp3", u"2001_cut.jpg"}));
}

}  // namespace
}  // namespace quirnel
