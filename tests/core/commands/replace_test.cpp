#include <gtest/gtest.h>

#include "ListFixture.h"
#include "base/CommandIds.h"
#include "commands/Replace.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

struct Case {
    std::u16string name;
    bool folder;
    int subCommand;
    std::u16string arg1, arg2;
    bool includeExt;
    std::u16string expected;
};

void RunCases(const std::vector<Case>& cases, bool extensionMode) {
    for (const Case& c : cases) {
        auto list = c.folder ? OneFolder(c.name) : OneFile(c.name);
        const ReplaceSubject subject = extensionMode ? ReplaceSubject::Extension
                                       : c.includeExt ? ReplaceSubject::WholeName
                                                      : ReplaceSubject::NamePart;
        ReplaceNames(*list, c.subCommand, c.arg1, c.arg2, subject);
        EXPECT_EQ(list->newName(0), c.expected)
            << Utf8(c.name) << " sub " << c.subCommand << " " << Utf8(c.arg1) << " -> " << Utf8(c.arg2);
    }
}

}  // namespace

TEST(ReplaceNamesTest, NameMode) {
    RunCases(
        {
            {u"a.b.txt", false, sub::ReplaceString, u".", u"_", false, u"a_b.txt"},
            {u"a.b.txt", false, sub::ReplaceString, u".", u"_", true, u"a_b_txt"},
            {u"photos.old", true, sub::ReplaceString, u".", u"_", false, u"photos_old"},
            {u"track(1).mp3", false, sub::ReplaceString, u"(*)", u"", false, u"track.mp3"},
            {u"aaa", false, sub::ReplaceString, u"aa", u"b", false, u"ba"},
            {u"Abc.txt", false, sub::ReplaceString, u"a", u"x", false, u"Abc.txt"},
            {u"abc.", false, sub::ReplaceString, u"b", u"B", false, u"aBc"},
            {u"abc.", false, sub::ReplaceString, u"b", u"B", true, u"aBc."},
            {u"abc.", false, sub::ReplaceString, u"zz", u"B", false, u"abc."},  // unchanged row keeps its dot
            {u".profile", false, sub::ReplaceString, u"pro", u"x", false, u".profile"},
            {u".profile", false, sub::ReplaceString, u"pro", u"x", true, u".xfile"},
            {u"abc", false, sub::ReplaceString, u"", u"x", false, u"abc"},
            {u"pic123done.jpg", false, sub::ReplaceString, u"c*d", u"C*D", false, u"piC123Done.jpg"},
            {u"a#b", false, sub::FlipAroundPivot, u"#", u"", false, u"b#a"},
            {u"x#y#z", false, sub::FlipAroundPivot, u"#", u"", false, u"y#z#x"},
            {u"01-Intro.mp3", false, sub::FlipAroundPivot, u"-", u"", false, u"Intro-01.mp3"},
            {u"abc.txt", false, sub::FlipAroundPivot, u"#", u"", false, u"abc.txt"},
            {u"abc.txt", false, sub::FlipAroundPivot, u"", u"", false, u"abc.txt"},
            {u"\u00C4BC.TXT", false, sub::ToLower, u"", u"", false, u"\u00C4bc.TXT"},
            {u"\u00C4BC.TXT", false, sub::ToLower, u"", u"", true, u"\u00C4bc.txt"},
            {u"abc.txt", false, sub::ToUpper, u"", u"", false, u"ABC.txt"},
            {u"3d MODEL.obj", false, sub::FirstUpperRestLower, u"", u"", false, u"3D model.obj"},
            {u"2nd EDITION", true, sub::FirstUpperRestLower, u"", u"", false, u"2Nd edition"},
            {u"hello wORLD-foo_bar", true, sub::WordsCapitalised, u"", u"", false, u"Hello World-Foo_Bar"},
            {u"abc1def", true, sub::WordsCapitalised, u"", u"", false, u"Abc1Def"},
            {u"don't", true, sub::WordsCapitalised, u"", u"", false, u"Don'T"},
            {u"l'\u00E9t\u00E9", true, sub::WordsCapitalised, u"", u"", false, u"L'\u00E9T\u00E9"},
            {u"\u1112\u1161\u11AB.txt", false, sub::ComposeHangulText, u"", u"", false, u"\uD55C.txt"},
            {u"abc.txt", false, 9999, u"a", u"b", false, u"abc.txt"},
            {u"abc.txt", false, sub::ReplaceExtension, u"txt", u"md", false, u"abc.txt"},
        },
        false);
}

TEST(ReplaceNamesTest, ExtensionMode) {
    RunCases(
        {
            {u"a.JPEG", false, sub::ReplaceExtension, u"jpeg", u"jpg", false, u"a.jpg"},
            {u"b.jpeg", false, sub::ReplaceExtension, u".jpeg", u".jpg", false, u"b.jpg"},
            {u"c.png", false, sub::ReplaceExtension, u"jpeg", u"jpg", false, u"c.png"},
            {u"README", false, sub::ReplaceExtension, u"jpeg", u"jpg", false, u"README"},
            {u"x.doc", false, sub::ReplaceExtension, u"", u".txt", false, u"x.txt"},
            {u"README", false, sub::ReplaceExtension, u"", u".txt", false, u"README"},
            {u"abc.", false, sub::ReplaceExtension, u"", u".txt", false, u"abc"},
            {u"a.tar.gz", false, sub::ReplaceExtension, u".tar.gz", u"zip", false, u"a.tar.gz"},
            {u"photos.old", true, sub::ReplaceExtension, u"", u"new", false, u"photos.old"},
            {u"file.txt", false, sub::ReplaceExtension, u"txt", u"", false, u"file."},
            {u"a.jpg", false, sub::ToUpper, u"", u"", false, u"a.JPG"},
            {u"a.TAR.GZ", false, sub::ToLower, u"", u"", true, u"a.TAR.gz"},
            {u"file.txt", false, sub::ReplaceString, u"txt", u"", false, u"file."},
            {u"file.txt", false, sub::ReplaceString, u"t?t", u"T?T", false, u"file.TxT"},
            {u"file.txt", false, sub::ReplaceString, u"t?t", u"?", false, u"file.?"},
            {u".profile", false, sub::ToUpper, u"", u"", false, u".PROFILE"},
            {u"photos.old", true, sub::ToUpper, u"", u"", false, u"photos.old"},
        },
        true);
}

TEST(ReplaceNamesTest, RowsTheTransformLeavesAloneAreNotWritten) {
    auto list = MakeList({{u"abc."}, {u"x.txt"}});
    list->setNewName(1, u"y.txt");
    ReplaceNames(*list, sub::ReplaceString, u"zz", u"q", ReplaceSubject::NamePart);
    EXPECT_EQ(NewNames(*list), (std::vector<std::u16string>{u"abc.", u"y.txt"}));
    // Replacing with the same text is no change either.
    ReplaceNames(*list, sub::ReplaceString, u"y", u"y", ReplaceSubject::NamePart);
    EXPECT_EQ(list->newName(1), u"y.txt");
}

TEST(ReplaceNamesTest, CommandsComposeOnTheCurrentNewName) {
    auto list = MakeList({{u"a.txt"}, {u"b.txt"}});
    ReplaceNames(*list, sub::ReplaceString, u"a", u"ab", ReplaceSubject::NamePart);
    ReplaceNames(*list, sub::ReplaceString, u"b", u"c", ReplaceSubject::NamePart);
    EXPECT_EQ(NewNames(*list), (std::vector<std::u16string>{u"ac.txt", u"c.txt"}));
}

TEST(ComposeHangulTest, Table) {
    struct Case {
        std::u16string in, out;
    } cases[] = {
        {u"\u1112\u1161\u11AB\u1100\u1173\u11AF", u"\uD55C\uAE00"},
        {u"\u1100\u1161 ", u"\uAC00 "},
        {u"\u1100\u11A8", u"\u1100\u11A8"},
        {u"\u1100\u1161\u1161", u"\uAC00\u1161"},
        {u"\u1100", u"\u1100"},
        {u"\u1100\u1100\u1161", u"\u1100\uAC00"},
        {u"\u1161\u11A8", u"\u1161\u11A8"},
        {u"\uAC00\u11A8", u"\uAC00\u11A8"},  // composed syllables are left alone
        {u"\u1112\u1175\u11C2", u"\uD7A3"},  // the last syllable
        {u"\u3131\u314F", u"\u3131\u314F"},  // compatibility jamo stay
        {u"", u""},
    };
    for (const Case& c : cases) EXPECT_EQ(ComposeHangul(c.in), c.out) << Utf8(c.in);
}
