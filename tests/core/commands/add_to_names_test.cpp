#include <gtest/gtest.h>

#include "ListFixture.h"
#include "base/CommandIds.h"
#include "commands/AddToNames.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

enum Mode { Prefix, Suffix, Ext };

struct Case {
    Mode mode;
    Item item;
    int subCommand;
    std::u16string arg1, arg2;
    std::u16string expected;
};

const int64_t kJuly4 = LocalSeconds(2023, 7, 4, 9, 5, 31);

Item File(std::u16string name, std::u16string folder = u"C:\\data") { return {std::move(name), std::move(folder)}; }
Item Dated(std::u16string name, int64_t created) { return {std::move(name), u"C:\\data", false, created, created}; }

void RunCases(const std::vector<Case>& cases, const PathStyle& style = PathStyle::forWindows()) {
    for (const Case& c : cases) {
        auto list = MakeList({c.item}, style);
        static constexpr AddPlace kPlaces[] = {AddPlace::Prefix, AddPlace::Suffix, AddPlace::Extension};
        AddToNames(*list, c.subCommand, c.arg1, c.arg2, kPlaces[c.mode], [] { return LocalSeconds(2024, 1, 2, 3, 4, 5); });
        EXPECT_EQ(list->newName(0), c.expected) << "mode " << c.mode << " " << Utf8(c.item.name) << " sub "
                                                << c.subCommand << " [" << Utf8(c.arg1) << "] [" << Utf8(c.arg2) << "]";
    }
}

}  // namespace

TEST(AddToNamesTest, AddStringAtPositions) {
    RunCases({
        {Prefix, File(u"abcd.txt"), sub::AddString, u"x", u"2", u"abxcd.txt"},
        {Prefix, File(u"abcd.txt"), sub::AddString, u"x", u"0", u"xabcd.txt"},
        {Prefix, File(u"abcd.txt"), sub::AddString, u"x", u"10", u"abcdx.txt"},
        {Prefix, File(u"abcd.txt"), sub::AddString, u"x", u"-3", u"xabcd.txt"},
        {Suffix, File(u"abcd.txt"), sub::AddString, u"x", u"1", u"abcxd.txt"},
        {Suffix, File(u"abcd.txt"), sub::AddString, u"x", u"", u"abcdx.txt"},
        {Suffix, File(u"abcd.txt"), sub::AddString, u"x", u"10", u"xabcd.txt"},
        {Suffix, File(u"abcd.txt"), sub::AddString, u"x", u"-1", u"abcdx.txt"},
        {Prefix, File(u"abcd.txt"), sub::AddString, u"x", u"99999999999", u"abcdx.txt"},
        {Prefix, {u"photos.old", u"C:\\data", true}, sub::AddString, u"x", u"8", u"photos.oxld"},
        {Ext, {u"data.old", u"C:\\data", true}, sub::AddString, u"x", u"0", u"data.old"},
        {Ext, File(u"notes"), sub::AddString, u"x", u"0", u"notes.x"},
        {Ext, File(u"README"), sub::AddString, u"bak", u"", u"README.bak"},
        {Ext, File(u"file.txt"), sub::AddString, u"bak", u"", u"file.txtbak"},
        {Ext, File(u"README"), sub::AddString, u".bak", u"", u"README.bak"},
        {Ext, File(u"file.txt"), sub::AddString, u".bak", u"", u"file.txt.bak"},
        {Ext, File(u"file.txt"), sub::AddString, u"x", u"1", u"file.txxt"},
        {Prefix, File(u".profile"), sub::AddString, u"x", u"", u"x.profile"},
        {Ext, File(u".profile"), sub::AddString, u"x", u"", u".profilex"},
    });
}

TEST(AddToNamesTest, ParentFolderName) {
    RunCases({
        {Prefix, File(u"song.mp3", u"C:\\music\\Live"), sub::AddParentFolder, u"[", u"]", u"[Live]song.mp3"},
        {Prefix, File(u"song.mp3", u"C:"), sub::AddParentFolder, u"[", u"]", u"song.mp3"},
        {Prefix, File(u"song.mp3", u"C:\\"), sub::AddParentFolder, u"[", u"]", u"[]song.mp3"},
        {Suffix, File(u"song.mp3", u"C:\\music\\Live"), sub::AddParentFolder, u"_", u"", u"song_Live.mp3"},
    });
    RunCases(
        {
            {Prefix, File(u"song.mp3", u"/music/Live"), sub::AddParentFolder, u"[", u"]", u"[Live]song.mp3"},
            {Prefix, File(u"song.mp3", u"/"), sub::AddParentFolder, u"[", u"]", u"[]song.mp3"},
            {Prefix, File(u"song.mp3", u"C:\\x"), sub::AddParentFolder, u"[", u"]", u"song.mp3"},
        },
        PathStyle::forPosix());
}

TEST(AddToNamesTest, CutAndPaste) {
    RunCases({
        {Suffix, File(u"song (live).mp3"), sub::CutPasteDelimited, u"(", u")", u"song (live).mp3"},
        {Suffix, File(u"(live) song.mp3"), sub::CutPasteDelimited, u"(", u")", u" song(live).mp3"},
        {Prefix, File(u"abc."), sub::CutPasteDelimited, u"(", u")", u"abc"},  // rewritten without its dot
        {Prefix, File(u"abc."), sub::CutPasteDelimited, u"((", u")", u"abc."},  // no pair: no pass at all
        {Prefix, File(u"abcdef.txt"), sub::CutPasteRange, u"3", u"4", u"cdabef.txt"},
        {Prefix, File(u"abcdef.txt"), sub::CutPasteRangeBack, u"1", u"2", u"efabcd.txt"},
        {Prefix, File(u"abc.txt"), sub::CutPasteRangeBack, u"9", u"", u"abc.txt"},
        {Prefix, File(u"abc."), sub::CutPasteRange, u"5", u"3", u"abc."},
        {Ext, File(u"photo_2020.jpg"), sub::CutPasteRange, u"6", u"10", u"photo.jpg_2020"},
        {Prefix, File(u"a[1]b[2].txt"), sub::CutPastePattern, u"[*]", u"", u"[1][2]ab.txt"},
        {Suffix, File(u"a[1]b[2].txt"), sub::CutPastePattern, u"[*]", u"1", u"a[1][2]b.txt"},
        {Prefix, File(u"plain.txt"), sub::CutPastePattern, u"[*]", u"", u"plain.txt"},
    });
}

TEST(AddToNamesTest, Dates) {
    RunCases({
        {Suffix, Dated(u"a.txt", kJuly4), sub::AddCreatedDate, u"_%Y%m%d", u"0", u"a_20230704.txt"},
        {Suffix, Dated(u"a.txt", kNoTime), sub::AddCreatedDate, u"_%Y%m%d", u"0", u"aInvalid DateTime.txt"},
        {Prefix, Dated(u"a.txt", kJuly4), sub::AddModifiedDate, u"%H%M-", u"", u"0905-a.txt"},
        {Prefix, Dated(u"a.txt", kJuly4), sub::AddCurrentDate, u"%Y%m%d_", u"", u"20240102_a.txt"},
        {Prefix, Dated(u"a.txt", kJuly4), sub::AddCreatedDate, u"", u"", u"a.txt"},
        {Prefix, Dated(u"a.txt", kJuly4), sub::AddCreatedDatePart, u"", u"_", u"2023-07-04_a.txt"},
        {Suffix, Dated(u"a.txt", kJuly4), sub::AddModifiedTimePart, u"@", u"", u"a@090531.txt"},
        {Suffix, Dated(u"a.txt", kNoTime), sub::AddModifiedDatePart, u"<", u">", u"a<>.txt"},
        {Suffix, Dated(u"a.txt", kJuly4), sub::AddCreatedTimePart, u"", u"", u"a090531.txt"},
    });
}

TEST(AddToNamesTest, UnknownOrEmptyInputs) {
    RunCases({
        {Prefix, File(u"abc."), sub::AddString, u"", u"2", u"abc."},
        {Prefix, File(u"abc."), 9999, u"x", u"", u"abc"},
    });
}

TEST(AddToNamesTest, TimeTextParts) {
    EXPECT_EQ(TimeTextPart(u"2023-07-04 09:05:31", TimePart::Date), u"2023-07-04");
    EXPECT_EQ(TimeTextPart(u"2023-07-04 09:05:31", TimePart::Time), u"090531");
    EXPECT_EQ(TimeTextPart(u"", TimePart::Date), u"");
    EXPECT_EQ(TimeTextPart(u"", TimePart::Time), u"");
    EXPECT_EQ(TimeTextPart(u"12:30", TimePart::Time), u"1230");
    EXPECT_EQ(TimeTextPart(u"12:30", TimePart::Date), u"");
}

TEST(AddToNamesTest, EveryRowAndRepeatedRunsCompose) {
    auto list = MakeList({{u"a.txt"}, {u"b", u"C:\\data", true}, {u"c.tar.gz"}});
    AddToNames(*list, sub::AddString, u"x", u"", AddPlace::Prefix);
    AddToNames(*list, sub::AddString, u"y", u"", AddPlace::Prefix);
    EXPECT_EQ(NewNames(*list), (std::vector<std::u16string>{u"yxa.txt", u"yxb", u"yxc.tar.gz"}));
}
