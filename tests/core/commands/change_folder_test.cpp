#include <gtest/gtest.h>

#include "ListFixture.h"
#include "base/CommandIds.h"
#include "commands/ChangeFolder.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

struct Case {
    Item item;
    int subCommand;
    std::u16string arg1, arg2, expected;
};

const int64_t kJuly4 = LocalSeconds(2023, 7, 4, 9, 5, 31);

void RunCases(const std::vector<Case>& cases, const PathStyle& style) {
    for (const Case& c : cases) {
        auto list = MakeList({c.item}, style);
        RecordingHost host(false);
        EXPECT_EQ(ChangeFolder(*list, c.subCommand, c.arg1, c.arg2, host), CommandOutcome::Continue);
        EXPECT_EQ(list->newFolder(0), c.expected)
            << Utf8(c.item.name) << " sub " << c.subCommand << " [" << Utf8(c.arg1) << "] [" << Utf8(c.arg2) << "]";
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(list->newName(0), c.item.name);
    }
}

Item At(std::u16string name, std::u16string folder, bool isFolder = false) {
    return {std::move(name), std::move(folder), isFolder, kJuly4, kJuly4};
}

}  // namespace

TEST(ChangeFolderTest, WindowsStyle) {
    RunCases(
        {
            {At(u"a.txt", u"C:\\data"), sub::MoveToFolder, u"D:\\out\\", u"", u"D:\\out"},
            {At(u"a.txt", u"C:\\data"), sub::MoveToFolder, u"D:\\", u"", u"D:"},
            {At(u"a.txt", u"C:\\a\\b"), sub::MoveToParent, u"1", u"", u"C:\\a"},
            {At(u"a.txt", u"C:\\a\\b"), sub::MoveToParent, u"5", u"", u"C:"},
            {At(u"a.txt", u"C:\\a\\b"), sub::MoveToParent, u"2147483647", u"", u"C:"},
            {At(u"a.txt", u"C:\\a\\b"), sub::MoveToParent, u"0", u"", u"C:\\a\\b"},
            {At(u"a.txt", u"C:\\a\\b"), sub::MoveToParent, u"-2", u"", u"C:\\a\\b"},
            {At(u"a.txt", u"C:\\a\\b"), sub::MoveToParent, u"", u"1", u"C:\\a"},
            {At(u"[Work] notes.txt", u"C:\\docs"), sub::FolderFromPattern, u"[*]", u"", u"C:\\docs\\[Work]"},
            {At(u"[Work] notes.txt", u"C:\\docs"), sub::FolderFromPattern, u"[*]", u"{*}", u"C:\\docs\\{Work}"},
            {At(u"2023-07-trip.jpg", u"C:\\p"), sub::FolderFromPattern, u"*-*-", u"*\\*\\", u"C:\\p\\2023\\07\\"},
            {At(u"notes.txt", u"C:\\docs"), sub::FolderFromPattern, u"[*]", u"", u"C:\\docs"},
            {At(u"notes.txt", u"C:\\docs"), sub::FolderFromPattern, u"", u"x", u"C:\\docs"},
            {At(u"[Work] notes.txt", u"C:\\docs"), sub::FolderFromDelimited, u"[", u"]", u"C:\\docs\\[Work]"},
            {At(u"notes.txt", u"C:\\docs"), sub::FolderFromDelimited, u"[", u"]", u"C:\\docs"},
            {At(u"[a].txt", u"C:\\docs"), sub::FolderFromDelimited, u"[[", u"]", u"C:\\docs"},
            {At(u"2023-07-04 trip.jpg", u"C:\\p"), sub::FolderFromRange, u"1", u"4", u"C:\\p\\2023"},
            {At(u"photo_001.jpg", u"C:\\p"), sub::FolderFromRangeBack, u"1", u"3", u"C:\\p\\001"},
            {At(u"ab.jpg", u"C:\\p"), sub::FolderFromRange, u"5", u"", u"C:\\p"},
            {At(u"ab.jpg", u"C:\\p"), sub::FolderFromRange, u"4", u"2", u"C:\\p"},
            {At(u"a.jpg", u"C:\\p"), sub::FolderFromCreated, u"%Y\\%m", u"", u"C:\\p\\2023\\07"},
            {At(u"a.jpg", u"C:\\p"), sub::FolderFromModified, u"%Y-%m-%d", u"", u"C:\\p\\2023-07-04"},
            {At(u"a.jpg", u"C:\\p"), sub::FolderFromCreated, u"", u"", u"C:\\p"},
            {{u"a.jpg", u"C:\\p", false, kNoTime, kNoTime}, sub::FolderFromCreated, u"%Y", u"", u"C:\\p\\Invalid DateTime"},
            {At(u"a.JPG", u"C:\\p"), sub::FolderFromExtension, u"", u"", u"C:\\p\\JPG"},
            {At(u"a.JPG", u"C:\\"), sub::FolderFromExtension, u"", u"", u"C:\\\\JPG"},
            {At(u"README", u"C:\\p"), sub::FolderFromExtension, u"", u"", u"C:\\p"},
            {At(u"photos.old", u"C:\\p", true), sub::FolderFromExtension, u"", u"", u"C:\\p"},
            {At(u"photos.old", u"C:\\p", true), sub::FolderFromRangeBack, u"1", u"3", u"C:\\p\\old"},
            {At(u"a.txt", u"C:\\p"), 9999, u"x", u"y", u"C:\\p"},
        },
        PathStyle::forWindows());
}

TEST(ChangeFolderTest, PosixStyle) {
    RunCases(
        {
            {At(u"a.txt", u"/data"), sub::MoveToFolder, u"/out/", u"", u"/out"},
            {At(u"a.txt", u"/data"), sub::MoveToFolder, u"/", u"", u"/"},
            {At(u"a.txt", u"/a/b"), sub::MoveToParent, u"1", u"", u"/a"},
            {At(u"a.txt", u"/a/b"), sub::MoveToParent, u"5", u"", u"/"},
            {At(u"a.JPG", u"/"), sub::FolderFromExtension, u"", u"", u"/JPG"},
            {At(u"a.JPG", u"/p"), sub::FolderFromExtension, u"", u"", u"/p/JPG"},
            {At(u"2023-07-trip.jpg", u"/p"), sub::FolderFromPattern, u"*-*-", u"*/*/", u"/p/2023/07/"},
            {At(u"a.jpg", u"/p"), sub::FolderFromCreated, u"%Y/%m", u"", u"/p/2023/07"},
            {At(u"20240615_beach.jpg", u"/p"), sub::FolderFromRegex, u"^(\\d{4})(\\d{2})", u"$1/$2", u"/p/2024/06"},
            {At(u"Trip Rome.jpg", u"/p"), sub::FolderFromRegex, u"(?<city>\\w+)$", u"\\U${city}", u"/p/ROME"},
            {At(u"IMG_12.jpg", u"/p"), sub::FolderFromRegex, u"\\d+", u"", u"/p/12"},  // empty: the match
            {At(u"notes.txt", u"/p"), sub::FolderFromRegex, u"\\d+", u"", u"/p"},      // no match, no change
            {At(u"x1.d", u"/p", true), sub::FolderFromRegex, u"\\.(\\w)", u"$1", u"/p/d"},  // a folder's whole name
        },
        PathStyle::forPosix());
}

TEST(ChangeFolderTest, SubfoldersComposeAndParentCountsFromTheOldFolder) {
    auto list = MakeList({At(u"a.jpg", u"C:\\p")});
    RecordingHost host(false);
    EXPECT_EQ(ChangeFolder(*list, sub::FolderFromCreated, u"%Y-%m-%d", u"", host), CommandOutcome::Continue);
    EXPECT_EQ(ChangeFolder(*list, sub::FolderFromExtension, u"", u"", host), CommandOutcome::Continue);
    EXPECT_EQ(list->newFolder(0), u"C:\\p\\2023-07-04\\jpg");
    EXPECT_EQ(ChangeFolder(*list, sub::MoveToParent, u"0", u"", host), CommandOutcome::Continue);
    EXPECT_EQ(list->newFolder(0), u"C:\\p");
}

TEST(ChangeFolderTest, AnEmptyTargetFolderIsReportedAndStopsAPresetRun) {
    auto list = MakeList({At(u"a.txt", u"C:\\p"), At(u"b.txt", u"C:\\q")});
    list->setNewFolder(1, u"C:\\r");
    RecordingHost host(false);
    EXPECT_EQ(ChangeFolder(*list, sub::MoveToFolder, u"", u"", host), CommandOutcome::StopRun);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.dialogs[0].second, u"Invalid folder");
    EXPECT_EQ(NewFolders(*list), (std::vector<std::u16string>{u"C:\\p", u"C:\\r"}));
}
