#include <gtest/gtest.h>

#include "ListFixture.h"
#include "base/CommandIds.h"
#include "commands/NameEdits.h"
#include "commands/Numbers.h"

using namespace quirnel;
using namespace quirnel::test;

using Names = std::vector<std::u16string>;

TEST(FilterDigitsTest, Table) {
    struct Case {
        std::u16string name;
        bool folder;
        Digits digits;
        std::u16string expected;
    } cases[] = {
        {u"IMG_2023_07.jpg", false, Digits::Keep, u"202307.jpg"}, {u"IMG_2023_07.jpg", false, Digits::Delete, u"IMG__.jpg"},
        {u"notes.txt", false, Digits::Keep, u".txt"},              {u"w1.2", true, Digits::Keep, u"12"},
        {u"w1.2", true, Digits::Delete, u"w."},                       {u"a1.mp3", false, Digits::Keep, u"1.mp3"},
        {u"\uFF11a.txt", false, Digits::Delete, u"\uFF11a.txt"},     {u"7.", false, Digits::Delete, u"."},
    };
    for (const auto& c : cases) {
        auto list = c.folder ? OneFolder(c.name) : OneFile(c.name);
        FilterDigits(*list, c.digits);
        EXPECT_EQ(list->newName(0), c.expected) << Utf8(c.name) << " delete " << (c.digits == Digits::Delete);
    }
}

TEST(MatchDigitsTest, Table) {
    struct Case {
        std::u16string name;
        int subCommand;
        std::u16string minimum, expected;
    } cases[] = {
        {u"track7.mp3", sub::PadTailNumber, u"3", u"track007.mp3"},
        {u"ep2 part10.txt", sub::PadTailNumber, u"3", u"ep2 part010.txt"},
        {u"track1234.mp3", sub::PadTailNumber, u"3", u"track1234.mp3"},
        {u"intro.mp3", sub::PadTailNumber, u"3", u"intro.mp3"},
        {u"file.mp3", sub::PadTailNumber, u"3", u"file.mp3"},
        {u"ep2 part10.txt", sub::PadHeadNumber, u"3", u"ep002 part10.txt"},
        {u"7", sub::PadHeadNumber, u"0", u"7"},
        {u"7", sub::PadHeadNumber, u"", u"7"},
        {u"7", sub::PadHeadNumber, u"-3", u"7"},
        {u"7", sub::PadHeadNumber, u"12", u"0000000007"},  // held to 10 digits
        {u"a1b.", sub::PadTailNumber, u"2", u"a01b."},
        {u"7", 9999, u"3", u"7"},
    };
    for (const auto& c : cases) {
        auto list = OneFile(c.name);
        MatchDigits(*list, c.subCommand, c.minimum);
        EXPECT_EQ(list->newName(0), c.expected) << Utf8(c.name) << " sub " << c.subCommand << " " << Utf8(c.minimum);
    }
}

TEST(AddNumbersTest, InListOrder) {
    struct Case {
        int subCommand;
        std::u16string minimum, start;
        Names expected;
    } cases[] = {
        {sub::NumberTailInOrder, u"3", u"1", {u"a001.txt", u"b002.txt", u"c003.txt"}},
        {sub::NumberHeadInOrder, u"", u"", {u"0a.txt", u"1b.txt", u"2c.txt"}},
        {sub::NumberTailInOrder, u"1", u"9", {u"a9.txt", u"b10.txt", u"c11.txt"}},
        {sub::NumberTailInOrder, u"", u"-5", {u"a0.txt", u"b1.txt", u"c2.txt"}},
        {sub::NumberTailInOrder, u"99", u"1", {u"a0000000001.txt", u"b0000000002.txt", u"c0000000003.txt"}},
        {sub::NumberTailInOrder, u"", u"2147483647", {u"a2147483647.txt", u"b2147483648.txt", u"c2147483649.txt"}},
        {9999, u"1", u"1", {u"a.txt", u"b.txt", u"c.txt"}},
    };
    for (const auto& c : cases) {
        auto list = MakeList({{u"a.txt"}, {u"b.txt"}, {u"c.txt"}});
        AddNumbers(*list, c.subCommand, c.minimum, c.start);
        EXPECT_EQ(NewNames(*list), c.expected) << c.subCommand << " " << Utf8(c.minimum) << " " << Utf8(c.start);
    }
}

TEST(AddNumbersTest, ByNewFolderWithExactKeys) {
    auto list = MakeList({{u"a.txt", u"C:\\x"}, {u"b.txt", u"C:\\y"}, {u"c.txt", u"C:\\x"}, {u"d.txt", u"C:\\X"},
                          {u"photos.old", u"C:\\y", true}});
    AddNumbers(*list, sub::NumberTailByFolder, u"", u"1");
    EXPECT_EQ(NewNames(*list), (Names{u"a1.txt", u"b1.txt", u"c2.txt", u"d1.txt", u"photos.old2"}));

    // The key is the New Folder, not the Old Folder.
    auto moved = MakeList({{u"a.txt", u"C:\\x"}, {u"b.txt", u"C:\\y"}});
    moved->setNewFolder(1, u"C:\\x");
    AddNumbers(*moved, sub::NumberHeadByFolder, u"2", u"");
    EXPECT_EQ(NewNames(*moved), (Names{u"00a.txt", u"01b.txt"}));
}

TEST(AddNumbersTest, AfterEmptyNames) {
    auto list = MakeList({{u"a.jpg"}, {u"b.jpg"}, {u"README"}, {u"photos.old", u"C:\\data", true}});
    EmptyNames(*list);
    EXPECT_EQ(NewNames(*list), (Names{u".jpg", u".jpg", u"", u""}));
    AddNumbers(*list, sub::NumberTailInOrder, u"", u"1");
    EXPECT_EQ(NewNames(*list), (Names{u"1.jpg", u"2.jpg", u"3", u"4"}));
}
