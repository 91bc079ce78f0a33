#include <gtest/gtest.h>

#include <chrono>

#include "ListFixture.h"
#include "base/CommandIds.h"
#include "commands/Replace.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

enum Entry { File, Folder };
enum IncludeExt { WithoutExt, WithExt };  // the IncludeExt setting
enum Command { Replace, ReplaceExt };

struct Case {
    std::u16string name;
    Entry entry;
    int subCommand;
    std::u16string arg1, arg2;
    IncludeExt includeExt;
    std::u16string expected;
};

void RunCases(const std::vector<Case>& cases, Command command) {
    for (const Case& c : cases) {
        auto list = c.entry == Folder ? OneFolder(c.name) : OneFile(c.name);
        const ReplaceSubject subject = command == ReplaceExt ? ReplaceSubject::Extension
                                       : c.includeExt == WithExt ? ReplaceSubject::WholeName
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
            {u"a.b.txt", File, sub::ReplaceString, u".", u"_", WithoutExt, u"a_b.txt"},
            {u"a.b.txt", File, sub::ReplaceString, u".", u"_", WithExt, u"a_b_txt"},
            {u"photos.old", Folder, sub::ReplaceString, u".", u"_", WithoutExt, u"photos_old"},
            {u"track(1).mp3", File, sub::ReplaceString, u"(*)", u"", WithoutExt, u"track.mp3"},
            {u"aaa", File, sub::ReplaceString, u"aa", u"b", WithoutExt, u"ba"},
            {u"Abc.txt", File, sub::ReplaceString, u"a", u"x", WithoutExt, u"Abc.txt"},
            {u"abc.", File, sub::ReplaceString, u"b", u"B", WithoutExt, u"aBc"},
            {u"abc.", File, sub::ReplaceString, u"b", u"B", WithExt, u"aBc."},
            {u"abc.", File, sub::ReplaceString, u"zz", u"B", WithoutExt, u"abc."},  // unchanged row keeps its dot
            {u".profile", File, sub::ReplaceString, u"pro", u"x", WithoutExt, u".profile"},
            {u".profile", File, sub::ReplaceString, u"pro", u"x", WithExt, u".xfile"},
            {u"abc", File, sub::ReplaceString, u"", u"x", WithoutExt, u"abc"},
            {u"pic123done.jpg", File, sub::ReplaceString, u"c*d", u"C*D", WithoutExt, u"piC123Done.jpg"},
            {u"a#b", File, sub::FlipAroundPivot, u"#", u"", WithoutExt, u"b#a"},
            {u"x#y#z", File, sub::FlipAroundPivot, u"#", u"", WithoutExt, u"y#z#x"},
            {u"01-Intro.mp3", File, sub::FlipAroundPivot, u"-", u"", WithoutExt, u"Intro-01.mp3"},
            {u"abc.txt", File, sub::FlipAroundPivot, u"#", u"", WithoutExt, u"abc.txt"},
            {u"abc.txt", File, sub::FlipAroundPivot, u"", u"", WithoutExt, u"abc.txt"},
            {u"\u00C4BC.TXT", File, sub::ToLower, u"", u"", WithoutExt, u"\u00C4bc.TXT"},
            {u"\u00C4BC.TXT", File, sub::ToLower, u"", u"", WithExt, u"\u00C4bc.txt"},
            {u"abc.txt", File, sub::ToUpper, u"", u"", WithoutExt, u"ABC.txt"},
            {u"3d MODEL.obj", File, sub::FirstUpperRestLower, u"", u"", WithoutExt, u"3D model.obj"},
            {u"2nd EDITION", Folder, sub::FirstUpperRestLower, u"", u"", WithoutExt, u"2Nd edition"},
            {u"hello wORLD-foo_bar", Folder, sub::WordsCapitalised, u"", u"", WithoutExt, u"Hello World-Foo_Bar"},
            {u"abc1def", Folder, sub::WordsCapitalised, u"", u"", WithoutExt, u"Abc1Def"},
            {u"don't", Folder, sub::WordsCapitalised, u"", u"", WithoutExt, u"Don'T"},
            {u"l'\u00E9t\u00E9", Folder, sub::WordsCapitalised, u"", u"", WithoutExt, u"L'\u00E9T\u00E9"},
            {u"\u1112\u1161\u11AB.txt", File, sub::ComposeHangulText, u"", u"", WithoutExt, u"\uD55C.txt"},
            {u"abc.txt", File, 9999, u"a", u"b", WithoutExt, u"abc.txt"},
            {u"abc.txt", File, sub::ReplaceExtension, u"txt", u"md", WithoutExt, u"abc.txt"},
        },
        Replace);
}

TEST(ReplaceNamesTest, ExtensionMode) {
    RunCases(
        {
            {u"a.JPEG", File, sub::ReplaceExtension, u"jpeg", u"jpg", WithoutExt, u"a.jpg"},
            {u"b.jpeg", File, sub::ReplaceExtension, u".jpeg", u".jpg", WithoutExt, u"b.jpg"},
            {u"c.png", File, sub::ReplaceExtension, u"jpeg", u"jpg", WithoutExt, u"c.png"},
            {u"README", File, sub::ReplaceExtension, u"jpeg", u"jpg", WithoutExt, u"README"},
            {u"x.doc", File, sub::ReplaceExtension, u"", u".txt", WithoutExt, u"x.txt"},
            {u"README", File, sub::ReplaceExtension, u"", u".txt", WithoutExt, u"README"},
            {u"abc.", File, sub::ReplaceExtension, u"", u".txt", WithoutExt, u"abc"},
            {u"a.tar.gz", File, sub::ReplaceExtension, u".tar.gz", u"zip", WithoutExt, u"a.tar.gz"},
            {u"photos.old", Folder, sub::ReplaceExtension, u"", u"new", WithoutExt, u"photos.old"},
            {u"file.txt", File, sub::ReplaceExtension, u"txt", u"", WithoutExt, u"file."},
            {u"a.jpg", File, sub::ToUpper, u"", u"", WithoutExt, u"a.JPG"},
            {u"a.TAR.GZ", File, sub::ToLower, u"", u"", WithExt, u"a.TAR.gz"},
            {u"file.txt", File, sub::ReplaceString, u"txt", u"", WithoutExt, u"file."},
            {u"file.txt", File, sub::ReplaceString, u"t?t", u"T?T", WithoutExt, u"file.TxT"},
            {u"file.txt", File, sub::ReplaceString, u"t?t", u"?", WithoutExt, u"file.?"},
            {u".profile", File, sub::ToUpper, u"", u"", WithoutExt, u".PROFILE"},
            {u"photos.old", Folder, sub::ToUpper, u"", u"", WithoutExt, u"photos.old"},
        },
        ReplaceExt);
}

TEST(ReplaceNamesTest, RegularExpressions) {
    const int re = sub::RegexReplace;
    RunCases(
        {
            {u"IMG_2024_06.jpg", File, re, u"(\\d{4})_(\\d{2})", u"$2-$1", WithoutExt, u"IMG_06-2024.jpg"},
            {u"IMG_2024.jpg", File, re, u"(?<year>\\d{4})", u"y${year}", WithoutExt, u"IMG_y2024.jpg"},
            {u"a1b22", Folder, re, u"\\d+", u"[$0]", WithoutExt, u"a[1]b[22]"},
            {u"hello world.txt", File, re, u"\\w+", u"\\u$0", WithoutExt, u"Hello World.txt"},
            {u"hello world.txt", File, re, u"(\\w+) (\\w+)", u"\\U$1\\E $2", WithoutExt, u"HELLO world.txt"},
            {u"\u00C9COLE Caf\u00C9", Folder, re, u".+", u"\\L$0", WithoutExt, u"\u00E9cole caf\u00E9"},
            {u"ABC def", Folder, re, u"\\w+", u"\\l$0", WithoutExt, u"aBC def"},
            {u"song.mp3", File, re, u"^", u"01 ", WithoutExt, u"01 song.mp3"},
            {u"song.mp3", File, re, u"$", u"_end", WithoutExt, u"song_end.mp3"},
            {u"song.mp3", File, re, u"$", u"_end", WithExt, u"song.mp3_end"},
            {u"abc", Folder, re, u"x*", u"-", WithoutExt, u"-a-b-c-"},  // empty matches, each once
            {u"a\U0001F600", Folder, re, u"x*", u"-", WithoutExt, u"-a-\U0001F600-"},
            {u"abc", Folder, re, u"x*", u"\\u-", WithoutExt, u"-a-b-c-"},  // the same through PCRE2's expansion
            {u"abab", Folder, re, u"a\\Kb", u"B", WithoutExt, u"aBaB"},  // \K: less is replaced than was matched
            {u"xabc", Folder, re, u"b(?=c)|(?<=x)a", u"_", WithoutExt, u"x__c"},
            {u"ab12", Folder, re, u"(\\d)|(b)", u"[$1$2]", WithoutExt, u"a[b][1][2]"},  // an unset group is empty
            {u"a1", Folder, re, u"(?<d>\\d)", u"$$${d}", WithoutExt, u"a$1"},
            {u"a1", Folder, re, u"\\d", u"x$", WithoutExt, u"a1"},  // a template PCRE2 refuses changes nothing
            {u"abc.txt", File, re, u"\\d", u"#", WithoutExt, u"abc.txt"},  // no match: not written
            {u"Abc.txt", File, re, u"a", u"x", WithoutExt, u"Abc.txt"},       // case-sensitive by default
            {u"Abc.txt", File, re, u"(?i)a", u"x", WithoutExt, u"xbc.txt"},
            {u"\u00C9t\u00E9", Folder, re, u"(?i)\u00E9", u"e", WithoutExt, u"ete"},  // (?i) folds accented letters
            {u"\uD64D\uAE38\uB3D9 \uC0AC\uC9C4", Folder, re, u"(\\w+) (\\w+)", u"$2 $1", WithoutExt,
             u"\uC0AC\uC9C4 \uD64D\uAE38\uB3D9"},  // \w knows Hangul
            {u"\uD55C\uAE00123", Folder, re, u"\\D+", u"", WithoutExt, u"123"},
            {u"a\U0001F600b", Folder, re, u".", u"x", WithoutExt, u"xxx"},  // a surrogate pair is one character
            {u"a\U0001F600b", Folder, re, u"\\p{So}", u"_", WithoutExt, u"a_b"},
            {u"a.b.txt", File, re, u"\\.", u"_", WithoutExt, u"a_b.txt"},
            {u"a.b.txt", File, re, u"\\.", u"_", WithExt, u"a_b_txt"},
            {u"photos.old", Folder, re, u"\\.", u"_", WithoutExt, u"photos_old"},
            {u"abc.txt", File, re, u"(", u"x", WithoutExt, u"abc.txt"},  // an invalid pattern changes nothing
            {u"abc.txt", File, re, u"", u"x", WithoutExt, u"abc.txt"},
        },
        Replace);
    RunCases(
        {
            {u"a.JPEG", File, re, u"jpe?g", u"jpg", WithoutExt, u"a.JPEG"},
            {u"a.JPEG", File, re, u"(?i)^jpe?g$", u"jpg", WithoutExt, u"a.jpg"},
            {u"a.tar.gz", File, re, u"^", u"x", WithoutExt, u"a.tar.xgz"},
            {u"README", File, re, u"^$", u"txt", WithoutExt, u"README"},  // no extension, none added
            {u"photos.old", Folder, re, u".+", u"new", WithoutExt, u"photos.old"},
        },
        ReplaceExt);
}

TEST(ReplaceNamesTest, ACatastrophicPatternStopsAtTheLimitAndIsLoggedOnce) {
    const std::u16string stuck = std::u16string(40, u'a') + u"!";
    auto list = MakeList({{stuck}, {u"aaa"}, {stuck + u"!"}});
    RecordingHost host;
    const auto start = std::chrono::steady_clock::now();
    ReplaceNames(*list, sub::RegexReplace, u"(a+)+$", u"x", ReplaceSubject::NamePart, &host);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(5)) << "without a limit this takes hours";
    EXPECT_EQ(NewNames(*list), (std::vector<std::u16string>{stuck, u"x", stuck + u"!"}));
    ASSERT_EQ(host.log.size(), 1u);
    EXPECT_EQ(host.log[0], u"2 name(s) left unchanged: the regular expression took more steps than one name is allowed.");
}

TEST(ReplaceNamesTest, AnInvalidPatternFromAPresetIsLogged) {
    auto list = MakeList({{u"abc.txt"}});
    RecordingHost host;
    ReplaceNames(*list, sub::RegexReplace, u"ab(c", u"x", ReplaceSubject::NamePart, &host);
    EXPECT_EQ(list->newName(0), u"abc.txt");
    ASSERT_EQ(host.log.size(), 1u);
    EXPECT_EQ(host.log[0], u"The regular expression is invalid at character 5:\nmissing closing parenthesis");
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
