#include <gtest/gtest.h>

#include "ListFixture.h"
#include "base/CommandIds.h"
#include "commands/Remove.h"

using namespace quirnel;
using namespace quirnel::test;

TEST(RemoveFromNamesTest, Table) {
    struct Case {
        std::u16string name;
        bool folder;
        int subCommand;
        std::u16string arg1, arg2, expected;
    } cases[] = {
        {u"abcdef.txt", false, sub::RemoveRange, u"2", u"3", u"adef.txt"},
        {u"abcdef.txt", false, sub::RemoveRange, u"3", u"", u"ab.txt"},
        {u"abcdef.txt", false, sub::RemoveRange, u"", u"2", u"cdef.txt"},
        {u"abcdef.txt", false, sub::RemoveRange, u"9", u"", u"abcdef.txt"},
        {u"abcdef.txt", false, sub::RemoveRange, u"-4", u"2", u"cdef.txt"},
        {u"abcdef.txt", false, sub::RemoveRangeBack, u"1", u"2", u"abcd.txt"},
        {u"abcdef.txt", false, sub::RemoveRangeBack, u"3", u"", u"ef.txt"},
        {u"abcdef.txt", false, sub::KeepRange, u"2", u"3", u"bc.txt"},
        {u"abcdef.txt", false, sub::KeepRangeBack, u"1", u"3", u"def.txt"},
        {u"abcdef.txt", false, sub::KeepRange, u"9", u"", u".txt"},
        {u"abcdef.txt", false, sub::RemoveRange, u"5", u"3", u"abcdef.txt"},
        {u"abcdef.txt", false, sub::RemoveRange, u"", u"", u"abcdef.txt"},
        {u"abc.", false, sub::RemoveRange, u"1", u"1", u"bc."},  // the extension keeps its dot
        {u".profile", false, sub::RemoveRange, u"1", u"", u".profile"},
        {u"photos.old", true, sub::RemoveRangeBack, u"1", u"4", u"photos"},
        {u"song (live) (2).mp3", false, sub::RemoveDelimited, u"(", u")", u"song  (2).mp3"},
        {u"x[abc]y.txt", false, sub::KeepDelimited, u"[", u"]", u"[abc].txt"},
        {u"xy.txt", false, sub::KeepDelimited, u"[", u"]", u"xy.txt"},
        {u"a#b#c#d", true, sub::RemoveDelimited, u"#", u"#", u"ac#d"},
        {u"a(b).txt", false, sub::RemoveDelimited, u"((", u")", u"a(b).txt"},
        {u"a(b).txt", false, sub::RemoveDelimited, u"", u")", u"a(b).txt"},
        {u"a(b.t)xt", false, sub::RemoveDelimited, u"(", u")", u"a(b.t)xt"},  // only the name part is searched
        {u"  a b  .txt", false, sub::TrimBlanks, u"", u"", u"a b.txt"},
        {u"a.  txt", false, sub::TrimBlanks, u"", u"", u"a.  txt"},
        {u"\u3000\u00A0a\t.txt", false, sub::TrimBlanks, u"", u"", u"a.txt"},
        {u"   ", true, sub::TrimBlanks, u"", u"", u""},
        {u"abc.txt", false, 9999, u"1", u"2", u"abc.txt"},
    };
    for (const auto& c : cases) {
        auto list = c.folder ? OneFolder(c.name) : OneFile(c.name);
        RemoveFromNames(*list, c.subCommand, c.arg1, c.arg2);
        EXPECT_EQ(list->newName(0), c.expected)
            << Utf8(c.name) << " sub " << c.subCommand << " [" << Utf8(c.arg1) << "] [" << Utf8(c.arg2) << "]";
    }
}

TEST(RemoveFromNamesTest, RowsWithoutBlanksAreNotRewritten) {
    auto list = MakeList({{u"abc."}, {u" x.txt"}});
    RemoveFromNames(*list, sub::TrimBlanks, u"", u"");
    EXPECT_EQ(NewNames(*list), (std::vector<std::u16string>{u"abc.", u"x.txt"}));
}
