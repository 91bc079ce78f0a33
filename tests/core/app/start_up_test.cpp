#include "app/StartUp.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/Configuration.h"
#include "base/StringTable.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

// Start-up fixes the process-wide language; each test puts it back.
class StartUpTest : public ::testing::Test {
protected:
    void TearDown() override { SetUiLanguage(saved_); }
    UiLanguage saved_ = CurrentUiLanguage();
    TempDir dir;
};

TEST_F(StartUpTest, DefaultsThenTheFileThenTheOverridesThenTheLanguage) {
    dir.file("q.ini", "UILanguage=english\r\nLoadType=1\r\nPreset_Name=From file\r\nHotkey=32780,65,1,1\r\n");
    AppState app;
    app.settings.AutoSort = 0;  // left over from an earlier run: start-up forgets it
    app.presets[1].Name = u"stale";
    app.flags.stopFlag = 0;
    app.flags.unappliedFlag = 1;
    SetUiLanguage(UiLanguage::English);
    bool overridden = false;
    StartUpResult result = StartUp(app, dir.u16("q.ini"), ConfigurationFile::MustExist, [&](AppState& a) {
        EXPECT_EQ(a.settings.LoadType, 1) << "overrides come after the file";
        a.settings.UILanguage = u"korean";
        overridden = true;
        return true;
    });
    EXPECT_EQ(result, StartUpResult::Ready);
    EXPECT_TRUE(overridden);
    EXPECT_EQ(CurrentUiLanguage(), UiLanguage::Korean) << "the language follows the overrides";
    EXPECT_EQ(app.settings.AutoSort, 1);
    EXPECT_EQ(app.presets[0].Name, u"From file");
    EXPECT_EQ(app.presets[1].Name, u"");
    EXPECT_EQ(app.hotkeys.at(32780).KeyCode, 65);
    EXPECT_EQ(app.flags.stopFlag, 1);
    EXPECT_EQ(app.flags.unappliedFlag, 0);
    EXPECT_EQ(app.configPath, dir.u16("q.ini"));
}

TEST_F(StartUpTest, AMissingFileStopsOnlyWhenItMustExistAndShutDownWritesItBack) {
    AppState app;
    EXPECT_EQ(StartUp(app, dir.u16("none.ini"), ConfigurationFile::MustExist), StartUpResult::ConfigurationUnreadable);
    EXPECT_EQ(StartUp(app, dir.u16("none.ini"), ConfigurationFile::MayBeMissing, [](AppState&) { return false; }),
              StartUpResult::OverridesRefused);
    ASSERT_EQ(StartUp(app, dir.u16("q.ini"), ConfigurationFile::MayBeMissing), StartUpResult::Ready);
    EXPECT_EQ(app.hotkeys, DefaultHotkeys());

    app.settings.LoadType = 0;
    ShutDown(app);
    AppState back;
    ASSERT_EQ(StartUp(back, dir.u16("q.ini"), ConfigurationFile::MustExist), StartUpResult::Ready);
    EXPECT_EQ(back.settings.LoadType, 0);

    AppState noFile;
    ASSERT_EQ(StartUp(noFile, u"", ConfigurationFile::MustExist), StartUpResult::Ready) << "no path, nothing to read";
    ShutDown(noFile);  // writes nowhere
    EXPECT_EQ(noFile.configPath, u"");
}

}  // namespace
