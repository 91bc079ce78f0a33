#include <gtest/gtest.h>

#include "ListFixture.h"
#include "commands/NameEdits.h"

using namespace quirnel;
using namespace quirnel::test;

using Names = std::vector<std::u16string>;

TEST(EmptyNamesTest, KeepsOnlyTheExtension) {
    auto list = MakeList({{u"report.final.pdf"}, {u"README"}, {u"photos.old", u"C:\\data", true}, {u"abc."},
                          {u".profile"}});
    EmptyNames(*list);
    EXPECT_EQ(NewNames(*list), (Names{u".pdf", u"", u"", u".", u".profile"}));
}

TEST(EmptyExtensionsTest, DropsTheLastExtensionOfFiles) {
    auto list = MakeList({{u"photo.JPG"}, {u"a.tar.gz"}, {u"abc."}, {u"README"}, {u".profile"},
                          {u"photos.old", u"C:\\data", true}});
    EmptyExtensions(*list);
    EXPECT_EQ(NewNames(*list), (Names{u"photo", u"a.tar", u"abc", u"README", u"", u"photos.old"}));
}

TEST(EditNameTest, EditsTheFirstSelectedRowOnly) {
    auto list = MakeList({{u"r0"}, {u"r1"}, {u"r2"}, {u"r3"}, {u"r4"}, {u"r5"}});
    EXPECT_EQ(EditNameRow(*list), -1);
    EXPECT_FALSE(EditName(*list, u"x"));
    EXPECT_EQ(NewNames(*list), (Names{u"r0", u"r1", u"r2", u"r3", u"r4", u"r5"}));

    list->setSelected(5, true);
    list->setSelected(3, true);
    EXPECT_EQ(EditNameRow(*list), 3);
    EXPECT_TRUE(EditName(*list, u"new.txt"));
    EXPECT_TRUE(EditName(*list, u""));  // an empty name is accepted here and refused when applied
    list->setSelected(3, false);
    EXPECT_TRUE(EditName(*list, u"five"));
    EXPECT_EQ(NewNames(*list), (Names{u"r0", u"r1", u"r2", u"", u"r4", u"five"}));
}
