#include "base/Host.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "base/StringTable.h"

using namespace quirnel;

TEST(HostQuestions, EachIdentityAsksItsOwnTextInTheCurrentLanguage) {
    const struct {
        Question question;
        std::u16string english;
    } cases[] = {
        {Question::AddFolderItself, u" YES: Add a folder itself / NO : Add files in a folder"},
        {Question::ExitWithUnapplied, u"Do you want to exit?"},
        {Question::StopProcessing, u"Do you want to stop processing?"},
        {Question::RestartForLanguage,
         u"You shoud exit and restart Quirnel to apply the changed language setting. Do you want to exit now?"},
        {Question::ResetHotkeys, u"Do you want to reset all hotkeys to default?"},
    };
    const UiLanguage saved = CurrentUiLanguage();
    for (const auto& c : cases) {
        test::RecordingHost host(false);
        SetUiLanguage(UiLanguage::English);
        EXPECT_FALSE(host.ask(c.question));
        SetUiLanguage(UiLanguage::Korean);
        host.answer = true;
        EXPECT_TRUE(host.ask(c.question));
        ASSERT_EQ(host.questionIds, (std::vector<Question>{c.question, c.question}));
        EXPECT_EQ(host.questions[0], c.english);
        EXPECT_EQ(host.questions[1], LoadText(QuestionTextId(c.question), UiLanguage::Korean));
        EXPECT_NE(host.questions[1], c.english);
    }
    SetUiLanguage(saved);
}
