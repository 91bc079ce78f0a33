#include "app/Language.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "FakeEnvironment.h"
#include "TestSupport.h"
#include "base/MenuIds.h"

using namespace quirnel;
using quirnel::test::Env;

namespace {

TEST(UiLanguageChoice, SettingOrOperatingSystem) {
    struct Case {
        std::u16string setting;
        std::map<std::string, std::string> env;
        UiLanguage expected;
    };
    const Case cases[] = {
        {u"English", {{"LANG", "ko_KR.UTF-8"}}, UiLanguage::English},
        {u"KOREAN", {{"LANG", "en_US.UTF-8"}}, UiLanguage::Korean},
        {u"default", {{"LANG", "ko_KR.UTF-8"}}, UiLanguage::Korean},
        {u"french", {{"LANG", "ko"}}, UiLanguage::Korean},
        {u"default", {{"LANG", "de_DE.UTF-8"}}, UiLanguage::English},
        {u"default", {}, UiLanguage::English},
        {u"default", {{"LC_ALL", "en_GB.UTF-8"}, {"LANG", "ko_KR.UTF-8"}}, UiLanguage::English},
        {u"default", {{"LC_MESSAGES", "ko_KR.UTF-8"}, {"LANG", "C"}}, UiLanguage::Korean},
        {u"default", {{"LC_ALL", ""}, {"LANG", "ko_KR"}}, UiLanguage::Korean},
        {u"english ", {{"LANG", "ko_KR"}}, UiLanguage::Korean},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseUiLanguage(c.setting, Env(c.env)), c.expected) << std::string(c.setting.begin(), c.setting.end());
}

TEST(UiLanguageChoice, CurrentCommandIgnoresCase) {
    EXPECT_EQ(CurrentLanguageCommand(u"korean"), 32862);
    EXPECT_EQ(CurrentLanguageCommand(u"ENGLISH"), 32861);
    EXPECT_EQ(CurrentLanguageCommand(u"french"), 32864);
    EXPECT_EQ(CurrentLanguageCommand(u"default"), 32864);
}

TEST(UiLanguageSwitch, StoresTheChoiceAndAsksToRestart) {
    AppSettings s;
    s.UILanguage = u"ENGLISH";
    test::RecordingHost no(false);
    EXPECT_FALSE(SwitchLanguage(s, menu::LanguageEnglish, no));
    EXPECT_TRUE(no.questions.empty()) << "choosing the current language asks nothing";
    EXPECT_EQ(s.UILanguage, u"ENGLISH");

    EXPECT_FALSE(SwitchLanguage(s, menu::LanguageKorean, no));
    EXPECT_EQ(s.UILanguage, u"korean") << "kept for the next start even after No";
    ASSERT_EQ(no.questions.size(), 1u);
    EXPECT_EQ(no.questions[0], LoadText(145));
    EXPECT_EQ(no.questionIds[0], Question::RestartForLanguage);

    test::RecordingHost yes(true);
    EXPECT_TRUE(SwitchLanguage(s, menu::LanguageDefault, yes));
    EXPECT_EQ(s.UILanguage, u"default");

    s.UILanguage = u"french";
    EXPECT_FALSE(SwitchLanguage(s, menu::LanguageDefault, yes)) << "an unknown text already counts as Default";
    EXPECT_EQ(s.UILanguage, u"french");
    EXPECT_FALSE(SwitchLanguage(s, 32863, yes));
    EXPECT_EQ(yes.questions.size(), 1u);
}

}  // namespace
