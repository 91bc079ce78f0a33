// Case-only renames on a real case-insensitive file system: an exFAT image
// mounted through FUSE. Skipped where the tools or the rights to mount are missing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

#include "ExfatImage.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "apply/ApplyChanges.h"
#include "namelist/AddItems.h"
#include "platform/FileOps.h"

using namespace quirnel;
using quirnel::test::ExfatImage;
using quirnel::test::RecordingHost;
using quirnel::test::TempDir;

namespace {

class CaseInsensitiveFs : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        image_ = new ExfatImage;
        if (image_->ok()) mounted_ = image_->path();
    }
    static void TearDownTestSuite() {
        delete image_;
        image_ = nullptr;
        mounted_.clear();
    }
    void SetUp() override {
        if (mounted_.empty()) GTEST_SKIP() << "no case-insensitive file system could be mounted here";
        folder_ = mounted_ + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::create_directory(folder_);
    }
    std::string Put(const std::string& name, const std::string& content) {
        std::ofstream(folder_ + "/" + name) << content;
        return folder_ + "/" + name;
    }
    std::set<std::string> Names() {
        std::set<std::string> names;
        for (auto& e : std::filesystem::directory_iterator(folder_)) names.insert(e.path().filename().string());
        return names;
    }
    std::string Content(const std::string& name) {
        std::string s;
        std::getline(std::ifstream(folder_ + "/" + name), s);
        return s;
    }
    std::u16string U(const std::string& name) { return FromNative(folder_ + "/" + name); }

    static inline ExfatImage* image_ = nullptr;
    static inline std::string mounted_;
    std::string folder_;
};

}  // namespace

TEST_F(CaseInsensitiveFs, CaseOnlyRenameSucceedsAndNothingIsReplaced) {
    Put("a.txt", "mine");
    Put("b.txt", "other");
    ASSERT_TRUE(std::filesystem::exists(folder_ + "/A.TXT"));  // the file system really ignores case
    EXPECT_EQ(MoveEntry(U("a.txt"), U("A.txt")).error, 0);
    EXPECT_EQ(Names(), (std::set<std::string>{"A.txt", "b.txt"}));
    EXPECT_EQ(Content("A.txt"), "mine");
    // Another file under another spelling is a different entry: never replaced.
    EXPECT_EQ(MoveEntry(U("A.txt"), U("B.TXT")).error, EEXIST);
    EXPECT_EQ(Names(), (std::set<std::string>{"A.txt", "b.txt"}));
    EXPECT_EQ(Content("b.txt"), "other");
    std::filesystem::create_directory(folder_ + "/photos");
    EXPECT_EQ(MoveEntry(U("photos"), U("Photos")).error, 0);
    EXPECT_EQ(Names(), (std::set<std::string>{"A.txt", "b.txt", "Photos"}));
}

TEST_F(CaseInsensitiveFs, ApplyRunChangesOnlyTheCase) {
    Put("report.TXT", "data");
    AppState app;
    app.settings.AutoSort = 0;
    RecordingHost host;
    Workspace ws(app.settings, app.flags, host);
    AddPathList(ws, {U("report.TXT")});
    ASSERT_EQ(ws.list.size(), 1);
    ws.list.setNewName(0, u"Report.txt");
    ApplyOutcome outcome = ApplyChanges(ws, ApplyType::Originals);
    EXPECT_EQ(outcome.counts.changed, 1);
    EXPECT_EQ(Names(), (std::set<std::string>{"Report.txt"}));
    EXPECT_EQ(ws.list.oldName(0), u"Report.txt");
    EXPECT_TRUE(ws.list.paths().contains(U("Report.txt")));
}
